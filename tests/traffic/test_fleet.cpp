#include <gtest/gtest.h>

#include <array>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "traffic/fleet.h"
#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"
#include "traffic/registrations.h"

namespace wf {
namespace {

using enum AirportType;

using test::AddAirport;
using test::AddModel;
using test::AddVariation;
using test::AirportSpec;
using test::CountryNode;
using test::DrawsBetween;
using test::ModelSpec;

// One airport filled by a fleet generator of its own, from seed 1.
struct Filled {
  int draws;
  FleetSummary summary;
  WorkCounters counters;
};

Filled Fill(World& world, CAirport& airport, int gaPercentage, int drawLimit = 1000000) {
  Filled filled{};
  const AirportOrder order = BuildAirportOrder(world, filled.counters);
  Settings settings;
  settings.gaPercentage = gaPercentage;
  Random random(1);
  FleetGenerator(world, settings, random, order, filled.summary, filled.counters).PopulateAirport(airport);
  filled.draws = DrawsBetween(1, random, drawLimit);
  return filled;
}

TEST(FleetMinimumParking, RaisesSmallAndMediumRampsByAirportType) {
  using enum ParkingType;
  // The type, the small, medium and large ramps collected, and then as raised.
  const std::tuple<AirportType, std::array<std::uint32_t, 3>, std::array<std::uint32_t, 3>> cases[] = {
      {kBush, {0, 0, 0}, {2, 0, 0}},
      {kGrassStrip, {1, 1, 1}, {2, 1, 1}},  // medium ramps stay as collected
      {kSmallCommercial, {3, 0, 0}, {4, 0, 0}},
      {kMediumAirfield, {0, 0, 0}, {9, 0, 0}},    // no medium ramps stay none
      {kMediumAirfield, {12, 1, 0}, {12, 3, 0}},  // 1 medium ramp becomes 3
      {kMediumCommercial, {0, 4, 1}, {9, 4, 1}},  // 4 is not raised
      {kLargeCommercial, {20, 6, 3}, {20, 6, 3}},
      {kLargeAirfield, {0, 5, 0}, {18, 6, 0}},  // 5 becomes 6
      {kDerived, {0, 1, 0}, {0, 1, 0}},         // no type: as collected
  };
  for (const auto& [type, collected, raised] : cases) {
    const std::array<std::uint32_t, 3> minimum = {MinimumParkingCount(type, kRampGaSmall, collected[0]),
                                                  MinimumParkingCount(type, kRampGaMedium, collected[1]),
                                                  MinimumParkingCount(type, kRampGaLarge, collected[2])};
    EXPECT_EQ(minimum, raised) << Code(type);
  }
}

TEST(FleetWingspanFactor, ByRampKind) {
  // The wingspan and its factor for small, medium and large ramps (none: does not fit).
  using Factor = std::optional<float>;
  const std::tuple<int, Factor, Factor, Factor> cases[] = {
      {0, 1.0f, 1.0f, 1.0f},
      {11, 0.5f, 1.0f, 1.0f},
      {20, 1.5f, 1.0f, 1.0f},  // at the small bound exactly; not inside the medium band
      {21, std::nullopt, 0.5f, 1.0f},
      {28, std::nullopt, 1.5f, 1.0f},
      {29, std::nullopt, std::nullopt, 0.5f},
      {36, std::nullopt, std::nullopt, 1.5f},
      {37, std::nullopt, std::nullopt, std::nullopt}};
  for (const auto& [wingSpan, small, medium, large] : cases) {
    EXPECT_EQ(std::tuple(WingspanFactor(wingSpan, kGaRampKinds[0]), WingspanFactor(wingSpan, kGaRampKinds[1]),
                         WingspanFactor(wingSpan, kGaRampKinds[2])),
              std::tuple(small, medium, large))
        << wingSpan;
  }
}

// With GA percentage 0 each space costs exactly its one draw and no plane is made. The minimum
// counts follow the type the user set over the derived one.
TEST(FleetGeneration, OneDrawPerSpaceWhenNoSpaceIsUsed) {
  struct Case {
    const char* label;
    AirportType type;
    std::uint32_t longestRunway, small, medium, large;
    int expectedDraws;
  } cases[] = {{"large airfield without small ramps", kLargeAirfield, 1500, 0, 0, 0, 18},
               {"large airfield, 2 medium, 1 large", kLargeAirfield, 1500, 0, 2, 1, 18 + 6 + 1},
               {"small airfield by its 800 m runway", kDerived, 800, 0, 0, 0, 4},
               {"the same, set to large commercial airport", kLargeCommercial, 800, 0, 0, 0, 18}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    World world;
    AirportSpec spec{.icao = "EDXA", .type = c.type, .longestRunway = c.longestRunway, .smallRamps = c.small};
    spec.mediumRamps = c.medium;
    spec.largeRamps = c.large;
    CAirport& airport = AddAirport(world, spec);
    AddVariation(world, AddModel(world, {}), "Trainer");
    const Filled filled = Fill(world, airport, 0);
    EXPECT_EQ(filled.draws, c.expectedDraws);
    EXPECT_EQ(filled.summary.spacesNotDrawn, c.expectedDraws);
    EXPECT_EQ(filled.summary.planes, 0);
    EXPECT_TRUE(world.registrationIndex.empty());
  }
}

// Which aircraft the lottery may base at an airport. Each case changes the airport or the model
// that the defaults make fit; with GA percentage 100 and one candidate, every space gets a plane or
// none does.
TEST(FleetLottery, CandidatesThatCannotBeBasedLeaveTheSpacesEmpty) {
  struct Case {
    const char* label;
    ModelSpec model;
    bool based;
    std::uint32_t longestRunway = 1500;
    float landingFee = 5, moneyPerWeek = 20000;
    int useForGA = 1;
  } cases[] = {{"fits", {}, true},
               {"no wheels", {.hasWheels = 0}, false},
               {"wingspan unknown", {.wingSpan = 0}, false},
               {"wider than a small ramp", {.wingSpan = 21}, false},
               {"runway exactly the minimum is too short", {}, false, 697},
               {"runway a metre longer", {}, true, 698},
               {"70 landings cost the money of a week", {}, false, 1500, 100, 7000},
               {"70 landings cost a little less", {}, true, 1500, 100, 7000.5f},
               {"floats and no seaplane base anywhere", {.amphibian = 1}, false},
               {"not for GA", {}, false, 1500, 5, 20000, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    World world;
    AirportSpec spec{.icao = "EDXA", .latitude = 50, .longitude = 8, .type = kBush};
    spec.longestRunway = c.longestRunway;
    spec.landingFee = c.landingFee;
    CAirport& airport = AddAirport(world, spec);
    AddVariation(world, AddModel(world, c.model), "Only", 100.0f, c.moneyPerWeek).useForGA = c.useForGA;
    const Filled filled = Fill(world, airport, 100);
    EXPECT_EQ(filled.summary.planes, c.based ? 2 : 0);
    EXPECT_EQ(filled.summary.spacesWithoutAircraft, c.based ? 0 : 2);
    // Per empty space: the GA draw and the winner draw, which is made without candidates too.
    EXPECT_TRUE(c.based || filled.draws == 4) << filled.draws;
  }
}

// A float plane is based where a seaplane base lies within half its range; the test is made once per
// airport, with the first float plane's range, and costs one distance per seaplane base looked at.
TEST(FleetLottery, FloatPlanesNeedASeaplaneBaseWithinHalfTheirRange) {
  // The base's latitude (the airport is at 50 N 8 E; one degree of latitude is about 60 nm), the range.
  const std::tuple<double, int, bool> cases[] = {
      {51, 130, true}, {51, 110, false}, {53, 400, true}, {53, 300, false}};
  for (const auto& [baseLatitude, range, based] : cases) {
    SCOPED_TRACE(baseLatitude);
    World world;
    CAirport& airport = AddAirport(world, {.icao = "EDXA", .latitude = 50, .longitude = 8, .type = kBush});
    AddAirport(world, {.icao = "EDXS", .latitude = baseLatitude, .longitude = 8, .type = kSeaplaneBase});
    AddVariation(world, AddModel(world, {.name = "Float", .range = range, .amphibian = 1}), "Float");
    const Filled filled = Fill(world, airport, 100);
    EXPECT_EQ(filled.summary.planes, based ? 2 : 0);
    EXPECT_EQ(filled.counters.distanceCalls, 2 + 1);  // two order keys, one reach test for both spaces
  }
}

TEST(FleetLottery, WeightsChooseAndAcceptedVariationsLoseTheirPercentage) {
  World world;
  CAirport& airport = AddAirport(world, {.icao = "EDXA", .type = kLargeAirfield});
  CAircraft& model = AddModel(world, {});
  CAI_Aircraft& never = AddVariation(world, model, "A never", 0.0f);
  // A total weight of 1 draws % 2: a draw of 0 must not go to the leading candidate of weight 0.
  CAI_Aircraft& always = AddVariation(world, model, "B always", 1.0f);
  CAI_Aircraft& unused = AddVariation(world, model, "C not for GA", 100.0f);
  unused.useForGA = 0;
  ASSERT_EQ(Fill(world, airport, 100).summary.planes, 18);
  for (const auto& [registration, plane] : airport.planes) EXPECT_EQ(plane->aircraft, &always);
  EXPECT_EQ(never.percentage, 0);
  EXPECT_EQ(always.percentage, 0);
  EXPECT_EQ(unused.percentage, 55);
}

TEST(FleetOrder, SortsUsableAirportsByDistanceFromTheOriginThenIdent) {
  World world;
  AddAirport(world, {.icao = "FAR", .latitude = 10, .longitude = 10});
  AddAirport(world, {.icao = "ZERO", .latitude = 0, .longitude = 0});  // distance 0/0: key 0
  AddAirport(world, {.icao = "NEAR", .latitude = 1, .longitude = 0});
  AddAirport(world, {.icao = "BNEAR", .latitude = 0, .longitude = 1});  // a degree on the equator is longer
  AddAirport(world, {.icao = "ANEAR", .latitude = 1, .longitude = 0});  // same key as NEAR
  AddAirport(world, {.icao = "UNUSED", .latitude = 5, .longitude = 5}).useAirport = 0;
  AddAirport(world, {.icao = "SEA", .latitude = 20, .longitude = 20, .type = kSeaplaneBase});
  CAirport& damaged = AddAirport(world, {.icao = "DAMAGED", .latitude = 3, .longitude = 3});
  damaged.parkingCounts[0] = 0x80000000u;  // the sum reads as negative

  WorkCounters counters;
  const AirportOrder order = BuildAirportOrder(world, counters);
  std::vector<std::string> idents;
  for (const AirportOrderEntry& entry : order.entries) {
    idents.push_back(entry.airport->icao);
    EXPECT_EQ(entry.airport->generatorIndex, static_cast<int>(idents.size()) - 1);
  }
  const float keyOfNear = order.entries[1].key;
  EXPECT_EQ(order.entries[0].key, 0.0f);
  EXPECT_EQ(order.entries[2].key, keyOfNear);
  EXPECT_EQ(idents, (std::vector<std::string>{"ZERO", "ANEAR", "NEAR", "BNEAR", "FAR", "SEA"}));
  ASSERT_EQ(order.seaplaneBases.size(), 1u);
  EXPECT_EQ(order.seaplaneBases[0]->icao, "SEA");
  EXPECT_EQ(counters.distanceCalls, 6);
}

// Registrations stay unique within a run and across runs in one process: planes of the first run
// keep theirs, and when the patterns run out the spaces stay empty and are counted.
// Each space that finds no registration left costs kMaxRegistrationExpansions draws; an airport gives
// up its remaining spaces after kMaxExhaustedRegistrations of them.
TEST(FleetRegistrations, AnAirportThatRunsOutGivesUpItsRemainingSpaces) {
  World world;
  CAirport& airport = AddAirport(world, {.icao = "EDXA", .type = kSmallAirfield, .smallRamps = 1000});
  CCountry& germany = CountryNode(airport);
  germany.patternCount = 1;
  germany.registrationPatterns[0] = "D-EAA!";  // 10 registrations
  AddVariation(world, AddModel(world, {}), "Trainer");
  const Filled filled = Fill(world, airport, 100, 3000000);
  EXPECT_EQ(filled.summary.planes, 10);
  EXPECT_EQ(filled.summary.spacesWithoutRegistration, 990);
  // Per tried space: the percentage, the lottery, the pattern's expansions and the category.
  EXPECT_GT(filled.draws, kMaxExhaustedRegistrations * kMaxRegistrationExpansions);
  EXPECT_LT(filled.draws, (kMaxExhaustedRegistrations + 1) * kMaxRegistrationExpansions);
}

TEST(FleetRegistrations, NeverRepeatAcrossRuns) {
  World world;
  for (int i = 0; i < 4; ++i)
    AddAirport(world, {.icao = "EDX" + std::to_string(i),
                       .latitude = 50 + 0.2 * i,
                       .longitude = 8,
                       .type = kLargeAirfield});
  CCountry& germany = CountryNode(*world.airportIndex.Find("EDX0"));
  germany.patternCount = 1;
  germany.registrationPatterns[0] = "D-E!!";  // 100 registrations
  AddVariation(world, AddModel(world, {}), "Trainer");
  Settings settings;
  settings.gaPercentage = 100;
  NullProgress progress;
  SilentPrompter prompter;

  Random random(1);
  std::ostringstream first;
  const GenerationResult run1 = GenerateTraffic(world, settings, random, progress, prompter, first);
  EXPECT_EQ(run1.fleet.planes, 72);
  std::set<const CPlane*> firstPlanes;
  for (const auto& [registration, plane] : world.registrationIndex) firstPlanes.insert(plane.get());

  random.Seed(1);
  std::ostringstream second;
  const GenerationResult run2 = GenerateTraffic(world, settings, random, progress, prompter, second);
  EXPECT_EQ(run2.fleet.planes, 28);
  EXPECT_EQ(run2.fleet.spacesWithoutRegistration, 72 - 28);
  EXPECT_EQ(world.registrationIndex.size(), 100u);
  for (const CPlane* plane : firstPlanes) EXPECT_EQ(world.registrationIndex.Find(plane->registration), plane);
  // The airports hold the second run's planes only.
  std::size_t planesOfSecondRun = 0;
  for (const auto& [icao, airport] : world.airportIndex) planesOfSecondRun += airport->planes.size();
  EXPECT_EQ(planesOfSecondRun, 28u);
}

}
}
