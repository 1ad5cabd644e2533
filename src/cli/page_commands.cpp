#include "cli/page_commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <stdexcept>

#include "platform/text.h"
#include "platform/windows1252.h"
#include "ui/search_text.h"

namespace wf::cli {

bool OpenSheet(CommandContext& context, ui::MainSheet& sheet, ui::PageId page) {
  const StartupSequenceResult startup = sheet.Open({}, page);
  if (!startup.stoppedByDamage) return true;
  context.err() << "wingfold: a damaged database stopped the start-up; nothing was changed\n";
  return false;
}

void FieldOptions::Add(CLI::App& command, std::span<const ui::PageField> fields,
                       bool (*take)(const ui::PageField&)) {
  for (const ui::PageField& field : fields) {
    const ui::FieldInfo& info = *field.info;
    if (*info.option == '\0' || (take != nullptr && !take(field))) continue;
    const std::string_view option = info.option;
    const std::size_t blank = option.find(' ');
    Given& given = given_.emplace_back(Given{&field, nullptr, {}});
    given.option = command.add_option(std::string(option.substr(0, blank)), given.text, ui::FieldHelp(info));
    if (blank != std::string_view::npos) given.option->type_name(std::string(option.substr(blank + 1)));
    if (field.typed != nullptr) continue;
    given.option->check(CLI::Validator(
        [&info](std::string& value) {
          return ui::ParseFieldValue(info, value)
                     ? std::string()
                     : "not a value of " + std::string(info.label) + ": \"" + value + "\"";
        },
        "", info.label));
  }
}

bool FieldOptions::Feed(ui::SheetPage& page) const {
  bool fed = false;
  for (const Given& given : given_) {
    if (given.option->count() == 0) continue;
    ui::FeedField(page, *given.field, given.text);
    fed = true;
  }
  return fed;
}

CLI::Option* FieldOptions::Find(const ui::FieldInfo& info) const {
  for (const Given& given : given_) {
    if (given.field->info == &info) return given.option;
  }
  return nullptr;
}

void PrintRow(std::ostream& out, std::string_view label, std::string_view value, std::size_t width,
              std::string_view indent) {
  std::string row(label);
  if (!row.empty() && row.back() == ':') row.pop_back();
  row += ':';
  row.resize(std::max(row.size() + 1, width), ' ');
  out << indent << row << value << "\n";
}

void PrintFields(std::ostream& out, const ui::SheetPage& page, std::span<const ui::PageField> fields,
                 std::size_t width, std::string_view indent) {
  for (const ui::PageField& field : fields) {
    // A fact that does not apply to what the page shows has nothing to say.
    if (!field.Editable() && !ui::FieldApplies(page, field)) continue;
    PrintRow(out, field.info->label, ui::FieldText(page, field), width, indent);
  }
}

const ui::PageField& FieldOf(const ui::SheetPage& page, const ui::FieldInfo& info) {
  for (const ui::PageField& field : page.Fields()) {
    if (field.info == &info) return field;
  }
  throw std::logic_error(std::string("no field ") + info.name);
}

CLI::Option* AddNameArgument(CLI::App& command, const std::string& name, std::string& value,
                             const std::string& help) {
  return command.add_option(name, value, help)
      ->check(CLI::Validator(
          [](std::string& given) { return Trim(given).empty() ? std::string("a name cannot be empty") : ""; },
          "", "name"));
}

const char* YesNo(bool value) {
  return value ? "yes" : "no";
}

CLI::Option* TakesStoredName(CLI::Option* option) {
  return option->transform([](std::string value) {
    bool lossless = false;
    std::string stored = Utf8ToWindows1252(value, &lossless);
    return lossless ? stored : value;
  });
}

void SuggestNames(std::ostream& err, std::string_view wanted, const std::vector<std::string>& names) {
  const std::vector<std::string> closest = ui::ClosestNames(wanted, names);
  if (closest.empty()) return;
  err << "wingfold: did you mean";
  for (std::size_t i = 0; i < closest.size(); ++i) {
    err << (i == 0 ? " \"" : i + 1 == closest.size() ? " or \"" : ", \"") << closest[i] << "\"";
  }
  err << "?\n";
}

int ApplyStatus(bool applied) {
  return applied ? 0 : 1;
}

int ApplyStatus(CommandContext& context, const ui::SheetPage& page, bool applied) {
  if (!applied) return 1;
  if (!page.AnsweredNo()) return 0;
  context.err() << "wingfold: a question was answered No, so not everything was changed as given (with no "
                   "terminal, --yes answers Yes)\n";
  return 1;
}

}
