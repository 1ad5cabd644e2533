#include "platform/windows1252.h"

namespace wf {

namespace {

// Code points of the bytes 0x80..0x9F. The five bytes that Windows-1252 leaves unassigned map to the
// C1 control of the same number, as the Windows conversion tables do.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The length of the valid UTF-8 sequence at text[i], with its code point in `code`; 0 when none
// starts there: an invalid or overlong sequence, a surrogate, or a sequence that the end of `text`
// cuts off (then `cut` is set).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& code, bool* cut = nullptr) {
  const auto lead = static_cast<unsigned char>(text[i]);
  code = lead;
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // shorter forms are overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= text.size()) {
      if (cut != nullptr) *cut = true;
      return 0;
    }
    const auto next = static_cast<unsigned char>(text[i + k]);
    if (next < low || next > high) return 0;
    low = 0x80;
    high = 0xBF;
    code = code << 6 | (next & 0x3F);
  }
  return length;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | code >> 12);  // Windows-1252 has nothing beyond U+FFFF
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}

char ToWindows1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

char32_t FromWindows1252(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
}

std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const char16_t next = static_cast<char16_t>(bytes[2 * i + 2] | (bytes[2 * i + 3] << 8));
      if (next >= 0xDC00 && next <= 0xDFFF) ++i;  // the pair is one character, and none of 1252
    }
    out.push_back(ToWindows1252(unit));
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char byte : text) AppendUtf8(out, FromWindows1252(byte));
  return out;
}

std::string Utf8ToWindows1252(std::string_view utf8, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  bool exact = true;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, i, code);
    const char byte = length > 0 ? ToWindows1252(code) : '?';
    exact = exact && (byte != '?' || code == U'?');
    out += byte;
    i += length > 0 ? length : 1;
  }
  if (lossless != nullptr) *lossless = exact;
  return out;
}

std::string DisplayUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    if (const std::size_t length = DecodeUtf8(text, i, code); length > 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      AppendUtf8(out, FromWindows1252(text[i]));
      ++i;
    }
  }
  return out;
}

std::size_t CutUtf8Tail(std::string_view text) {
  for (std::size_t k = 1; k <= 3 && k <= text.size(); ++k) {
    char32_t code = 0;
    bool cut = false;
    DecodeUtf8(text, text.size() - k, code, &cut);
    if (cut) return k;
  }
  return 0;
}

}
