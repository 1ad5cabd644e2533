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
  // Parses a file's bytes already in memory, as the Windows profile functions read them: UTF-16
  // with its byte-order mark (either order), UTF-8 with or without one; lines end in CR LF, LF or CR.
  // Text in UTF-16 is held as UTF-8.
  static IniFile Parse(std::string_view bytes);

  bool exists() const { return exists_; }

  std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
  // The value's leading whole number (LeadingWhole), 0 when it has none, or `fallback` when the key
  // is missing.
  std::int64_t GetInt(std::string_view section, std::string_view key, std::int64_t fallback) const;

  // Throws FileError, changing nothing, when the section, key or value holds a line break: the
  // file would gain lines that the caller never wrote.
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, std::int64_t value);

  // The file's bytes as they would be written: in the form the file was read in (its encoding and
  // byte-order mark, and the line end of its first line), CR LF and no mark for a new file.
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

  enum class Encoding { kBytes, kUtf8WithMark, kUtf16LittleEndian, kUtf16BigEndian };

  std::vector<std::string> lines_;
  bool exists_ = false;
  Encoding encoding_ = Encoding::kBytes;
  std::string eol_ = "\r\n";
};

}
