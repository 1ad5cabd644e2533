#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/process.h"
#include "support/file_fixtures.h"
#include "support/os.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// A script that records its arguments (one a line) and its standard input in the folder it runs in.
void WriteArgumentRecorder(const fs::path& path) {
  // Shell builtins only: the tests run it with a PATH that holds nothing else.
  test::WriteScript(path,
                    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > arguments.txt\n"
                    "IFS= read -r line; printf '%s' \"$line\" > stdin.txt\n");
}

TEST(RunAndWaitCommandLineTest, WritesAndReadsPathsInTheProgramsStyle) {
  // The path, the style, the path as written, the path read back.
  const std::tuple<std::string, PathStyle, std::string, std::string> cases[] = {
      {"/home/ann/My Work", PathStyle::kWindows, R"(Z:\home\ann\My Work)", "/home/ann/My Work"},
      {"/home/ann/My Work/", PathStyle::kWindows, R"(Z:\home\ann\My Work)", "/home/ann/My Work"},
      {"/", PathStyle::kWindows, R"(Z:\)", "/"}};
  for (const auto& [path, style, written, readBack] : cases) {
    EXPECT_EQ(CommandLinePath(path, style), written) << path;
    EXPECT_EQ(PathFromCommandLine(written), fs::path(readBack)) << written;
  }
  EXPECT_EQ(CommandLinePath("relative/x", PathStyle::kPosix), (fs::current_path() / "relative/x").string());
  EXPECT_EQ(PathFromCommandLine(R"(z:\tmp\a.dat)"), fs::path("/tmp/a.dat"));
  EXPECT_EQ(PathFromCommandLine(R"(C:\FSX\x)"), fs::path("C:/FSX/x"));
}

TEST(RunAndWaitTest, FindsTheProgramWithoutRegardToCaseWithOrWithoutExe) {
  // The files (name on disk, exit code), the name asked for, the exit code of the one started.
  const std::tuple<std::vector<std::pair<std::string, int>>, std::string, int> cases[] = {
      {{{"tool", 3}}, "tool", 3},
      {{{"TOOL.EXE", 4}}, "tool", 4},
      {{{"tool", 3}, {"tool.exe", 4}}, "tool.exe", 4},  // the name as given wins
      {{{"Tool", 5}, {"tool", 6}}, "tool", 6},          // the exact spelling wins
  };
  for (const auto& [files, asked, expectedExit] : cases) {
    test::TempFolder folder;
    for (const auto& [name, code] : files)
      test::WriteScript(folder / name, "exit " + std::to_string(code) + "\n");
    const RunResult result = RunAndWait(asked, "", folder.path());
    EXPECT_TRUE(result.started) << asked << ": " << result.failure;
    EXPECT_EQ(result.exitCode, expectedExit) << asked;
    EXPECT_EQ(CommandLinePathStyle(asked, folder.path()), PathStyle::kPosix);
  }
}

TEST(RunAndWaitTest, PassesArgumentsIntactInTheWorkingFolder) {
  test::TempFolder folder;
  WriteArgumentRecorder(folder / "Recorder");
  const RunResult result =
      RunAndWait("recorder.exe", R"( /Airports="/tmp/my work/Airports.dat" /Quiet=yes "say \"hi\"" C:\a\b)",
                 folder.path());
  ASSERT_TRUE(result.started) << result.failure;
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(test::ReadLines(folder / "arguments.txt"),
            (std::vector<std::string>{"/Airports=/tmp/my work/Airports.dat", "/Quiet=yes", R"(say "hi")",
                                      R"(C:\a\b)"}));
  // Standard input is empty rather than the caller's.
  EXPECT_TRUE(fs::exists(folder / "stdin.txt"));
  EXPECT_EQ(fs::file_size(folder / "stdin.txt"), 0u);
}

TEST(RunAndWaitTest, ReportsAProgramEndedBySignal) {
  test::TempFolder folder;
  test::WriteScript(folder / "crash", "echo said\necho failed >&2\nkill -9 $$\n");
  std::string output = "before";
  const RunResult result = RunAndWait("crash", "", folder.path(), &output);
  ASSERT_TRUE(result.started);
  EXPECT_EQ(output, "said\nfailed\n") << "what it wrote, in order, until it ended";
  EXPECT_EQ(result.signal, 9);
  EXPECT_EQ(result.exitCode, -1);
}

TEST(RunAndWaitTest, SaysWhyAProgramCannotBeStarted) {
  // The file written into the folder (none: nothing), its content, whether it is executable, the reason.
  const std::tuple<std::string, std::string, bool, std::string> cases[] = {
      {"", "", false, "no file of that name"},
      {"compiler.exe", "#!/bin/sh\nexit 0\n", false, "is not executable"},
      {"compiler.exe", "neither a script nor a binary", true, "cannot execute"},
      {"compiler.exe", "MZ\x90", true, "wine is not on the PATH"}};
  for (const auto& [file, content, executable, reason] : cases) {
    test::TempFolder folder;
    if (!file.empty()) test::Write(folder / file, content);
    if (executable) fs::permissions(folder / file, fs::perms::owner_exec, fs::perm_options::add);
    test::ScopedEnvironment path("PATH", (folder / "empty-bin").string());
    const RunResult result = RunAndWait("Compiler.exe", "/x=1", folder.path());
    EXPECT_FALSE(result.started) << reason;
    EXPECT_NE(result.failure.find("Compiler.exe"), std::string::npos) << result.failure;
    EXPECT_NE(result.failure.find(folder.path().string()), std::string::npos) << result.failure;
    EXPECT_NE(result.failure.find(reason), std::string::npos) << result.failure;
  }
}

TEST(RunAndWaitTest, RunsAWindowsProgramThroughWine) {
  test::TempFolder folder;
  fs::create_directories(folder / "bin");
  // A stand-in for wine that records what it was asked to run.
  WriteArgumentRecorder(folder / "bin" / "wine");
  test::Write(folder / "TrafficDatabaseBuilder.EXE", std::string("MZ\x90\0\3", 5));
  test::ScopedEnvironment path("PATH", (folder / "bin").string());

  EXPECT_EQ(CommandLinePathStyle("trafficdatabasebuilder.exe", folder.path()), PathStyle::kWindows);
  const RunResult result =
      RunAndWait("trafficdatabasebuilder.exe", R"( /Output="Z:\my sim\x.bgl")", folder.path());
  ASSERT_TRUE(result.started) << result.failure;
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(test::ReadLines(folder / "arguments.txt"),
            (std::vector<std::string>{(folder / "TrafficDatabaseBuilder.EXE").string(),
                                      R"(/Output=Z:\my sim\x.bgl)"}));
}

}
}
