// wingfold-demo-world [--every N] DATA.sqlite OUTDIR: builds the demo world's scenery from the
// airport data set. --every N keeps every Nth airport in ident order (smaller worlds for benchmarks).
#include <algorithm>
#include <cstdint>
#include <exception>
#include <iostream>
#include <string>

#include "demo_world.h"
#include "platform/numbers.h"

int main(int argc, char** argv) {
  int every = 1;
  int first = 1;
  if (argc == 5 && std::string(argv[1]) == "--every") {
    every = static_cast<int>(std::clamp<std::int64_t>(wf::ParseWhole(argv[2]).value_or(0), 0, INT32_MAX));
    first = 3;
  }
  if (argc - first != 2 || every < 1) {
    std::cerr << "usage: wingfold-demo-world [--every N] DATA.sqlite OUTDIR\n";
    return 2;
  }
  try {
    auto airports = wf::demo::ReadAirports(argv[first]);
    if (every > 1) {
      std::vector<wf::demo::SourceAirport> kept;
      for (std::size_t i = 0; i < airports.size(); i += static_cast<std::size_t>(every))
        kept.push_back(airports[i]);
      airports = std::move(kept);
    }
    const wf::demo::BuildSummary s = wf::demo::BuildWorld(airports, argv[first + 1]);
    std::cout << "airports read:            " << s.airportsRead << "\n"
              << "default scenery airports: " << s.defaultAirports << " in " << s.defaultFiles << " files\n"
              << "add-on pack:              " << s.addonReplaced << " replaced, " << s.addonAdded
              << " added in " << s.addonFiles << " files\n"
              << "airports in all:          " << s.defaultAirports + s.addonAdded << "\n"
              << "bytes written:            " << s.bytes << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "wingfold-demo-world: " << e.what() << "\n";
    return 1;
  }
}
