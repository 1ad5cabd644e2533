#include "cli/page_commands.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "platform/text.h"

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
