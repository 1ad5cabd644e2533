// Commands of the Flightplan generation and Settings pages: flightplan, fees assign, settings.
#include <CLI/CLI.hpp>
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

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// YYYY-MM-DD, a day that exists.
std::optional<TimeValue> ParseDate(const std::string& text) {
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

std::string DateText(TimeValue date) {
  const CalendarFields f = SplitTime(date);
  return IsoDate(f) + " (" + kWeekdays[f.weekday] + ")";
}

// KIND=AMOUNT: the parking kind and the amount's text.
std::optional<std::pair<int, std::string>> ParkingFee(const std::string& text) {
  const std::size_t equals = text.rfind('=');
  if (equals == std::string::npos) return std::nullopt;
  const std::optional<int> kind = ui::ParkingKindByName(Trim(std::string_view(text).substr(0, equals)));
  if (!kind) return std::nullopt;
  return std::make_pair(*kind, text.substr(equals + 1));
}

struct FlightplanOptions {
  std::string category, maxHours, minHours, ifr, tng, night, date, ilsFee, lightsFee, crossCountryFee,
      runwayFee;
  std::vector<std::string> parkingFees;
  CLI::Option *categoryOption = nullptr, *maxHoursOption = nullptr, *minHoursOption = nullptr,
              *ifrOption = nullptr, *tngOption = nullptr, *nightOption = nullptr, *dateOption = nullptr,
              *ilsFeeOption = nullptr, *lightsFeeOption = nullptr, *crossCountryFeeOption = nullptr,
              *runwayFeeOption = nullptr;
};

void PrintCategory(std::ostream& out, const CPFlightplan& page) {
  out << "Category " << ui::kCategoryListNames[page.selectedCategory] << "\n"
      << "  maximum Flight time (h):            " << page.maxHours.text() << "\n"
      << "  minimum Flight time (h):            " << page.minHours.text() << "\n"
      << "  IFR percentage:                     " << page.ifrValue.text() << "\n"
      << "  T&G percentage:                     " << page.touchAndGoValue.text() << "\n"
      << "  Night (NVFR/IFR) flight percentage: " << page.nightValue.text() << "\n";
}

// The page's values: the date, the categories (all, or the selected one), the fee of every parking
// kind, the other fees. Selecting a category or kind only shows it; nothing is applied here.
void PrintFlightplan(std::ostream& out, CPFlightplan& page, bool allCategories) {
  out << "Month for Flightplan generation: " << DateText(page.pickedDate) << "\n";
  if (allCategories) {
    for (int c = 0; c < kCategoryCount; ++c) {
      page.OnCategorySelected(c);
      PrintCategory(out, page);
    }
  } else {
    PrintCategory(out, page);
  }
  out << "parking fees\n";
  for (int k = 0; k < ui::kParkingKindCount; ++k) {
    page.OnParkingKindSelected(k);
    out << "  " << ui::kParkingKindNames[k] << ": "
        << std::string(16 - std::string(ui::kParkingKindNames[k]).size(), ' ') << page.parkingFeeValue.text()
        << "\n";
  }
  out << "Airport fees\n"
      << "  ILS:                 " << page.ilsValue.text() << "\n"
      << "  Night equipment:     " << page.lightsValue.text() << "\n"
      << "  cross country:       " << page.crossCountryValue.text() << "\n"
      << "  per1000 feet runway: " << page.runwayValue.text() << "\n";
}

int RunFlightplan(CommandContext& context, const FlightplanOptions& o) {
  Session& session = context.StartWritingSession("flightplan");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kFlightplan)) return 1;
  CPFlightplan& page = sheet.flightplan;
  const bool oneCategory = o.categoryOption->count() > 0;
  if (oneCategory) page.OnCategorySelected(*ui::CategoryByName(o.category));

  bool edited = false;
  const auto feed = [&edited](const CLI::Option* option, const std::string& text, auto handler) {
    if (option->count() == 0) return;
    handler(text);
    edited = true;
  };
  feed(o.maxHoursOption, o.maxHours, [&page](const std::string& t) { page.OnMaxHoursChanged(t); });
  feed(o.minHoursOption, o.minHours, [&page](const std::string& t) { page.OnMinHoursChanged(t); });
  feed(o.ifrOption, o.ifr, [&page](const std::string& t) { page.OnIfrChanged(t); });
  feed(o.tngOption, o.tng, [&page](const std::string& t) { page.OnTouchAndGoChanged(t); });
  feed(o.nightOption, o.night, [&page](const std::string& t) { page.OnNightChanged(t); });
  feed(o.dateOption, o.date, [&page](const std::string& t) { page.OnDateChanged(*ParseDate(t)); });
  feed(o.ilsFeeOption, o.ilsFee, [&page](const std::string& t) { page.OnIlsFeeChanged(t); });
  feed(o.lightsFeeOption, o.lightsFee, [&page](const std::string& t) { page.OnLightsFeeChanged(t); });
  feed(o.crossCountryFeeOption, o.crossCountryFee,
       [&page](const std::string& t) { page.OnCrossCountryFeeChanged(t); });
  feed(o.runwayFeeOption, o.runwayFee, [&page](const std::string& t) { page.OnRunwayFeeChanged(t); });

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
      session.prompter->Message(problem, MessageIcon::kWarning);
      applied = false;
      break;
    }
  }
  if (applied && o.parkingFees.empty() && edited) applied = sheet.Apply();
  for (std::size_t i = 0; applied && i < o.parkingFees.size(); ++i) {
    feedParkingFee(o.parkingFees[i]);
    applied = sheet.Apply();
  }
  PrintFlightplan(context.out(), page, !oneCategory);
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

