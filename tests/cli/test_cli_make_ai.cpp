// make-ai end to end: the real wingfold with the image-tool stand-ins on the demo aircraft.
#ifdef WINGFOLD_IMAGE_TOOLS_DIR

#include "aiconvert/texture_file.h"
#include "cli/cli_test.h"
#include "image_codec.h"
#include "support/file_fixtures.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

using test::CliTest;

TEST_F(CliTest, MakeAIConvertsTheDemoAircraftWithTheStandIns) {
  const fs::path flyable = sim_ / "SimObjects/Airplanes/Tourer_172";
  const fs::path copy = sim_ / "SimObjects/Airplanes/Wingfold Tourer_172";
  for (std::uint32_t seed : {1u, 2u}) {
    const imaging::Image picture = imaging::FlipVertically(imaging::Pattern(1024, 1024, seed));
    Write(flyable / "Texture" / ("t" + std::to_string(seed) + ".bmp"),
          imaging::EncodeDxtBmp(picture, TextureEncoding::kDxt3, true));
  }
  fs::create_directories(work_ / "Bin");
  for (const char* tool : {"imagetool", "nvdxt", "readdxt"}) {
    const std::string program = test::ExecutableName(tool);
    fs::copy_file(fs::path(WINGFOLD_IMAGE_TOOLS_DIR) / program, work_ / "Bin" / program);
  }
  fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples/work/AIR Files", work_ / "AIR Files");
  WriteSettings("[Path]\r\nFS2004=" + sim_.string() + "\r\nTTools=" + (work_ / "Bin").string() + "\r\n");
  const std::string originalAir = Read(flyable / "Tourer172.air");

  // A value edited on the Planes page before the conversion stays with the copy's variation.
  Run({{"variation \"Tourer 172 Red\" --probability 42", 0, ""}});
  Check("make-ai Tourer_172 --reduce-textures --air-file \"light SINGLE\"", 0,
        {"current folder size: 2.666 MB", "2 of 2 reduced (scale 0.50000", "aircraft files saved: yes"});
  // The stand-ins made a texture of half the size (the chain is TextureReductionTest's).
  std::string why;
  EXPECT_EQ(ReadBmpTextureLayout(imaging::AsBytes(Read(copy / "Texture" / "t1.bmp")), &why)->width, 512u);
  EXPECT_NE(Read(copy / "aircraft.cfg").find("title=Wingfold tourer 172 red\r\n"), std::string::npos);
  // The library's model (its AI mark is AirFilesTest's) replaces the flight model, kept beside it.
  EXPECT_EQ(Read(copy / "Tourer172.air").size(), Read(work_ / "AIR Files/Light single@110#48.air").size());
  EXPECT_EQ(Read(copy / "org_Tourer172.air").size(), originalAir.size());
  Run({{"dump AircraftTypes.dat", 0, "CAircraft \"Wingfold Tourer_172\"", nullptr,
        "CAircraft \"Tourer_172\""}});

  // The copy's flight model restored; that run collected the aircraft again, and the copy's variation
  // kept its key and its edited value.
  Run({{"make-ai \"Wingfold Tourer_172\" --air-file flyable", 0, ""},
       {"variation \"Wingfold tourer 172 red\"", 0, "Probability (%):      42\n"}});
  EXPECT_EQ(Read(copy / "Tourer172.air").size(), originalAir.size());
}

}
}

#endif
