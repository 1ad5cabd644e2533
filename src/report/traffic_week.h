#pragma once
// The generated week as the traffic report reads it back from the compiler's three text inputs
// (their format is described in traffic/compiler_inputs.h): the airports with their positions and
// countries, the aircraft titles, and every plan with its legs.
//
// Reading is lenient and bounded: any bytes are accepted, a line that is not in its file's format
// is counted in linesNotRead and left out, and the work is linear in the size of the texts. Names
// (countries, titles, registrations) are kept as the files hold them, in Windows-1252.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wf {

inline constexpr std::int32_t kSecondsPerWeek = 7 * 86400;

struct WeekAirport {
  std::string ident;
  double latitude = 0.0;   // degrees, north positive
  double longitude = 0.0;  // degrees, east positive
  std::string country;
};

struct WeekLeg {
  std::int32_t departure = 0;     // seconds after Sunday 00:00 UTC, below kSecondsPerWeek
  std::int32_t destination = -1;  // index into TrafficWeek::airports; -1 when not an airport there
  bool withArrival = false;       // the leg gives its own arrival time (a touch-and-go)
};

struct WeekPlan {
  std::int32_t aircraft = 0;  // the AC number
  std::string registration;
  bool ifr = false;
  std::size_t firstLeg = 0;  // into TrafficWeek::legs
  std::size_t legCount = 0;
};

struct WeekAircraft {
  std::int32_t number = 0;
  std::string title;
};

struct TrafficWeek {
  std::vector<WeekAirport> airports;  // in the order of the airport file; an ident listed twice counts once
  std::vector<WeekAircraft> aircraft;
  std::vector<WeekPlan> plans;
  std::vector<WeekLeg> legs;  // the legs of all plans, plan after plan, each plan's in file order
  std::size_t linesNotRead = 0;

  // The index of the airport `ident` in `airports`, or -1.
  std::int32_t AirportIndex(std::string_view ident) const;

  struct IdentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  std::unordered_map<std::string, std::int32_t, IdentHash, std::equal_to<>> airportByIdent;
};

// Reads the texts of Airports.dat, Aircraft-GA.dat and Flightplans-GA.dat.
TrafficWeek ReadTrafficWeek(std::string_view airportsText, std::string_view aircraftText,
                            std::string_view flightPlansText);

}
