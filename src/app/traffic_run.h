#pragma once
// One traffic run: the fleet and a week of flight plans written as Flightplans-GA.dat, then the
// traffic compiler, which installs Traffic-GA.BGL in the simulator's Scenery/World/scenery folder.
#include <filesystem>
#include <string>

#include "app/session.h"
#include "platform/process.h"
#include "traffic/compiler_files.h"
#include "traffic/flight_plans.h"

namespace wf {

struct TrafficRunResult {
  GenerationResult generation;
  bool flightPlansWritten = false;
  bool compilerRun = false;  // the compiler was asked for (and the flight plans were written)
  RunResult compiler;
  std::string compilerReport;        // what the compiler wrote, when it was kept (CompilerReport::kKept)
  std::filesystem::path outputFile;  // the compiled traffic file
  bool outputUpdated = false;        // it exists and was written by this run
  // Empty when everything asked for worked; otherwise what went wrong and what to do.
  std::string failure;
};

// Where the compiler's report (its standard output and error) goes: to the program's own standard
// output, as it comes, or into TrafficRunResult::compilerReport, for a window to show.
enum class CompilerReport { kPassedOn, kKept };

// Seeds the random sequence with 1, generates the fleet and the flight plans, and, when `compile`
// is set, runs the compiler from the tools folder and checks that it wrote its output. A week
// without a single plane's flight plan writes nothing and runs no compiler (the installed traffic
// file stays); `failure` says why. Failures are left to the caller to report.
TrafficRunResult RunTrafficGeneration(Session& session, bool compile,
                                      CompilerReport report = CompilerReport::kPassedOn);

// The run's statistics as one JSON object, for measuring tools: the fleet's and the week's counts
// under snake_case names of the fields they come from ("flight_lines", "candidates_tested",
// "planes_by_category": {"Private": ...}), and whether the files were written. Its keys stay stable
// whatever the summary for people says.
std::string TrafficStatisticsJson(const TrafficRunResult& run);

// `wingfold check`: the traffic compiler's inputs in `workFolder` checked (traffic/compiler_inputs.h).
// `text` lists the problems, one a line, then a line of counts.
struct CompilerInputReport {
  std::string text;
  bool ok = false;  // no problems
};
CompilerInputReport CheckCompilerInputsIn(const std::filesystem::path& workFolder);

}
