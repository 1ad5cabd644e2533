#include "platform/files.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <streambuf>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/files_native.h"
#include "platform/text.h"

namespace wf {

namespace {

namespace fs = std::filesystem;
using native::Fail;
using native::kNoFile;
using native::NativeFile;

// Reads from the current position to the end; false with the reason on an error.
bool ReadToEnd(NativeFile file, std::uint64_t sizeHint, std::string& out, std::string& error) {
  out.clear();
  if (sizeHint > 0 && sizeHint < (std::uint64_t{1} << 40)) out.reserve(static_cast<std::size_t>(sizeHint));
  std::array<char, 1 << 16> chunk;
  for (;;) {
    const std::int64_t got = native::ReadSome(file, chunk.data(), chunk.size());
    if (got < 0) {
      error = native::LastErrorText();
      return false;
    }
    if (got == 0) return true;
    out.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

// Reads up to `limit` bytes from the current position; false with the reason on an error.
bool ReadUpTo(NativeFile file, std::size_t limit, std::vector<std::uint8_t>& out, std::string& error) {
  out.resize(limit);
  std::size_t done = 0;
  while (done < limit) {
    const std::int64_t got =
        native::ReadSome(file, out.data() + done, std::min<std::size_t>(limit - done, std::size_t{1} << 30));
    if (got < 0) {
      error = native::LastErrorText();
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  out.resize(done);
  return true;
}

// Writes all of `data`; false with the reason on an error.
bool WriteAll(NativeFile file, const char* data, std::size_t size, std::string& error) {
  while (size > 0) {
    const std::int64_t written = native::WriteSome(file, data, size);
    if (written < 0) {
      error = native::LastErrorText();
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The file a chain of symbolic links ends at (the path itself when it is no link). A link may point
// to a file that does not exist yet; writing creates it.
fs::path FollowLinks(fs::path path) {
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) break;
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

constexpr std::string_view kTemporaryMark = ".wingfold-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kTemporaryDigits = 16;

// 64 bits that differ between processes and between calls.
std::uint64_t UniqueBits() {
  static std::atomic<std::uint64_t> state = [] {
    std::random_device device;
    const std::uint64_t seed = (std::uint64_t{device()} << 32) ^ device();
    return seed ^ static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  }();
  std::uint64_t z = state.fetch_add(0x9E3779B97F4A7C15ull) + 0x9E3779B97F4A7C15ull;  // splitmix64
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Creates a new, uniquely named temporary file beside `target`.
NativeFile CreateTemporary(const fs::path& target, fs::path& temp, std::string& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string digits(kTemporaryDigits, '0');
    std::uint64_t bits = UniqueBits();
    for (std::size_t i = kTemporaryDigits; i-- > 0; bits >>= 4) digits[i] = "0123456789abcdef"[bits & 15];
    fs::path name = target.filename();
    name += std::string(kTemporaryMark) + digits + std::string(kTemporaryEnd);
    temp = target.parent_path() / name;
    bool exists = false;
    const NativeFile file = native::CreateNew(temp, exists);
    if (file != kNoFile) return file;
    if (exists) continue;
    error = native::LastErrorText();
    return kNoFile;
  }
  error = "no free temporary name";
  return kNoFile;
}

}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, FileReadFailure* failure) {
  std::uint64_t size = 0;
  const NativeFile file = native::OpenForReading(path, failure, size);
  if (file == kNoFile) return std::nullopt;
  std::string bytes;
  std::string error;
  const bool read = ReadToEnd(file, size, bytes, error);
  native::CloseFile(file);
  if (!read) {
    Fail(failure, false, error);
    return std::nullopt;
  }
  return bytes;
}

bool ReadFileHead(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& out,
                  FileReadFailure* failure) {
  std::uint64_t size = 0;
  const NativeFile file = native::OpenForReading(path, failure, size);
  if (file == kNoFile) return false;
  std::string error;
  const bool read =
      ReadUpTo(file, static_cast<std::size_t>(std::min<std::uint64_t>(size, limit)), out, error);
  native::CloseFile(file);
  if (!read) Fail(failure, false, error);
  return read;
}

std::optional<FileView> FileView::Open(const std::filesystem::path& path, FileReadFailure* failure) {
  std::uint64_t size = 0;
  const NativeFile file = native::OpenForReading(path, failure, size);
  if (file == kNoFile) return std::nullopt;
  FileView view;
  if (void* mapping = native::MapForReading(file, size)) {
    native::CloseFile(file);
    view.mapping_ = mapping;
    view.mappedSize_ = static_cast<std::size_t>(size);
    view.bytes_ = {static_cast<const std::uint8_t*>(mapping), view.mappedSize_};
    return view;
  }
  std::string error;
  const bool read = ReadToEnd(file, size, view.buffer_, error);
  native::CloseFile(file);
  if (!read) {
    Fail(failure, false, error);
    return std::nullopt;
  }
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
  if (mapping_ != nullptr) native::Unmap(mapping_, mappedSize_);
  mapping_ = nullptr;
  mappedSize_ = 0;
  bytes_ = {};
}

// The temporary file's stream buffer: large writes straight to the file, the first error kept.
// Without a file it drops what it is given.
class AtomicFileWriter::Buffer : public std::streambuf {
 public:
  Buffer() : data_(std::size_t{1} << 20) { setp(data_.data(), data_.data() + data_.size()); }

  NativeFile file = kNoFile;
  std::string error;  // why the file could not be created or written

  // Writes what is buffered; false once anything failed.
  bool Flush() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    if (file != kNoFile && error.empty()) WriteAll(file, pbase(), pending, error);
    setp(data_.data(), data_.data() + data_.size());
    return error.empty();
  }

 protected:
  int_type overflow(int_type ch) override {
    Flush();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return Flush() ? 0 : -1; }

 private:
  std::vector<char> data_;
};

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  writer.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path)
    : path_(std::move(path)), target_(FollowLinks(path_)), buffer_(std::make_unique<Buffer>()) {
  buffer_->file = CreateTemporary(target_, temp_, buffer_->error);
  out_ = std::make_unique<std::ostream>(buffer_.get());
}

AtomicFileWriter::~AtomicFileWriter() {
  // The file is still open only when it was never committed.
  if (buffer_->file == kNoFile) return;
  native::CloseFile(buffer_->file);
  std::error_code ignored;
  fs::remove(temp_, ignored);
}

std::ostream& AtomicFileWriter::Stream() {
  return *out_;
}

void AtomicFileWriter::Commit() {
  Buffer& buffer = *buffer_;
  if (buffer.file == kNoFile) throw FileError("Cannot create " + PathUtf8(path_) + ": " + buffer.error);
  const auto fail = [&](const char* what) {
    const std::string reason = buffer.error;
    native::CloseFile(buffer.file);
    buffer.file = kNoFile;
    std::error_code ignored;
    fs::remove(temp_, ignored);
    throw FileError(what + PathUtf8(path_) + ": " + reason);
  };
  if (buffer.Flush() && !native::SyncFile(buffer.file)) buffer.error = native::LastErrorText();
  if (!buffer.error.empty()) fail("Cannot write ");
  native::KeepPermissions(buffer.file, target_);
  if (!native::CloseWritten(buffer.file, buffer.error)) {
    buffer.file = kNoFile;
    std::error_code ignored;
    fs::remove(temp_, ignored);
    throw FileError("Cannot write " + PathUtf8(path_) + ": " + buffer.error);
  }
  buffer.file = kNoFile;
  if (!native::ReplaceWith(temp_, target_)) {
    const std::string error = native::LastErrorText();
    std::error_code ignored;
    fs::remove(temp_, ignored);
    throw FileError("Cannot replace " + PathUtf8(path_) + ": " + error);
  }
  committed_ = true;
  native::SyncFolder(target_.parent_path());
}

bool IsOwnTemporaryFileName(std::string_view name) {
  if (!name.ends_with(kTemporaryEnd)) return false;
  name.remove_suffix(kTemporaryEnd.size());
  if (name.size() <= kTemporaryMark.size() + kTemporaryDigits) return false;
  const std::string_view digits = name.substr(name.size() - kTemporaryDigits);
  for (char c : digits)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  name.remove_suffix(kTemporaryDigits);
  return name.ends_with(kTemporaryMark);
}

int RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError) || it->is_symlink(entryError)) continue;
    if (!IsOwnTemporaryFileName(PathUtf8(it->path().filename()))) continue;
    if (fs::remove(it->path(), entryError)) ++removed;
  }
  return removed;
}

}
