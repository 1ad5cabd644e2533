#include "app/traffic_report.h"

#include <optional>

#include "app/databases.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"
#include "report/report_page.h"
#include "traffic/compiler_inputs.h"

namespace wf {

namespace {

constexpr const char* kGenerateFirst = " Generate the flight plans first.";

std::string_view Text(const FileView& view) {
  const auto bytes = view.Bytes();
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}

TrafficReportResult WriteTrafficReport(Session& session, std::filesystem::path output) {
  TrafficReportResult result;
  if (output.empty()) output = session.WorkFile(kTrafficReportFile);
  const CompilerInputPaths paths = CompilerInputPathsIn(session.workFolder);
  std::optional<FileView> files[3];
  const std::filesystem::path* names[3] = {&paths.airports, &paths.aircraftTypes, &paths.schedules};
  for (int i = 0; i < 3; ++i) {
    FileReadFailure failure;
    files[i] = FileView::Open(*names[i], &failure);
    if (!files[i]) {
      result.failure = "Cannot write the traffic report: " + PathUtf8(*names[i]) +
                       (failure.missing ? " is missing." + std::string(kGenerateFirst)
                                        : " cannot be read: " + failure.reason + ".");
      return result;
    }
  }
  const TrafficWeek week = ReadTrafficWeek(Text(*files[0]), Text(*files[1]), Text(*files[2]));
  const std::size_t entries[3] = {week.airports.size(), week.aircraft.size(), week.plans.size()};
  const char* what[3] = {"airports", "aircraft", "flight plans"};
  for (int i = 0; i < 3; ++i) {
    if (entries[i] == 0) {
      result.failure = "Cannot write the traffic report: " + PathUtf8(*names[i]) + " holds no " + what[i] +
                       "." + kGenerateFirst;
      return result;
    }
  }

  if (session.world.airportIndex.empty() && AirportDatabaseExists(session)) LoadAirportDatabase(session);
  const WeekFigures figures = ComputeWeekFigures(week, session.settings.startDate);
  // The last run's figures belong to the file only when it wrote what is there.
  const GenerationResult* generation = session.lastGeneration.get();
  if (generation != nullptr &&
      (generation->planeBlocks != figures.plans || generation->flightLines != figures.legs))
    generation = nullptr;
  ReportPageInput input;
  input.week = &week;
  input.figures = &figures;
  input.world = &session.world;
  input.generation = generation;
  input.workFolder = PathUtf8(session.workFolder);
  input.startDate = session.settings.startDate;
  try {
    WriteFileAtomically(output, TrafficReportPage(input));
  } catch (const FileError& e) {
    result.failure = std::string("Cannot write the traffic report: ") + e.what();
    return result;
  }
  result.file = output;
  result.plans = figures.plans;
  result.legs = figures.legs;
  result.planes = figures.planes;
  result.airports = figures.airports;
  return result;
}

}
