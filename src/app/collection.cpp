#include "app/collection.h"

#include "app/databases.h"
#include "platform/folder_listing.h"
#include "platform/system.h"
#include "platform/text.h"
#include "scenery/scenery_scan.h"

namespace wf {

AirportCollectionResult CollectAirports(Session& session, ScanMode mode,
                                        const std::filesystem::path& airportPath) {
  if (mode == ScanMode::kAddOn && session.world.airportIndex.empty()) {
    const AirportCollectionResult simulatorScenery = CollectAirports(session, ScanMode::kDefaultScenery);
    if (simulatorScenery.noScenery) return simulatorScenery;
  }
  AirportCollectionResult result;
  const SceneryContext context{session.world, session.settings, *session.progress, *session.prompter};
  result.scan = Scan(mode, session.simFolder, airportPath, context);
  if (mode == ScanMode::kDefaultScenery && result.scan.airportFilesRead == 0) {
    result.noScenery = true;
    session.progress->Hide();
    session.prompter->Message(NoSceneryReason(session) +
                                  ". Check the simulator folder ([Path] FS2004, on the Settings page). The "
                                  "airport database was not saved.",
                              MessageIcon::kStop);
    return result;
  }
  session.airportDatabaseUnsaved = true;
  // The flag stays set: the Collect data page's next apply saves once more.
  result.saved = SaveAirportDatabase(session);
  session.hooks->InitAirportData();
  return result;
}

std::string NoSceneryReason(const Session& session) {
  if (session.simFolder.empty()) return "The simulator folder is unknown";
  return "No airport was found in the simulator's scenery (" + PathUtf8(session.simFolder / "Scenery") + ")";
}

bool SimulatorSceneryPresent(const Session& session) {
  return !session.simFolder.empty() && !SweepFiles(ResolvePathCase(session.simFolder, "Scenery")).empty();
}

std::string RemovedVariationsMessage(const AircraftCollectionResult& result) {
  if (result.removalMessages.size() == 1) return result.removalMessages.front();
  if (result.removedVariations.empty()) return {};
  std::string text = std::to_string(result.removedVariations.size()) +
                     " paint schemes are no longer installed. They will be removed from the list:";
  for (const std::string& title : result.removedVariations) text += "\n  " + title;
  return text;
}

std::filesystem::path DefaultFsxCfgFolder(const std::filesystem::path& simFolder) {
  const std::filesystem::path appData = SimulatorAppDataFolder(simFolder);
  return appData.empty() ? appData : ResolvePathCase(appData, std::filesystem::path("Microsoft") / "FSX");
}

std::filesystem::path FsxCfgFile(const Session& session) {
  const std::filesystem::path folder =
      session.fsxCfgFolder.empty() ? DefaultFsxCfgFolder(session.simFolder) : session.fsxCfgFolder;
  return folder.empty() ? folder : ResolvePathCase(folder, "fsx.cfg");
}

AircraftCollection CollectAircraftAndSave(Session& session) {
  AircraftCollection collection;
  collection.result = CollectAircraft(session.world, session.settings, session.simFolder, FsxCfgFile(session),
                                      *session.progress);
  if (!collection.result.keptBecause.empty()) {
    session.progress->Hide();
    session.prompter->Message("No aircraft folder could be listed: " + collection.result.keptBecause +
                                  ". The aircraft database is kept as it is, and the aircraft files "
                                  "were not written.",
                              MessageIcon::kWarning);
    return collection;
  }
  const std::string removed = RemovedVariationsMessage(collection.result);
  if (!removed.empty()) session.prompter->Message(removed, MessageIcon::kInformation);
  if (!collection.result.keptUnreadable.empty()) {
    std::string text = "These aircraft folders cannot be read; their models are kept as they are:";
    for (const KeptAircraftModel& kept : collection.result.keptUnreadable)
      text += "\n  " + kept.name + " (" + kept.reason + ")";
    session.prompter->Message(text, MessageIcon::kWarning);
  }
  collection.saved = WriteAircraftFiles(session);
  session.hooks->BuildPlaneTree();
  return collection;
}

}
