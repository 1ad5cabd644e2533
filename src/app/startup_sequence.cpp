#include "app/startup_sequence.h"

#include "app/reference_lists.h"

namespace wf {

StartupSequenceResult RunStartupSequence(Session& session, const StartupSteps& steps) {
  StartupSequenceResult result;
  // Without a simulator folder there is nothing to collect (the user was asked to set it).
  if (steps.collectAirportsWhenMissing && !session.simFolder.empty() && !AirportDatabaseExists(session)) {
    result.firstCollection = CollectAirports(session, ScanMode::kDefaultScenery);
  }

  result.airports = LoadAirportDatabase(session);
  if (result.airports.Stops()) {
    result.stoppedByDamage = true;
    return result;
  }
  // A database saved while the simulator folder was wrong holds no airport: once the folder is
  // right, its scenery is collected.
  if (steps.collectAirportsWhenMissing && !result.firstCollection && session.world.airportIndex.empty() &&
      SimulatorSceneryPresent(session)) {
    session.prompter->Message(
        "The airport database holds no airport: the simulator's scenery is collected now.",
        MessageIcon::kInformation);
    result.firstCollection = CollectAirports(session, ScanMode::kDefaultScenery);
    result.emptyDatabaseCollected = true;
  }
  result.aircraft = LoadAircraftDatabases(session);
  if (result.aircraft.Stops()) {
    result.stoppedByDamage = true;
    return result;
  }

  if (steps.collectAircraft && !session.simFolder.empty()) {
    result.aircraftCollection = CollectAircraftAndSave(session);
  }

  const auto military = session.WorkFile("MilitaryAirports.txt");
  if (std::filesystem::is_regular_file(military)) {
    session.progress->SetText("Read Military airports...");
    result.militaryListRead = ApplyMilitaryAirports(military, session.world, &result.militaryMarked);
  }
  const auto notUse = session.WorkFile("NotUseAirports.txt");
  if (std::filesystem::is_regular_file(notUse)) {
    session.progress->SetText("Read don't use airports...");
    result.notUseListRead = ApplyNotUseAirports(notUse, session.world, &result.notUseMarked);
  }
  session.progress->Hide();
  return result;
}

}
