// The texture reduction with programs that fail in ways only a shell script can fake.
#ifdef WINGFOLD_IMAGE_TOOLS_DIR

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "aiconvert/texture_chain.h"

namespace wf {
namespace {

using test::Chain;
using test::Read;

TEST(TextureReductionTest, AFailingChainLeavesEveryTextureAsItWas) {
  struct Case {
    const char* name;
    const char* fakeTool;  // replaced by a script; the others are stand-ins (or all missing)
    const char* script;
    const char* reason;
    int nvdxtRuns;  // per texture
  } cases[] = {{"all tools missing", nullptr, nullptr, "Cannot start imagetool", 0},
               {"nvdxt never writes", "nvdxt", "echo run >> runs.txt\n", "did not write", kToolAttempts},
               {"imagetool writes garbage", "imagetool",
                "if [ \"$1\" = -batch ]; then exec \"" WINGFOLD_IMAGE_TOOLS_DIR "/imagetool\" \"$@\"; fi\n"
                "printf 'BMgarbage' > \"$5\"\n",
                "damaged", 0}};
  for (const Case& c : cases) {
    Chain chain;
    if (c.fakeTool != nullptr)
      for (const char* tool : {"imagetool", "nvdxt", "readdxt"})
        std::string(tool) == c.fakeTool ? chain.Script(tool, c.script) : chain.StandIn(tool);
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

}
}

#endif
