// A whole traffic run on a small fixed world, compared byte for byte with the checked-in
// Flightplans-GA.dat, so that any change of a rule or of the order of the draws shows.
//
// To write the file anew after a deliberate change: WINGFOLD_UPDATE_GOLDEN=1 wingfold_tests
// --gtest_filter='FlightPlanGolden*', then review the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"

namespace wf {
namespace {

using enum AirportType;

using test::AddAirport;
using test::AddModel;
using test::AddVariation;
using test::AirportSpec;
using test::CountryNode;
using test::kHardSurface;
using test::kSnowSurface;
using test::kSoftSurface;
using test::kWaterSurface;

const std::filesystem::path kGoldenFile =
    std::filesystem::path(WINGFOLD_SOURCE_DIR) / "tests/traffic/golden/flightplans_small_world.dat";

// Fifteen airports in Germany, Austria, Switzerland, France and Spain; seven models, one of them
// too wide for any ramp.
void BuildSmallWorld(World& world) {
  const AirportSpec airports[] = {
      {"EDDF", 50.0333, 8.5706, kLargeCommercial, "Germany", "Europe", 111, 4000, kHardSurface, 4, 2, 2, 250},
      {"EDFE", 49.9608, 8.6436, kSmallAirfield, "Germany", "Europe", 117, 1400, kHardSurface, 6, 0, 0, 8},
      {"EDFM", 49.4733, 8.5142, kMediumAirfield, "Germany", "Europe", 94, 1066, kHardSurface, 8, 2, 0, 12},
      {"EDFZ", 49.9686, 8.1475, kGrassStrip, "Germany", "Europe", 233, 1000, kSoftSurface, 0, 0, 0, 4},
      {"EDNY", 47.6713, 9.5115, kSmallCommercial, "Germany", "Europe", 417, 2356, kHardSurface, 4, 1, 0, 30},
      {"EDMO", 48.0814, 11.2831, kMediumCommercial, "Germany", "Europe", 593, 2286, kHardSurface, 6, 3, 1,
       60},
      {"EDTF", 48.0225, 7.8325, kSmallAirfield, "Germany", "Europe", 244, 1300, kHardSurface, 3, 0, 0, 8},
      {"EDQC", 47.8700, 12.4300, kSeaplaneBase, "Germany", "Europe", 518, 1500, kWaterSurface, 0, 0, 0, 3},
      {"ETSN", 48.7110, 11.2114, kLargeAirfield, "Germany", "Europe", 387, 2940, kHardSurface, 0, 0, 0, 20},
      {"EDXX", 49.0000, 9.0000, kSmallAirfield, "Germany", "Europe", 300, 900, kHardSurface, 4, 0, 0, 5},
      {"LOWS", 47.7933, 13.0043, kMediumCommercial, "Austria", "Europe", 430, 2750, kHardSurface, 5, 2, 1,
       45},
      {"LOAV", 47.9650, 16.2600, kMediumAirfield, "Austria", "Europe", 234, 1200, kHardSurface, 4, 0, 0, 10},
      {"LOWZ", 47.2925, 12.7878, kBush, "Austria", "Europe", 753, 800, kSnowSurface, 0, 0, 0, 6},
      {"LSZH", 47.4647, 8.5492, kLargeCommercial, "Switzerland", "Europe", 432, 3700, kHardSurface, 10, 4, 2,
       200},
      {"LFPB", 48.9694, 2.4414, kLargeCommercial, "France", "Europe", 66, 3000, kHardSurface, 6, 2, 2, 90},
      {"LEMD", 40.4719, -3.5626, kLargeCommercial, "Spain", "Europe", 610, 4100, kHardSurface, 8, 4, 2, 120},
  };
  for (const AirportSpec& spec : airports) AddAirport(world, spec);
  world.airportIndex.Find("ETSN")->military = 1;
  world.airportIndex.Find("EDXX")->useAirport = 0;
  CountryNode(*world.airportIndex.Find("LSZH")).countryUse = 0;

  CCountry& germany = CountryNode(*world.airportIndex.Find("EDDF"));
  germany.patternCount = -1;
  germany.registrationPatterns = {"D-E...", "D-F...", "D-G...", "D-I...", "D-C...", "D-B...",
                                  "D-A...", "D-H...", "",       "",       "D-K..."};
  CCountry& austria = CountryNode(*world.airportIndex.Find("LOWS"));
  austria.patternCount = 2;
  austria.registrationPatterns[0] = "OE-K..";
  austria.registrationPatterns[1] = "OE-D..";
  CCountry& spain = CountryNode(*world.airportIndex.Find("LEMD"));
  spain.patternCount = 1;
  spain.registrationPatterns[0] = "EC-...";
  // France keeps the patterns of a new country.

  CAircraft& cessna = AddModel(world, {.name = "Cessna 172"});
  AddVariation(world, cessna, "Cessna 172 white", 100, 10000);
  AddVariation(world, cessna, "Cessna 172 red", 50, 10000);
  CAircraft& seneca = AddModel(world, {.name = "Piper Seneca",
                                       .wingSpan = 12,
                                       .cruiseSpeed = 180,
                                       .stallSpeed = 60,
                                       .range = 800,
                                       .engineCount = 2,
                                       .fuelFlow = 40,
                                       .maxWeight = 2070,
                                       .ceiling = 25000,
                                       .usage = 0b111111});
  AddVariation(world, seneca, "Piper Seneca blue", 60, 30000);
  CAircraft& kingAir = AddModel(world, {.name = "King Air 350",
                                        .wingSpan = 18,
                                        .cruiseSpeed = 300,
                                        .stallSpeed = 85,
                                        .range = 1500,
                                        .engineCount = 2,
                                        .engineType = EngineType::kTurboprop,
                                        .fuelFlow = 150,
                                        .fuelType = FuelType::kJetFuel,
                                        .maxWeight = 6800,
                                        .ceiling = 35000,
                                        .usage = 0b110000});
  AddVariation(world, kingAir, "King Air 350 charter", 40, 150000);
  CAircraft& husky = AddModel(world, {.name = "Husky floats",
                                      .cruiseSpeed = 95,
                                      .stallSpeed = 40,
                                      .range = 400,
                                      .fuelFlow = 30,
                                      .ifr = 0,
                                      .usage = 0b000011,
                                      .amphibian = 1});
  AddVariation(world, husky, "Husky floats yellow", 30, 8000);
  CAircraft& cub = AddModel(world, {.name = "Super Cub",
                                    .cruiseSpeed = 90,
                                    .stallSpeed = 35,
                                    .range = 400,
                                    .fuelFlow = 28,
                                    .ifr = 0,
                                    .usage = 0b000011,
                                    .bushPlane = 1,
                                    .skis = 1});
  AddVariation(world, cub, "Super Cub tundra", 30, 6000);
  CAircraft& glider = AddModel(world, {.name = "Stemme S10",
                                       .wingSpan = 23,
                                       .cruiseSpeed = 100,
                                       .stallSpeed = 40,
                                       .range = 500,
                                       .engineCount = 0,
                                       .ifr = 0,
                                       .usage = 0b000001});
  AddVariation(world, glider, "Stemme S10 white", 20, 5000);
  CAircraft& jet =
      AddModel(world, {.name = "Wide Jet", .wingSpan = 40, .cruiseSpeed = 450, .usage = 0b110000});
  AddVariation(world, jet, "Wide Jet", 100, 900000);
}

Settings SmallWorldSettings() {
  Settings settings;
  settings.startDate = MakeTime(2006, 1, 5);  // a Thursday
  return settings;
}

std::string Generate(World& world, GenerationResult* result = nullptr) {
  Random random(1);
  NullProgress progress;
  SilentPrompter prompter;
  std::ostringstream out;
  const GenerationResult run = GenerateTraffic(world, SmallWorldSettings(), random, progress, prompter, out);
  if (result != nullptr) *result = run;
  return out.str();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FlightPlanGolden, SmallWorldMatchesTheCheckedInFile) {
  World world;
  BuildSmallWorld(world);
  GenerationResult result;
  const std::string text = Generate(world, &result);
  if (std::getenv("WINGFOLD_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(kGoldenFile.parent_path());
    std::ofstream(kGoldenFile, std::ios::binary) << text;
  }
  ASSERT_TRUE(std::filesystem::exists(kGoldenFile)) << kGoldenFile;
  EXPECT_EQ(text, ReadFile(kGoldenFile));
  EXPECT_GT(result.planeBlocks, 10);
  EXPECT_EQ(result.fleet.airportsListed, 15);
  EXPECT_EQ(result.fleet.airportsVisited, 13);
}

TEST(FlightPlanGolden, SameWorldSameTextAndTheWeekEndsAtHome) {
  World first;
  BuildSmallWorld(first);
  World second;
  BuildSmallWorld(second);
  const std::string text = Generate(first);
  ASSERT_EQ(text, Generate(second));

  // Every block is a chain of out-and-back legs that closes over the week's wrap: a leg home follows
  // every leg out, and the week has at most 200 legs.
  std::istringstream in(text);
  std::string line;
  std::string home;
  std::vector<std::string> destinations;
  auto checkBlock = [&] {
    SCOPED_TRACE(home);
    ASSERT_GE(destinations.size(), 2u);
    ASSERT_LE(destinations.size(), 200u);
    ASSERT_EQ(destinations.size() % 2, 0u);
    for (std::size_t i = 0; i < destinations.size(); ++i) {
      const bool atHome = destinations[i] == home;
      EXPECT_NE(atHome, destinations[(i + 1) % destinations.size()] == home) << i;
    }
  };
  while (std::getline(in, line)) {
    if (line.rfind("AC", 0) == 0) {
      const std::string registration =
          line.substr(line.find(',') + 1, line.find(',', line.find(',') + 1) - line.find(',') - 1);
      const CPlane* plane = first.registrationIndex.Find(registration);
      ASSERT_NE(plane, nullptr) << line;
      home = plane->homeAirport->icao;
      destinations.clear();
    } else if (line == "}") {
      checkBlock();
    } else if (line != "{") {
      const std::size_t comma = line.find(',');
      destinations.push_back(line.substr(comma + 1, line.find(',', comma + 1) - comma - 1));
    }
  }
}

}
}
