// Loads arbitrary bytes with the loaders of the real database files (the airport tree, the aircraft
// models, the variations). A load may fail only with ArchiveError; what loads must save to bytes
// that load again and save to bytes of the same length, which from then on stay the same.
//
// The first save may differ from the second in variation numbers alone: a variation takes its
// number from the order in which it is loaded, not from the file, and a file whose entries are
// not in the map's order (as another program may write them) is saved in the map's order.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "world/world.h"
#include "world/world_archive.h"

namespace {

using Loader = void (*)(std::span<const std::uint8_t>, wf::WorldArchiveContext&);
using Saver = std::vector<std::uint8_t> (*)(wf::WorldArchiveContext&);

// The bytes the loaded world saves to; nothing when the load fails.
bool LoadAndSave(std::span<const std::uint8_t> bytes, Loader load, Saver save,
                 std::vector<std::uint8_t>& saved) {
  wf::World world;
  const wf::Settings settings;
  wf::WorldArchiveContext context(world, settings);
  try {
    load(bytes, context);
  } catch (const wf::ArchiveError&) {
    return false;
  }
  saved = save(context);
  return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const struct {
    Loader load;
    Saver save;
  } files[] = {{wf::LoadRegionMap, wf::SaveRegionMap},
               {wf::LoadAircraftTypes, wf::SaveAircraftTypes},
               {wf::LoadAircraftNames, wf::SaveAircraftNames}};
  for (const auto& file : files) {
    std::vector<std::uint8_t> first;
    if (!LoadAndSave({data, size}, file.load, file.save, first)) continue;
    std::vector<std::uint8_t> second;
    if (!LoadAndSave(first, file.load, file.save, second) || second.size() != first.size()) std::abort();
    std::vector<std::uint8_t> third;
    if (!LoadAndSave(second, file.load, file.save, third) || third != second) std::abort();
  }
  return 0;
}
