#pragma once
// Whole-file reads and safe whole-file writes.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wf {

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete.
// Throws FileError naming `path` and the reason; on failure the old file is untouched.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace wf
