#pragma once
// INI files with the semantics of the Windows private-profile functions, the same on every OS.
//
// - Section and key names compare without regard to case (ASCII); blanks around them are ignored.
// - A value is the text after the first '=', with surrounding blanks removed; a value enclosed in
//   matching quotes loses them.
// - An integer is the leading decimal number of the value (an optional sign, then digits); a value
//   without one reads as 0. A missing key gives the caller's default.
// - Lines starting with ';' are comments. Writes change a key in place, append a missing key at the
//   end of its section, append a missing section at the end, and keep every other line as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

class IniFile {
 public:
  IniFile() = default;

  // Reads the file; a missing file gives an empty profile (exists() is then false).
  // Throws FileError when the file exists but cannot be read.
  static IniFile Load(const std::filesystem::path& path);
  // Parses text already in memory (lines end in LF or CRLF).
  static IniFile Parse(std::string_view text);

  bool exists() const { return exists_; }

  std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
  // The leading decimal number of the value, or `fallback` when the key is missing.
  std::int64_t GetInt(std::string_view section, std::string_view key, std::int64_t fallback) const;

  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, std::int64_t value);

  // The file's text as it would be written (CRLF line ends, as Windows writes them, when the file
  // used them or is new; LF when it was read with LF).
  std::string Text() const;
  // Writes the profile atomically (temporary file, then rename); creates the file when missing.
  // Throws FileError naming the file on failure; the old file is then left as it was.
  void Save(const std::filesystem::path& path) const;

 private:
  struct Line {
    std::string text;
  };
  // Index of the section header line, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line within the section starting at `header`, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<std::string> lines_;
  bool exists_ = false;
  bool crlf_ = true;
};

// The leading decimal number of a text, as the profile reads integers: optional blanks, an optional
// sign, then digits; 0 when there are none. Saturates at the int64 range.
std::int64_t LeadingInteger(std::string_view text);

}
