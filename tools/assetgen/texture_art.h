// The pieces of the texture generator that live in their own files (backdrop, font sheet,
// panels, board backgrounds) and the writers they share.
#pragma once

#include <filesystem>
#include <string>

#include "tools/assetgen/raster.h"

namespace assetgen {

// base/texNN.bmp for texture index N.
std::filesystem::path TexturePath(const std::filesystem::path& outputFolder, int index);
// Writes the canvas, resampled to width x height, as the image of texture `index`.
void SaveImage(const std::filesystem::path& outputFolder, int index, const Canvas& canvas,
               int width, int height);
// Writes the canvas's mask (white where it is empty) as texture `index`.
void SaveMask(const std::filesystem::path& outputFolder, int index, const Canvas& canvas,
              int width, int height);

// The window of the backdrop through which the 3D board shows, in the 640 by 480 design space
// of the backdrop (y down): the projected play field with a small margin.
struct BoardWindow {
  float left, top, right, bottom;
};
BoardWindow ProjectedBoardWindow();

void MakeBackdrop(const std::filesystem::path& outputFolder);   // textures 1 and 2
void MakeFontSheet(const std::filesystem::path& outputFolder);  // texture 0

// A question panel (textures 3, 30, 52) with its question and a note under it.
void MakeQuestion(const std::filesystem::path& outputFolder, int index, const std::string& question,
                  const std::string& note);
void MakeOptionsPanel(const std::filesystem::path& outputFolder);     // texture 4
void MakeNameEntryPanel(const std::filesystem::path& outputFolder);   // texture 38
void MakeHighScoresPanel(const std::filesystem::path& outputFolder);  // texture 78
void MakeOptionRows(const std::filesystem::path& outputFolder);       // 40-45, 71, 72, 79, 80

void MakeBoardBackgrounds(const std::filesystem::path& outputFolder);  // 36, 61 to 65
void MakeBar(const std::filesystem::path& outputFolder);               // texture 37

}  // namespace assetgen