struct SettingsOptions {
  std::string percentage, simPath, toolsPath, maxWeight;
  CLI::Option *percentageOption = nullptr, *simPathOption = nullptr, *toolsPathOption = nullptr,
              *maxWeightOption = nullptr;
};

int RunSettings(CommandContext& context, const SettingsOptions& o) {
  Session& session = context.StartWritingSession("settings");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kSettings)) return 1;
  ui::CPSettings& page = sheet.settings;
  bool edited = false;
  if (o.percentageOption->count() > 0) {
    const std::string problem = page.OnPercentageText(o.percentage);
    if (!problem.empty()) {
      session.prompter->Message(problem, MessageIcon::kWarning);
      return 1;
    }
    edited = true;
  }
  if (o.toolsPathOption->count() > 0) {
    page.OnToolsPathChanged(o.toolsPath);
    edited = true;
  }
  if (o.simPathOption->count() > 0) {
    page.OnSimPathChanged(o.simPath);
    edited = true;
  }
  if (o.maxWeightOption->count() > 0) {
    page.OnMaxWeightChanged(o.maxWeight);
    edited = true;
  }
  const bool applied = !edited || sheet.Apply();
  context.out() << "Percent of GA parking spaces used for GA Traffic generation: " << page.Percentage()
                << "\n"
                << "Binary path:        " << page.toolsPath << "\n"
                << "FSX path:           " << page.simPath << "\n"
                << "Max GA weight (kg): " << page.maxWeight.text() << "\n";
  return ApplyStatus(applied);
}

CLI::Validator Checked(std::function<bool(const std::string&)> valid, std::string what) {
  return CLI::Validator(
      [valid, what](std::string& value) {
        return valid(value) ? std::string() : "not " + what + ": \"" + value + "\"";
      },
      "", what);
}

}

