#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"
#include "support/file_fixtures.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

TEST(RunAndWaitWindowsTest, StartsTheProgramByItsNameInTheWorkingFolderAndWaitsForItsExitCode) {
  test::TempFolder folder;
  fs::copy_file(WINGFOLD_RECORDER_BIN, folder / "Compiler.exe");
  const std::string parameters = R"(/Airports="C:\My Work\Airports.dat" "say \"hi\"" C:\a\b --exit=3)";
  for (const char* asked : {"compiler", "COMPILER.EXE", "Compiler.exe"}) {
    fs::remove(folder / "arguments.txt");
    const RunResult result = RunAndWait(asked, parameters, folder.path());
    ASSERT_TRUE(result.started) << asked << ": " << result.failure;
    EXPECT_EQ(result.exitCode, 3) << asked;
    EXPECT_EQ(test::ReadLines(folder / "arguments.txt"),
              (std::vector<std::string>{R"(/Airports=C:\My Work\Airports.dat)", R"(say "hi")", R"(C:\a\b)",
                                        "--exit=3"}))
        << asked;
  }
  // 259 is also the code of a process still running: the program's end is what counts.
  const RunResult stillActive = RunAndWait("compiler", "--exit=259", folder.path());
  EXPECT_TRUE(stillActive.started);
  EXPECT_EQ(stillActive.exitCode, 259);
  EXPECT_EQ(CommandLinePathStyle("compiler", folder.path()), PathStyle::kWindows);
  EXPECT_EQ(CommandLinePath(folder.path(), PathStyle::kWindows), folder.path().string());
}

TEST(RunAndWaitWindowsTest, AFolderNamedWithLettersOutsideTheCodePageIsNoObstacle) {
  test::TempFolder temp;
  const fs::path folder =
      temp.path() / PathFromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC");  // Łódź 東京
  fs::create_directories(folder);
  fs::copy_file(WINGFOLD_RECORDER_BIN, folder / "tool.exe");
  const RunResult result = RunAndWait(
      "tool", "--exit=5 \"" + CommandLinePath(folder / "x.dat", PathStyle::kWindows) + "\"", folder);
  ASSERT_TRUE(result.started) << result.failure;
  EXPECT_EQ(result.exitCode, 5);
  EXPECT_EQ(test::ReadLines(folder / "arguments.txt").size(), 2u);
}

TEST(RunAndWaitWindowsTest, AProgramThatCannotBeStartedReturnsAtOnceSayingWhy) {
  test::TempFolder folder;
  std::ofstream(folder / "broken.exe", std::ios::binary) << "not a program";
  for (const char* asked : {"missing", "missing.exe", "broken.exe"}) {
    const RunResult result = RunAndWait(asked, "", folder.path());
    EXPECT_FALSE(result.started) << asked;
    EXPECT_NE(result.failure.find(asked), std::string::npos) << result.failure;
    EXPECT_NE(result.failure.find(folder.path().string()), std::string::npos) << result.failure;
  }
}

}
}
