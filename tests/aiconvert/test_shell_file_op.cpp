#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "aiconvert/shell_file_op.h"
#include "aiconvert/wait_for_file.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

TEST(ShellFileOpTest, AsksOnlyWithoutNoConfirmationCancelSetsAbortedAndUnknownOperationsDoNothing) {
  test::TempFolder temp;
  Write(temp / "src/a.txt", "new");
  Write(temp / "dst/a.txt", "old");
  test::ScriptedPrompter prompter({Answer::kCancel});
  const CShellFileOp asked(&prompter, FO_COPY, temp / "src", temp / "dst", FOF_NOCONFIRMMKDIR, "Copy plane");
  EXPECT_TRUE(asked.GetAborted());
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_NE(prompter.questions[0].find("already exists"), std::string::npos);
  EXPECT_EQ(Read(temp / "dst/a.txt"), "old");

  const CShellFileOp quiet(&prompter, FO_COPY, temp / "src", temp / "dst", FOF_SILENT | FOF_NOCONFIRMATION,
                           "");
  EXPECT_FALSE(quiet.GetAborted());
  EXPECT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(Read(temp / "dst/a.txt"), "new");
  // An operation it does not know does nothing.
  CShellFileOp(&prompter, 5, temp / "src", temp / "other", FOF_NOCONFIRMATION, "");
  EXPECT_FALSE(fs::exists(temp / "other"));
}

TEST(WaitForFileTest, WaitsAtMostTenTimesWithoutSleeping) {
  test::TempFolder temp;
  // Pauses before the file exists (-1: never), whether it is found, the pauses made.
  const struct {
    int appearsAfter, found, pauses;
  } cases[] = {{0, 1, 0}, {3, 1, 3}, {10, 1, 10}, {-1, 0, 10}};
  for (const auto& c : cases) {
    const fs::path file = temp / "test.DDS";
    fs::remove(file);
    if (c.appearsAfter == 0) Write(file, "x");
    test::RecordingProgress progress;
    std::vector<std::chrono::milliseconds> pauses;
    const Pause pause = [&](std::chrono::milliseconds duration) {
      pauses.push_back(duration);
      if (static_cast<int>(pauses.size()) == c.appearsAfter) Write(file, "x");
    };
    // The name is found without regard to case, as the Windows file system finds it.
    EXPECT_EQ(WaitForFile(temp / "test.dds", progress, pause), c.found != 0) << c.appearsAfter;
    EXPECT_EQ(static_cast<int>(pauses.size()), c.pauses) << c.appearsAfter;
    EXPECT_EQ(static_cast<int>(progress.texts.size()), c.pauses) << c.appearsAfter;
    for (const auto& duration : pauses) EXPECT_EQ(duration, std::chrono::milliseconds(500));
    for (const std::string& text : progress.texts)
      EXPECT_EQ(text, "Wait for:" + (temp / "test.dds").string());
  }
}

}
}
