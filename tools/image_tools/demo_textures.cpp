// demo_textures: writes pictures as the simulator's BMP textures, for the demo aircraft and tests.
//   demo_textures OUT.bmp WIDTH HEIGHT [dxt1|dxt3] [SEED]
// The texture is a pattern of stripes and squares with every mip level.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/numbers.h"
#include "stand_in.h"

int main(int argc, char** argv) {
  using namespace wf::imaging;
  constexpr const char* kName = "demo_textures";
  const auto number = [](const char* text, std::uint32_t& value) {
    const std::optional<std::int64_t> whole = wf::ParseWhole(text);
    if (!whole || *whole < 0 || *whole > UINT32_MAX) return false;
    value = static_cast<std::uint32_t>(*whole);
    return true;
  };
  std::uint32_t width = 0, height = 0, seed = 1;
  if (argc < 4 || argc > 6 || !number(argv[2], width) || !number(argv[3], height) || width == 0 ||
      height == 0 || width > wf::kMaxTextureSide || height > wf::kMaxTextureSide ||
      (argc == 6 && !number(argv[5], seed))) {
    Say(kName, "usage: demo_textures OUT.bmp WIDTH HEIGHT [dxt1|dxt3] [SEED]");
    return kUsage;
  }
  const wf::TextureEncoding encoding =
      argc >= 5 && IsOption(argv[4], "dxt1") ? wf::TextureEncoding::kDxt1 : wf::TextureEncoding::kDxt3;
  std::string why;
  // Upside down in, the right way up in the file: see EncodeDxtBmp.
  if (!WriteOutput(argv[1], EncodeDxtBmp(FlipVertically(Pattern(width, height, seed)), encoding, true),
                   &why)) {
    Say(kName, why);
    return kFailed;
  }
  return kDone;
}
