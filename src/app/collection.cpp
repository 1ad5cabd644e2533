#include "app/collection.h"

#include "app/databases.h"
#include "platform/system.h"
#include "scenery/scenery_scan.h"

namespace wf {

AirportCollectionResult CollectAirports(Session& session, ScanMode mode,
                                        const std::filesystem::path& airportPath) {
  AirportCollectionResult result;
  session.airportDatabaseUnsaved = true;
  const SceneryContext context{session.world, session.settings, *session.progress, *session.prompter};
  result.scan = Scan(mode, session.simFolder, airportPath, context);
  // The flag stays set: the Collect data page's next apply saves once more.
  result.saved = SaveAirportDatabase(session);
  session.hooks->InitAirportData();
  return result;
}

std::string RemovedVariationsMessage(const AircraftCollectionResult& result) {
  if (result.removalMessages.size() == 1) return result.removalMessages.front();
  if (result.removedVariations.empty()) return {};
  std::string text = std::to_string(result.removedVariations.size()) +
                     " paint schemes are no longer installed. They will be removed from the list:";
  for (const std::string& title : result.removedVariations) text += "\n  " + title;
  return text;
}

AircraftCollection CollectAircraftAndSave(Session& session) {
  AircraftCollection collection;
  collection.result = CollectAircraft(session.world, session.settings, session.simFolder,
                                      SimulatorAppDataFolder(session.simFolder), *session.progress);
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
  collection.saved = WriteAircraftFiles(session);
  session.hooks->BuildPlaneTree();
  return collection;
}

}
