#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "aiconvert/texture_file.h"
#include "aiconvert/textures.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"

#ifdef WINGFOLD_IMAGE_TOOLS_DIR
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
  EXPECT_EQ(measure.folderCount, 2);
  EXPECT_EQ(measure.textureBytes, 1'500'000u);
  EXPECT_DOUBLE_EQ(TextureMegabytes(measure.textureBytes), 1.430);
  // More than 4 GB (sparse files) does not wrap into a small size.
  WriteSized(temp / "Texture.big/c.bmp", 3'000'000'000);
  WriteSized(temp / "Texture.big/d.bmp", 3'000'000'000);
  EXPECT_EQ(MeasureTextures(temp.path()).textureBytes, 2'001'000'000u);  // 6 GB more over 3 folders
  WriteSized(temp / "Texture.big/e.bmp", 4'000'000'000);
  WriteSized(temp / "Texture.big/f.bmp", 4'000'000'000);  // 14 GB over 3 folders
  EXPECT_EQ(MeasureTextures(temp.path()).textureBytes, UINT32_MAX);

  struct Case {
    std::uint32_t bytes;
    double scale;
    const char* text;
  } cases[] = {
      {1'500'000, 1.0, "1.00000"},   {1'572'864, 1.0, "1.00000"},  // exactly 1.5 MB
      {1'572'865, 1.0, "1.00000"},                                 // 1.5000009 MB truncates to 1.500
      {1'573'913, 0.5, "0.50000"},                                 // 1.501 MB
      {6'291'456, 0.5, "0.50000"},                                 // 6 MB: 1.5 after one halving
      {20'971'520, 0.25, "0.25000"},                               // 20 MB: still 1.25 after two halvings
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextureScale(c.bytes), c.scale) << c.bytes;
    EXPECT_EQ(TextureScaleText(TextureScale(c.bytes)), c.text) << c.bytes;
  }
}

#ifdef WINGFOLD_IMAGE_TOOLS_DIR

// An aircraft copy with two textures and a tools folder holding the stand-ins, or scripts in their
// place.
struct Chain {
  test::TempFolder temp;
  fs::path plane = temp / "Wingfold C172";
  fs::path tools = temp / "tools";
  std::string originalA, originalB;
  test::RecordingProgress progress;
  std::vector<std::chrono::milliseconds> pauses;

  Chain() {
    using namespace imaging;
    originalA = EncodeDxtBmp(FlipVertically(Pattern(64, 32, 1)), TextureEncoding::kDxt1, true);
    originalB = EncodeDxtBmp(FlipVertically(Pattern(16, 16, 2)), TextureEncoding::kDxt3, false);
    Write(plane / "Texture/A.BMP", originalA);
    Write(plane / "Texture/b.bmp", originalB);
    fs::create_directories(tools);
  }
  void StandIn(const char* name) {
    fs::create_symlink(fs::path(WINGFOLD_IMAGE_TOOLS_DIR) / name, tools / name);
  }
  void Script(const char* name, const std::string& body) {
    Write(tools / name, "#!/bin/sh\n" + body);
    fs::permissions(tools / name, fs::perms::owner_exec, fs::perm_options::add);
  }
  TextureReductionReport Reduce(double scale) {
    const TextureTools services{tools, progress, nullptr,
                                [this](std::chrono::milliseconds d) { pauses.push_back(d); }};
    return ReduceTextures("Wingfold C172", plane, scale, services);
  }
  bool OriginalsIntact() const {
    return Read(plane / "Texture/A.BMP") == originalA && Read(plane / "Texture/b.bmp") == originalB &&
           !fs::exists(plane / "Texture/A.tga") && !fs::exists(plane / "Texture/A.BMP.original");
  }
};

TEST(TextureReductionTest, StandInsRewriteEveryTextureScaledWithMipMaps) {
  Chain chain;
  for (const char* tool : {"imagetool", "nvdxt", "readdxt"}) chain.StandIn(tool);
  const TextureReductionReport report = chain.Reduce(0.5);
  ASSERT_EQ(report.textures.size(), 2u);
  for (const TextureOutcome& outcome : report.textures) EXPECT_TRUE(outcome.converted) << outcome.reason;
  EXPECT_EQ(chain.progress.texts.front(), "Convert Plane Wingfold C172 for AI usage intializing.");
  EXPECT_EQ(chain.progress.texts.back(), "Convert Planes Wingfold C172 for AI usage. Texture 2 from 2.");
  EXPECT_EQ(chain.progress.steps, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}}));
  EXPECT_FALSE(chain.progress.shown);
  EXPECT_TRUE(fs::exists(chain.plane / "Texture/A.BMP"));  // the name keeps its spelling
  EXPECT_FALSE(fs::exists(chain.plane / "Texture/A.bmp"));
  EXPECT_FALSE(fs::exists(chain.tools / "test.dds"));
  EXPECT_FALSE(fs::exists(chain.plane / "Texture/A.tga"));

  const std::string a = Read(chain.plane / "Texture/A.BMP");
  const auto layout = ReadBmpTextureLayout(imaging::AsBytes(a), nullptr);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->encoding, TextureEncoding::kDxt3);
  EXPECT_EQ(layout->width, 32u);
  EXPECT_EQ(layout->height, 16u);
  EXPECT_EQ(layout->levelsPresent, FullMipCount(32, 16));
  // The picture comes out the right way up: its top row matches the original's.
  const auto before = imaging::DecodeBmpTexture(imaging::AsBytes(chain.originalA), nullptr);
  const auto after = imaging::DecodeBmpTexture(imaging::AsBytes(a), nullptr);
  ASSERT_TRUE(before && after);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(after->rgba[c], before->rgba[c], 12) << c;
}

