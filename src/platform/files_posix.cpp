#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files_native.h"

namespace wf::native {

namespace fs = std::filesystem;

std::string LastErrorText() {
  return std::strerror(errno);
}

NativeFile OpenForReading(const fs::path& path, FileReadFailure* failure, std::uint64_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    Fail(failure, errno == ENOENT || errno == ENOTDIR, LastErrorText());
    return kNoFile;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool folder = S_ISDIR(info.st_mode);
    ::close(fd);
    Fail(failure, false, folder ? "a folder, not a file" : "not a regular file");
    return kNoFile;
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

NativeFile CreateNew(const fs::path& path, bool& exists) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  exists = fd < 0 && errno == EEXIST;
  return fd;
}

void CloseFile(NativeFile file) {
  ::close(file);
}

bool CloseWritten(NativeFile file, std::string& error) {
  if (::close(file) == 0) return true;
  error = LastErrorText();
  return false;
}

std::int64_t ReadSome(NativeFile file, void* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(file, data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

std::int64_t WriteSome(NativeFile file, const char* data, std::size_t size) {
  for (;;) {
    const ssize_t written = ::write(file, data, size);
    if (written >= 0 || errno != EINTR) return written;
  }
}

bool SyncFile(NativeFile file) {
  return ::fsync(file) == 0;
}

// Some file systems cannot sync a folder.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void KeepPermissions(NativeFile file, const fs::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::fchmod(file, info.st_mode & 07777);
}

bool ReplaceWith(const fs::path& temp, const fs::path& target) {
  return ::rename(temp.c_str(), target.c_str()) == 0;
}

// Our database files are replaced by renaming, never rewritten in place, so a mapping cannot see the
// file shrink under it.
void* MapForReading(NativeFile file, std::uint64_t size) {
  if (size == 0 || size > SIZE_MAX) return nullptr;
  void* mapping = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, file, 0);
  return mapping != MAP_FAILED ? mapping : nullptr;
}

void Unmap(void* mapping, std::size_t size) {
  ::munmap(mapping, size);
}

}
