#include "platform/text.h"

#include <algorithm>
#include <charconv>

namespace wf {

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = ToUpperAscii(c);
  return upper;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ToUpperAscii(x) == ToUpperAscii(y);
         });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string Hex(std::uint64_t value) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, 16);
  return "0x" + ToUpperAscii(std::string_view(digits, error == std::errc() ? end - digits : 0));
}

void AppendCString(std::string& out, std::string_view text) {
  out.append(text.substr(0, text.find('\0')));
}

std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string bytes = path.u8string();
  return std::string(bytes.begin(), bytes.end());
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}
