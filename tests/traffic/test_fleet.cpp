#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "traffic/fleet.h"
#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"
#include "traffic/registration_patterns.h"
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

// The minimum counts follow the type the user set over the derived one.
TEST(FleetGeneration, OneDrawPerSpaceWhenNoSpaceIsUsed) {
  struct Case {
    const char* label;
    AirportType type;
    std::uint32_t longestRunway, small, medium, large;
    int expectedDraws;
  } cases[] = {{"large airfield, 2 medium, 1 large", kLargeAirfield, 1500, 0, 2, 1, 18 + 6 + 1},
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
    EXPECT_EQ(std::tuple(filled.draws, filled.summary.spacesNotDrawn, filled.summary.planes),
              std::tuple(c.expectedDraws, c.expectedDraws, 0));
    EXPECT_TRUE(world.registrationIndex.empty());
  }
}

// Each case changes the airport or the model the defaults make fit; with one candidate, every space
// gets a plane or none does.
TEST(FleetLottery, CandidatesThatCannotBeBasedLeaveTheSpacesEmpty) {
  struct Case {
    const char* label;
    ModelSpec model;
    bool based;
    double seaplaneBase = 0;  // its latitude (one degree is about 60 nm); 0: none
    std::uint32_t longestRunway = 1500;
    float landingFee = 5, moneyPerWeek = 20000;
    int useForGA = 1;
  } cases[] = {{"fits", {}, true},
               {"no wheels", {.hasWheels = 0}, false},
               {"wingspan unknown", {.wingSpan = 0}, false},
               {"as wide as a small ramp", {.wingSpan = 20}, true},
               {"wider than a small ramp", {.wingSpan = 21}, false},
               {"runway exactly the minimum is too short", {}, false, 0, 697},
               {"runway a metre longer", {}, true, 0, 698},
               {"70 landings cost the money of a week", {}, false, 0, 1500, 100, 7000},
               {"70 landings cost a little less", {}, true, 0, 1500, 100, 7000.5f},
               {"not for GA", {}, false, 0, 1500, 5, 20000, 0},
               {"floats and no seaplane base", {.amphibian = 1}, false},
               {"floats, a base within half the range", {.range = 130, .amphibian = 1}, true, 51},
               {"floats, a base beyond it", {.range = 110, .amphibian = 1}, false, 51}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    World world;
    AirportSpec spec{.icao = "EDXA", .latitude = 50, .longitude = 8, .type = kBush};
    spec.longestRunway = c.longestRunway;
    spec.landingFee = c.landingFee;
    CAirport& airport = AddAirport(world, spec);
    if (c.seaplaneBase != 0)
      AddAirport(world, {.icao = "EDXS", .latitude = c.seaplaneBase, .longitude = 8, .type = kSeaplaneBase});
    AddVariation(world, AddModel(world, c.model), "Only", 100.0f, c.moneyPerWeek).useForGA = c.useForGA;
    const Filled filled = Fill(world, airport, 100);
    EXPECT_EQ(filled.summary.planes, c.based ? 2 : 0);
    EXPECT_EQ(filled.summary.spacesWithoutAircraft, c.based ? 0 : 2);
    // Per empty space: the GA draw and the winner draw, which is made without candidates too.
    EXPECT_TRUE(c.based || filled.draws == 4) << filled.draws;
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
  EXPECT_EQ(std::tuple(never.percentage, always.percentage, unused.percentage), std::tuple(0, 0, 55));
}

TEST(FleetOrder, SortsUsableAirportsByDistanceFromTheOriginThenIdent) {
  World world;
  AddAirport(world, {.icao = "FAR", .latitude = 10, .longitude = 10});
  AddAirport(world, {.icao = "ZERO", .latitude = 0, .longitude = 0});  // distance 0/0: key 0
  AddAirport(world, {.icao = "NEAR", .latitude = 1, .longitude = 0});
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
  EXPECT_EQ(idents, (std::vector<std::string>{"ZERO", "ANEAR", "NEAR", "FAR", "SEA"}));
  ASSERT_EQ(order.seaplaneBases.size(), 1u);
  EXPECT_EQ(order.seaplaneBases[0]->icao, "SEA");
  EXPECT_EQ(counters.distanceCalls, 5);
}

// Each space that finds no registration left costs kMaxRegistrationExpansions draws; the spaces left
// empty are counted.
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
  EXPECT_EQ(
      std::tuple(run2.fleet.planes, run2.fleet.spacesWithoutRegistration, world.registrationIndex.size()),
      std::tuple(28, 72 - 28, 100u));
  for (const CPlane* plane : firstPlanes) EXPECT_EQ(world.registrationIndex.Find(plane->registration), plane);
  // The airports hold the second run's planes only.
  std::size_t planesOfSecondRun = 0;
  for (const auto& [icao, airport] : world.airportIndex) planesOfSecondRun += airport->planes.size();
  EXPECT_EQ(planesOfSecondRun, 28u);
}

class MakeRegistrationTest : public ::testing::Test {
 protected:
  void Take(const std::string& registration) { taken_.Insert(registration, std::make_unique<CPlane>()); }

  void SetUp() override { model_.engineCount = 1; }  // one engine, 0 kg: class 0

  CAircraft model_;
  StringMap<CPlane> taken_;
};

