#include "ui/page_fields.h"

#include "platform/calendar.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "ui/sheet_page.h"

namespace wf::ui {

namespace {

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// A unit spelled as a plural word ("hours") is singular after a value of one.
std::string WithUnit(std::string text, const FieldInfo& info) {
  if (*info.unit == '\0') return text;
  std::string_view unit = info.unit;
  if (text == "1" && unit.size() > 3 && unit.ends_with('s')) unit.remove_suffix(1);
  return text + " " + std::string(unit);
}

// YYYY-MM-DD, a day that exists.
std::optional<TimeValue> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = ParseWhole(text.substr(0, 4));
  const auto month = ParseWhole(text.substr(5, 2));
  const auto day = ParseWhole(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  const TimeValue date = MakeTime(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
  const CalendarFields f = SplitTime(date);
  if (date == kInvalidTime || f.year != *year || f.month != *month || f.day != *day) return std::nullopt;
  return date;
}

std::optional<int> ChoiceByName(const FieldInfo& info, std::string_view name) {
  if (info.byName != nullptr) return info.byName(name);
  for (std::size_t i = 0; i < info.choices.size(); ++i) {
    if (EqualsIgnoringCase(name, info.choices[i])) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::string Joined(std::span<const char* const> names, const char* separator) {
  std::string text;
  for (const char* name : names) text += (text.empty() ? "" : separator) + std::string(name);
  return text;
}

}

namespace field_detail {

std::string ShownNumber(float value) {
  return FormatNumber(value);
}

std::string ShownNumber(double value) {
  return FormatNumber(value);
}

std::string ShownNumber(std::int64_t value) {
  return FormatWhole(value);
}

}

std::string FieldText(const SheetPage& page, const PageField& field) {
  const FieldInfo& info = *field.info;
  if (field.box != nullptr) return WithUnit(field.box(page)->text(), info);
  if (field.text != nullptr) return WithUnit(field.text(page), info);
  const std::int64_t value = field.number != nullptr ? field.number(page) : 0;
  switch (info.kind) {
    case FieldKind::kCheck:
      return value != 0 ? "yes" : "no";
    case FieldKind::kChoice:
      if (value < 0 || value >= static_cast<std::int64_t>(info.choices.size())) return "none";
      return std::string(info.choices[value]) + " (" + FormatWhole(value) + ")";
    case FieldKind::kFlags: {
      std::string text;
      for (std::size_t i = info.choices.size(); i-- > 0;) {
        if ((value >> i) & 1) text += (text.empty() ? "" : ", ") + std::string(info.choices[i]);
      }
      return text.empty() ? "none" : text;
    }
    case FieldKind::kDate: {
      const CalendarFields f = SplitTime(value);
      return IsoDate(f) + " (" + kWeekdays[f.weekday] + ")";
    }
    default:
      return WithUnit(FormatWhole(value), info);
  }
}

bool FieldApplies(const SheetPage& page, const PageField& field) {
  return field.applies == nullptr || field.applies(page);
}

std::optional<std::int64_t> ParseFieldValue(const FieldInfo& info, std::string_view text) {
  switch (info.kind) {
    case FieldKind::kCheck:
      for (const char* yes : {"yes", "1", "true"}) {
        if (EqualsIgnoringCase(text, yes)) return 1;
      }
      for (const char* no : {"no", "0", "false"}) {
        if (EqualsIgnoringCase(text, no)) return 0;
      }
      return std::nullopt;
    case FieldKind::kChoice:
      return ChoiceByName(info, Trim(text));
    case FieldKind::kFlags: {
      std::int64_t mask = 0;
      if (EqualsIgnoringCase(Trim(text), "none")) return mask;
      for (std::size_t start = 0; start <= text.size();) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        const std::string_view name = Trim(text.substr(start, comma - start));
        if (!name.empty()) {
          const std::optional<int> choice = ChoiceByName(info, name);
          if (!choice) return std::nullopt;
          mask |= std::int64_t{1} << *choice;
        }
        start = comma + 1;
      }
      return mask;
    }
    case FieldKind::kDate:
      return ParseDate(text);
    default:
      return std::nullopt;
  }
}

bool FeedField(SheetPage& page, const PageField& field, const std::string& text) {
  if (field.typed != nullptr) {
    field.typed(page, text);
    return true;
  }
  const std::optional<std::int64_t> value = ParseFieldValue(*field.info, text);
  if (!value || field.set == nullptr) return false;
  field.set(page, *value);
  return true;
}

std::string FieldHelp(const FieldInfo& info) {
  std::string help = *info.help != '\0' ? info.help : info.label;
  if (help.ends_with(':')) help.pop_back();
  switch (info.kind) {
    case FieldKind::kNumber:
    case FieldKind::kSlider:
      help += ", " + FormatNumber(info.min) + "-" + FormatNumber(info.max);
      if (*info.unit != '\0') help += std::string(" ") + info.unit;
      if (info.kind == FieldKind::kSlider) help += " in steps of " + FormatNumber(info.step);
      return help;
    case FieldKind::kChoice:
      return help + ": " + Joined(info.choices, ", ");
    case FieldKind::kFlags:
      return help + ": " + Joined(info.choices, ", ") + ", or none";
    default:
      return help;
  }
}

std::vector<std::size_t> FieldWatch::Changed(const SheetPage& page, std::span<const PageField> fields) {
  std::vector<std::size_t> changed;
  seen_.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    // Whether the field applies is part of what it shows.
    std::string shown = (FieldApplies(page, fields[i]) ? "+" : "-") + FieldText(page, fields[i]);
    if (shown == seen_[i] && !seen_[i].empty()) continue;
    seen_[i] = std::move(shown);
    changed.push_back(i);
  }
  return changed;
}

}
