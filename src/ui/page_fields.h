#pragma once
// The fields of the pages, each written once. A field's FieldInfo says what it is called, its
// range and unit, and its command-line option; its page's field table (SheetPage::Fields) binds it
// to what the page shows and to the page's handler of an edit. The window's views make, fill and
// bind their widgets by iterating a table; the command line makes its options, feeds the handlers
// and prints the page from it. A number box (NumberField) takes its label and range from its FieldInfo.
//
// A table is written with the makers below, which take the page's members and handlers:
//   NumberBoxField<&CPPlanes::m_nCruiseSpeed, &CPPlanes::OnCruiseSpeedChanged>(CPPlanes::kCruiseSpeed)
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace wf::ui {

class NumberBox;
class SheetPage;

enum class FieldKind {
  kNumber,  // a number box: typed text, read by a NumberField
  kText,    // a text box: typed text (a path, an ident), or a text the page only shows
  kCheck,   // a check box: 0 or 1
  kChoice,  // a choice list: the index of the chosen entry, -1 for none
  kFlags,   // a group of check boxes, one per choice: a mask with bit i for choice i; the box of a
            // choice is named "m_b" followed by the choice, as the page's members are
  kDate,    // a date: a TimeValue at midnight of the day picked
  kSlider,  // a slider: the number of steps from 0 to (max - min) / step
};

struct FieldInfo {
  FieldKind kind;
  const char* name;   // the page's member, and its widget's object name
  const char* label;  // as the page shows it (a check box's own text may end in a colon)
  double min = 0;     // number boxes and sliders: the range
  double max = 0;
  double step = 1;                            // sliders: the value of one step
  const char* unit = "";                      // the value's unit, shown after it; "" when none
  std::span<const char* const> choices = {};  // choice lists and flag groups
  // A choice (or flag) by a name the command line takes; by its text without regard to case when
  // null.
  std::optional<int> (*byName)(std::string_view) = nullptr;
  const char* option = "";  // the command line's option and its value's name ("--cruise KTS")
  const char* help = "";    // its help without the range or the choices; the label when empty
};

// One row of a page's field table. Exactly the accessors of the field's kind are set.
struct PageField {
  const FieldInfo* info;
  const NumberBox* (*box)(const SheetPage&) = nullptr;  // kNumber
  std::string (*text)(const SheetPage&) = nullptr;      // kText, and a slider's value for people
  std::int64_t (*number)(const SheetPage&) = nullptr;   // every other kind
  // The page's handler of an edit: typed text (number and text boxes, and a slider's value as a
  // number of its unit), or a number; null for what the page only shows.
  void (*typed)(SheetPage&, const std::string&) = nullptr;
  void (*set)(SheetPage&, std::int64_t) = nullptr;
  // Whether the field applies to what the page shows now; always when null.
  bool (*applies)(const SheetPage&) = nullptr;

  bool Editable() const { return typed != nullptr || set != nullptr; }
};

// What `field` shows, as text: a box's text, "yes" or "no", a choice's text, the flags' texts from
// the last choice to the first (or "none"), a date as YYYY-MM-DD (weekday), with the unit after it.
std::string FieldText(const SheetPage& page, const PageField& field);
// Whether `field` applies to what `page` shows now.
bool FieldApplies(const SheetPage& page, const PageField& field);

// The value of a command-line option for a field that takes a number (check, choice, flags, date):
// yes/no/1/0/true/false; a choice's name (FieldInfo::byName); such names separated by commas, or
// "none"; a date YYYY-MM-DD that exists. Nothing when `text` is none of these.
std::optional<std::int64_t> ParseFieldValue(const FieldInfo& info, std::string_view text);
// Hands an option's text to the field's handler: typed text as it is, else ParseFieldValue's number.
// False (and nothing handed on) when the text is not a value of the field.
bool FeedField(SheetPage& page, const PageField& field, const std::string& text);
// The help of a field's option: its help (or label), the range and unit, or the choices.
std::string FieldHelp(const FieldInfo& info);

// The fields whose shown value (or whether they apply) changed since the last call, as indexes into
// `fields`: every field at the first call.
class FieldWatch {
 public:
  std::vector<std::size_t> Changed(const SheetPage& page, std::span<const PageField> fields);

 private:
  std::vector<std::string> seen_;
};

// The makers of a table's rows.
namespace field_detail {

template <class>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
  using type = Class;
};
template <auto member>
using PageOf = typename MemberOf<decltype(member)>::type;

// A member's value, or what a member function gives.
template <auto member>
decltype(auto) Get(const PageOf<member>& page) {
  if constexpr (std::is_member_function_pointer_v<decltype(member)>) {
    return (page.*member)();
  } else {
    return (page.*member);
  }
}

// A number as a text box shows it (FormatNumber): a float as a float, so 118.7f shows as "118.7".
std::string ShownNumber(float value);
std::string ShownNumber(double value);
std::string ShownNumber(std::int64_t value);

// The type a handler takes.
template <class>
struct HandlerArgument;
template <class Class, class Argument>
struct HandlerArgument<void (Class::*)(Argument)> {
  using type = Argument;
};

template <auto member>
const PageOf<member>& As(const SheetPage& page) {
  return static_cast<const PageOf<member>&>(page);
}
template <auto member>
PageOf<member>& As(SheetPage& page) {
  return static_cast<PageOf<member>&>(page);
}

}

template <auto box, auto handler>
constexpr PageField NumberBoxField(const FieldInfo& info, bool (*applies)(const SheetPage&) = nullptr) {
  using field_detail::As;
  return {.info = &info,
          .box = [](const SheetPage& page) -> const NumberBox* { return &(As<box>(page).*box); },
          .typed = [](SheetPage& page, const std::string& text) { (As<handler>(page).*handler)(text); },
          .applies = applies};
}

// A text the page shows; with a handler (typed text), a text box.
template <auto member, auto handler = nullptr>
constexpr PageField TextField(const FieldInfo& info, bool (*applies)(const SheetPage&) = nullptr) {
  using field_detail::As;
  PageField field{.info = &info,
                  .text = [](const SheetPage& page) -> std::string {
                    const auto& value = field_detail::Get<member>(As<member>(page));
                    using Value = std::decay_t<decltype(value)>;
                    if constexpr (std::is_floating_point_v<Value>) {
                      return field_detail::ShownNumber(value);
                    } else if constexpr (std::is_integral_v<Value>) {
                      return field_detail::ShownNumber(static_cast<std::int64_t>(value));
                    } else {
                      return value;
                    }
                  },
                  .applies = applies};
  if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>) {
    field.typed = [](SheetPage& page, const std::string& text) { (As<handler>(page).*handler)(text); };
  }
  return field;
}

// A check box, choice list, flag group, date or slider that shows `member` (a value, or what a
// member function gives) and hands an edit to `handler` (a member function taking the value); one
// that only shows without a handler.
template <auto member, auto handler = nullptr>
constexpr PageField ValueField(const FieldInfo& info, bool (*applies)(const SheetPage&) = nullptr) {
  using field_detail::As;
  PageField field{.info = &info,
                  .number = [](const SheetPage& page) -> std::int64_t {
                    return static_cast<std::int64_t>(field_detail::Get<member>(As<member>(page)));
                  },
                  .applies = applies};
  if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>) {
    field.set = [](SheetPage& page, std::int64_t value) {
      using Argument = typename field_detail::HandlerArgument<decltype(handler)>::type;
      (As<handler>(page).*handler)(static_cast<Argument>(value));
    };
  }
  return field;
}

}
