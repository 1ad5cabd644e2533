// Commands of the traffic run: generate, check and report.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "app/traffic_report.h"
#include "cli/page_commands.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf::cli {

namespace {

// Writes the report and says where; false (with the reason on stderr) when no page was written.
bool Report(CommandContext& context, Session& session, const std::string& output) {
  const TrafficReportResult report =
      WriteTrafficReport(session, output.empty() ? std::filesystem::path() : UserPath(output));
  if (!report.failure.empty()) {
    context.err() << "wingfold: " << report.failure << "\n";
    return false;
  }
  context.out() << "Traffic report: " << PathUtf8(report.file) << " (" << report.plans << " plans, "
                << report.legs << " legs, " << report.planes << " planes at " << report.airports
                << " home bases)\n";
  return true;
}

int RunCheck(CommandContext& context) {
  const CompilerInputReport report = CheckCompilerInputsIn(context.WorkFolder());
  context.out() << report.text;
  return report.ok ? 0 : 1;
}

}

CommandRegistration AddGenerateCommand(CLI::App& app) {
  auto* sub =
      app.add_subcommand("generate", "Generate the fleet and a week of flight plans, then compile them");
  auto noCompile = std::make_shared<bool>(false);
  sub->add_flag("--no-compile", *noCompile, "Stop after writing Flightplans-GA.dat");
  auto statsFile = std::make_shared<std::string>();
  sub->add_option("--stats-json", *statsFile,
                  "Also write the run's statistics to FILE as JSON (for benchmarks)")
      ->option_text("FILE");
  auto report = std::make_shared<bool>(false);
  sub->add_flag("--report", *report,
                "Also write the traffic report (Traffic-report.html) after the flight plans");
  return {sub, [noCompile, statsFile, report](CommandContext& context) {
            Session& session = context.StartWritingSession("generate");
            ui::MainSheet sheet(session);
            if (!OpenSheet(context, sheet, ui::PageId::kSettings)) return 1;
            const ui::FlightplanGeneration generation = sheet.GenerateFlightplan(!*noCompile);
            const TrafficRunResult& run = generation.run;
            context.out() << generation.summary << "\n";
            if (!statsFile->empty()) {
              try {
                WriteFileAtomically(*statsFile, TrafficStatisticsJson(run));
              } catch (const FileError& e) {
                context.err() << "wingfold: " << e.what() << "\n";
                return 1;
              }
            }
            if (*report && run.flightPlansWritten && !Report(context, session, {}) && run.failure.empty())
              return 1;
            if (!run.failure.empty()) {
              context.err() << "wingfold: " << run.failure << "\n";
              if (run.compiler.started && run.compiler.exitCode != 0)
                context.err() << "wingfold: run 'wingfold check' to find problems in the compiler's inputs\n";
              return 1;
            }
            return 0;
          }};
}

CommandRegistration AddReportCommand(CLI::App& app) {
  auto* sub = app.add_subcommand(
      "report", "Write the traffic report: the generated week as one HTML page with a world map");
  auto output = std::make_shared<std::string>();
  sub->add_option("--output", *output, "Where to write it (default: Traffic-report.html in the work folder)")
      ->option_text("FILE");
  return {sub, [output](CommandContext& context) {
            Session& session = context.StartWritingSession("report");
            return Report(context, session, *output) ? 0 : 1;
          }};
}

CommandRegistration AddCheckCommand(CLI::App& app) {
  auto* sub = app.add_subcommand("check", "Check Airports.dat, Aircraft-GA.dat and Flightplans-GA.dat");
  return {sub, RunCheck};
}

}
