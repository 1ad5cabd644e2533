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
  // The simulator's own scenery gave no airport file (an unknown or mistyped simulator folder):
  // nothing was saved, and the user was told.
  bool noScenery = false;
};

// Scans the scenery (default areas, or the add-on root `airportPath` — empty for the simulator's
// Addon Scenery folder — and the simulator's top-level folders), then saves the airport database and
// asks the Airports page to rebuild its tree. The scan extends the airports in memory; load the
// database first to extend the user's own. Sets session.airportDatabaseUnsaved and leaves it set,
// saved or not: the Collect data page's apply saves again and clears it.
// A default scan that reads no airport file saves nothing (an empty database would never collect
// the simulator's scenery again); an add-on scan into a world without airports collects the
// simulator's own scenery first, and stops with it when there is none.
AirportCollectionResult CollectAirports(Session& session, ScanMode mode,
                                        const std::filesystem::path& airportPath = {});

// Why a default scan gave no airport, for the user: "The simulator folder is unknown" or "No airport
// was found in the simulator's scenery (<folder>)".
std::string NoSceneryReason(const Session& session);

// Whether the simulator's own scenery folder holds BGL files to collect.
bool SimulatorSceneryPresent(const Session& session);

// What the user is told about the variations a collection removed, in one message however many
// there are (a livery pack uninstalled, or no fsx.cfg found, removes hundreds); empty when none.
std::string RemovedVariationsMessage(const AircraftCollectionResult& result);

// The folder in which the platform keeps the fsx.cfg of the simulator in `simFolder`
// (Microsoft/FSX below SimulatorAppDataFolder), spelled as on disk where it exists; empty when unknown.
std::filesystem::path DefaultFsxCfgFolder(const std::filesystem::path& simFolder);
// The fsx.cfg that the aircraft collection reads: in the session's fsx.cfg folder when one is set,
// else in the default folder; empty when neither is known.
std::filesystem::path FsxCfgFile(const Session& session);

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
