#pragma once
// The two collections with the saves that end them.
#include <filesystem>
#include <string>

#include "aircraft/aircraft_collection.h"
#include "app/session.h"
#include "scenery/scan_summary.h"

namespace wf {

struct AirportCollectionResult {
  ScanSummary scan;
  bool saved = false;  // objects.dat was written
};

// Scans the scenery (default areas, or the add-on root `airportPath` — empty for the simulator's
// Addon Scenery folder — and the simulator's top-level folders), then saves the airport database and
// asks the Airports page to rebuild its tree. The scan extends the airports in memory; load the
// database first to extend the user's own. Sets session.airportDatabaseUnsaved and leaves it set,
// saved or not: the Collect data page's apply saves again and clears it.
AirportCollectionResult CollectAirports(Session& session, ScanMode mode,
                                        const std::filesystem::path& airportPath = {});

// What the user is told about the variations a collection removed, in one message however many
// there are (a livery pack uninstalled, or no fsx.cfg found, removes hundreds); empty when none.
std::string RemovedVariationsMessage(const AircraftCollectionResult& result);

// Re-reads the installed aircraft and writes the aircraft files (Aircraft-GA.dat and the two
// archives). `saved` says whether both archives were written. When no aircraft folder could be
// listed (result.keptBecause), the databases stay as they were, nothing is written, and a warning
// says why.
struct AircraftCollection {
  AircraftCollectionResult result;
  bool saved = false;
};
AircraftCollection CollectAircraftAndSave(Session& session);

}
