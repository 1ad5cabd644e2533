#include "traffic/number_text.h"

#include <array>
#include <charconv>

namespace wf {

void AppendInt(std::string& out, std::int64_t value) {
  std::array<char, 24> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

void AppendFixed(std::string& out, double value, int precision, int width) {
  // The largest double has 309 integer digits; with sign, point and the decimals the compiler's
  // formats ask for (at most six) this is ample.
  std::array<char, 400> buffer;
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, precision);
  const std::string_view digits(buffer.data(), result.ec == std::errc{} ? result.ptr - buffer.data() : 0);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), ' ');
  out.append(digits);
}

void AppendCString(std::string& out, std::string_view text) {
  out.append(text.substr(0, text.find('\0')));
}

}
