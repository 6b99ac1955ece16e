// The one global record of the game. Every operation reads and writes `Game` directly; the
// default member initialisers are the values at program start, so `Game = GameState{}`
// restores a freshly started program.
#pragma once

#include <cstddef>
#include <cstdint>

// Opaque handle of the game window, defined by the platform layer.
struct PlatformWindow;
using WindowHandle = PlatformWindow*;

constexpr int BoardRows = 9;  // row 0 is the hidden spawn row, rows 1 to 8 the play field
constexpr int BoardColumns = 8;
constexpr int FruitKinds = 7;
constexpr int SolidFloor = 555;  // FloorRow content while the board does not drain
constexpr int RemovalMarkCount = 19;
constexpr int ScorePopupCount = 10;
constexpr int TextureCount = 81;
constexpr int HighScoreTableCount = 2;
constexpr int HighScoreEntryCount = 5;
constexpr int HighScoreNameLength = 9;  // stored names are always nine characters, "$"-padded
constexpr int NoCell = -10000;          // HoverColumn and HoverRow when the pointer is over no cell
constexpr int BackgroundCount = 6;      // board backgrounds, chosen by BackgroundIndex
constexpr float TimedStartTime = 50.0f;  // TimeLeft at the start of every Timed level
constexpr int OpenedFromOptions = 2;  // HighScoresReturn while HighScores was opened from Options

// The cells the player sees and plays: columns 0 to 7 of rows 1 to 8.
constexpr bool IsPlayingCell(int column, int row) {
  return column >= 0 && column < BoardColumns && row >= 1 && row < BoardRows;
}

enum ScreenId : int {
  Playing = 0,
  ConfirmNewGame = 1,
  Options = 2,
  ConfirmQuit = 3,
  ResumePrompt = 5,
  HighScores = 77,
  NameEntry = 88,
};

enum BoardPhaseId : int { Play = 0, LevelComplete = 1, GameOver = 2, Excellent = 3 };

enum GameModeId : int { Levels = 0, Timed = 1 };

// The states of the side buttons, which pick their pictures: NewGameButton, OptionsButton and
// QuitButton are pressed while the screen they opened shows; TimedButton and LevelsButton are
// pressed while theirs is the current mode.
enum ButtonState : int { ButtonIdle = 0, ButtonUnderPointer = 1, ButtonPressed = 2 };

// A cell marked for removal by the last scan.
struct RemovalMark {
  bool active = false;
  int column = 0;
  int row = 0;
  float fade = 0.0f;  // unused: all marks shrink together by GameState::RemovalFade

  bool operator==(const RemovalMark&) const = default;
};

// A floating score number; x and y are its start in the 640 by 480 text space.
struct ScorePopup {
  bool active = false;
  int x = 0;
  int y = 0;
  int value = 0;
  float progress = 0.0f;  // life of the pop-up, 0 to 1, advanced by the effects

  bool operator==(const ScorePopup&) const = default;
};

struct HighScoreEntry {
  char name[16] = {};
  int score = 0;

  bool operator==(const HighScoreEntry&) const = default;
};

// Sample and module handles, one per file of base/, named by the file's stem.
struct SoundBank {
  int Theme1 = -1;
  int Theme2 = -1;
  int Select = -1;
  int Bad = -1;
  int New = -1;
  int Combo = -1;
  int Menu = -1;
  int Levelup = -1;
  int Hint = -1;
  int Gameover = -1;
  int Exel = -1;
  int Combo2 = -1;
  int Combo3 = -1;

  bool operator==(const SoundBank&) const = default;
};

// The millisecond clock behind the frame-rate measurement; restarted by every scene load.
struct FrameTimerRecord {
  int64_t frequency = 0;
  float resolution = 0.0f;
  uint32_t clockStart = 0;
  bool highResolution = false;
  int64_t counterStart = 0;

  bool operator==(const FrameTimerRecord&) const = default;
};

struct GameState {
  // Board: written by new game, gravity, removal, swaps and the saved-game reader. Row 0 is
  // the spawn row; FloorRow follows row 8 directly so that the 80 integers form rows 0 to 9.
  int Board[BoardRows][BoardColumns] = {
      {4, 1, 2, 3, 4, 1, 2, 1}, {4, 5, 2, 3, 2, 1, 3, 1}, {2, 1, 5, 1, 4, 5, 2, 3},
      {3, 4, 4, 5, 1, 3, 4, 7}, {1, 1, 2, 2, 5, 2, 6, 1}, {3, 4, 3, 1, 4, 5, 7, 2},
      {5, 4, 2, 7, 7, 3, 2, 1}, {3, 1, 1, 2, 4, 5, 7, 3}, {7, 1, 2, 3, 1, 6, 1, 1},
  };
  int FloorRow[BoardColumns] = {};

