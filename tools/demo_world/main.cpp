// wingfold-demo-world DATA.sqlite OUTDIR: builds the demo world's scenery from the airport data set.
#include <exception>
#include <iostream>

#include "demo_world.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: wingfold-demo-world DATA.sqlite OUTDIR\n";
    return 2;
  }
  try {
    const auto airports = wf::demo::ReadAirports(argv[1]);
    const wf::demo::BuildSummary s = wf::demo::BuildWorld(airports, argv[2]);
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
