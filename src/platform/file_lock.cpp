#include "platform/file_lock.h"

#include <cstdint>
#include <utility>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace wf {

namespace {

#ifdef _WIN32
HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// The byte locked: beyond any holder line, so that reading the line is never refused.
constexpr DWORD kLockedOffsetHigh = 1;  // 4 GiB
#endif

}

std::optional<FileLock> FileLock::TryLock(const std::filesystem::path& path, std::string_view holder) {
  FileLock lock;
#ifdef _WIN32
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw FileError("Cannot open the lock file " + PathUtf8(path) + ": " +
                    std::system_category().message(static_cast<int>(GetLastError())));
  }
  lock.handle_ = reinterpret_cast<std::intptr_t>(file);
  OVERLAPPED where{};
  where.OffsetHigh = kLockedOffsetHigh;
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
    return std::nullopt;  // the destructor closes the file
  }
  // The holder's line replaces the last one; a failure to write it only leaves the line out.
  LARGE_INTEGER start{};
  DWORD written = 0;
  if (SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && SetEndOfFile(file)) {
    WriteFile(file, holder.data(), static_cast<DWORD>(holder.size()), &written, nullptr);
  }
#else
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) throw FileError("Cannot open the lock file " + PathUtf8(path) + ": " + std::strerror(errno));
  lock.handle_ = fd;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return std::nullopt;
    throw FileError("Cannot lock " + PathUtf8(path) + ": " + std::strerror(errno));
  }
  if (::ftruncate(fd, 0) == 0) {
    std::size_t done = 0;
    while (done < holder.size()) {
      const ssize_t n = ::pwrite(fd, holder.data() + done, holder.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
  }
#endif
  return lock;
}

std::string FileLock::Holder(const std::filesystem::path& path) {
  std::string text = ReadFileBytes(path).value_or("");
  if (text.size() > 1000) text.resize(1000);  // one line is all a holder writes
  return std::string(Trim(text));
}

FileLock::FileLock(FileLock&& other) noexcept {
  *this = std::move(other);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

FileLock::~FileLock() {
  Release();
}

void FileLock::Release() noexcept {
  if (handle_ == -1) return;
#ifdef _WIN32
  // Closing the file releases its locks.
  CloseHandle(AsHandle(handle_));
#else
  ::close(static_cast<int>(handle_));
#endif
  handle_ = -1;
}

long CurrentProcessId() {
#ifdef _WIN32
  return static_cast<long>(GetCurrentProcessId());
#else
  return static_cast<long>(::getpid());
#endif
}

}
