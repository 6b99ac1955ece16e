// The generated music and effects, written by the real asset generator into temporary
// folders that are removed when the test program ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

// Every audio file the game loads from base/.
extern const std::vector<std::string> ModuleFiles;
extern const std::vector<std::string> SampleFiles;

// A fresh folder holding base/ as written by one run of the music and sound generators.
std::filesystem::path GenerateAudio();

// One generated folder shared by the tests of this process.
const std::filesystem::path& GeneratedBase();

