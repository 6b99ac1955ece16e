// The pieces of the texture generator that live in their own files (backdrop, font sheet,
// panels, board backgrounds) and the writers they share.
#pragma once

#include <filesystem>
#include <string>

#include "assets/texture_index.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

// base/texNN.bmp for texture index N.
std::filesystem::path TexturePath(const std::filesystem::path& outputFolder, int index);
// Writes the canvas, resampled to width x height, as the image of texture `index`.
void SaveImage(const std::filesystem::path& outputFolder, TextureIndex index, const Canvas& canvas,
               int width, int height);
// Writes the canvas's mask (white where it is empty) as texture `index`.
void SaveMask(const std::filesystem::path& outputFolder, TextureIndex index, const Canvas& canvas,
              int width, int height);

// The window of the backdrop through which the 3D board shows, in the 640 by 480 design space
// of the backdrop (y down): the projected play field with a small margin.
struct BoardWindow {
  float left, top, right, bottom;
};
BoardWindow ProjectedBoardWindow();

void MakeBackdrop(const std::filesystem::path& outputFolder);  // its mask and image
void MakeFontSheet(const std::filesystem::path& outputFolder);

// The panel of a two-button question with its question and a note under it.
void MakeQuestion(const std::filesystem::path& outputFolder, TextureIndex index,
                  const std::string& question, const std::string& note);
void MakeOptionsPanel(const std::filesystem::path& outputFolder);
void MakeNameEntryPanel(const std::filesystem::path& outputFolder);
void MakeHighScoresPanel(const std::filesystem::path& outputFolder);
void MakeOptionRows(const std::filesystem::path& outputFolder);  // both pictures of each row

void MakeBoardBackgrounds(const std::filesystem::path& outputFolder);  // all six
void MakeBar(const std::filesystem::path& outputFolder);
// base/cursormask.bmp and base/cursor.bmp: the mark of the keyboard's cursor on the board.
void MakeCursorMark(const std::filesystem::path& outputFolder);

}  // namespace assetgen
