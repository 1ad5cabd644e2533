#pragma once
// Number boxes of the pages. A box holds the text the user typed and the number it stands for. A
// text that is not a number, or lies outside the box's range, is kept as text but never becomes the
// value: the box is then invalid, and its problem names the box and its range, so that the page's
// apply can refuse it and change nothing.
//
// A box reads its number with ParseDecimal or ParseWhole (platform/numbers.h) from what was typed
// without blanks around it and without a leading '+'. Whole-number boxes take no decimal point or
// exponent.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/numbers.h"
#include "ui/page_fields.h"

namespace wf::ui {

// The number part of a typed text, as a box takes it: blanks around it and one leading '+' dropped.
std::string_view TypedNumber(std::string_view typed);

class NumberBox {
 public:
  // The box of the field `info` (its label and range).
  NumberBox(const FieldInfo& info, bool whole) noexcept
      : label_(info.label), min_(info.min), max_(info.max), whole_(whole) {}

  const std::string& text() const { return text_; }
  bool valid() const { return valid_; }
  const char* label() const { return label_; }
  double min() const { return min_; }
  double max() const { return max_; }

  // Empty while the text stands for a number in range; otherwise what is wrong and what to type.
  std::string Problem() const;

 protected:
  // Takes a typed text; the number it stands for, or nothing when it is refused.
  std::optional<double> Read(std::string text);
  void Shown(std::string text) {
    text_ = std::move(text);
    valid_ = true;
  }

 private:
  const char* label_;
  double min_;
  double max_;
  bool whole_;
  std::string text_;
  bool valid_ = true;
};

// A number box holding a T: `value` is the last number that was valid.
template <class T>
class NumberField : public NumberBox {
 public:
  explicit NumberField(const FieldInfo& info) noexcept : NumberBox(info, !std::is_floating_point_v<T>) {}

  T value{};

  // The page shows `v`: value and text agree, and the box is valid.
  void Show(T v) {
    value = v;
    if constexpr (std::is_floating_point_v<T>) {
      Shown(FormatNumber(v));
    } else {
      Shown(FormatWhole(static_cast<std::int64_t>(v)));
    }
  }
  // The user typed `typed`. True when it was taken as the new value; false when it was refused
  // (value unchanged, box invalid).
  bool SetText(std::string typed) {
    const std::optional<double> number = Read(std::move(typed));
    if (!number) return false;
    value = static_cast<T>(*number);
    return true;
  }
};

}
