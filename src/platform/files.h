#pragma once
// Whole-file reads and safe whole-file writes.
//
// Reads tell a file that is not there from one that is there but cannot be read, and read regular
// files only: a pipe, a device or a folder under a file's name is "unreadable", never waited on.
//
// Writes never leave a half-written file in the place of the old one. The bytes go to a temporary
// file beside the target, named "<target name>.wingfold-<16 hex digits>.tmp" (unique, so two
// processes never share one), which is flushed to the disk, given the old file's permissions, and
// renamed over the target; the folder is then flushed too, so that after a power loss the target
// is either the old or the new file. A target that is a symbolic link is written through: the file
// it points to is replaced, and the link stays.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// Why a file could not be read.
struct FileReadFailure {
  bool missing = true;  // nothing is at the path (or a folder on the way is missing)
  std::string reason;   // otherwise why it cannot be read: "Permission denied", "not a regular file"
};

// The whole file, or nothing when it is missing or cannot be read (`failure` then says which).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         FileReadFailure* failure = nullptr);

// The first `limit` bytes of the file (all of a shorter one) into `out`; false when it is missing or
// cannot be read (`failure` then says which).
bool ReadFileHead(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& out,
                  FileReadFailure* failure = nullptr);

// A whole file's bytes for parsing: mapped into memory where the system allows (no copy, no fresh
// memory to clear), read into a buffer otherwise. Move-only; the bytes live as long as the object.
class FileView {
 public:
  // The file's bytes, or nothing when it is missing or cannot be read (`failure` says which).
  static std::optional<FileView> Open(const std::filesystem::path& path, FileReadFailure* failure = nullptr);

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

// Writes `bytes` in place of `path` (see above). Throws FileError naming `path` and the reason; on
// failure the old file is untouched and no temporary file is left.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same for text written piece by piece: Stream() goes to the temporary file, and Commit()
// puts it in place of the target. Without a Commit (or when it throws) the temporary file is
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
  class Buffer;

  std::filesystem::path path_;    // as given, for messages
  std::filesystem::path target_;  // the file replaced: `path_`, or the file its link points to
  std::filesystem::path temp_;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::ostream> out_;
  bool committed_ = false;
};

// Whether `name` is the name of one of the temporary files above.
bool IsOwnTemporaryFileName(std::string_view name);

// Removes the temporary files of the writes above that a killed process left in `folder` (only
// names of exactly that form; nothing below the folder). Only safe while no other process writes
// there: call it while holding the folder's lock. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}
