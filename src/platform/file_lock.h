#pragma once
// An exclusive lock that one process at a time holds on a file, with a line of text that names the
// holder, so that a process that finds the lock taken can say who has it.
//
// The lock belongs to the open file, not to the process: two FileLock objects of one process on
// the same file exclude each other too, and the system releases the lock when the holder ends in
// any way (a crash or kill included), so a lock is never left stale. The lock file itself stays
// behind; it only ever holds the last holder's line.
//
// POSIX: flock() on the file, advisory (every party must take it). Windows: LockFileEx on one byte
// far beyond the file's end, so that the holder's line stays readable to others.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wf {

class FileLock {
 public:
  // Takes the lock on `path` (creating the file when it is missing) and writes `holder` into the
  // file; nothing when another holder has it. Does not wait. Throws FileError when the file cannot
  // be created or opened.
  static std::optional<FileLock> TryLock(const std::filesystem::path& path, std::string_view holder);

  // The line the current (or last) holder wrote; empty when there is none or it cannot be read.
  static std::string Holder(const std::filesystem::path& path);

  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  // Releases the lock.
  ~FileLock();

 private:
  FileLock() = default;
  void Release() noexcept;

  std::intptr_t handle_ = -1;  // the open lock file: a file descriptor, or a Windows HANDLE
};

// This process's id.
long CurrentProcessId();

}
