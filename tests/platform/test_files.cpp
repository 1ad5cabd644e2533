#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wingfold_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

TEST_F(FilesTest, ReadFileBytesGivesNothingForWhatCannotBeOpened) {
  EXPECT_FALSE(ReadFileBytes(dir_ / "absent.dat").has_value());
  EXPECT_FALSE(ReadFileBytes(dir_).has_value());
}

TEST_F(FilesTest, FileViewGivesTheWholeFileAndSurvivesMovesAndReplacement) {
  EXPECT_FALSE(FileView::Open(dir_ / "absent.dat").has_value());
  EXPECT_FALSE(FileView::Open(dir_).has_value());

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
  FileView assigned = std::move(moved);
  EXPECT_EQ(assigned.Bytes().size(), contents.size());
}

TEST_F(FilesTest, AtomicWriterReplacesOnlyOnCommitAndReportsWhatFailed) {
  const fs::path target = dir_ / "Flightplans-GA.dat";
  WriteFileAtomically(target, "old");
  {
    AtomicFileWriter abandoned(target);
    abandoned.Stream() << "half a file";
  }  // no Commit: a generation that stopped half way
  EXPECT_EQ(ReadFileBytes(target).value(), "old");
  EXPECT_FALSE(fs::exists(dir_ / "Flightplans-GA.dat.tmp"));

  {
    AtomicFileWriter writer(target);
    for (int i = 0; i < 200000; ++i) writer.Stream() << "AC#1,N123AB,100,ONE_WEEK,VFR\n";
    writer.Commit();
  }
  EXPECT_EQ(ReadFileBytes(target)->size(), 200000u * 29u);
  EXPECT_FALSE(fs::exists(dir_ / "Flightplans-GA.dat.tmp"));

  AtomicFileWriter nowhere(dir_ / "no such folder" / "Flightplans-GA.dat");
  nowhere.Stream() << "dropped";
  try {
    nowhere.Commit();
    FAIL() << "a file in a missing folder was reported written";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot create"), std::string::npos) << e.what();
  }
}

TEST_F(FilesTest, WriteReplacesTheFileAndLeavesNoTemporary) {
  const fs::path target = dir_ / "objects.dat";
  const std::string first("\x00\x00", 2);
  const std::string second("\x01\x00\x00\xFF\x1A\x0D\x0A", 7);
  WriteFileAtomically(target, first);
  WriteFileAtomically(target, second);
  EXPECT_EQ(ReadFileBytes(target), second);
  WriteFileAtomically(target, "");
  EXPECT_EQ(ReadFileBytes(target), std::string());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FilesTest, FailedWriteLeavesTheOldFileAndSaysWhy) {
  const fs::path target = dir_ / "objects.dat";
  const std::string old("\x00\x00", 2);
  WriteFileAtomically(target, old);

  // A folder in the temporary file's place makes the write fail before the rename, as root too.
  fs::create_directory(dir_ / "objects.dat.tmp");
  fs::create_directory(dir_ / "objects.dat.tmp" / "keep");
  try {
    WriteFileAtomically(target, std::string("\x01\x02\x03", 3));
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFileBytes(target), old);

  // A rename that fails (a non-empty folder as the target) removes the temporary file.
  fs::remove_all(dir_ / "objects.dat.tmp");
  const fs::path folder = dir_ / "folder";
  fs::create_directories(folder / "inside");
  EXPECT_THROW(WriteFileAtomically(folder, std::string("\x01")), FileError);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  EXPECT_FALSE(fs::exists(dir_ / "folder.tmp"));
}

}
}
