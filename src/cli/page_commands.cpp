#include "cli/page_commands.h"

#include <CLI/CLI.hpp>
#include <ostream>

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

CLI::Option* AddYesNoOption(CLI::App& command, const std::string& name, std::string& value,
                            const std::string& help) {
  return command.add_option(name, value, help)
      ->check(CLI::IsMember({"yes", "no", "1", "0", "true", "false"}, CLI::ignore_case))
      ->type_name("B");
}

CLI::Option* AddNameArgument(CLI::App& command, const std::string& name, std::string& value,
                             const std::string& help) {
  return command.add_option(name, value, help)
      ->check(CLI::Validator(
          [](std::string& given) { return Trim(given).empty() ? std::string("a name cannot be empty") : ""; },
          "", "name"));
}

bool IsYes(const std::string& value) {
  return EqualsIgnoringCase(value, "yes") || value == "1" || EqualsIgnoringCase(value, "true");
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