  // Game in progress: reset by NewGame and the level advance, restored by the saved game.
  int Score = 0;
  int Level = 0;
  int LevelFloor = 0;
  int LevelTarget = 0;
  float TimeLeft = 0.0f;
  float BarWidth = 0.0f;
  int ModeIndex = Levels;
  int ChainCount = 0;
  int ChainScore = 0;
  bool ScoringEnabled = false;
  int BackgroundIndex = 0;

  // Board phases and animations: driven by AdvanceBoard, ScanForRuns and FinishPhase.
  int BoardPhase = Play;
  bool GameOverLatch = false;
  bool NoMovesGameOver = false;
  bool Reshuffling = false;
  float FallOffset = -1.0f;
  bool RemovalActive = false;
  float RemovalFade = 0.0f;
  RemovalMark RemovalMarks[RemovalMarkCount] = {};
  ScorePopup ScorePopups[ScorePopupCount] = {};
  float HintColumn = 0.0f;
  float HintRow = 0.0f;

  // Selection, swap and markers: set by presses, drags and the hint, animated by the board.
  bool SelectionActive = false;
  int SelectedColumn = 0;
  int SelectedRow = 0;
  bool SwapActive = false;
  int SwapColumn = 0;
  int SwapRow = 0;
  bool SwapBusy = false;
  bool SwapReturning = false;
  float SelectedOffsetX = 0.0f;
  float SelectedOffsetY = 0.0f;
  float SelectedLift = 0.0f;
  float SelectedVelocityX = 0.0f;
  float SelectedVelocityY = 0.0f;
  float SwapOffsetX = 0.0f;
  float SwapOffsetY = 0.0f;
  float SwapLift = 0.0f;
  float SwapVelocityX = 0.0f;
  float SwapVelocityY = 0.0f;
  bool MarkerShown = false;
  bool MarkerStopping = false;
  int MarkerColumn = 0;
  int MarkerRow = 0;
  float MarkerAngle = 0.0f;
  bool FadingMarkerShown = false;
  bool FadingMarkerStopping = false;
  int FadingMarkerColumn = 0;
  int FadingMarkerRow = 0;
  float FadingMarkerAngle = 0.0f;

  // Overlay and effects: the score as shown, counting toward Score, and the phase banner's life.
  float ShownScore = 0.0f;
  float BannerProgress = 0.0f;

  // Screens and pointer: written by the window procedure and hit-testing. The pointer is in
  // the current layout's pixels.
  int Screen = Playing;
  int PointerX = 0;
  int PointerY = 0;
  int HoverColumn = NoCell;
  int HoverRow = NoCell;
  int NewGameButton = 0;
  int TimedButton = 0;
  int LevelsButton = 0;
  int OptionsButton = 0;
  int QuitButton = 0;
  int HintButtonHover = 0;
  int DialogButton1Hover = 0;
  int DialogButton2Hover = 0;
  int HelpRowHover = 0;
  int HighScoresRowHover = 0;
  int HighScoresReturn = 0;
  bool ButtonReleased = false;

  // Keyboard and name entry: KeyState follows key messages; the rest belongs to name entry.
  unsigned char KeyState[256] = {};
  char EntryName[HighScoreNameLength + 1] = {};
  int NameCursor = 1;
  bool LetterLatch = false;
  bool BackspaceLatch = false;

  // Key commands, written by the window procedure: a key press that a command took, from its
  // key-down to its key-up; and whether the hover cell is the keyboard's cursor, until the
  // pointer next moves over the board.
  bool KeyTaken[256] = {};
  bool KeyCursorShown = false;

  // Settings: read at start-up, changed by the Options screen, written at exit. Kept as read.
  int DisplayModeSetting = 0;
  int MusicOn = 0;
  int SoundOn = 0;

  // Shell: main loop, window and frame driver.
  int QuitRequested = 0;
  bool WindowActive = true;
  bool Fullscreen = false;
  bool Paused = false;
  WindowHandle Window = nullptr;
  void* RenderingContext = nullptr;
  // The client area's size in pixels, recorded where the viewport is set for it; 0 until a
  // window has been sized.
  int ClientWidth = 0;
  int ClientHeight = 0;
  FrameTimerRecord FrameTimer;
  int SpeedSampleCounter = 0;
  float SpeedSampleStart = 0.0f;
  float FrameSpeed = 0.0f;
  bool FirstSceneInit = true;

  // GL resources: rebuilt by every scene load, valid while the GL context lives.
  unsigned TextureSet[TextureCount] = {};
  unsigned BackgroundQuadList = 0;
  unsigned FontBase = 0;

  // Audio handles of the sound bank, replaced at every audio start-up.
  SoundBank Sounds;

  // High-score tables, index ModeIndex: read at the first scene load, updated by name entry.
  HighScoreEntry HighScoreTables[HighScoreTableCount][HighScoreEntryCount] = {};

  bool operator==(const GameState&) const = default;
};

extern GameState Game;

// Saved games and the gravity step address Board and FloorRow as one block of rows 0 to 9.
static_assert(offsetof(GameState, FloorRow) ==
              offsetof(GameState, Board) + sizeof(int) * BoardRows * BoardColumns);
