#pragma once
// Whole-file reads and safe whole-file writes.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// A whole file's bytes for parsing: mapped into memory where the system allows (no copy, no fresh
// memory to clear), read into a buffer otherwise. Move-only; the bytes live as long as the object.
class FileView {
 public:
  // The file's bytes, or nothing when it cannot be opened.
  static std::optional<FileView> Open(const std::filesystem::path& path);

  FileView(FileView&& other) noexcept;
  FileView& operator=(FileView&& other) noexcept;
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;
  ~FileView();

  std::span<const std::uint8_t> Bytes() const { return bytes_; }

 private:
  FileView() = default;
  void Release() noexcept;

  std::span<const std::uint8_t> bytes_;
  void* mapping_ = nullptr;  // the mapped region, when mapped
  std::size_t mappedSize_ = 0;
  std::string buffer_;  // the bytes, when read
};

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete.
// Throws FileError naming `path` and the reason; on failure the old file is untouched.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same for text written piece by piece: Stream() goes to a temporary file beside `path`, and
// Commit() renames it over `path`. Without a Commit (or when it throws) the temporary file is
// removed and the old file stays as it was. When the temporary file cannot be created, Stream()
// accepts and drops what is written, and Commit() throws.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path path);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  std::ostream& Stream();
  // Throws FileError naming the file and the reason.
  void Commit();

 private:
  std::filesystem::path path_;
  std::filesystem::path temp_;
  std::string createError_;  // why the temporary file could not be created
  std::vector<char> buffer_;
  std::ofstream out_;
  std::ostringstream dropped_;
  bool committed_ = false;
};

}
