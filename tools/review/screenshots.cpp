// Writes a PNG of every screen in both layouts, drawn through the game's own window, scene
// load and frame driver from the generated artwork, found as the game finds it; then the
// board and the options again in windows of 1280 by 720 and 1280 by 1024, where the picture
// keeps its shape between black bars:
//
//   screenshots <output folder>
//
// The large layout is taken through the real fullscreen switch, so the X server must offer
// an 800 by 600 mode (scripts/screenshots.sh runs one). The larger windows reach beyond such a
// screen, which changes nothing of what is drawn into them.
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "app/game_files.h"
#include "app/window.h"
#include "core/game_state.h"
#include "render/viewport.h"
#include "tools/assetgen/png_writer.h"
#include "tools/review/board_in_play.h"

namespace {

// Reads the frame back and writes it through the artwork's PNG writer.
bool WritePng(const std::string& path, int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  std::vector<float> rgb(pixels.size());
  const size_t rowSize = static_cast<size_t>(width) * 3;
  for (int row = 0; row < height; ++row) {  // GL rows run bottom up, the PNG's top down
    const uint8_t* from = pixels.data() + static_cast<size_t>(height - 1 - row) * rowSize;
    for (size_t i = 0; i < rowSize; ++i) rgb[row * rowSize + i] = from[i] / 255.0f;
  }
  return assetgen::WritePng(path, width, height, rgb);
}

void FillHighScores() {
  const char* names[] = {"Marigold$", "Tom$$$$$$", "Ada$$$$$$", "Quince$$$", "Bo$$$$$$$"};
  const int scores[2][5] = {{48210, 23990, 12345, 5020, 480}, {9120, 7455, 3310, 1200, 95}};
  for (int table = 0; table < HighScoreTableCount; ++table) {
    for (int row = 0; row < HighScoreEntryCount; ++row) {
      std::snprintf(Game.HighScoreTables[table][row].name, sizeof Game.HighScoreTables[table][row].name,
                    "%s", names[(row + table * 2) % 5]);
      Game.HighScoreTables[table][row].score = scores[table][row];
    }
  }
}

// A game in its third level: a selection spinning, a removal shrinking with its pop-ups, the
// column above a gap falling, the pointer over a fruit.
void SetUpBoardInPlay() {
  Game.Screen = Playing;
  Game.ModeIndex = Levels;
  Game.LevelsButton = 2;
  Game.TimedButton = 0;
  Game.Level = 2;
  Game.Score = 2140;
  Game.ShownScore = 2140.0f;
  Game.BarWidth = 100.0f;
  Game.BackgroundIndex = 2;
  Game.BoardPhase = Play;
  Game.Paused = false;
  FillBoardWithShrinkingRun(0.55f);
  Game.ScorePopups[0] = {true, 330, 120, 15, 0.3f};
  Game.ScorePopups[1] = {true, 420, 260, 30, 0.6f};
  // A gap in column 6, row 4: the fruit above it are falling.
  Game.Board[4][6] = 0;
  Game.Board[0][6] = 3;
  Game.FallOffset = -0.45f;
  Game.MarkerShown = true;
  Game.MarkerColumn = 1;
  Game.MarkerRow = 2;
  Game.MarkerAngle = 35.0f;
  Game.FadingMarkerShown = false;
  Game.HoverColumn = 5;
  Game.HoverRow = 5;
  Game.KeyCursorShown = false;
  Game.SelectionActive = false;
}

void ResetButtons() {
  Game.NewGameButton = Game.OptionsButton = Game.QuitButton = 0;
  Game.HintButtonHover = Game.DialogButton1Hover = Game.DialogButton2Hover = 0;
  Game.HelpRowHover = Game.HighScoresRowHover = 0;
}

struct Shot {
  const char* name;
  void (*setUp)();
  bool alsoScaled = false;  // taken again in the windows of other sizes
};

const Shot Shots[] = {
    {"playing", [] {}, true},
    {"playing_hover_hint", [] { Game.HintButtonHover = 1; Game.NewGameButton = 1; }},
    {"paused", [] {
       Game.ModeIndex = Timed;
       Game.TimedButton = 2;
       Game.LevelsButton = 0;
       Game.Paused = true;
       Game.BarWidth = 300.0f;
     }},
    {"confirm_new_game", [] { Game.Screen = ConfirmNewGame; Game.NewGameButton = 2; Game.DialogButton1Hover = 1; }},
    {"confirm_quit", [] { Game.Screen = ConfirmQuit; Game.QuitButton = 2; Game.DialogButton2Hover = 1; }},
    {"resume_prompt", [] { Game.Screen = ResumePrompt; }},
    {"options_off", [] {
       Game.Screen = Options;
       Game.OptionsButton = 2;
       Game.DisplayModeSetting = 0;
       Game.MusicOn = 0;
       Game.SoundOn = 0;
     }},
    {"options_on", [] {
       Game.Screen = Options;
       Game.OptionsButton = 2;
       Game.DisplayModeSetting = 1;
       Game.MusicOn = 1;
       Game.SoundOn = 1;
       Game.HighScoresRowHover = 1;
       Game.DialogButton1Hover = 1;
     }, true},
    {"high_scores", [] { Game.Screen = HighScores; }},
    {"name_entry", [] { Game.Screen = NameEntry; std::strcpy(Game.EntryName, "Tom$$$$$$"); }},
    {"banner_level_complete", [] { Game.BoardPhase = LevelComplete; Game.BannerProgress = 0.45f; }},
    {"banner_game_over", [] { Game.BoardPhase = GameOver; Game.GameOverLatch = true; Game.BannerProgress = 0.5f; }},
    {"banner_excellent", [] { Game.BoardPhase = Excellent; Game.BannerProgress = 0.4f; }},
    // The keyboard's cursor over a fruit, and beside the selected fruit before an arrow swaps.
    {"key_cursor", [] { Game.KeyCursorShown = true; Game.HoverColumn = 4; Game.HoverRow = 6; }, true},
    {"key_cursor_beside_selection", [] {
       Game.SelectionActive = true;
       Game.SelectedColumn = Game.MarkerColumn;
       Game.SelectedRow = Game.MarkerRow;
       Game.KeyCursorShown = true;
       Game.HoverColumn = Game.MarkerColumn + 1;
       Game.HoverRow = Game.MarkerRow;
     }},
    {"banner_no_moves", [] {
       Game.BoardPhase = GameOver;
       Game.GameOverLatch = true;
       Game.NoMovesGameOver = true;
       Game.BannerProgress = 0.5f;
     }},
};

// Draws one frame of each screen (or of those also taken scaled) with the animations held
// still and writes it, named after the window's size.
bool TakeShots(const std::string& folder, const std::string& size, bool scaledOnly) {
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(reinterpret_cast<SDL_Window*>(Game.Window), &width, &height);
  // The scene load leaves the depth test off; the overlay of the first frame switches it on
  // for the board of every later frame. In the game the first frame after a load shows a
  // panel without fruit, so draw that frame here too before the fruit are photographed.
  Game.Screen = ResumePrompt;
  DrawFrame();
  SwapGameWindow();
  for (const Shot& shot : Shots) {
    if (scaledOnly && !shot.alsoScaled) continue;
    ResetButtons();
    SetUpBoardInPlay();
    FillHighScores();
    Game.GameOverLatch = false;
    Game.NoMovesGameOver = false;
    shot.setUp();
    // Pop-ups rise over every screen, but a dialog is seldom open while they do.
    if (Game.Screen != Playing) {
      for (ScorePopup& popup : Game.ScorePopups) popup = ScorePopup{};
    }
    Game.FrameSpeed = 0.0f;
    Game.SpeedSampleCounter = 1;
    DrawFrame();
    const std::string path = folder + "/" + size + "_" + shot.name + ".png";
    if (!WritePng(path, width, height)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return false;
    }
    SwapGameWindow();
    std::printf("%s\n", path.c_str());
  }
  return true;
}

// The windowed layout in windows wider and taller than 4:3.
bool TakeScaledShots(const std::string& folder) {
  for (const auto& [width, height] : {std::pair{1280, 720}, std::pair{1280, 1024}}) {
    SDL_SetWindowSize(reinterpret_cast<SDL_Window*>(Game.Window), width, height);
    ResizeScene(width, height);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (!TakeShots(folder, size, true)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshots <output folder>\n");
    return 2;
  }
  const std::string output = std::filesystem::absolute(argv[1]).string();
  std::filesystem::create_directories(output);
  if (!FindGameFiles()) {
    std::fprintf(stderr, "screenshots: no base/ folder with the game's artwork\n");
    return 1;
  }
  // The high-score file goes to a scratch folder, never to the player's.
  const std::string scratch = std::filesystem::temp_directory_path() / "quillary-screenshots-data";
  std::filesystem::create_directories(scratch);
  setenv("XDG_DATA_HOME", scratch.c_str(), 1);
  bool ok =
      CreateGameWindow("Quillary", 640, 480, 16, false) && TakeShots(output, "640x480", false);
  if (ok) {
    Game.DisplayModeSetting = 1;
    ChangeDisplayMode();
    ok = Game.QuitRequested == 0 && Game.Fullscreen && TakeShots(output, "800x600", false);
  }
  if (ok) {
    Game.DisplayModeSetting = 0;
    ChangeDisplayMode();
    ok = Game.QuitRequested == 0 && !Game.Fullscreen && TakeScaledShots(output);
  }
  DestroyGameWindow();
  std::filesystem::remove_all(scratch);
  return ok ? 0 : 1;
}
