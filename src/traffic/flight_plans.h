#pragma once
// The flight plan generator: one week of out-and-back flights for every plane of the fleet, written
// as Flightplans-GA.dat, the schedule input of the traffic compiler.
//
// GenerateTraffic runs the fleet generator (fleet.h) airport by airport in the order of the airport
// order list and, right after each airport's fleet, builds and writes the week of each of its planes
// (in the order of the airport's `planes`). Fleet and flight plans draw from one random sequence,
// which the caller seeds (with 1 for a traffic run); every draw is made in the documented order, so
// the same world, settings and seed give the same file byte for byte.
//
// Times are UTC time values (platform/calendar.h) throughout and print as Greenwich clock readings.
//
// File format: one block per plane that has at least two lines:
//   AC<aircraft number>,<registration>,<percentage>,ONE_WEEK,<IFR|VFR>\n{\n
//   <weekday><HHMM>,<destination>,<altitude>\n                          a leg with a 45-minute turn
//   <weekday><HHMM>,<destination>,<altitude>,,<weekday><HHMM>\n         a leg with its arrival time
//   }\n
// Weekdays run 0 = Sunday to 6 = Saturday, HHMM is the departure (or arrival) time, the altitude is in
// hundreds of feet. A block starts at the week's wrap (the first line after the latest weekday).
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar.h"
#include "platform/crt_random.h"
#include "platform/progress.h"
#include "platform/prompter.h"
#include "traffic/fleet.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf {

// The most lines one plane's week holds.
inline constexpr int kMaxWeekLines = 200;

struct GenerationResult {
  FleetSummary fleet;
  int planeBlocks = 0;         // planes written to the file
  int planesWithoutBlock = 0;  // planes with fewer than two lines (no destination, no time)
  std::int64_t flightLines = 0;
  // Airports whose sunrise or sunset is not a valid time, in the order they were met; each was
  // reported with "Error @<icao>" once per plane.
  std::vector<std::string> airportsWithInvalidSunTimes;
  WorkCounters work;
};

// One traffic run's fleet and flight plans. Writes the blocks to `flightPlans` airport by airport;
// the caller opens the file and checks the stream afterwards. Shows "Generate Flightplan at <name>"
// for every airport it fills, and the message "Error @<icao>" for every plane of an airport whose
// sunrise or sunset is not a valid time (that plane's week is built all the same). The fleet of
// earlier runs stays in registrationIndex. Sets the sunrise and sunset of every airport with planes.
GenerationResult GenerateTraffic(World& world, const Settings& settings, Random& random, Progress& progress,
                                 Prompter& prompter, std::ostream& flightPlans);

// --- The rules of a week, exposed for tests and for the settings pages. ---

// Percent of a day's possible flights that category 0..5 flies on weekday 0..6 (0 = Sunday).
int DayActivityPercent(int category, int weekday);

// The daily flight factor of the home airport's type (Bush 10 ... Seaplane Base 20); 0 for kDerived.
int AirportTypeFactor(AirportType airportType);

// How much more than a private pilot category 0..5 spends on a leg: 1.5 Business, 2.0 Taxi, else 1.0.
double CategoryFeeFactor(int category);

// The number of legs a plane tries on a day: with x = windowSeconds x activity/100 /
// (flightTimeMin x 3600) x 8, trunc(typeFactor x x / 100 + 1.5); 190 when that is above 200, and 0
// when it is below 1 or not a number.
int FlightsPerDay(double windowSeconds, int activityPercent, float flightTimeMinHours, int typeFactor);

// The cruise altitude, in hundreds of feet, of a leg of `legSeconds` flown by `model` from `from` to
// `to`: climb at 3 degrees for the leg's time at the mean of cruise and stall speed (at least
// 10,000 ft above 250 knots), above the higher airport, capped at the ceiling; then the hemispheric
// rule: westbound (by whole degrees of longitude, the short way round) even thousands + 500 ft,
// eastbound odd thousands + 500 ft; above 10,000 ft whole thousands, above 28,000 ft the next
// multiple of 2,000 ft + 1,000.
int CruiseAltitude(const CAircraft& model, const CAirport& from, const CAirport& to, float legSeconds);

// An IFR altitude: one that is not a multiple of 10 (hundreds of feet) goes 5 higher.
int IfrAltitude(int altitude);

// The altitude of the return leg after an outbound leg at `altitude` (hundreds of feet): 55 -> 45,
// 45 -> 55, 110 -> 110, 120 -> 130, 290 -> 310.
int ReturnAltitude(int altitude);

// One line of a week.
struct FlightLine {
  TimeValue departure = 0;
  TimeValue arrival = 0;                  // written only when withArrival is set
  const CAirport* destination = nullptr;  // not owned
  std::int32_t altitude = 0;              // hundreds of feet
  std::int32_t weekday = 0;               // of the departure
  bool withArrival = false;
};

// The index of the line a block starts with: scanning from the last line down to line 1, the line
// with the smallest weekday whose predecessor has a greater weekday (the higher index on a tie); 0
// when no weekday goes down.
std::size_t WeekStartLine(std::span<const FlightLine> lines);

// Appends one plane's block, its lines rotated to start at WeekStartLine.
void AppendPlaneBlock(std::string& out, int aircraftNumber, std::string_view registration, int percentage,
                      bool ifr, std::span<const FlightLine> lines);

}
