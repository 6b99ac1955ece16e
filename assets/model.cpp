#include "assets/model.h"

#include <GL/gl.h>

#include "assets/textures.h"

namespace {

bool NamesTexture(const ModelMaterial& material) {
  return material.textureFileName && material.textureFileName[0] != '\0';
}

}  // namespace

void Model::LoadTextures() { MakeTextures(ReadMaterialPictures()); }

std::vector<ImageRead> Model::ReadMaterialPictures() const {
  std::vector<ImageRead> pictures(static_cast<size_t>(materialCount));
  for (int i = 0; i < materialCount; ++i) {
    if (NamesTexture(materials[i])) {
      pictures[i] = ReadImageFile(materials[i].textureFileName);
    } else {
      pictures[i].missing = true;
    }
  }
  return pictures;
}

void Model::MakeTextures(std::vector<ImageRead> pictures) {
  for (int i = 0; i < materialCount && i < static_cast<int>(pictures.size()); ++i) {
    ModelMaterial& material = materials[i];
    material.textureId =
        NamesTexture(material) ? MakePlainTexture(material.textureFileName, std::move(pictures[i])) : 0;
  }
}

void Model::Draw() {
  const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
  for (int m = 0; m < meshCount; ++m) {
    const ModelMesh& mesh = meshes[m];
    if (mesh.materialIndex >= 0) {
      const ModelMaterial& material = materials[mesh.materialIndex];
      glMaterialfv(GL_FRONT, GL_AMBIENT, material.ambient);
      glMaterialfv(GL_FRONT, GL_DIFFUSE, material.diffuse);
      glMaterialfv(GL_FRONT, GL_SPECULAR, material.specular);
      glMaterialfv(GL_FRONT, GL_EMISSION, material.emissive);
      glMaterialf(GL_FRONT, GL_SHININESS, material.shininess);
      if (material.textureId != 0) {
        glBindTexture(GL_TEXTURE_2D, material.textureId);
        glEnable(GL_TEXTURE_2D);
      } else {
        glDisable(GL_TEXTURE_2D);
      }
    } else {
      // No material: the previous mesh's material stays in effect.
      glDisable(GL_TEXTURE_2D);
    }
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < mesh.triangleIndexCount; ++i) {
      const ModelTriangle& triangle = triangles[mesh.triangleIndices[i]];
      for (int corner = 0; corner < 3; ++corner) {
        glNormal3fv(triangle.normals[corner]);
        glTexCoord2f(triangle.s[corner], triangle.t[corner]);
        glVertex3fv(vertices[triangle.vertexIndices[corner]].position);
      }
    }
    glEnd();
  }
  if (texturing)
    glEnable(GL_TEXTURE_2D);
  else
    glDisable(GL_TEXTURE_2D);
}
