#pragma once
// Readable text of a database file (objects.dat, stock_objects.dat, AircraftTypes.dat,
// AircraftNames.dat): every record with its class, schema and fields, airports with their runways
// and parking spaces. A damaged file is printed up to the fault, followed by where and why it fails.
#include <filesystem>
#include <iosfwd>
#include <string>

namespace wf {

struct DumpResult {
  bool opened = false;    // false: `error` says why ("no such file", or why it cannot be read)
  bool complete = false;  // false: `error` says where and why reading stopped
  std::string kind;       // "airports", "aircraft types", "aircraft names", "empty"
  std::string error;
};

// Prints the file to `out`. The kind of map is taken from the first class in the file (the file
// name decides when the map is empty or the first class is unknown).
DumpResult DumpDatabaseFile(const std::filesystem::path& file, std::ostream& out);

}
