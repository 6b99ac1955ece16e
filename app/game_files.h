// Finding the game's files: base/ and help.htm are opened relative to the working folder.
#pragma once

// Makes the folder that holds base/ the working folder: the working folder itself when base/
// is there, else the executable's folder, else the installed data folder found relative to
// the executable. False, with the working folder unchanged, when none holds base/.
bool FindGameFiles();
