#pragma once
// The demo-world builder: turns the OurAirports-derived SQLite data set into an FSX-style scenery
// installation (default scenery areas plus one newer add-on pack). Not part of the product.
//
// Everything the data set lacks is synthesised by fixed rules (see README.md next to this file),
// so the same data always gives byte-identical files.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bgl_writer/bgl_writer.h"

namespace wf::demo {

struct SourceRunway {
  int lengthFt = 0;
  int widthFt = 0;
  std::string surface;  // the data set's word: "asphalt", "grass", "unknown", ...
  bool lighted = false;
};

// One airport of the data set, as read.
struct SourceAirport {
  std::string ident;  // the data set's `icao` column
  std::string name;   // UTF-8
  std::string type;   // small_airport, medium_airport, large_airport, seaplane_base
  std::string country;
  std::string countryCode;  // ISO 3166-1 alpha-2
  std::string isoRegion;    // ISO 3166-2 ("US-TX"); may be empty
  std::string city;
  double latitude = 0.0;
  double longitude = 0.0;
  int elevationFt = 0;
  std::string towerFrequency;         // MHz text ("118.3") or empty
  std::string unicomFrequency;        // MHz text or empty
  std::vector<SourceRunway> runways;  // in the data set's id order
};

// Whether `ident` fits the 4-character packed form: 1..4 of A-Z, 0-9, '-' and blank.
bool IsPackableIdent(const std::string& ident);

// Reads the kept airports (small, medium, large, seaplane base with a packable ident) and their
// runways and frequencies, sorted by ident. Throws std::runtime_error when the file cannot be read.
std::vector<SourceAirport> ReadAirports(const std::filesystem::path& database);

// The region name and area folder of a country (ISO alpha-2); unknown codes give "Other".
struct Area {
  std::string folder;  // "NAMR"
  std::string region;  // "North America"
};
Area AreaOfCountry(const std::string& countryCode);

// The state name of an ISO 3166-2 code ("US-TX" → "Texas"): the states, provinces and territories
// of the US, Canada and Australia (the countries the simulator's own files give states for); empty
// for every other code, so that a file's 16 states are not used up by one country's provinces.
std::string StateName(const std::string& isoRegion);

// The airport as written to the scenery, with everything the data lacks synthesised.
bgl::AirportDesc SynthesiseAirport(const SourceAirport& airport);

// The add-on pack's version of an airport of the default scenery: newer data for the same ident.
bgl::AirportDesc ReplacementAirport(const SourceAirport& airport);

struct FileLimits {
  std::size_t airports = 1500;
  std::size_t regions = 256;
  std::size_t countries = 256;
  std::size_t states = 16;
};

// Splits airports (already sorted so that equal regions, countries and states are adjacent) into
// consecutive [begin, end) ranges, one per file, each within `limits`. A range never is empty.
std::vector<std::pair<std::size_t, std::size_t>> GroupIntoFiles(const std::vector<bgl::AirportDesc>& airports,
                                                                const FileLimits& limits);

struct BuildSummary {
  std::size_t airportsRead = 0;     // kept airports of the data set
  std::size_t defaultAirports = 0;  // airports in the default scenery
  std::size_t addonReplaced = 0;    // airports the add-on pack replaces
  std::size_t addonAdded = 0;       // airports only the add-on pack has
  std::size_t defaultFiles = 0;
  std::size_t addonFiles = 0;
  std::uint64_t bytes = 0;  // all BGL files
};

inline constexpr const char* kAddonPackName = "Wingfold Demo Pack";

// Writes outDir/Scenery/<area>/scenery/*.BGL, outDir/Addon Scenery/<pack>/scenery/*.BGL and
// outDir/LICENSE-DATA.txt, overwriting files of the same names. Throws on a write failure.
BuildSummary BuildWorld(const std::vector<SourceAirport>& airports, const std::filesystem::path& outDir,
                        const FileLimits& limits = {});

}
