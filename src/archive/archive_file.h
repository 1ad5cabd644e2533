#pragma once
// Whole-file reads and writes for the database files: a file is read into memory once and parsed
// from there, and written so that a failed save never destroys the previous file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace wf {

// The file's bytes, or nullopt when it cannot be opened (absent, a folder, no permission).
// Throws FileError when it opens but cannot be read to the end.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` to `path` + ".tmp" in the same folder, then renames that over `path`. Throws
// FileError naming the file and the reason when any step fails; the old file at `path` is then left
// as it was and the temporary file removed.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace wf
