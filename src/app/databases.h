#pragma once
// The four database files and the compiler files written with them.
//
//   objects.dat        the user's airport tree (written after every change)
//   stock_objects.dat  the delivered airport tree (read only; objects.dat wins when both exist)
//   AircraftTypes.dat  the aircraft models
//   AircraftNames.dat  the variations (read only when AircraftTypes.dat could be opened)
//
// Saves never corrupt: each file is written beside the old one and renamed over it once complete.
// A damaged file found when loading is copied to <name>.damaged before anything can overwrite it.
#include <filesystem>
#include <string>

#include "app/session.h"
#include "traffic/compiler_files.h"

namespace wf {

inline constexpr const char* kObjectsFile = "objects.dat";
inline constexpr const char* kStockObjectsFile = "stock_objects.dat";
inline constexpr const char* kAircraftTypesFile = "AircraftTypes.dat";
inline constexpr const char* kAircraftNamesFile = "AircraftNames.dat";
inline constexpr const char* kRegistrationsFile = "GAregnr.txt";

enum class LoadOutcome {
  kAbsent,   // the file could not be opened: nothing read, no message
  kLoaded,   // read completely
  kDamaged,  // read up to a fault; the entries completed before it stay, the user was told
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::kAbsent;
  std::filesystem::path file;  // the file that was read (or tried last)
  std::string error;           // for kDamaged: what was wrong and where
};

// Whether an airport database exists: stock_objects.dat or objects.dat can be opened.
bool AirportDatabaseExists(const Session& session);

// Loads regionMap from objects.dat, or from stock_objects.dat when objects.dat cannot be opened.
// Every airport read enters airportIndex.
LoadResult LoadAirportDatabase(Session& session);

// Loads aircraftTypes from AircraftTypes.dat and, only when that could be opened, aircraftNames from
// AircraftNames.dat, with the progress texts "Read Aircraft Types..." and "Read Aircraft Names...".
// Stops at the first damaged file.
LoadResult LoadAircraftDatabases(Session& session);

// Writes Airports.dat, re-reads GAregnr.txt into the countries, writes objects.dat, discards the
// fleet and hides the progress. A file that cannot be written is reported by name and the others are
// still written. Returns false when objects.dat could not be saved (the old file is then intact).
bool SaveAirportDatabase(Session& session);

// Writes Aircraft-GA.dat, creates an empty Aircraftdump.txt, saves AircraftTypes.dat and then
// AircraftNames.dat, discards the fleet and hides the progress. Returns false when one of the
// archives could not be saved.
bool WriteAircraftFiles(Session& session);

}
