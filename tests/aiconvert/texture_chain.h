#pragma once
// An aircraft copy with two textures and a tools folder for the texture reduction tests.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "aiconvert/texture_file.h"
#include "aiconvert/textures.h"
#include "image_codec.h"
#include "support/file_fixtures.h"
#include "support/os.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf::test {

// An aircraft copy with two textures and a tools folder holding the stand-ins, or scripts in their
// place.
struct Chain {
  TempFolder temp;
  std::filesystem::path plane = temp / "Wingfold C172";
  std::filesystem::path tools = temp / "tools";
  std::string originalA, originalB;
  RecordingProgress progress;
  std::vector<std::chrono::milliseconds> pauses;

  Chain() {
    using namespace imaging;
    originalA = EncodeDxtBmp(FlipVertically(Pattern(64, 32, 1)), TextureEncoding::kDxt1, true);
    originalB = EncodeDxtBmp(FlipVertically(Pattern(16, 16, 2)), TextureEncoding::kDxt3, false);
    Write(plane / "Texture/A.BMP", originalA);
    Write(plane / "Texture/b.bmp", originalB);
    std::filesystem::create_directories(tools);
  }
  void StandIn(const char* name) {
    const std::string program = ExecutableName(name);
    std::filesystem::copy_file(std::filesystem::path(WINGFOLD_IMAGE_TOOLS_DIR) / program, tools / program);
  }
  void Script(const char* name, const std::string& body) { WriteScript(tools / name, body); }
  TextureReductionReport Reduce(double scale) {
    const TextureTools services{tools, progress, nullptr,
                                [this](std::chrono::milliseconds d) { pauses.push_back(d); }};
    return ReduceTextures("Wingfold C172", plane, scale, services);
  }
  bool OriginalsIntact() const {
    return Read(plane / "Texture/A.BMP") == originalA && Read(plane / "Texture/b.bmp") == originalB &&
           !std::filesystem::exists(plane / "Texture/A.tga") &&
           !std::filesystem::exists(plane / "Texture/A.BMP.original");
  }
};

}
