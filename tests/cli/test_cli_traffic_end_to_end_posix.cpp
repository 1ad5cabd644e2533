// The main job through the real binary, where only POSIX systems can put a named pipe in place of a
// file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/cli_test.h"

namespace wf {
namespace {

using test::CliTrafficTest;
namespace fs = std::filesystem;

// Named pipes where files are expected would block a read for good: they are reported as
// unreadable, and the run goes on (the scan) or stops with the reason (the settings).
TEST_F(CliTrafficTest, PipesInPlaceOfFilesNeverBlock) {
  ASSERT_EQ(mkfifo((sim_ / "Scenery" / "Area" / "scenery" / "pipe.bgl").c_str(), 0600), 0);
  Run({{"collect --default", 0, "files with errors:         1"},
       {"dump objects.dat", 0, "-- 1 regions, 12 airports"}});
  EXPECT_NE(Wingfold("collect --default").out.find("pipe.bgl: not a regular file"), std::string::npos);
  fs::remove(work_ / "Wingfold.ini");
  ASSERT_EQ(mkfifo((work_ / "Wingfold.ini").c_str(), 0600), 0);
  Run({{"status", 1, "Cannot read the settings file"}, {"status", 1, "not a regular file"}});
}

}
}
