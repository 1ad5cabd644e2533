// The main job through the real binary, where only POSIX systems can put a named pipe in place of a
// file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/cli_traffic_test.h"

namespace wf {
namespace {

using test::CliTrafficTest;
namespace fs = std::filesystem;

// Named pipes where files are expected would block a read for good: they are reported as
// unreadable, and the run goes on (the scan) or stops with the reason (the settings).
TEST_F(CliTrafficTest, PipesInPlaceOfFilesNeverBlock) {
  ASSERT_EQ(mkfifo((sim_ / "Scenery" / "Area" / "scenery" / "pipe.bgl").c_str(), 0600), 0);
  auto result = Wingfold("collect --default");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("files with errors:         1"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("pipe.bgl: not a regular file"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("airports added:            12"), std::string::npos) << result.out;

  fs::remove(work_ / "Wingfold.ini");
  ASSERT_EQ(mkfifo((work_ / "Wingfold.ini").c_str(), 0600), 0);
  result = Wingfold("status");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("Cannot read the settings file"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("not a regular file"), std::string::npos) << result.out;
}

}
}
