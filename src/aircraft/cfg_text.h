#pragma once
// The line rules shared by the readers of the simulator's configuration files (aircraft.cfg,
// fsx.cfg).
//
// Text: a UTF-8 byte-order mark at the start is dropped; CR LF, LF and a lone CR each end a line,
// so no line ever ends in a CR. Every other byte is kept as it is (titles may be Windows-1252,
// Latin-1 or UTF-8).
//
// The working line of a line is the line with leading blanks (space, tab, vertical tab, form feed)
// removed and its ASCII letters lower-cased; it has the same length as the trimmed line, so a
// position found in the one is valid in the other. Keys are found as substrings of the working
// line (first occurrence). The value of a key is the text after the first "=" that follows the
// key, with leading blanks removed.
//
// A comment line is one whose working line begins with "//" or ";"; the readers skip it. A
// section header is a working line that begins with "[" and has a "]" after it; the section name
// is the text between them, lower-cased.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// The lines of `text`, without line ends.
std::vector<std::string_view> SplitCfgLines(std::string_view text);

class CfgLine {
 public:
  explicit CfgLine(std::string_view line);

  // Leading blanks removed, case kept.
  std::string_view Text() const { return text_; }
  // Leading blanks removed, lower case.
  const std::string& Working() const { return working_; }

  bool IsComment() const;
  // The lower-case section name when this line is a section header.
  std::optional<std::string> SectionName() const;

  bool Contains(std::string_view key) const { return working_.find(key) != std::string::npos; }
  bool StartsWith(std::string_view prefix) const { return working_.starts_with(prefix); }
  // Position of the first occurrence of `key` in the working line, or npos.
  std::size_t Find(std::string_view key) const { return working_.find(key); }

  // The value of `key` with its case kept: the text after the first "=" that follows the first
  // occurrence of `key`, leading blanks removed. Nothing when the key is absent or no "=" follows it.
  std::optional<std::string_view> Value(std::string_view key) const;
  // The same value, lower case (taken from the working line).
  std::optional<std::string_view> WorkingValue(std::string_view key) const;

 private:
  std::optional<std::size_t> ValueStart(std::string_view key) const;

  std::string_view text_;
  std::string working_;
};

// The text with leading blanks removed.
std::string_view TrimLeadingBlanks(std::string_view text);
// The text with trailing blanks removed.
std::string_view TrimTrailingBlanks(std::string_view text);

// "%d": reads a decimal integer (optional blanks, optional sign, digits) from the start of `text`
// into `target` and returns true; a text that does not start with one leaves `target` unchanged and
// returns false. Digits stop at the first other character, so "36.1" gives 36. Values beyond the
// 32-bit range are clamped to it.
bool ScanInt(std::string_view text, std::int32_t& target);

// "%f": reads a decimal floating-point number (optional blanks, sign, digits with an optional
// point, optional exponent) from the start of `text` into `target`; otherwise as ScanInt. Values
// beyond the float range become infinite, tiny ones zero; "inf" and "nan" are not numbers here.
bool ScanFloat(std::string_view text, float& target);

// "%f, %f, ...": reads up to `count` comma-separated numbers from the start of `text` into
// `targets`, stopping at the first field that is not a number or not preceded by a comma; blanks
// are allowed on both sides of each comma. Returns how many were read; the others are unchanged.
int ScanFloatList(std::string_view text, float* targets, int count);

}
