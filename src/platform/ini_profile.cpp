#include "platform/ini_profile.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
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

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16 text (without its byte-order mark) as UTF-8; a lone surrogate or odd last byte gives U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto a = static_cast<std::uint8_t>(bytes[i]);
    const auto b = static_cast<std::uint8_t>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    std::uint32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

// UTF-8 text as UTF-16 (without a byte-order mark). A byte that starts no valid sequence stands
// for itself (Latin-1), so nothing written is lost.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
  std::string out;
  const auto put = [&](std::uint32_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const int length = lead < 0x80         ? 1
                       : (lead >> 5) == 6  ? 2
                       : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4
                                           : 0;
    std::uint32_t code = lead;
    bool valid = length > 0 && i + length <= text.size();
    if (valid && length > 1) {
      code = lead & (0x7F >> length);
      for (int k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[i + k]);
        valid = valid && (next & 0xC0) == 0x80;
        code = code << 6 | (next & 0x3F);
      }
    }
    if (!valid) {
      code = lead;
      i += 1;
    } else {
      i += static_cast<std::size_t>(length);
    }
    if (code >= 0x10000) {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  ini.exists_ = true;
  std::string decoded;
  std::string_view text = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    ini.encoding_ = Encoding::kUtf8WithMark;
    text.remove_prefix(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    ini.encoding_ = bytes[0] == '\xFF' ? Encoding::kUtf16LittleEndian : Encoding::kUtf16BigEndian;
    decoded = Utf16ToUtf8(bytes.substr(2), ini.encoding_ == Encoding::kUtf16BigEndian);
    text = decoded;
  }
  // Lines end in CR LF, LF or CR alone, as the Windows profile functions read them; the first line
  // end says which ones a rewrite uses (CR LF for a file without any).
  const std::size_t firstEnd = text.find_first_of("\r\n");
  if (firstEnd != npos) {
    ini.eol_ = text[firstEnd] == '\n' ? "\n" : text.substr(firstEnd, 2) == "\r\n" ? "\r\n" : "\r";
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == npos) end = text.size();
    ini.lines_.emplace_back(text.substr(start, end - start));
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return ini;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  FileReadFailure failure;
  const std::optional<std::string> bytes = ReadFileBytes(path, &failure);
  if (!bytes) {
    if (failure.missing) return IniFile();
    throw FileError("Cannot read the settings file " + PathUtf8(path) + ": " + failure.reason);
  }
  return Parse(*bytes);
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
  return value ? LeadingWhole(*value).value_or(0) : fallback;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  for (const std::string_view part : {section, key, value}) {
    if (part.find_first_of("\r\n") != std::string_view::npos) {
      throw FileError("A line break cannot be written into [" + std::string(section) + "] " +
                      std::string(key) + " of a settings file");
    }
  }
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
  for (const auto& line : lines_) {
    text += line;
    text += eol_;
  }
  switch (encoding_) {
    case Encoding::kBytes:
      return text;
    case Encoding::kUtf8WithMark:
      return "\xEF\xBB\xBF" + text;
    case Encoding::kUtf16LittleEndian:
      return "\xFF\xFE" + Utf8ToUtf16(text, false);
    case Encoding::kUtf16BigEndian:
      return "\xFE\xFF" + Utf8ToUtf16(text, true);
  }
  return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
  WriteFileAtomically(path, Text());
}

}
