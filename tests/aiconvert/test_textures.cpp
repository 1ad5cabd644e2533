#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "aiconvert/texture_file.h"
#include "aiconvert/textures.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"

#ifdef WINGFOLD_IMAGE_TOOLS_DIR
#include "aiconvert/texture_chain.h"
#include "image_codec.h"
#endif

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

void WriteSized(const fs::path& path, std::uintmax_t size) {
  Write(path, "");
  fs::resize_file(path, size);
}

TEST(TextureMeasureTest, AverageSizeGivesTheScale) {
  test::TempFolder temp;
  WriteSized(temp / "Texture/a.bmp", 2'000'000);
  WriteSized(temp / "texture.Blue/B.BMP", 1'000'000);
  WriteSized(temp / "texture.Blue/notes.txt", 5'000'000);
  WriteSized(temp / "model/skin.bmp", 5'000'000);
  const TextureMeasure measure = MeasureTextures(temp.path());
  EXPECT_EQ(std::tuple(measure.folderCount, measure.textureBytes), std::tuple(2, 1'500'000u));
  EXPECT_DOUBLE_EQ(TextureMegabytes(measure.textureBytes), 1.430);
  // More than 4 GB (sparse files) does not wrap into a small size.
  WriteSized(temp / "Texture.big/c.bmp", 3'000'000'000);
  WriteSized(temp / "Texture.big/d.bmp", 3'000'000'000);
  EXPECT_EQ(MeasureTextures(temp.path()).textureBytes, 2'001'000'000u);  // 6 GB more over 3 folders
  WriteSized(temp / "Texture.big/e.bmp", 4'000'000'000);
  WriteSized(temp / "Texture.big/f.bmp", 4'000'000'000);  // 14 GB over 3 folders
  EXPECT_EQ(MeasureTextures(temp.path()).textureBytes, UINT32_MAX);

  const std::tuple<std::uint32_t, double, std::string> cases[] = {
      {1'500'000, 1.0, "1.00000"},   {1'572'864, 1.0, "1.00000"},  // exactly 1.5 MB
      {1'572'865, 1.0, "1.00000"},                                 // 1.5000009 MB truncates to 1.500
      {1'573'913, 0.5, "0.50000"},                                 // 1.501 MB
      {20'971'520, 0.25, "0.25000"},                               // 20 MB: still 1.25 after two halvings
  };
  for (const auto& [bytes, scale, text] : cases) {
    EXPECT_EQ(TextureScale(bytes), scale) << bytes;
    EXPECT_EQ(TextureScaleText(TextureScale(bytes)), text) << bytes;
  }
}

#ifdef WINGFOLD_IMAGE_TOOLS_DIR

TEST(TextureReductionTest, StandInsRewriteEveryTextureScaledWithMipMaps) {
  test::Chain chain;
  for (const char* tool : {"imagetool", "nvdxt", "readdxt"}) chain.StandIn(tool);
  const TextureReductionReport report = chain.Reduce(0.5);
  ASSERT_EQ(report.textures.size(), 2u);
  for (const TextureOutcome& outcome : report.textures) EXPECT_TRUE(outcome.converted) << outcome.reason;
  EXPECT_EQ(chain.progress.texts.front(), "Convert Plane Wingfold C172 for AI usage intializing.");
  EXPECT_EQ(chain.progress.texts.back(), "Convert Planes Wingfold C172 for AI usage. Texture 2 from 2.");
  EXPECT_EQ(chain.progress.steps, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}}));
  EXPECT_FALSE(chain.progress.shown);
  EXPECT_EQ(test::EntryNames(chain.plane / "Texture"), (std::vector<std::string>{"A.BMP", "b.bmp"}));
  EXPECT_FALSE(fs::exists(chain.tools / "test.dds"));

  // The encoding, size and mip maps of the result are the make-ai end-to-end test's; the picture comes
  // out the right way up: its top row matches the original's.
  const std::string a = Read(chain.plane / "Texture/A.BMP");
  const auto before = imaging::DecodeBmpTexture(imaging::AsBytes(chain.originalA), nullptr);
  const auto after = imaging::DecodeBmpTexture(imaging::AsBytes(a), nullptr);
  ASSERT_TRUE(before && after);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(after->rgba[c], before->rgba[c], 12) << c;
}

#endif

}
}
