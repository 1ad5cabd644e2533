#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/archive_file.h"
#include "platform/errors.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

class ArchiveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wingfold_archive_file_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

TEST_F(ArchiveFileTest, ReadWholeFileGivesNothingForWhatCannotBeOpened) {
  EXPECT_FALSE(ReadWholeFile(dir_ / "absent.dat").has_value());
  EXPECT_FALSE(ReadWholeFile(dir_).has_value());
}

TEST_F(ArchiveFileTest, WriteReplacesTheFileAndLeavesNoTemporary) {
  const fs::path target = dir_ / "objects.dat";
  const std::vector<std::uint8_t> first = {0x00, 0x00};
  const std::vector<std::uint8_t> second = {0x01, 0x00, 0x00, 0xFF, 0x1A, 0x0D, 0x0A};
  WriteFileAtomically(target, first);
  WriteFileAtomically(target, second);
  EXPECT_EQ(ReadWholeFile(target), second);
  WriteFileAtomically(target, {});
  EXPECT_EQ(ReadWholeFile(target), std::vector<std::uint8_t>{});
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ArchiveFileTest, FailedWriteLeavesTheOldFileAndSaysWhy) {
  const fs::path target = dir_ / "objects.dat";
  const std::vector<std::uint8_t> old = {0x00, 0x00};
  WriteFileAtomically(target, old);

  // A folder in the temporary file's place makes the write fail before the rename, as root too.
  fs::create_directory(dir_ / "objects.dat.tmp");
  fs::create_directory(dir_ / "objects.dat.tmp" / "keep");
  try {
    WriteFileAtomically(target, std::vector<std::uint8_t>{1, 2, 3});
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadWholeFile(target), old);

  // A rename that fails (a non-empty folder as the target) removes the temporary file.
  fs::remove_all(dir_ / "objects.dat.tmp");
  const fs::path folder = dir_ / "folder";
  fs::create_directories(folder / "inside");
  EXPECT_THROW(WriteFileAtomically(folder, std::vector<std::uint8_t>{1}), FileError);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  EXPECT_FALSE(fs::exists(dir_ / "folder.tmp"));
}

}  // namespace
}  // namespace wf
