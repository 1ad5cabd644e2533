#include "app/collection.h"

#include "app/databases.h"
#include "platform/system.h"

namespace wf {

AirportCollectionResult CollectAirports(Session& session, ScanMode mode,
                                        const std::filesystem::path& airportPath) {
  AirportCollectionResult result;
  session.airportDatabaseUnsaved = true;
  const SceneryContext context{session.world, session.settings, *session.progress, *session.prompter};
  result.scan = Scan(mode, session.simFolder, airportPath, context);
  result.saved = SaveAirportDatabase(session);
  if (result.saved) session.airportDatabaseUnsaved = false;
  session.hooks->InitAirportData();
  return result;
}

AircraftCollection CollectAircraftAndSave(Session& session) {
  AircraftCollection collection;
  collection.result = CollectAircraft(session.world, session.settings, session.simFolder,
                                      SimulatorAppDataFolder(session.simFolder), *session.progress);
  for (const auto& message : collection.result.removalMessages) {
    session.prompter->Message(message, MessageIcon::kInformation);
  }
  collection.saved = WriteAircraftFiles(session);
  session.hooks->BuildPlaneTree();
  return collection;
}

}
