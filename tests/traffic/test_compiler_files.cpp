#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/file_fixtures.h"
#include "traffic/aircraft_file.h"
#include "traffic/airports_file.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

using test::Fields;
using test::ModelSpec;

// A model fit for the file (GA use, wheels, wingspan) with one variation of its name.
CAI_Aircraft& Add(World& world, const ModelSpec& spec) {
  return test::AddVariation(world, test::AddModel(world, spec), spec.name);
}

TEST(AircraftFileTest, WritesOneLinePerUsableVariation) {
  World world;
  Add(world, {.name = "Cessna 172", .cruiseSpeed = 122, .range = 640});
  // Small values show the divisions truncating.
  Add(world,
      {.name = "Piper Cub", .wingSpan = 1, .cruiseSpeed = 65, .stallSpeed = 0, .range = 7, .ceiling = 199})
      .usage = 1 << 5;
  world.aircraftTypes.Find("Piper Cub")->ifr = 2;
  EXPECT_EQ(AircraftFileText(world),
            "AC1,Cessna 172,122,70,140,160,640,2287,HARD | SOFT,5,RAMP,75,no,no\n"
            "AC2,Piper Cub,65,0,1,1,7,0,HARD | SOFT,0,GATE | RAMP,0,no,no\n");
}

// The surfaces follow weight, tyres, skis and floats; the parking kinds business and taxi use.
TEST(AircraftFileTest, SurfacesAndParkingKinds) {
  const std::tuple<ModelSpec, int, std::string, std::string> cases[] = {
      {{.maxWeight = 7500}, 0, "HARD | SOFT", "RAMP"},
      {{.maxWeight = 7501}, 0x0F, "HARD", "RAMP"},
      {{.maxWeight = 7501, .bushPlane = 1}, 1 << 4, "HARD | SOFT", "GATE | RAMP"},
      {{.maxWeight = 7501, .amphibian = 1}, -1, "HARD | SOFT | WATER", "GATE | RAMP"},
      {{.maxWeight = 9000, .amphibian = 1, .skis = 1}, 1 << 6, "HARD | SOFT | SNOW | WATER", "RAMP"}};
  for (const auto& [model, usage, surfaces, parking] : cases) {
    World world;
    Add(world, model).usage = usage;
    const std::vector<std::string> fields = Fields(AircraftFileText(world));
    ASSERT_EQ(fields.size(), 14u);
    EXPECT_EQ(std::tie(fields[8], fields[10]), std::tie(surfaces, parking))
        << model.maxWeight << " " << usage;
  }
}

TEST(AircraftFileTest, SkipsVariationsTheCompilerCannotPlace) {
  struct Case {
    const char* what;
    ModelSpec model;
    int useForGA = 1;
    bool modelMissing = false;
  } cases[] = {{"not for GA", {.name = "Skipped"}, 0},
               {"use flag 2", {.name = "Skipped"}, 2},
               {"no wheels", {.name = "Skipped", .hasWheels = 0}},
               {"wingspan 0", {.name = "Skipped", .wingSpan = 0}},
               // Switched on by hand despite a tank of negative capacity.
               {"negative range", {.name = "Skipped", .range = -54479}},
               {"model missing", {.name = "Skipped"}, 1, true}};
  for (const Case& c : cases) {
    World world;
    Add(world, {.name = "Kept"});
    CAI_Aircraft& skipped = Add(world, c.model);
    skipped.useForGA = c.useForGA;
    if (c.modelMissing) skipped.aircraft = nullptr;
    const std::string text = AircraftFileText(world);
    EXPECT_EQ(text.find("Skipped"), std::string::npos) << c.what;
    EXPECT_EQ(text.rfind("AC1,Kept,", 0), 0u) << c.what;
  }
}

TEST(AircraftFileTest, ExtremeValuesDoNotOverflow) {
  World world;
  Add(world, {.name = "Damaged", .stallSpeed = 2147483647, .ceiling = 2147483647});
  const std::vector<std::string> fields = Fields(AircraftFileText(world));
  ASSERT_EQ(fields.size(), 14u);
  EXPECT_EQ(fields[3], "10737418");
  EXPECT_EQ(fields[4], "21474836");
  EXPECT_EQ(fields[7], "102343616541");
}

using enum AirportType;

CAirport& AddAirport(World& world, const std::string& icao, AirportType type,
                     const std::string& country = "Canada") {
  CAirport& airport = *FindOrCreateAirport(world, "North America", country, "Quebec", "Montreal", icao, 0);
  airport.airportType = type;
  return airport;
}

