#include "ui/number_field.h"

#include "platform/text.h"

namespace wf::ui {

namespace {

// Digits after an optional '-': a whole number, however large.
bool IsSignedDigits(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}

std::string_view TypedNumber(std::string_view typed) {
  typed = Trim(typed);
  if (typed.size() > 1 && typed.front() == '+' && typed[1] != '-') typed.remove_prefix(1);
  return typed;
}

std::optional<double> NumberBox::Read(std::string text) {
  text_ = std::move(text);
  std::optional<double> number;
  if (whole_) {
    if (const auto whole = ParseWhole(TypedNumber(text_))) number = static_cast<double>(*whole);
  } else {
    number = ParseDecimal(TypedNumber(text_));
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
  const bool isNumber =
      whole_ ? IsSignedDigits(TypedNumber(shown)) : ParseDecimal(TypedNumber(shown)).has_value();
  return std::string(label_) + ": \"" + std::string(shown) + "\" is " +
         (isNumber ? "out of range" : std::string("not ") + (whole_ ? "a whole number" : "a number")) +
         ". Enter " + range + ".";
}

}
