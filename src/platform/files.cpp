#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

#include "platform/errors.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wf {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
  }
  return bytes;
}

std::optional<FileView> FileView::Open(const std::filesystem::path& path) {
  FileView view;
#if !defined(_WIN32)
  // Our database files are replaced by renaming, never rewritten in place, so a mapping cannot see
  // the file shrink under it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
      const auto size = static_cast<std::size_t>(info.st_size);
      void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (mapping != MAP_FAILED) {
        ::close(fd);
        view.mapping_ = mapping;
        view.mappedSize_ = size;
        view.bytes_ = {static_cast<const std::uint8_t*>(mapping), size};
        return view;
      }
    }
    ::close(fd);
  }
#endif
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  view.buffer_ = std::move(*bytes);
  view.bytes_ = {reinterpret_cast<const std::uint8_t*>(view.buffer_.data()), view.buffer_.size()};
  return view;
}

FileView::FileView(FileView&& other) noexcept {
  *this = std::move(other);
}

FileView& FileView::operator=(FileView&& other) noexcept {
  if (this != &other) {
    Release();
    mapping_ = std::exchange(other.mapping_, nullptr);
    mappedSize_ = std::exchange(other.mappedSize_, 0);
    buffer_ = std::move(other.buffer_);
    bytes_ = mapping_ != nullptr ? std::exchange(other.bytes_, {})
                                 : std::span<const std::uint8_t>(
                                       reinterpret_cast<const std::uint8_t*>(buffer_.data()), buffer_.size());
    other.bytes_ = {};
  }
  return *this;
}

FileView::~FileView() {
  Release();
}

void FileView::Release() noexcept {
#if !defined(_WIN32)
  if (mapping_ != nullptr) ::munmap(mapping_, mappedSize_);
#endif
  mapping_ = nullptr;
  mappedSize_ = 0;
  bytes_ = {};
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  writer.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path) : path_(std::move(path)), temp_(path_) {
  temp_ += ".tmp";
  buffer_.resize(std::size_t{1} << 20);  // large files go out in few, large writes
  out_.rdbuf()->pubsetbuf(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_) createError_ = std::strerror(errno);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  if (out_.is_open()) out_.close();
  if (createError_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
  }
}

std::ostream& AtomicFileWriter::Stream() {
  if (!createError_.empty()) return dropped_;
  return out_;
}

void AtomicFileWriter::Commit() {
  if (!createError_.empty()) throw FileError("Cannot create " + path_.string() + ": " + createError_);
  out_.close();
  if (!out_) {
    const std::string reason = std::strerror(errno);
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
    throw FileError("Cannot write " + path_.string() + ": " + reason);
  }
  std::error_code ec;
  std::filesystem::rename(temp_, path_, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
    throw FileError("Cannot replace " + path_.string() + ": " + ec.message());
  }
  committed_ = true;
}

}
