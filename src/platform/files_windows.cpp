#include <algorithm>
#include <system_error>

#include "platform/files_native.h"

namespace wf::native {

namespace fs = std::filesystem;

namespace {

std::string SystemErrorText(DWORD code) {
  return std::system_category().message(static_cast<int>(code));
}

bool IsMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

}

std::string LastErrorText() {
  return SystemErrorText(GetLastError());
}

NativeFile OpenForReading(const fs::path& path, FileReadFailure* failure, std::uint64_t& size) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    Fail(failure, IsMissing(code), SystemErrorText(code));
    return kNoFile;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    Fail(failure, false, "a folder, not a file");
    return kNoFile;
  }
  // Other programs may keep the file open for reading or writing meanwhile, as the simulator does.
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    Fail(failure, IsMissing(code), SystemErrorText(code));
    return kNoFile;
  }
  LARGE_INTEGER length{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &length)) {
    CloseHandle(file);
    Fail(failure, false, "not a regular file");
    return kNoFile;
  }
  size = static_cast<std::uint64_t>(length.QuadPart);
  return file;
}

NativeFile CreateNew(const fs::path& path, bool& exists) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  exists = file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS;
  return file;
}

void CloseFile(NativeFile file) {
  CloseHandle(file);
}

bool CloseWritten(NativeFile file, std::string&) {
  CloseHandle(file);
  return true;
}

std::int64_t ReadSome(NativeFile file, void* data, std::size_t size) {
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
  return ReadFile(file, data, want, &got, nullptr) ? std::int64_t{got} : -1;
}

std::int64_t WriteSome(NativeFile file, const char* data, std::size_t size) {
  DWORD written = 0;
  const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
  return WriteFile(file, data, piece, &written, nullptr) ? std::int64_t{written} : -1;
}

bool SyncFile(NativeFile file) {
  return FlushFileBuffers(file) != 0;
}

// The rename itself writes through (ReplaceWith).
void SyncFolder(const fs::path&) {}

// Windows files take their access rights from the folder; a read-only target makes the replacement
// fail, as it should.
void KeepPermissions(NativeFile, const fs::path&) {}

bool ReplaceWith(const fs::path& temp, const fs::path& target) {
  return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void* MapForReading(NativeFile, std::uint64_t) {
  return nullptr;
}

void Unmap(void*, std::size_t) {}

}
