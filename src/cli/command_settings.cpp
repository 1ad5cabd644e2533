// Commands of the Flightplan generation and Settings pages: flightplan, fees assign, settings.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/page_commands.h"
#include "platform/calendar.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace wf::cli {

namespace {

using ui::CPFlightplan;

// KIND=AMOUNT: the parking kind and the amount's text.
std::optional<std::pair<int, std::string>> ParkingFee(const std::string& text) {
  const std::size_t equals = text.rfind('=');
  if (equals == std::string::npos) return std::nullopt;
  const std::optional<int> kind =
      CPFlightplan::kParkingKind.byName(Trim(std::string_view(text).substr(0, equals)));
  if (!kind) return std::nullopt;
  return std::make_pair(*kind, text.substr(equals + 1));
}

struct FlightplanOptions {
  FieldOptions fields;
  std::vector<std::string> parkingFees;
};

// The fields of the page's table from `first` to `last`.
std::span<const ui::PageField> FieldsFrom(const ui::SheetPage& page, const ui::FieldInfo& first,
                                          const ui::FieldInfo& last) {
  return {&FieldOf(page, first), &FieldOf(page, last) + 1};
}

// The page's values: the date, the categories (all, or the selected one), the fee of every parking
// kind, the other fees. Selecting a category or kind only shows it; nothing is applied here.
void PrintFlightplan(std::ostream& out, CPFlightplan& page, bool allCategories) {
  PrintFields(out, page, FieldsFrom(page, CPFlightplan::kPickedDate, CPFlightplan::kPickedDate), 0, "");
  const int first = allCategories ? 0 : page.selectedCategory;
  for (int c = first; c < (allCategories ? kCategoryCount : first + 1); ++c) {
    page.OnCategorySelected(c);
    out << CPFlightplan::kCategory.label << " " << CPFlightplan::kCategory.choices[c] << "\n";
    PrintFields(out, page, FieldsFrom(page, CPFlightplan::kMaxHours, CPFlightplan::kNight), 36);
  }
  out << CPFlightplan::kParkingFee.label << "\n";
  for (std::size_t k = 0; k < CPFlightplan::kParkingKind.choices.size(); ++k) {
    page.OnParkingKindSelected(static_cast<int>(k));
    PrintRow(out, CPFlightplan::kParkingKind.choices[k],
             ui::FieldText(page, FieldOf(page, CPFlightplan::kParkingFee)), 18);
  }
  PrintFields(out, page, FieldsFrom(page, CPFlightplan::kIlsFee, CPFlightplan::kRunwayFee), 21, "");
}

int RunFlightplan(CommandContext& context, const FlightplanOptions& o) {
  Session& session = context.StartWritingSession("flightplan");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kFlightplan)) return 1;
  CPFlightplan& page = sheet.flightplan;
  const bool oneCategory = o.fields.Find(CPFlightplan::kCategory)->count() > 0;
  const bool edited = o.fields.Feed(page) && page.IsModified();

  // The page edits one parking kind at a time, so each kind is applied in turn; every kind is fed
  // and checked first, so that a refused one applies nothing at all.
  const auto feedParkingFee = [&page](const std::string& fee) {
    const auto [kind, amount] = *ParkingFee(fee);
    page.OnParkingKindSelected(kind);
    page.OnParkingFeeChanged(amount);
  };
  bool applied = true;
  for (const std::string& fee : o.parkingFees) {
    feedParkingFee(fee);
    if (const std::string problem = page.Problem(); !problem.empty()) {
      session.prompter->Message(problem, MessageIcon::kStop);
      applied = false;
      break;
    }
  }
  if (applied && o.parkingFees.empty() && edited) applied = sheet.Apply();
  for (std::size_t i = 0; applied && i < o.parkingFees.size(); ++i) {
    feedParkingFee(o.parkingFees[i]);
    applied = sheet.Apply();
  }
  if (applied) PrintFlightplan(context.out(), page, !oneCategory);
  return ApplyStatus(applied);
}

int RunAssignFees(CommandContext& context) {
  Session& session = context.StartWritingSession("fees assign");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kFlightplan)) return 1;
  const CPFlightplan::FeeAssignment assignment = sheet.flightplan.OnAssignFees();
  context.out() << "Normal landing fee assigned to " << assignment.airports
                << " airports (fees set by hand are kept)\n"
                << "  airport database saved: " << YesNo(assignment.saved) << "\n";
  return ApplyStatus(assignment.saved);
}

int RunSettings(CommandContext& context, const FieldOptions& options) {
  Session& session = context.StartWritingSession("settings");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kSettings)) return 1;
  ui::CPSettings& page = sheet.settings;
  const bool applied = !options.Feed(page) || !page.IsModified() || sheet.Apply();
  if (applied) PrintFields(context.out(), page, page.Fields(), 20, "");
  return ApplyStatus(applied);
}

}

std::vector<CommandRegistration> AddSettingsPageCommands(CLI::App& app) {
  std::vector<CommandRegistration> commands;

  auto* flightplan = app.add_subcommand(
      "flightplan", "Show or change the flight plan settings of a category, the start date and the fees");
  auto fp = std::make_shared<FlightplanOptions>();
  fp->fields.Add(*flightplan, CPFlightplan::FieldTable());
  const ui::FieldInfo& kinds = CPFlightplan::kParkingKind;
  std::string kindNames;
  for (const char* kind : kinds.choices) {
    std::string name = kind;
    std::replace(name.begin(), name.end(), ' ', '_');
    kindNames += (kindNames.empty() ? "" : ", ") + name;
  }
  flightplan
      ->add_option("--parking-fee", fp->parkingFees,
                   std::string(kinds.label) + " (" + kindNames +
                       ") = " + ui::FieldHelp(CPFlightplan::kParkingFee) + "; may be repeated")
      ->type_name("KIND=AMOUNT")
      ->check(CLI::Validator(
          [](std::string& value) {
            return ParkingFee(value) ? std::string() : "not KIND=AMOUNT: \"" + value + "\"";
          },
          "", "KIND=AMOUNT"));
  commands.push_back({flightplan, [fp](CommandContext& context) { return RunFlightplan(context, *fp); }});

  auto* fees = app.add_subcommand("fees", "Landing fees of all airports");
  fees->require_subcommand(1);
  fees->add_subcommand("assign", "Give every airport whose fee was not set by hand its normal landing fee");
  commands.push_back({fees, RunAssignFees});

  auto* settings = app.add_subcommand(
      "settings", "Show or change the GA percentage, the two folders and the maximum GA weight");
  auto so = std::make_shared<FieldOptions>();
  so->Add(*settings, ui::CPSettings::FieldTable());
  commands.push_back({settings, [so](CommandContext& context) { return RunSettings(context, *so); }});
  return commands;
}

}
