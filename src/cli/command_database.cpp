// Commands that start the program's databases: load, collect, aircraft.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "app/collection.h"
#include "app/repair.h"
#include "app/startup_sequence.h"
#include "cli/cli_app.h"
#include "platform/text.h"
#include "ui/main_sheet.h"

namespace wf::cli {

namespace {

// Whether the simulator folder is known; when not, says where to set it.
bool SimulatorFolderKnown(CommandContext& context, const Session& session) {
  if (!session.simFolder.empty()) return true;
  context.err() << "wingfold: the simulator folder is unknown: set [Path] FS2004= in "
                << session.SettingsPath().string() << "\n";
  return false;
}

std::size_t CountAirports(const World& world) {
  return world.airportIndex.size();
}

void PrintLoad(std::ostream& out, const char* what, const LoadResult& load) {
  out << "  " << what << ": ";
  switch (load.outcome) {
    case LoadOutcome::kAbsent:
      out << "none\n";
      break;
    case LoadOutcome::kLoaded:
      out << load.file.filename().string() << "\n";
      break;
    case LoadOutcome::kDamaged:
      out << load.file.filename().string() << " DAMAGED, read up to the fault: " << load.error << "\n";
      break;
    case LoadOutcome::kUnreadable:
      out << load.file.filename().string() << " UNREADABLE: " << load.error << "\n";
      break;
  }
}

void PrintScan(std::ostream& out, const AirportCollectionResult& collection) {
  const ScanSummary& s = collection.scan;
  out << "Airport collection:\n"
      << "  BGL files read:            " << s.bglFilesRead << "\n"
      << "  airport files:             " << s.airportFilesRead << "\n"
      << "  left alone (not airports): " << s.filesLeftAlone << "\n"
      << "  files with errors:         " << s.filesWithErrors.size() << "\n";
  for (const auto& problem : s.filesWithErrors) {
    // The reader's messages mostly name the file themselves.
    const std::string file = PathUtf8(problem.file);
    out << "    " << (problem.reason.find(file) == std::string::npos ? file + ": " : "") << problem.reason
        << "\n";
  }
  out << "  airports added:            " << s.airportsAdded << "\n"
      << "  airports updated:          " << s.airportsUpdated << "\n"
      << "  airports in the database:  " << s.airportsInDatabase << "\n"
      << "  database saved:            "
      << (collection.saved       ? "yes (objects.dat, Airports.dat)"
          : collection.noScenery ? "no, the simulator's scenery gave no airport"
                                 : "NO")
      << "\n";
}

void PrintAircraft(std::ostream& out, const AircraftCollection& collection) {
  const AircraftCollectionResult& r = collection.result;
  out << "Aircraft collection:\n"
      << "  fsx.cfg:                 " << (r.fsxCfgPath.empty() ? "(none found)" : r.fsxCfgPath.string())
      << "\n"
      << "  aircraft folders read:   " << r.foldersRead << "\n"
      << "  models:                  " << r.models << " (" << r.newModels.size() << " new, " << r.keptModels
      << " kept, " << r.removedModels.size() << " removed)\n"
      << "  variations:              " << r.variations << " (" << r.newVariations.size() << " new, "
      << r.keptVariations << " kept, " << r.removedVariations.size() << " removed)\n";
  for (const auto& message : r.removalMessages) out << "    " << message << "\n";
  for (const auto& model : r.removedModels) out << "    model removed: " << model << "\n";
  for (const auto& kept : r.keptUnreadable)
    out << "    model kept: " << kept.name << " (" << kept.reason << ")\n";
  if (!r.modelsNotForGA.empty()) out << "  models that cannot fly GA traffic:\n";
  for (const auto& model : r.modelsNotForGA) {
    out << "    " << model.name << ":";
    for (std::size_t i = 0; i < model.reasons.size(); ++i) out << (i ? ", " : " ") << model.reasons[i];
    out << "\n";
  }
  for (const auto& variation : r.variationsNotForGA) {
    out << "    variation " << variation.title << ": " << variation.reason << "\n";
  }
  for (const auto& skipped : r.skippedFolders) {
    out << "    folder skipped: " << skipped.folderPath << " (" << skipped.reason << ")\n";
  }
  if (!r.keptBecause.empty()) {
    out << "  aircraft files saved:    no, the database is kept as it is: " << r.keptBecause << "\n";
  } else {
    out << "  aircraft files saved:    " << (collection.saved ? "yes" : "NO") << "\n";
  }
}

void PrintStartup(std::ostream& out, const Session& session, const StartupSequenceResult& r) {
  if (r.firstCollection) PrintScan(out, *r.firstCollection);
  out << "Databases:\n";
  PrintLoad(out, "airports", r.airports);
  PrintLoad(out, "aircraft", r.aircraft);
  if (r.aircraftCollection) PrintAircraft(out, *r.aircraftCollection);
  if (r.militaryListRead)
    out << "  MilitaryAirports.txt: " << r.militaryMarked << " airports marked military\n";
  if (r.notUseListRead) out << "  NotUseAirports.txt: " << r.notUseMarked << " airports not used\n";
  out << "In memory: " << session.world.regionMap.size() << " regions, " << CountAirports(session.world)
      << " airports, " << session.world.aircraftTypes.size() << " models, "
      << session.world.aircraftNames.size() << " variations\n";
}

int RunLoad(CommandContext& context) {
  Session& session = context.StartWritingSession("load");
  const StartupSequenceResult result = RunStartupSequence(session);
  PrintStartup(context.out(), session, result);
  return result.stoppedByDamage || result.SaveFailed() ? 1 : 0;
}

}

CommandRegistration AddLoadCommand(CLI::App& app) {
  auto* sub = app.add_subcommand(
      "load", "Start up: load the databases, read the aircraft, apply the reference lists");
  return {sub, RunLoad};
}

CommandRegistration AddCollectCommand(CLI::App& app) {
  auto* sub = app.add_subcommand("collect", "Scan the scenery for airports and save the airport database");
  auto defaultScenery = std::make_shared<bool>(false);
  auto path = std::make_shared<std::string>();
  sub->add_flag("--default", *defaultScenery,
                "Scan the simulator's own scenery areas instead of the add-ons");
  sub->add_option("--path", *path, "The add-on root (default: the simulator's Addon Scenery folder)");
  return {sub, [defaultScenery, path](CommandContext& context) {
            Session& session = context.StartWritingSession("collect");
            if (*defaultScenery || path->empty()) {
              if (!SimulatorFolderKnown(context, session)) return 1;
            }
            StartupSteps steps;
            steps.collectAirportsWhenMissing = !*defaultScenery;
            ui::MainSheet sheet(session);
            const StartupSequenceResult startup = sheet.Open(steps, ui::PageId::kCollect);
            PrintStartup(context.out(), session, startup);
            if (startup.stoppedByDamage) return 1;
            if (!path->empty()) sheet.collect.SetAirportPath(*path);
            const auto collection = *defaultScenery ? sheet.collect.Scan(ScanMode::kDefaultScenery)
                                                    : sheet.collect.OnCollectAirports();
            PrintScan(context.out(), collection);
            // The Collect data page's apply saves what the scan left unsaved.
            const bool applied = sheet.Apply();
            return collection.saved && applied ? 0 : 1;
          }};
}

CommandRegistration AddAircraftCommand(CLI::App& app) {
  auto* sub = app.add_subcommand("aircraft", "Re-read the installed aircraft and write the aircraft files");
  return {sub, [](CommandContext& context) {
            Session& session = context.StartWritingSession("aircraft");
            StartupSteps steps;
            steps.collectAircraft = false;
            const StartupSequenceResult startup = RunStartupSequence(session, steps);
            PrintStartup(context.out(), session, startup);
            if (startup.stoppedByDamage) return 1;
            if (!SimulatorFolderKnown(context, session)) return 1;
            const AircraftCollection collection = CollectAircraftAndSave(session);
            PrintAircraft(context.out(), collection);
            return collection.saved ? 0 : 1;
          }};
}

CommandRegistration AddRepairCommand(CLI::App& app) {
  auto* sub = app.add_subcommand(
      "repair", "Set damaged database files aside (kept as .damaged) and rebuild them from the simulator");
  return {
      sub, [](CommandContext& context) {
        Session& session = context.StartWritingSession("repair");
        const RepairResult repair = RepairDatabases(session);
        std::ostream& out = context.out();
        if (repair.damaged.empty()) out << "No damaged database file.\n";
        for (const auto& file : repair.damaged) {
          out << "Damaged: " << PathUtf8(file.filename())
              << (file.filename() == kStockObjectsFile
                      ? " (the delivered database is left as it is; objects.dat, rebuilt, is read instead)"
                      : "")
              << "\n";
        }
        if (!repair.refused.empty()) {
          context.err() << "wingfold: " << repair.refused << "\n";
          return 1;
        }
        for (const auto& file : repair.keptAs) out << "Set aside: " << PathUtf8(file.filename()) << "\n";
        for (const auto& file : repair.copies) out << "Copy kept: " << PathUtf8(file.filename()) << "\n";
        if (repair.airports) PrintScan(out, *repair.airports);
        // The start-up reads the rebuilt airport database, and its aircraft collection derives
        // the aircraft again.
        const StartupSequenceResult startup = RunStartupSequence(session);
        PrintStartup(out, session, startup);
        if (repair.airports) out << "Collect your add-on scenery again with \"wingfold collect\".\n";
        const bool saved = !repair.airports || repair.airports->saved;
        return startup.stoppedByDamage || startup.SaveFailed() || !saved ? 1 : 0;
      }};
}

}
