// Reads arbitrary bytes as a BMP texture (the check of a tool's result) and as a .air file (the
// record walk of the AI patch). Neither may crash, read out of bounds or hang, and what they accept
// must lie inside the bytes, and within the largest texture.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "aiconvert/air_files.h"
#include "aiconvert/texture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  std::string why;
  if (const auto layout = wf::ReadBmpTextureLayout(bytes, &why)) {
    if (layout->pixelOffset + layout->topLevelBytes > size || layout->levelsPresent < 1 ||
        layout->width > wf::kMaxTextureSide || layout->height > wf::kMaxTextureSide) {
      std::abort();
    }
  } else if (why.empty()) {
    std::abort();
  }
  const wf::AirRecordSearch search = wf::FindAIRecord(bytes);
  if (search.outcome == wf::AirPatchOutcome::kPatched && search.valueOffset + 4 > size) std::abort();
  return 0;
}
