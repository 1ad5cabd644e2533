#include "archive/windows1252.h"

namespace wf {

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
