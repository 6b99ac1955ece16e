// Textures made from BMP files: the 81 of the texture set and single material textures.
#pragma once

// Decodes base/tex00.bmp to base/tex80.bmp and makes them mipmapped textures in
// Game.TextureSet; false (and no texture made) when a file is missing or fails to decode.
bool LoadTextureSet();

// Makes one texture without mipmaps from a BMP whose sides are powers of two; 0 on failure.
unsigned LoadPlainTexture(const char* path);

// Makes one mipmapped texture, as those of the set, from a BMP of any size; 0 on failure.
unsigned LoadMipmappedTexture(const char* path);
