#pragma once
// One process writes a work folder at a time. Every command that writes into the work folder (the
// databases, the compiler's files, Wingfold.ini) holds this lock from before it reads the databases
// until it has written its last file; the GUI holds it as long as it is open. Commands that only
// read (status, dump, check) take no lock.
//
// The lock is the file "Wingfold.lock" in the work folder (see platform/file_lock.h): the system
// releases it when its holder ends, however it ends. Its text names the holder, e.g.
// "wingfold generate, process 4711, since 2026-12-07 03:15:02 UTC", for the message of a process that
// finds the folder busy.
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "platform/file_lock.h"

namespace wf {

inline constexpr const char* kWorkFolderLockFile = "Wingfold.lock";

// How long a second writer waits for the folder before it gives up, by default.
inline constexpr std::chrono::milliseconds kWorkFolderWait{3000};

// Another process holds the work folder; the message names it and says what to do.
class WorkFolderBusy : public FileError {
 public:
  using FileError::FileError;
};

class WorkFolderLock {
 public:
  // Locks `workFolder` for `holder` (what this process is, e.g. "wingfold generate"; the process id
  // and the time are added). When another process holds the folder, tries again until `wait` has
  // passed, then throws WorkFolderBusy naming that process. Once locked, removes the temporary files
  // that killed writers left in the folder (platform/files.h). Throws FileError when the lock file
  // cannot be created.
  static WorkFolderLock Acquire(const std::filesystem::path& workFolder, std::string_view holder,
                                std::chrono::milliseconds wait = kWorkFolderWait);

  // How many stale temporary files the acquisition removed.
  int staleTemporaryFilesRemoved() const { return staleTemporaryFilesRemoved_; }

 private:
  explicit WorkFolderLock(FileLock lock) : lock_(std::move(lock)) {}

  FileLock lock_;
  int staleTemporaryFilesRemoved_ = 0;
};

}
