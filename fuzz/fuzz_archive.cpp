// Loads arbitrary bytes as a database file. A load may fail only with ArchiveError; a load that
// succeeds must store to bytes that load again and store to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "archive_fuzz_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wf;
  using namespace wf::fuzz;
  FuzzMap map;
  try {
    map = LoadFuzzMap({data, size});
  } catch (const ArchiveError&) {
    return 0;
  }
  const std::vector<std::uint8_t> stored = StoreFuzzMap(map);
  if (StoreFuzzMap(LoadFuzzMap(stored)) != stored) std::abort();
  return 0;
}