TEST_F(MakeRegistrationTest, ChoosesAPatternByCountAndExpandsAgainWhileTaken) {
  struct Case {
    const char* label;
    int patternCount;
    std::array<std::string, CCountry::kMaxPatterns> patterns;
    std::string expected;
    int draws;
  } cases[] = {// Class 0 picks slot 0 without a draw; 41 % 10 = 1.
               {"by class", -1, {"C!", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X"}, "C1", 1},
               // 41 % 3 = 2 picks "N!!!.."; then 7, 4, 0 and letters 19169 % 26 = 7, 15724 % 26 = 20.
               {"none in use: the new country's patterns", 0, {"Q!"}, "N740HU", 6},
               // 18467 % 10 = 7 is taken, 6334 % 10 = 4 is not.
               {"expands again while taken", 1, {"D-!"}, "D-4", 3}};
  Take("D-7");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CCountry country;
    country.patternCount = c.patternCount;
    country.registrationPatterns = c.patterns;
    Random random(1);
    EXPECT_EQ(MakeRegistration(&country, model_, taken_, random), c.expected);
    EXPECT_EQ(DrawsBetween(1, random), c.draws);
  }
  Random random(1);
  EXPECT_EQ(MakeRegistration(nullptr, model_, taken_, random), "N740HU") << "without a country";
}

TEST_F(MakeRegistrationTest, GivesUpInsteadOfLoopingForever) {
  const std::tuple<const char*, std::string, int> cases[] = {
      {"every expansion taken", "D-!", 1 + kMaxRegistrationExpansions},
      {"no wildcard and taken", "D-ABC", 1},
      {"empty pattern", "", 1}};
  for (int digit = 0; digit < 10; ++digit) Take("D-" + std::to_string(digit));
  Take("D-ABC");
  for (const auto& [label, pattern, draws] : cases) {
    SCOPED_TRACE(label);
    CCountry country;
    country.patternCount = 1;
    country.registrationPatterns[0] = pattern;
    Random random(1);
    EXPECT_EQ(MakeRegistration(&country, model_, taken_, random), std::nullopt);
    EXPECT_EQ(DrawsBetween(1, random, 2 * kMaxRegistrationExpansions), draws);
  }
}

using Patterns = std::array<std::string, CCountry::kMaxPatterns>;

const Patterns kDefaultPatterns{"N!!!!!", "N!!!!.", "N!!!.."};

CCountry& AddCountry(World& world, const std::string& region, const std::string& country) {
  return *FindOrCreateAirport(world, region, country, "State", "City", region + country, 0)
              ->city->state->country;
}

TEST(RegistrationPatternsTest, CountryLinesReplaceCountAndPatternsOrChangeNothing) {
  const Patterns eleven{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"};
  const std::tuple<const char*, int, Patterns> cases[] = {
      {"COUNTRY;Germany;-1;A;B;C;D;E;F;G;H;I;J;K", -1, eleven},
      // Fewer patterns than the count: the rest are empty, not the old ones.
      {"COUNTRY;Germany;5;D-E...;;D-G...", 5, {"D-E...", "", "D-G..."}},
      {"COUNTRY;Germany;1;D-E...;ignored", 1, {"D-E..."}},
      // The count is a decimal number truncated toward zero; Windows line ends do not reach the last pattern.
      {"COUNTRY;Germany; +2.9x;D-E...;D-F...;D-G...\r\n", 2, {"D-E...", "D-F..."}},
      // Lines that change nothing.
      {"COUNTRY;Germany;12;A;B;C;D;E;F;G;H;I;J;K;L", 3, kDefaultPatterns},
      {"COUNTRY;Germany;many;A", 3, kDefaultPatterns},
      {"country;Germany;1;D-E...", 3, kDefaultPatterns}};
  for (const auto& [line, count, patterns] : cases) {
    World world;
    CCountry& germany = AddCountry(world, "Europe", "Germany");
    ApplyRegistrationPatterns(line, world);
    EXPECT_EQ(germany.patternCount, count) << line;
    EXPECT_EQ(germany.registrationPatterns, patterns) << line;
  }
}

// A line changes the country in every region that holds it; a later line wins, and the last line
// needs no line end.
TEST(RegistrationPatternsTest, CountryIsUpdatedInEveryRegionHoldingItAndLaterLinesWin) {
  World world;
  CCountry& inEurope = AddCountry(world, "Europe", "Russia");
  CCountry& inAsia = AddCountry(world, "Asia", "Russia");
  CCountry& other = AddCountry(world, "Asia", "China");
  CCountry& france = AddCountry(world, "Europe", "France");
  ApplyRegistrationPatterns(
      "# registrations\r\nCOUNTRY;Russia;2;RA-1;RA-2\r\nCOUNTRY;France;1;F-....\nCOUNTRY;Nowhere;1;X\n"
      "COUNTRY;Russia;1;RA-!!!!!",
      world);
  for (CCountry* russia : {&inEurope, &inAsia}) {
    EXPECT_EQ(russia->patternCount, 1);
    EXPECT_EQ(russia->registrationPatterns, (Patterns{"RA-!!!!!"}));
  }
  EXPECT_EQ(std::tuple(other.patternCount, other.registrationPatterns, france.registrationPatterns[0]),
            std::tuple(3, kDefaultPatterns, "F-...."));
}

TEST(RegistrationPatternsTest, OnlyTheFirst511CharactersOfALineAreRead) {
  World world;
  CCountry& germany = AddCountry(world, "Europe", "Germany");
  CCountry& france = AddCountry(world, "Europe", "France");
  const std::string head = "COUNTRY;Germany;2;";
  const std::string longPattern(600, '!');
  // The part beyond the limit is dropped, even where it looks like a line of its own.
  ApplyRegistrationPatterns(head + longPattern + "COUNTRY;France;1;F-....\nCOUNTRY;Austria;1;OE-...", world);
  EXPECT_EQ(std::tuple(germany.patternCount, germany.registrationPatterns[0], germany.registrationPatterns[1],
                       france.patternCount),
            std::tuple(2, std::string(kMaxRegistrationLineLength - head.size(), '!'), "", 3));
}

}
}
