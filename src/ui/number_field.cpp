#include "ui/number_field.h"

#include <charconv>
#include <cmath>

#include "platform/text.h"

namespace wf::ui {

namespace {

// A leading '+' is allowed; from_chars takes only '-'.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

// Digits after an optional '-': a whole number, however large.
bool IsSignedDigits(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

template <class T>
std::string FormatFixed(T value) {
  char buffer[512];
  const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed);
  if (result.ec != std::errc()) return std::to_string(value);
  std::string text(buffer, result.ptr);
  return text == "-0" ? "0" : text;
}

}

std::string FormatNumber(float value) {
  return FormatFixed(value);
}

std::string FormatNumber(double value) {
  return FormatFixed(value);
}

std::string FormatNumber(std::int64_t value) {
  return std::to_string(value);
}

std::optional<double> ParseDecimal(std::string_view text) {
  text = WithoutPlus(Trim(text));
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> ParseWhole(std::string_view text) {
  text = WithoutPlus(Trim(text));
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> NumberBox::Read(std::string text) {
  text_ = std::move(text);
  std::optional<double> number;
  if (whole_) {
    if (const auto whole = ParseWhole(text_)) number = static_cast<double>(*whole);
  } else {
    number = ParseDecimal(text_);
  }
  valid_ = number && *number >= min_ && *number <= max_;
  if (!valid_) return std::nullopt;
  return number;
}

std::string NumberBox::Problem() const {
  if (valid_) return {};
  const std::string range = std::string(whole_ ? "a whole number" : "a number") + " from " +
                            FormatNumber(min_) + " to " + FormatNumber(max_);
  const std::string_view shown = Trim(text_);
  if (shown.empty()) return std::string(label_) + " is empty. Enter " + range + ".";
  const bool isNumber = whole_ ? IsSignedDigits(WithoutPlus(shown)) : ParseDecimal(shown).has_value();
  return std::string(label_) + ": \"" + std::string(shown) + "\" is " +
         (isNumber ? "out of range" : std::string("not ") + (whole_ ? "a whole number" : "a number")) +
         ". Enter " + range + ".";
}

}
