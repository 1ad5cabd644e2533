#pragma once
// The fleet generator: fills the GA ramps of the usable airports with new registered planes.
//
// A run has two passes. The first (BuildAirportOrder) walks airportIndex in its order, empties every
// airport's `planes`, and lists the usable airports (useAirport set) by their distance from latitude
// 0, longitude 0: the airport order list, whose positions go into each airport's generatorIndex and
// which the flight plan generator searches for destinations. The second pass visits the list in
// order; FleetGenerator::PopulateAirport fills one airport, and the flight plans of its planes are
// written before the next airport is filled (see flight_plans.h).
//
// Every draw comes from the run's random sequence, in the order documented at each function; the
// candidates of the aircraft lottery are aircraftNames in its (byte) order. The same world, settings
// and seed therefore give the same fleet.
//
// Planes: the world's registrationIndex owns them and keeps those of earlier runs (their
// registrations stay taken); each airport's `planes` refers to those of the current run.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/crt_random.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf {

// One GA ramp kind that the fleet fills: its parking type and the wingspans (whole metres) it takes.
struct GaRampKind {
  ParkingType parkingType;
  int lowerSpan;  // a wingspan above this is inside the band
  int upperSpan;  // the widest wingspan the kind takes
};

// Small, medium and large GA ramps, in the order their spaces are filled.
inline constexpr std::array<GaRampKind, 3> kGaRampKinds{{{ParkingType::kRampGaSmall, 0, 20},
                                                         {ParkingType::kRampGaMedium, 20, 28},
                                                         {ParkingType::kRampGaLarge, 28, 36}}};

// Counters of the costly computations of a run, for benchmarks.
struct WorkCounters {
  std::int64_t distanceCalls = 0;  // DistanceNm evaluations
  // Destination candidates tested; each has a distance from home, computed once per home airport.
  std::int64_t candidatesTested = 0;
  std::int64_t sunTimeComputations = 0;  // SunriseTime and SunsetTime evaluations
};

struct FleetSummary {
  int airportsListed = 0;     // airports in the order list (useAirport set)
  int airportsVisited = 0;    // of those, in a used country and not military
  int airportsPopulated = 0;  // of those, with at least one new plane
  int planes = 0;
  std::array<int, kCategoryCount> planesByCategory{};
  std::int64_t parkingSpaces = 0;  // GA ramp spaces considered, after the minimum counts
  // Why spaces stayed empty: the GA percentage draw, no aircraft fitting the space, or no
  // registration left to give.
  std::int64_t spacesNotDrawn = 0;
  std::int64_t spacesWithoutAircraft = 0;
  std::int64_t spacesWithoutRegistration = 0;
};

// How many spaces of one airport may find no registration left before its remaining spaces are
// given up.
inline constexpr int kMaxExhaustedRegistrations = 100;

// The shortest runway (metres) that an aircraft of this mean stall speed (knots) uses.
double MinimumRunwayLength(int stallSpeed);

// One entry of the airport order list. key: DistanceNm from (0, 0), as a 32-bit float; an airport
// for which that is not a number (one at 0, 0 exactly) has key 0.
struct AirportOrderEntry {
  float key = 0.0f;
  CAirport* airport = nullptr;  // not owned
};

struct AirportOrder {
  // Ascending by key, then by ICAO ident: a strict weak ordering, so the order is fully defined.
  std::vector<AirportOrderEntry> entries;
  // Usable airports of type "Seaplane Base", in airportIndex order. Not owned.
  std::vector<CAirport*> seaplaneBases;
};

// The first pass: for every airport of airportIndex, in its order, empties `planes`; for those with
// useAirport set, records seaplane bases, sets gaParkingCount to the sum of the parking counts of
// types 0..11 and, unless that sum is negative as a 32-bit number, lists the airport. Sets every
// listed airport's generatorIndex to its position. One DistanceNm per listed airport.
AirportOrder BuildAirportOrder(World& world, WorkCounters& counters);

// The country above `airport` in the tree; null when the tree above it is incomplete.
const CCountry* CountryOf(const CAirport& airport);

// Whether the second pass fills `airport`: its country is in use (an airport without a country
// counts as in use) and it is not military.
bool TakesPartInTraffic(const CAirport& airport);

// The number of spaces of `parkingType` that the fleet fills at an airport of `airportType` with
// `collected` such spaces. Small GA ramps: at least 2 (Bush, Gras Strip, Seaplane Base), 4 (small
// airfield and commercial), 9 (medium), 18 (large). Medium GA ramps: 1..3 become 3 at medium
// airports, 1..6 become 6 at large ones. Everything else stays as collected.
std::uint32_t MinimumParkingCount(AirportType airportType, ParkingType parkingType, std::uint32_t collected);

// The lottery factor of an aircraft of `wingSpan` metres for spaces of `kind`: 1.0 at or below the
// lower bound, 0.5 inside the band, 1.5 at the upper bound exactly; nothing when it is wider.
std::optional<float> WingspanFactor(int wingSpan, const GaRampKind& kind);

class FleetGenerator {
 public:
  // All references must outlive the generator. `order` is the first pass's result.
  FleetGenerator(World& world, const Settings& settings, Random& random, const AirportOrder& order,
                 FleetSummary& summary, WorkCounters& counters);

  // Empties the airport's `planes` and fills its small, medium and large GA ramps, in that order,
  // as many spaces of each as MinimumParkingCount gives (at most kMaxParkingSpaces). Once
  // kMaxExhaustedRegistrations spaces of the airport found no registration left, its remaining
  // spaces stay empty without draws: each such space costs thousands of draws, and a world that
  // runs out of registrations at one airport would otherwise take days. Per space: one draw % 100, and only
  // when it is below gaPercentage the aircraft lottery (with its draws), the registration's draws and the
  // plane's category draw. Each new plane enters registrationIndex and the airport's `planes`. Sets the
  // `percentage` of every variation that the lottery accepts to 0.
  void PopulateAirport(CAirport& airport);

 private:
  enum class SeaplaneReach { kUnknown, kReachable, kUnreachable };
  struct Candidate {
    CAI_Aircraft* variation;
    float runningWeight;
  };

  // The lottery for one space of `kind`: the winning variation, or null when none fits. Variations
  // without a model or whose model has no wingspan above 0 are no candidates: the compiler's
  // aircraft file leaves them out (see aircraft_file.h). Each candidate weighs its probability
  // times its factor; one draw % trunc(total + 1) picks the first candidate whose running total
  // reaches it, but never one of weight 0 while another has weight (when all are 0 the first
  // wins). Draws: one % 4 for each accepted candidate with tundra tyres on soft ground or with skis
  // on snow, then the winner's (also when there is no candidate).
  CAI_Aircraft* DrawAircraft(CAirport& airport, const GaRampKind& kind, SeaplaneReach& reach);
  bool SeaplaneBaseWithin(const CAirport& airport, int range);

  World& world_;
  const Settings& settings_;
  Random& random_;
  const AirportOrder& order_;
  FleetSummary& summary_;
  WorkCounters& counters_;
  std::vector<Candidate> candidates_;  // reused for every space
};

}