TEST(TextureReductionTest, AFailingChainLeavesEveryTextureAsItWas) {
  struct Case {
    const char* name;
    const char* fakeTool;  // replaced by a script; the others are stand-ins (or all missing)
    const char* script;
    const char* reason;
    int nvdxtRuns;  // per texture
  } cases[] = {
      {"all tools missing", nullptr, nullptr, "Cannot start imagetool", 0},
      {"nvdxt never writes", "nvdxt", "echo run >> runs.txt\n", "did not write", kToolAttempts},
      {"imagetool writes garbage", "imagetool",
       "if [ \"$1\" = -batch ]; then exec \"" WINGFOLD_IMAGE_TOOLS_DIR "/imagetool\" \"$@\"; fi\n"
       "printf 'BMgarbage' > \"$5\"\n",
       "damaged", 0},
  };
  for (const Case& c : cases) {
    Chain chain;
    if (c.fakeTool != nullptr) {
      for (const char* tool : {"imagetool", "nvdxt", "readdxt"}) {
        if (std::string(tool) == c.fakeTool) {
          chain.Script(tool, c.script);
        } else {
          chain.StandIn(tool);
        }
      }
    }
    const TextureReductionReport report = chain.Reduce(1.0);
    ASSERT_EQ(report.textures.size(), 2u) << c.name;
    for (const TextureOutcome& outcome : report.textures) {
      EXPECT_FALSE(outcome.converted) << c.name;
      EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << c.name << ": " << outcome.reason;
    }
    EXPECT_TRUE(chain.OriginalsIntact()) << c.name;
    const std::string runs = Read(chain.tools / "runs.txt");
    EXPECT_EQ(static_cast<int>(std::count(runs.begin(), runs.end(), '\n')), 2 * c.nvdxtRuns) << c.name;
    // Every failure pauses 500 ms before the next texture.
    EXPECT_EQ(std::count(chain.pauses.begin(), chain.pauses.end(), std::chrono::milliseconds(500)) -
                  static_cast<long>(2 * c.nvdxtRuns * 10),
              2)
        << c.name;
  }
}

#endif

}
}
