#pragma once
// What the commands over the page models share: opening the main sheet on a page, the options of
// a page's fields, printing them, and the arguments that name stored things. The commands only
// select, feed the page's handlers, apply and print the page's fields; every rule is the page's. A
// page whose apply was refused or failed is not printed: the error says why, and nothing was taken.
#include <deque>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_app.h"
#include "ui/main_sheet.h"

namespace CLI {
class Option;
}

namespace wf::cli {

// Starts the program as `load` does and opens the sheet on `page`. False, after telling the user,
// when a damaged database stopped the start-up.
bool OpenSheet(CommandContext& context, ui::MainSheet& sheet, ui::PageId page);

// The options of a page's fields on one command (ui/page_fields.h): each takes the field's option
// name, value name and help from its FieldInfo; a value that is not one of the field's (a name that is
// no choice, a date that does not exist) is a usage error.
class FieldOptions {
 public:
  // Adds the option of each field of `fields` that has one and that `take` accepts (all when null).
  void Add(CLI::App& command, std::span<const ui::PageField> fields,
           bool (*take)(const ui::PageField&) = nullptr);
  // Hands every option given to its field's handler, in the table's order; true when one was given.
  bool Feed(ui::SheetPage& page) const;
  // The option of the field `info`.
  CLI::Option* Find(const ui::FieldInfo& info) const;

 private:
  struct Given {
    const ui::PageField* field;
    CLI::Option* option;
    std::string text;
  };
  std::deque<Given> given_;  // a deque: the options keep the address of their text
};

// "label: value" lines for `fields` of `page` (FieldText), each after `indent` and with the label
// padded to `width`.
void PrintFields(std::ostream& out, const ui::SheetPage& page, std::span<const ui::PageField> fields,
                 std::size_t width, std::string_view indent = "  ");
// One such line.
void PrintRow(std::ostream& out, std::string_view label, std::string_view value, std::size_t width,
              std::string_view indent = "  ");
// The row of `info` in `page`'s field table.
const ui::PageField& FieldOf(const ui::SheetPage& page, const ui::FieldInfo& info);
// A positional name (a country, an airport, a model, a variation, a node); a name that is empty or
// only blanks is a usage error, so that it can never stand for "everything".
CLI::Option* AddNameArgument(CLI::App& command, const std::string& name, std::string& value,
                             const std::string& help);
const char* YesNo(bool value);

// For an argument that names something the databases store (an airport, a place, a model, a
// variation): the command line's UTF-8 becomes the databases' Windows-1252. A name with a letter that
// the code page lacks stays as typed (no stored name can equal it then).
CLI::Option* TakesStoredName(CLI::Option* option);

// "wingfold: did you mean "A" or "B"?" on `err` when some of `names` lie near `wanted`
// (ui::ClosestNames); nothing otherwise.
void SuggestNames(std::ostream& err, std::string_view wanted, const std::vector<std::string>& names);

// The exit status of an apply: 0 when everything was applied and saved, 1 otherwise (the page has
// said why).
int ApplyStatus(bool applied);
// The same for a page that asks: a question answered No also gives 1, since what was asked was not
// stored as given; the user is told so.
int ApplyStatus(CommandContext& context, const ui::SheetPage& page, bool applied);

}
