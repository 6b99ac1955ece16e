// The files of a scene load (the seven fruit models with their skins and the 81 pictures of
// the texture set), read and decoded on a thread of their own while the window and the GL
// context come up. The GL calls, and every box that a failed file shows, stay with the scene
// load on the main thread, at the moment they come in a load that reads the files itself.
#pragma once

#include <memory>
#include <vector>

#include "assets/model.h"
#include "assets/textures.h"

// A fruit model read ahead: parsed (empty when its file could not be read) with the pictures
// of its materials.
struct FruitModelFiles {
  std::unique_ptr<MilkshapeModel> model;
  std::vector<ImageRead> materialPictures;
};

// Starts reading the files, unless a reading is under way or done and not yet ended.
void StartReadingSceneFiles();
// Fruit model `kind` (1 to 7), waiting for it as needed. Models are taken first, in order.
FruitModelFiles TakeFruitModelFiles(int kind);
// Picture n of the texture set, waiting for it as needed; taken in order after the models.
// The reading stops at the first picture that fails, as a load stops there.
TexturePicture TakeTexturePicture(int n);
// Waits for the thread and lets go of everything not taken; the next start reads afresh.
void EndReadingSceneFiles();