TEST(AirportsFileTest, WritesHeaderRunwaysParkingAndStandardSpaces) {
  World world;
  CAirport& airport = AddAirport(world, "ABC", kBush, "United States");
  airport.latitude = 47.5;
  airport.longitude = -122.25;
  airport.altitude = 12.34;
  airport.airspaceClass = 'D';
  airport.approachComCount = 2;
  airport.runways = {{4, 1000, 30}, {1, 600, 20}, {2, 300, 90}, {9, 300, 90}, {255, 300, 90}};
  airport.parkingSpaces = {{ParkingType::kRampGaMedium, 12.5},
                           {ParkingType::kDockGa, 7.0},
                           {ParkingType::kGateSmall, 1234.56},
                           {ParkingType::kRampMilitaryCombat, 3},
                           {ParkingType{-1}, 3}};

  // Scenery surface codes and parking types in the compiler's words; unknown codes are hard ramps.
  EXPECT_EQ(AirportsFileText(world),
            "ABC ,47.500000,-122.250000, 12.3,D,2,0.70,United States\n{\n"
            "RUNWAY,3280,98,HARD\nRUNWAY,1968,65,SOFT\nRUNWAY,984,295,WATER\nRUNWAY,984,295,SNOW\n"
            "RUNWAY,984,295,HARD\nPARKING,12.5,RAMP\nPARKING,7.0,DOCK\nPARKING,1234.6,GATE\n"
            "PARKING,3.0,MIL_COMBAT\nPARKING,3.0,RAMP\nPARKING,10.0,RAMP\nPARKING,10.0,RAMP\n}\n");
}

TEST(AirportsFileTest, HeaderFieldsKeepTheirWidthAndPrecision) {
  const std::tuple<std::string, double, std::string> cases[] = {
      {"A", 0.0, "A   ,0.000000,0.000000,  0.0,G,0,0.70,"},
      {"KSEA", -3.05, "KSEA,0.000000,0.000000, -3.0,G,0,0.70,"},
      {"EGLL12", 4321.96, "EGLL12,0.000000,0.000000,4322.0,G,0,0.70,"}};
  for (const auto& [icao, altitude, start] : cases) {
    World world;
    AddAirport(world, icao, kBush).altitude = altitude;
    EXPECT_EQ(AirportsFileText(world).substr(0, start.size()), start) << icao;
  }
}

// Every type gets its standard spaces after the collected ones, even with nothing collected (how
// many of each size is the type's table); a seaplane base's are docks, a type without a name gets none.
TEST(AirportsFileTest, StandardSpacesByAirportType) {
  World world;
  AddAirport(world, "CYUL", kMediumAirfield);
  EXPECT_EQ(test::Occurrences(AirportsFileText(world), "PARKING,"), 16);
  World other;
  AddAirport(other, "CYSB", kSeaplaneBase);
  AddAirport(other, "CYXX", AirportType{9});
  const std::string text = AirportsFileText(other);
  EXPECT_EQ(test::Occurrences(text, "PARKING,10.0,DOCK\n"), 4);
  EXPECT_EQ(test::Occurrences(text, "RAMP"), 0);
  EXPECT_TRUE(text.ends_with("CYXX,0.000000,0.000000,  0.0,G,0,0.70,Canada\n{\n}\n")) << text;
}

// Every indexed airport with an ident, used or not, in ident order; without a country above it (a
// tree cut short) with an empty country.
TEST(AirportsFileTest, WritesEveryIndexedAirportInIdentOrder) {
  World world;
  CAirport& unused = AddAirport(world, "KXYZ", kBush);
  unused.useAirport = 0;
  unused.military = 1;
  AddAirport(world, "EDDF", kBush, "Germany");
  AddAirport(world, "", kBush);
  AddAirport(world, "ORPH", kBush).city = nullptr;
  AddAirport(world, "NOST", kBush).city->state = nullptr;
  const std::string text = AirportsFileText(world);
  EXPECT_EQ(test::Occurrences(text, "{\n"), 4);
  EXPECT_EQ(text.find("EDDF"), 0u);
  EXPECT_NE(text.find("}\nKXYZ,"), std::string::npos);
  for (const char* start :
       {"NOST,0.000000,0.000000,  0.0,G,0,0.70,\n{\n", "ORPH,0.000000,0.000000,  0.0,G,0,0.70,\n{\n"})
    EXPECT_NE(text.find(start), std::string::npos) << start;
}

}
}
