#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "app/work_folder_lock.h"
#include "platform/file_lock.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

// The lock belongs to the open file: a second taker, in this process too, is refused until the
// first lets go, and reads who holds it.
TEST(WorkFolderLockTest, OneHolderAtATimeNamedInTheRefusal) {
  test::TempFolder folder;
  const auto lockFile = folder / kWorkFolderLockFile;
  {
    std::optional<WorkFolderLock> first = WorkFolderLock::Acquire(folder.path(), "wingfold collect");
    EXPECT_FALSE(FileLock::TryLock(lockFile, "other").has_value());
    EXPECT_TRUE(FileLock::Holder(lockFile).starts_with("wingfold collect, process " +
                                                       std::to_string(CurrentProcessId()) + ", since "))
        << FileLock::Holder(lockFile);
    try {
      WorkFolderLock::Acquire(folder.path(), "wingfold generate", std::chrono::milliseconds(0));
      ADD_FAILURE() << "a second holder";
    } catch (const WorkFolderBusy& e) {
      EXPECT_NE(std::string(e.what()).find("is in use by wingfold collect, process"), std::string::npos)
          << e.what();
    }
  }
  EXPECT_TRUE(FileLock::TryLock(lockFile, "other").has_value());
}

// What killed writers left behind goes once the folder is ours; everything else stays.
TEST(WorkFolderLockTest, TakingTheFolderRemovesStaleTemporaryFiles) {
  test::TempFolder folder;
  std::ofstream(folder / "objects.dat.wingfold-00112233445566ff.tmp") << "half";
  std::ofstream(folder / "objects.dat") << "whole";
  const WorkFolderLock lock = WorkFolderLock::Acquire(folder.path(), "wingfold load");
  EXPECT_EQ(lock.staleTemporaryFilesRemoved(), 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "objects.dat.wingfold-00112233445566ff.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / "objects.dat"));
}

}
}
