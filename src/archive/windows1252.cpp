#include "archive/windows1252.h"

namespace wf {

namespace {
// Code points of the bytes 0x80..0x9F. The five bytes that Windows-1252 leaves unassigned map to the
// C1 control of the same number, as the Windows conversion tables do.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
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

}
