#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>

#include "platform/file_operations.h"
#include "platform/folder_listing.h"
#include "support/file_fixtures.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test::Read;
using test::Write;

FileOperationResult Perform(FileOperationKind kind, const fs::path& from, const fs::path& to, bool askFirst,
                            test::ScriptedPrompter* prompter = nullptr) {
  FileOperationRequest request;
  request.kind = kind;
  request.from = {from};
  if (!to.empty()) request.to = {to};
  request.askFirst = askFirst;
  return PerformFileOperation(request, [prompter](const fs::path& existing, const fs::path&) {
    return prompter ? prompter->AskYesNoAllCancel(existing.filename().string()) : Answer::kNo;
  });
}

TEST(FileOperationsTest, CopyCreatesTheTreeAndMergesIntoAnExistingOne) {
  test::TempFolder temp;
  Write(temp / "src/aircraft.cfg", "cfg");
  Write(temp / "src/Texture/a.bmp", "bmp");
  Write(temp / "src/model/deep/m.mdl", "mdl");
  FileOperationResult fresh = Perform(FileOperationKind::kCopy, temp / "src", temp / "copy", false);
  EXPECT_EQ(fresh.written.size(), 3u);
  EXPECT_EQ(Read(temp / "copy/model/deep/m.mdl"), "mdl");

  // Onto an existing copy: files spelled otherwise on disk are replaced in place, others added.
  Write(temp / "src/new.txt", "new");
  fs::remove_all(temp / "copy/Texture");
  Write(temp / "copy/TEXTURE/A.BMP", "old");
  FileOperationResult merged = Perform(FileOperationKind::kCopy, temp / "src", temp / "copy", false);
  EXPECT_TRUE(merged.failures.empty());
  EXPECT_EQ(Read(temp / "copy/TEXTURE/A.BMP"), "bmp");
  EXPECT_EQ(test::EntryNames(temp / "copy"), (Names{"TEXTURE", "aircraft.cfg", "model", "new.txt"}));
  EXPECT_EQ(test::EntryNames(temp / "copy/TEXTURE"), Names{"A.BMP"});

  // Never into itself.
  FileOperationResult into = Perform(FileOperationKind::kCopy, temp / "src", temp / "src/inner", false);
  EXPECT_EQ(into.failures.size(), 1u);
  EXPECT_FALSE(fs::exists(temp / "src/inner"));
}

TEST(FileOperationsTest, TheReplaceQuestionDecidesFileByFile) {
  struct Case {
    const char* name;
    std::deque<Answer> answers;
    std::size_t questions;
    const char* a;  // contents afterwards of the two existing files and the new one
    const char* b;
    bool cCopied;
    bool aborted;
  } cases[] = {{"yes, no", {Answer::kYes, Answer::kNo}, 2, "new a", "old b", true, false},
               {"no to all", {Answer::kNoToAll}, 1, "old a", "old b", true, false},
               {"yes to all", {Answer::kYesToAll}, 1, "new a", "new b", true, false},
               {"yes, cancel", {Answer::kYes, Answer::kCancel}, 2, "new a", "old b", false, true}};
  for (const Case& c : cases) {
    test::TempFolder temp;
    Write(temp / "src/a.txt", "new a");
    Write(temp / "src/b.txt", "new b");
    Write(temp / "src/c.txt", "new c");
    Write(temp / "dst/A.TXT", "old a");
    Write(temp / "dst/b.txt", "old b");
    test::ScriptedPrompter prompter(c.answers);
    const FileOperationResult result =
        Perform(FileOperationKind::kCopy, temp / "src", temp / "dst", true, &prompter);
    EXPECT_EQ(prompter.questions.size(), c.questions) << c.name;
    EXPECT_EQ(Read(temp / "dst/A.TXT"), c.a) << c.name;
    EXPECT_EQ(Read(temp / "dst/b.txt"), c.b) << c.name;
    EXPECT_EQ(fs::exists(temp / "dst/c.txt"), c.cCopied) << c.name;
    EXPECT_EQ(result.aborted, c.aborted) << c.name;
  }
}

TEST(FileOperationsTest, DeleteAndRenameFindNamesWithoutRegardToCase) {
  test::TempFolder temp;
  Write(temp / "plane/Texture/a.bmp", "x");
  Write(temp / "plane/texture.Blue/b.bmp", "x");
  Write(temp / "plane/Textures/keep.bmp", "x");
  Write(temp / "plane/Panel/panel.cfg", "x");
  Write(temp / "plane/PANEL.CFG", "x");
  Perform(FileOperationKind::kDelete, temp / "plane/Texture.*", {}, false);
  Perform(FileOperationKind::kDelete, temp / "plane/panel.*", {}, false);
  EXPECT_EQ(test::EntryNames(temp / "plane"), Names{"Textures"});
  EXPECT_TRUE(Perform(FileOperationKind::kDelete, temp / "plane/none.*", {}, false).matchedNothing);

  // A rename replaces the target even where it is spelled otherwise: one file remains.
  Write(temp / "plane/Aircraft.cfg", "flyable");
  Write(temp / "plane/Flyable_Aircraft.cfg", "stale");
  const FileOperationResult renamed = Perform(FileOperationKind::kRename, temp / "plane/aircraft.cfg",
                                              temp / "plane/flyable_aircraft.cfg", false);
  EXPECT_TRUE(renamed.failures.empty());
  EXPECT_EQ(Read(temp / "plane/flyable_aircraft.cfg"), "flyable");
  EXPECT_EQ(test::EntryNames(temp / "plane"), (Names{"Textures", "flyable_aircraft.cfg"}));

  // A rename that changes only the case takes effect; one onto an existing file replaces it.
  std::error_code ec;
  RenameToSpelling(temp / "plane/flyable_aircraft.cfg", temp / "plane/FLYABLE_AIRCRAFT.CFG", ec);
  EXPECT_FALSE(ec) << ec.message();
  Write(temp / "plane/b.cfg", "second");
  EXPECT_EQ(test::EntryNames(temp / "plane"), (Names{"FLYABLE_AIRCRAFT.CFG", "Textures", "b.cfg"}));
  RenameToSpelling(temp / "plane/b.cfg", temp / "plane/FLYABLE_AIRCRAFT.CFG", ec);
  EXPECT_FALSE(ec) << ec.message();
  EXPECT_EQ(Read(temp / "plane/FLYABLE_AIRCRAFT.CFG"), "second");
  EXPECT_EQ(test::EntryNames(temp / "plane"), (Names{"FLYABLE_AIRCRAFT.CFG", "Textures"}));
}

}
}