std::vector<CommandRegistration> AddSettingsPageCommands(CLI::App& app) {
  std::vector<CommandRegistration> commands;

  auto* flightplan = app.add_subcommand(
      "flightplan", "Show or change the flight plan settings of a category, the start date and the fees");
  auto fp = std::make_shared<FlightplanOptions>();
  fp->categoryOption =
      flightplan
          ->add_option(
              "--category", fp->category,
              "The category shown and changed: privat, club, students, rental, buisiness or taxi (default: "
              "taxi; shows all when not given)")
          ->type_name("NAME")
          ->check(
              Checked([](const std::string& v) { return ui::CategoryByName(v).has_value(); }, "a category"));
  fp->maxHoursOption =
      flightplan->add_option("--max-hours", fp->maxHours, "maximum Flight time, 0.25-12")->type_name("H");
  fp->minHoursOption =
      flightplan->add_option("--min-hours", fp->minHours, "minimum Flight time, 0-11")->type_name("H");
  fp->ifrOption = flightplan->add_option("--ifr", fp->ifr, "IFR percentage, 0-100")->type_name("P");
  fp->tngOption = flightplan->add_option("--tng", fp->tng, "Touch-and-go percentage, 0-100")->type_name("P");
  fp->nightOption = flightplan->add_option("--night", fp->night, "Night (NVFR/IFR) flight percentage, 0-100")
                        ->type_name("P");
  fp->dateOption = flightplan
                       ->add_option("--date", fp->date,
                                    "Month for Flightplan generation: the day picked; a Sunday is stored")
                       ->type_name("YYYY-MM-DD")
                       ->check(Checked([](const std::string& v) { return ParseDate(v).has_value(); },
                                       "a date YYYY-MM-DD"));
  flightplan
      ->add_option(
          "--parking-fee", fp->parkingFees,
          "Fee of a parking kind (small_GA_RAMP, medium_GA_RAMP, large_GA_RAMP, CARGO, military_CARGO, "
          "military_RAMP, small_Gate, medium_Gate, large_Gate, Dock), 0-5000; may be repeated")
      ->type_name("KIND=AMOUNT")
      ->check(Checked([](const std::string& v) { return ParkingFee(v).has_value(); }, "KIND=AMOUNT"));
  fp->ilsFeeOption = flightplan->add_option("--ils-fee", fp->ilsFee, "ILS fee, 0-1000")->type_name("X");
  fp->lightsFeeOption =
      flightplan->add_option("--lights-fee", fp->lightsFee, "Night equipment fee, 0-1000")->type_name("X");
  fp->crossCountryFeeOption =
      flightplan->add_option("--cross-country-fee", fp->crossCountryFee, "cross country fee, 0-1000")
          ->type_name("X");
  fp->runwayFeeOption =
      flightplan->add_option("--runway-fee", fp->runwayFee, "fee per 1000 feet of runway, 0-1000")
          ->type_name("X");
  commands.push_back({flightplan, [fp](CommandContext& context) { return RunFlightplan(context, *fp); }});

  auto* fees = app.add_subcommand("fees", "Landing fees of all airports");
  fees->require_subcommand(1);
  fees->add_subcommand("assign", "Give every airport whose fee was not set by hand its normal landing fee");
  commands.push_back({fees, RunAssignFees});

  auto* settings = app.add_subcommand(
      "settings", "Show or change the GA percentage, the two folders and the maximum GA weight");
  auto so = std::make_shared<SettingsOptions>();
  so->percentageOption = settings
                             ->add_option("--ga-percentage", so->percentage,
                                          "Percent of GA parking spaces used, 0-150 in steps of 10")
                             ->type_name("N");
  so->simPathOption = settings->add_option("--sim-path", so->simPath, "FSX path")->type_name("DIR");
  so->toolsPathOption =
      settings->add_option("--tools-path", so->toolsPath, "Binary path (the traffic compiler's folder)")
          ->type_name("DIR");
  so->maxWeightOption =
      settings->add_option("--max-weight", so->maxWeight, "Max GA weight (kg), 5000-30000")->type_name("KG");
  commands.push_back({settings, [so](CommandContext& context) { return RunSettings(context, *so); }});
  return commands;
}

}
