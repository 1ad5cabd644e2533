#pragma once
// The four database files and the compiler files written with them.
//
//   objects.dat        the user's airport tree (written after every change)
//   stock_objects.dat  the delivered airport tree (read only; objects.dat wins when both exist)
//   AircraftTypes.dat  the aircraft models
//   AircraftNames.dat  the variations (read only when AircraftTypes.dat could be opened)
//
// Saves never corrupt: each file is written beside the old one and renamed over it once complete.
// A damaged file found when loading is copied to <name>.<time stamp>.damaged before anything can
// overwrite it. A file that is there but cannot be read is not taken for absent: it stops the load.
#include <filesystem>
#include <string>
#include <string_view>

#include "app/session.h"
#include "traffic/compiler_files.h"

namespace wf {

inline constexpr const char* kObjectsFile = "objects.dat";
inline constexpr const char* kStockObjectsFile = "stock_objects.dat";
inline constexpr const char* kAircraftTypesFile = "AircraftTypes.dat";
inline constexpr const char* kAircraftNamesFile = "AircraftNames.dat";
inline constexpr const char* kRegistrationsFile = "GAregnr.txt";

enum class LoadOutcome {
  kAbsent,      // no such file: nothing read, no message
  kLoaded,      // read completely, from its first byte to its last
  kDamaged,     // read up to a fault (or bytes left after the end); the entries completed before it
                // stay, a copy of the file is kept, the user was told
  kUnreadable,  // there, but it cannot be read (permissions, a lock, an I/O error, not a regular
                // file); nothing read, the user was told
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::kAbsent;
  std::filesystem::path file;  // the file that was read (or tried last)
  std::string error;           // for kDamaged: what was wrong and where; for kUnreadable: why

  // Damaged or unreadable: the command must stop before anything overwrites the file.
  bool Stops() const { return outcome == LoadOutcome::kDamaged || outcome == LoadOutcome::kUnreadable; }
};

// Whether an airport database exists: something is at the path of stock_objects.dat or objects.dat
// (loading it tells whether it can be read).
bool AirportDatabaseExists(const Session& session);

// A free name for a copy of `file` beside it: <name>.<YYYYMMDD-hhmmss UTC>[-n]<suffix>; empty when
// none is free.
std::filesystem::path FileCopyName(const std::filesystem::path& file, std::string_view suffix);

inline constexpr std::string_view kDamagedSuffix = ".damaged";

// The copy that keeps the damaged `file`, whose bytes are `bytes`, safe from the next save: an
// earlier copy <name>.<time stamp>[-n].damaged beside it with the same bytes serves (a damaged file
// met at every start is kept once), else a new copy is made.
struct DamagedCopy {
  std::filesystem::path path;  // empty when no copy could be kept
  bool earlier = false;        // an earlier copy with the same bytes
  std::string error;           // why no copy could be kept
};
DamagedCopy KeepDamagedCopy(const std::filesystem::path& file, std::string_view bytes);

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
