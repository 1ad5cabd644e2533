#include "app/traffic_run.h"

#include <sstream>
#include <system_error>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "traffic/compiler_inputs.h"
#include "traffic/compiler_parameters.h"
#include "world/plane.h"

namespace wf {

namespace {

const char* Problems(std::size_t count) {
  return count == 1 ? "problem" : "problems";
}

std::filesystem::file_time_type ModificationTime(const std::filesystem::path& file) {
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(file, ec);
  return ec ? std::filesystem::file_time_type::min() : time;
}

// Why a run placed no plane, for a user who has to change something about it.
std::string NothingPlacedMessage(const GenerationResult& generation) {
  const FleetSummary& fleet = generation.fleet;
  std::string why;
  if (fleet.airportsVisited == 0) {
    why =
        "no airport is used for traffic (the airport database holds none, or every airport is switched "
        "off, military or in a country not used)";
  } else if (fleet.parkingSpaces == 0) {
    why = "the airports used have no GA parking space";
  } else if (fleet.planes == 0 && fleet.spacesWithoutAircraft > 0) {
    why = "no aircraft can fly GA traffic from these airports (see the Planes page)";
  } else if (fleet.planes == 0) {
    why = "every GA parking space stayed empty (the GA percentage, or no registration left)";
  } else {
    why = "no plane found a destination";
  }
  return "No plane was placed: " + why + ". The traffic compiler was not run; " +
         std::string(kFlightPlansFile) + " and the installed traffic are left as they were.";
}

}

std::string TrafficStatisticsJson(const TrafficRunResult& run) {
  const GenerationResult& g = run.generation;
  const FleetSummary& f = g.fleet;
  std::ostringstream json;
  const auto field = [&json](const char* name, auto value) {
    json << "  \"" << name << "\": " << value << ",\n";
  };
  json << std::boolalpha << "{\n";
  field("airports_listed", f.airportsListed);
  field("airports_visited", f.airportsVisited);
  field("airports_populated", f.airportsPopulated);
  field("planes", f.planes);
  json << "  \"planes_by_category\": {";
  for (int c = 0; c < kCategoryCount; ++c)
    json << (c == 0 ? "" : ", ") << "\"" << CategoryName(c) << "\": " << f.planesByCategory[c];
  json << "},\n";
  field("parking_spaces", f.parkingSpaces);
  field("spaces_not_drawn", f.spacesNotDrawn);
  field("spaces_without_aircraft", f.spacesWithoutAircraft);
  field("spaces_without_registration", f.spacesWithoutRegistration);
  field("plane_blocks", g.planeBlocks);
  field("planes_without_block", g.planesWithoutBlock);
  field("flight_lines", g.flightLines);
  field("airports_without_valid_sun_times", g.airportsWithInvalidSunTimes.size());
  field("distance_calls", g.work.distanceCalls);
  field("candidates_tested", g.work.candidatesTested);
  field("sun_time_computations", g.work.sunTimeComputations);
  field("flight_plans_written", run.flightPlansWritten);
  field("compiler_run", run.compilerRun);
  json << "  \"output_updated\": " << run.outputUpdated << "\n}\n";
  return json.str();
}

TrafficRunResult RunTrafficGeneration(Session& session, bool compile, CompilerReport report) {
  TrafficRunResult result;
  session.progress->Hide();
  session.progress->SetText("Initialize Traffic generation");
  session.random.Seed(1);
  session.lastGeneration.reset();

  // The plans go straight to the file (a temporary one until they are complete).
  AtomicFileWriter flightPlans(session.WorkFile(kFlightPlansFile));
  result.generation = GenerateTraffic(session.world, session.settings, session.random, *session.progress,
                                      *session.prompter, flightPlans.Stream());
  // A week without a plane would replace the installed traffic with none.
  if (result.generation.planeBlocks == 0) {
    result.failure = NothingPlacedMessage(result.generation);
    session.progress->Hide();
    return result;
  }
  try {
    flightPlans.Commit();
    result.flightPlansWritten = true;
    session.lastGeneration = std::make_shared<const GenerationResult>(result.generation);
  } catch (const FileError& e) {
    result.failure = std::string(e.what()) + ". The compiler was not run.";
    session.progress->Hide();
    return result;
  }
  if (!compile) {
    session.progress->Hide();
    return result;
  }

  result.compilerRun = true;
  const std::filesystem::path outputFolder = ResolvePathCase(session.simFolder, "Scenery/World/scenery");
  result.outputFile = outputFolder / std::string(kTrafficFileName);
  session.progress->Hide();
  session.progress->SetText("Generate Traffic BGL file");

  const PathStyle style = CommandLinePathStyle(kCompilerProgram, session.toolsFolder);
  const std::string parameters =
      BuildCompilerParameters(CommandLinePath(session.workFolder, style),
                              CommandLinePath(session.simFolder, style), CommandLineSeparator(style));
  const auto before = ModificationTime(result.outputFile);
  const bool existedBefore = std::filesystem::exists(result.outputFile);
  result.compiler = RunAndWait(kCompilerProgram, parameters, session.toolsFolder,
                               report == CompilerReport::kKept ? &result.compilerReport : nullptr);
  session.progress->Hide();

  if (!result.compiler.started) {
    result.failure = result.compiler.failure +
                     ". Set the tools folder ([Path] TTools) to the folder of the "
                     "simulator SDK's traffic compiler.";
  } else if (result.compiler.exitCode != 0) {
    result.failure = "The traffic compiler ended with status " + std::to_string(result.compiler.exitCode) +
                     "; its report says why.";
  } else {
    result.outputUpdated = std::filesystem::exists(result.outputFile) &&
                           (!existedBefore || ModificationTime(result.outputFile) != before);
    if (!result.outputUpdated) {
      result.failure = "The traffic compiler ran but did not write " + result.outputFile.string() +
                       ". Check that the simulator folder ([Path] FS2004) is right.";
    }
  }
  return result;
}

CompilerInputReport CheckCompilerInputsIn(const std::filesystem::path& workFolder) {
  const CompilerInputCheck check = CheckCompilerInputs(CompilerInputPathsIn(workFolder));
  CompilerInputReport report;
  for (const auto& problem : check.problems) report.text += problem.Text() + "\n";
  if (check.unlistedProblems > 0) {
    report.text += "... and " + std::to_string(check.unlistedProblems) + " more " +
                   Problems(check.unlistedProblems) + "\n";
  }
  const std::size_t problems = check.problems.size() + check.unlistedProblems;
  report.text +=
      std::to_string(check.airportCount) + " airports, " + std::to_string(check.aircraftCount) +
      " aircraft, " + std::to_string(check.planCount) + " plans with " + std::to_string(check.legCount) +
      " legs: " + (check.ok() ? "no problems" : std::to_string(problems) + " " + Problems(problems)) + "\n";
  report.ok = check.ok();
  return report;
}

}
