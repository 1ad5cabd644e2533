#include "platform/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace wf {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The white space that formatted input skips (isspace in the C locale).
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips white space and a sign; returns the position after them.
std::size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
  std::size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// from_chars never writes more: the widest double has 309 integer digits, the shortest exact
// fixed form of the smallest one 324 decimals.
constexpr std::size_t kNumberBuffer = 800;

template <class T>
std::string Shortest(T value) {
  std::array<char, kNumberBuffer> buffer;
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  const std::string_view text(buffer.data(), error == std::errc() ? end - buffer.data() : 0);
  return text == "-0" ? "0" : std::string(text);
}

}

std::optional<double> ParseDecimal(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> ParseWhole(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> LeadingDecimal(std::string_view text, std::size_t* end) {
  bool negative = false;
  const std::size_t mantissa = SkipSpaceAndSign(text, negative);
  // Significant digits before the point decide, with the exponent, whether a value beyond the
  // range is huge or tiny.
  const std::size_t firstSignificant = text.find_first_not_of('0', mantissa);
  std::size_t pos = SkipDigits(text, mantissa);
  const long long integerDigits = firstSignificant < pos ? static_cast<long long>(pos - firstSignificant) : 0;
  std::size_t digits = pos - mantissa;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fraction = pos + 1;
    pos = SkipDigits(text, fraction);
    digits += pos - fraction;
  }
  if (digits == 0) return std::nullopt;
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t e = pos + 1;
    const bool negativeExponent = e < text.size() && text[e] == '-';
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      for (; e < text.size() && IsDigit(text[e]); ++e) {
        if (exponent < 100000) exponent = exponent * 10 + (text[e] - '0');
      }
      if (negativeExponent) exponent = -exponent;
      pos = e;
    }
  }
  double value = 0.0;
  const auto [last, error] = std::from_chars(text.data() + mantissa, text.data() + pos, value);
  if (error == std::errc::result_out_of_range) {
    value = integerDigits + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || last != text.data() + pos) {
    return std::nullopt;
  }
  if (end != nullptr) *end = pos;
  return negative ? -value : value;
}

std::optional<std::int64_t> LeadingWhole(std::string_view text, std::size_t* end) {
  bool negative = false;
  const std::size_t start = SkipSpaceAndSign(text, negative);
  const std::size_t stop = SkipDigits(text, start);
  if (stop == start) return std::nullopt;
  // Accumulated toward the sign's side, so that the smallest value is reached as well.
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (std::size_t i = start; i < stop; ++i) {
    const int digit = text[i] - '0';
    if (negative ? value < (kMin + digit) / 10 : value > (kMax - digit) / 10) {
      value = negative ? kMin : kMax;
      break;
    }
    value = value * 10 + (negative ? -digit : digit);
  }
  if (end != nullptr) *end = stop;
  return value;
}

std::string FormatNumber(double value) {
  return Shortest(value);
}

std::string FormatNumber(float value) {
  // The shortest text of the float, not of the double it widens to ("98.6", not "98.59999847").
  return Shortest(value);
}

void AppendFixed(std::string& out, double value, int precision, int width) {
  std::array<char, kNumberBuffer> buffer;
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, precision);
  const std::string_view digits(buffer.data(), error == std::errc() ? end - buffer.data() : 0);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), ' ');
  out.append(digits);
}

std::string FormatFixed(double value, int precision, int width) {
  std::string text;
  AppendFixed(text, value, precision, width);
  return text;
}

std::string FormatGeneral(double value, int precision) {
  std::array<char, kNumberBuffer> buffer;
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::general, precision);
  return std::string(buffer.data(), error == std::errc() ? end : buffer.data());
}

void AppendWhole(std::string& out, std::int64_t value) {
  std::array<char, 24> buffer;
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), end);
}

std::string FormatWhole(std::int64_t value, int width) {
  std::string text;
  AppendWhole(text, value);
  if (static_cast<int>(text.size()) < width) text.insert(value < 0 ? 1 : 0, width - text.size(), '0');
  return text;
}

}
