#include "platform/ini_profile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace wf {

namespace {

constexpr std::size_t npos = std::string::npos;

// "[Name]" -> "Name"; nullopt for a line that is no section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  line = Trim(line);
  return !line.empty() && line.front() == ';';
}

}

std::int64_t LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (kMax - digit) / 10) {
      value = kMax;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  ini.exists_ = true;
  ini.crlf_ = text.find("\r\n") != npos || text.find('\n') == npos;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ini.lines_.emplace_back(line);
    start = end + 1;
  }
  return ini;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      throw FileError("Cannot read the settings file " + path.string() + ": " + std::strerror(errno));
    }
    return IniFile();
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return Parse(buffer.str());
}

std::size_t IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && EqualsIgnoringCase(*name, Trim(section))) return i;
  }
  return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i])) ++i;
  return i;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const std::string_view line = lines_[i];
    if (IsComment(line)) continue;
    const std::size_t eq = line.find('=');
    if (eq == npos) continue;
    if (EqualsIgnoringCase(Trim(line.substr(0, eq)), Trim(key))) return i;
  }
  return npos;
}

std::optional<std::string> IniFile::GetString(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == npos) return std::nullopt;
  std::string_view value = Trim(std::string_view(lines_[at]).substr(lines_[at].find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::int64_t IniFile::GetInt(std::string_view section, std::string_view key, std::int64_t fallback) const {
  const auto value = GetString(section, key);
  return value ? LeadingInteger(*value) : fallback;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(Trim(key)) + "=" + std::string(value);
  std::size_t header = FindSection(section);
  if (header == npos) {
    lines_.push_back("[" + std::string(Trim(section)) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  const std::size_t at = FindKey(header, key);
  if (at != npos) {
    lines_[at] = std::move(line);
    return;
  }
  // After the section's last non-blank line, as the profile functions append.
  std::size_t insert = SectionEnd(header);
  while (insert > header + 1 && Trim(lines_[insert - 1]).empty()) --insert;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), std::move(line));
}

void IniFile::SetInt(std::string_view section, std::string_view key, std::int64_t value) {
  SetString(section, key, std::to_string(value));
}

std::string IniFile::Text() const {
  std::string text;
  const char* eol = crlf_ ? "\r\n" : "\n";
  for (const auto& line : lines_) {
    text += line;
    text += eol;
  }
  return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
  WriteFileAtomically(path, Text());
}

}
