#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "support/file_fixtures.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace wf {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  test::TempFolder temp_;
  fs::path dir_ = temp_.path();
};

// A pipe, which would block a read until someone writes to it, is never waited on.
TEST_F(FilesTest, ReadsTellMissingFromUnreadableAndReadRegularFilesOnly) {
  std::vector<std::pair<fs::path, bool>> cases = {
      {dir_ / "absent.dat", true}, {dir_ / "no folder" / "absent.dat", true}, {dir_, false}};
#ifndef _WIN32
  const fs::path fifo = dir_ / "objects.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  cases.emplace_back(fifo, false);
#endif
  for (const auto& [path, missing] : cases) {
    SCOPED_TRACE(path.string());
    FileReadFailure failure;
    EXPECT_FALSE(ReadFileBytes(path, &failure).has_value());
    EXPECT_EQ(failure.missing, missing);
    EXPECT_EQ(failure.reason.empty(), missing) << failure.reason;
    FileReadFailure viewFailure;
    EXPECT_FALSE(FileView::Open(path, &viewFailure).has_value());
    EXPECT_EQ(viewFailure.missing, missing);
  }
}

TEST_F(FilesTest, FileViewGivesTheWholeFileAndSurvivesMovesAndReplacement) {
  const fs::path empty = dir_ / "empty.dat";
  WriteFileAtomically(empty, "");
  const std::optional<FileView> emptyView = FileView::Open(empty);
  ASSERT_TRUE(emptyView.has_value());
  EXPECT_TRUE(emptyView->Bytes().empty());

  // Bytes of every value, over more than one page.
  std::string contents;
  for (int i = 0; i < 10000; ++i) contents.push_back(static_cast<char>(i * 7));
  const fs::path file = dir_ / "objects.dat";
  WriteFileAtomically(file, contents);
  std::optional<FileView> view = FileView::Open(file);
  ASSERT_TRUE(view.has_value());
  FileView moved = std::move(*view);
  EXPECT_TRUE(view->Bytes().empty());
  // A save replaces the file by renaming; the view keeps what it opened.
  WriteFileAtomically(file, "short");
  const std::span<const std::uint8_t> bytes = moved.Bytes();
  ASSERT_EQ(bytes.size(), contents.size());
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), contents.begin(),
                         [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }));
}

// What the folder holds besides the given files: temporary files left behind.
const std::vector<std::string> kJustTheFile{"Flightplans-GA.dat"};

TEST_F(FilesTest, AtomicWriterReplacesOnlyOnCommitAndReportsWhatFailed) {
  const fs::path target = dir_ / "Flightplans-GA.dat";
  WriteFileAtomically(target, "old");
  {
    AtomicFileWriter abandoned(target);
    abandoned.Stream() << "half a file";
    // Two writers at once write to temporary files of their own.
    AtomicFileWriter other(target);
    other.Stream() << "the other half";
    EXPECT_EQ(test::EntryNames(dir_).size(), 3u);
  }  // no Commit: a generation that stopped half way
  EXPECT_EQ(ReadFileBytes(target).value(), "old");
  EXPECT_EQ(test::EntryNames(dir_), kJustTheFile);

  {
    AtomicFileWriter writer(target);
    for (int i = 0; i < 200000; ++i) writer.Stream() << "AC#1,N123AB,100,ONE_WEEK,VFR\n";
    writer.Commit();
  }
  EXPECT_EQ(ReadFileBytes(target)->size(), 200000u * 29u);
  EXPECT_EQ(test::EntryNames(dir_), kJustTheFile);

  AtomicFileWriter nowhere(dir_ / "no such folder" / "Flightplans-GA.dat");
  nowhere.Stream() << "dropped";
  try {
    nowhere.Commit();
    FAIL() << "a file in a missing folder was reported written";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot create"), std::string::npos) << e.what();
  }
  // A rename that fails (a non-empty folder as the target) removes the temporary file.
  fs::create_directories(dir_ / "folder" / "inside");
  try {
    WriteFileAtomically(dir_ / "folder", std::string("\x01"));
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot replace " + (dir_ / "folder").string()), std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "folder" / "inside"));
  EXPECT_EQ(test::EntryNames(dir_), (std::vector<std::string>{"Flightplans-GA.dat", "folder"}));
}

#ifndef _WIN32
// A database kept elsewhere and linked into the work folder stays there, and a replaced file keeps
// who may read it.
TEST_F(FilesTest, WritesGoThroughLinksAndKeepThePermissions) {
  fs::create_directories(dir_ / "elsewhere");
  const fs::path real = dir_ / "elsewhere" / "objects.dat";
  WriteFileAtomically(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = dir_ / "objects.dat";
  fs::create_symlink(fs::path("elsewhere") / "objects.dat", link);

  WriteFileAtomically(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(test::EntryNames(dir_ / "elsewhere"), std::vector<std::string>{"objects.dat"});
}
#endif

// Only names of exactly the temporary files' form are removed.
TEST_F(FilesTest, StaleTemporaryFilesOfOurOwnAreRemoved) {
  const std::vector<std::pair<std::string, bool>> names = {
      {"objects.dat.wingfold-0123456789abcdef.tmp", true},
      {"Flightplans-GA.dat.wingfold-fedcba9876543210.tmp", true},
      {".wingfold-0123456789abcdef.tmp", false},             // no file name before the mark
      {"objects.dat.wingfold-FEDCBA9876543210.tmp", false},  // not a case variant of the first
      {"notes.wingfold-0123456789abcdef.txt", false}};
  for (const auto& [name, ours] : names) {
    EXPECT_EQ(IsOwnTemporaryFileName(name), ours) << name;
    std::ofstream(dir_ / name) << "x";
  }
  fs::create_directory(dir_ / "sub");
  std::ofstream(dir_ / "sub" / "objects.dat.wingfold-0123456789abcdef.tmp") << "x";
  EXPECT_EQ(RemoveStaleTemporaryFiles(dir_), 2);
  for (const auto& [name, ours] : names) EXPECT_NE(fs::exists(dir_ / name), ours) << name;
  EXPECT_TRUE(fs::exists(dir_ / "sub" / "objects.dat.wingfold-0123456789abcdef.tmp"));
}

}
}
