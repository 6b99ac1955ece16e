// assetgen <output folder> [generator...]: writes base/, help.htm and icons/ into the output
// folder. With names, only those generators run (for quick iteration on one kind of asset).
#include <algorithm>
#include <cstdio>
#include <exception>
#include <set>
#include <string>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: assetgen <output folder> [generator...]\n");
    return 2;
  }
  const std::filesystem::path output = argv[1];
  const std::set<std::string> wanted(argv + 2, argv + argc);

  auto generators = assetgen::Generators();
  std::sort(generators.begin(), generators.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  try {
    for (const auto& g : generators)
      if (wanted.empty() || wanted.count(g.name)) g.run(output);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
