#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/errors.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wingfold_files_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
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

}  // namespace
}  // namespace wf
