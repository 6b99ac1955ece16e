// The generator's output is complete and does not change from one run to the next.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/game_state.h"
#include "tests/assetgen/generated_files.h"

namespace fs = std::filesystem;
using assetgen_test::BaseDir;
using assetgen_test::GeneratedDir;

namespace {

// Runs the texture and document generators into a fresh temporary folder.
fs::path Generate(const std::string& tag) {
  const fs::path out = fs::temp_directory_path() / ("quillary-assetgen-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(out);
  const std::string command = std::string(QUILLARY_ASSETGEN) + " " + out.string() + " textures documents";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return out;
}

// The generated files: the 81 textures, the cursor's mark, the two default data files and the
// help page.
std::vector<fs::path> ExpectedFiles() {
  std::vector<fs::path> files;
  for (int i = 0; i < TextureCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "tex%02d.bmp", i);
    files.push_back(fs::path("base") / name);
  }
  files.push_back("base/cursormask.bmp");
  files.push_back("base/cursor.bmp");
  files.push_back("base/menu.inf");
  files.push_back("base/hiscores");
  files.push_back("help.htm");
  return files;
}

}  // namespace

TEST(AssetgenOutput, BuildHasEveryTextureAndDocumentButNoSavedGame) {
  for (const fs::path& f : ExpectedFiles()) EXPECT_TRUE(fs::is_regular_file(GeneratedDir() / f)) << f;
  EXPECT_FALSE(fs::exists(BaseDir() / "data.inf"));
}

TEST(AssetgenOutput, AFreshRunWritesTheSameBytesAsTheBuild) {
  const fs::path fresh = Generate("fresh");
  for (const fs::path& f : ExpectedFiles()) {
    const auto built = ReadBytes(GeneratedDir() / f);
    ASSERT_FALSE(built.empty()) << f;
    EXPECT_EQ(ReadBytes(fresh / f), built) << f;
  }
  fs::remove_all(fresh);
}
