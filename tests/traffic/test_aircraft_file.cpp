#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "traffic/aircraft_file.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

using test::ModelSpec;

// A model fit for the file (GA use, wheels, wingspan) with one variation of its name.
CAI_Aircraft& Add(World& world, const ModelSpec& spec) {
  return test::AddVariation(world, test::AddModel(world, spec), spec.name);
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream stream(line.substr(0, line.find('\n')));
  for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
  return fields;
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
      {{.maxWeight = 7501, .skis = 1}, 1 << 5, "HARD | SNOW", "GATE | RAMP"},
      {{.maxWeight = 7501, .amphibian = 1}, -1, "HARD | SOFT | WATER", "GATE | RAMP"},
      {{.maxWeight = 9000, .amphibian = 1, .skis = 1}, 1 << 6, "HARD | SOFT | SNOW | WATER", "RAMP"},
      {{.maxWeight = 1000, .amphibian = 1, .skis = 1}, 0, "HARD | SOFT | SNOW | WATER", "RAMP"},
  };
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
  } cases[] = {
      {"not for GA", {.name = "Skipped"}, 0},
      {"use flag 2", {.name = "Skipped"}, 2},
      {"no wheels", {.name = "Skipped", .hasWheels = 0}},
      {"wheels flag 2", {.name = "Skipped", .hasWheels = 2}},
      {"wingspan 0", {.name = "Skipped", .wingSpan = 0}},
      {"negative wingspan", {.name = "Skipped", .wingSpan = -4}},
      // Switched on by hand despite a tank of negative capacity.
      {"negative range", {.name = "Skipped", .range = -54479}},
      {"model missing", {.name = "Skipped"}, 1, true},
  };
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

}
}
