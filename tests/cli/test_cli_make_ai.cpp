// make-ai end to end: the real wingfold with the image-tool stand-ins on the demo aircraft.
#ifdef WINGFOLD_IMAGE_TOOLS_DIR

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "aiconvert/air_files.h"
#include "aiconvert/texture_file.h"
#include "image_codec.h"
#include "support/file_fixtures.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

std::uint32_t AIRecordValue(const std::string& air) {
  const auto bytes = imaging::AsBytes(air);
  const AirRecordSearch search = FindAIRecord(bytes);
  if (search.outcome != AirPatchOutcome::kPatched) return UINT32_MAX;
  return bytes[search.valueOffset] | bytes[search.valueOffset + 1] << 8;
}

TEST(CliMakeAITest, ConvertsTheDemoAircraftWithTheStandIns) {
  test::TempFolder root;
  const fs::path examples = fs::path(WINGFOLD_SOURCE_DIR) / "examples";
  const fs::path sim = root / "sim";
  const fs::path work = root / "work";
  const fs::path flyable = sim / "SimObjects/Airplanes/Tourer_172";
  const fs::path copy = sim / "SimObjects/Airplanes/Wingfold Tourer_172";
  fs::create_directories(flyable.parent_path());
  fs::copy(examples / "sim/SimObjects/Airplanes/Tourer_172", flyable, fs::copy_options::recursive);
  for (std::uint32_t seed : {1u, 2u}) {
    const imaging::Image picture = imaging::FlipVertically(imaging::Pattern(1024, 1024, seed));
    Write(flyable / "Texture" / ("t" + std::to_string(seed) + ".bmp"),
          imaging::EncodeDxtBmp(picture, TextureEncoding::kDxt3, true));
  }
  fs::create_directories(work / "Bin");
  for (const char* tool : {"imagetool", "nvdxt", "readdxt"}) {
    const std::string program = test::ExecutableName(tool);
    fs::copy_file(fs::path(WINGFOLD_IMAGE_TOOLS_DIR) / program, work / "Bin" / program);
  }
  fs::copy(examples / "work/AIR Files", work / "AIR Files");
  Write(work / "Wingfold.ini",
        "[Path]\r\nFS2004=" + sim.string() + "\r\nTTools=" + (work / "Bin").string() + "\r\n");
  const std::string wingfold = "-C \"" + work.string() + "\" ";
  const test::Environment environment = {{"APPDATA", (examples / "appdata").string()}};
  const std::string originalAir = Read(flyable / "Tourer172.air");

  // A value edited on the Planes page before the conversion stays with the copy's variation.
  ASSERT_EQ(test::RunWingfold(wingfold + "variation \"Tourer 172 Red\" --probability 42", true, environment)
                .exitCode,
            0);

  // A file where the copy goes: nothing is converted, and the database keeps the model as it is (the
  // value edited above is checked on the copy at the end).
  Write(copy, "x");
  const auto blocked = test::RunWingfold(wingfold + "make-ai Tourer_172", true, environment);
  EXPECT_EQ(blocked.exitCode, 1) << blocked.out;
  EXPECT_NE(blocked.out.find("not a folder"), std::string::npos) << blocked.out;
  EXPECT_EQ(blocked.out.find("model:"), std::string::npos) << blocked.out;
  EXPECT_EQ(Read(copy), "x");
  fs::remove(copy);

  const auto made = test::RunWingfold(
      wingfold + "make-ai Tourer_172 --reduce-textures --air-file \"light SINGLE\"", true, environment);
  ASSERT_EQ(made.exitCode, 0) << made.out;
  EXPECT_NE(made.out.find("current folder size: 2.666 MB"), std::string::npos) << made.out;
  EXPECT_NE(made.out.find("2 of 2 reduced (scale 0.50000"), std::string::npos) << made.out;
  for (const char* texture : {"t1.bmp", "t2.bmp"}) {
    const std::string bytes = Read(copy / "Texture" / texture);
    std::string why;
    const auto layout = ReadBmpTextureLayout(imaging::AsBytes(bytes), &why);
    ASSERT_TRUE(layout) << why;
    EXPECT_EQ(layout->encoding, TextureEncoding::kDxt3);
    EXPECT_EQ(layout->width, 512u);
    EXPECT_EQ(layout->levelsPresent, FullMipCount(512, 512));
    EXPECT_TRUE(imaging::DecodeBmpTexture(imaging::AsBytes(bytes), &why)) << why;
  }
  EXPECT_FALSE(fs::exists(copy / "panel"));
  EXPECT_EQ(Read(copy / "flyable_aircraft.cfg"), Read(flyable / "aircraft.cfg"));
  EXPECT_NE(Read(copy / "aircraft.cfg").find("title=Wingfold tourer 172 red\r\n"), std::string::npos);
  const std::string library = Read(work / "AIR Files/Light single@110#48.air");
  EXPECT_EQ(Read(copy / "Tourer172.air").size(), library.size());
  EXPECT_EQ(AIRecordValue(Read(copy / "Tourer172.air")), 2u);
  EXPECT_EQ(Read(copy / "org_Tourer172.air").size(), originalAir.size());
  EXPECT_EQ(AIRecordValue(originalAir), 0u);

  const auto types = test::RunWingfold(wingfold + "dump AircraftTypes.dat");
  EXPECT_NE(types.out.find("CAircraft \"Wingfold Tourer_172\""), std::string::npos) << types.out;
  EXPECT_EQ(types.out.find("CAircraft \"Tourer_172\""), std::string::npos) << types.out;
  const std::string copyVariation = "CAI_Aircraft \"Wingfold tourer 172 red\"";
  const auto names = test::RunWingfold(wingfold + "dump AircraftNames.dat");
  EXPECT_NE(names.out.find(copyVariation), std::string::npos) << names.out;

  // The copy's flight model restored; textures cannot be reduced again; unknown names refused.
  const auto restored =
      test::RunWingfold(wingfold + "make-ai \"Wingfold Tourer_172\" --air-file flyable", true, environment);
  EXPECT_EQ(restored.exitCode, 0) << restored.out;
  EXPECT_EQ(Read(copy / "Tourer172.air").size(), originalAir.size());
  EXPECT_FALSE(fs::exists(copy / "org_Tourer172.air"));
  // That run collected the aircraft again: the copy's variation kept its key and its edited value.
  EXPECT_EQ(restored.out.find("no longer installed"), std::string::npos) << restored.out;
  const auto reread = test::RunWingfold(wingfold + "dump AircraftNames.dat").out;
  const std::size_t entry = reread.find(copyVariation);
  ASSERT_NE(entry, std::string::npos) << reread;
  EXPECT_NE(reread.find("probability 42.0", entry), std::string::npos) << reread;
  for (const char* refused : {"\"Wingfold Tourer_172\" --reduce-textures",
                              "\"Wingfold Tourer_172\" --air-file \"No such model\""}) {
    EXPECT_EQ(test::RunWingfold(wingfold + "make-ai " + refused, true, environment).exitCode, 2) << refused;
  }
}

}
}

#endif
