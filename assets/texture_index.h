// What the game draws with each texture of the set: enumerator N names base/texNN.bmp, so the
// numbers are fixed by the files. A masked element multiplies its mask into the frame, then
// adds its image. Button pictures follow the button's state: idle, hover and, where there is
// one, pressed or selected. Numbers without a name are loaded with the set and never drawn.
#pragma once

enum TextureIndex : int {
  TexFontSheet = 0,  // 16 by 16 glyph cells
  TexBackdropMask = 1,  // the whole window; white where the board shows through
  TexBackdropImage = 2,
  TexConfirmQuitPanel = 3,
  TexOptionsPanel = 4,
  TexOkIdle = 5,  // OK of HighScores and Back of Options
  TexSideButtonMask = 6,  // New game, Options and Quit
  TexNewGameIdle = 7,
  TexNewGameHover = 8,
  TexNewGamePressed = 9,
  TexModeButtonMask = 10,  // Timed and Levels
  TexOptionsIdle = 18,
  TexOptionsHover = 19,
  TexOptionsPressed = 20,
  TexQuitIdle = 21,
  TexQuitHover = 22,
  TexQuitPressed = 23,
  TexTimedIdle = 24,
  TexTimedHover = 25,
  TexTimedSelected = 26,
  TexLevelsIdle = 27,
  TexLevelsHover = 28,
  TexLevelsSelected = 29,
  TexConfirmNewGamePanel = 30,
  TexDialogButtonMask = 31,  // the 128 by 32 buttons: Yes, No, OK and Back
  TexYesIdle = 32,
  TexYesHover = 33,
  TexNoIdle = 34,
  TexNoHover = 35,
  TexBoardBackground0 = 36,  // by BackgroundIndex
  // 37 and 38 are also the hint marker's mask and image; the board shows the hint by turning
  // the fruit, so nothing draws them in that role.
  TexTimeBar = 37,
  TexNameEntryPanel = 38,
  TexOkHover = 39,
  TexDisplayRowWindowed = 40,  // 640 by 480 in a window
  TexDisplayRowFullscreen = 41,  // 800 by 600 fullscreen
  TexMusicRowOff = 42,
  TexMusicRowOn = 43,
  TexSoundRowOff = 44,
  TexSoundRowOn = 45,
  TexHintIdle = 49,
  TexHintHover = 50,
  TexHintButtonMask = 51,
  TexResumePromptPanel = 52,
  TexLevelCompleteBanner = 58,
  TexGameOverBanner = 59,
  TexExcellentBanner = 60,
  TexBoardBackground1 = 61,
  TexBoardBackground2 = 62,
  TexBoardBackground3 = 63,
  TexBoardBackground4 = 64,
  TexBoardBackground5 = 65,
  TexHelpRowIdle = 71,
  TexHelpRowHover = 72,
  TexNoMovesBanner = 74,
  TexPausePicture = 75,
  TexHighScoresPanel = 78,
  TexHighScoresRowIdle = 79,
  TexHighScoresRowHover = 80,
};
