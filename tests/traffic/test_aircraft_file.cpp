#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "traffic/aircraft_file.h"

namespace wf {

namespace {

// A model fit for the file (GA use, wheels, wingspan), with one variation of the same name.
struct Fleet {
  World world;

  std::pair<CAircraft&, CAI_Aircraft&> Add(const std::string& title) {
    auto model = std::make_unique<CAircraft>();
    model->name = title;
    model->hasWheels = 1;
    model->useForGA = 1;
    model->wingSpan = 11;
    model->maxWeight = 1100;
    CAircraft& storedModel = world.aircraftTypes.Insert(title, std::move(model));
    auto variation = std::make_unique<CAI_Aircraft>(storedModel, world.aiAircraftCounter);
    variation->title = title;
    variation->aircraft = &storedModel;
    return {storedModel, world.aircraftNames.Insert(title, std::move(variation))};
  }
};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream stream(line.substr(0, line.find('\n')));
  for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
  return fields;
}

TEST(AircraftFileTest, WritesOneLinePerUsableVariation) {
  Fleet fleet;
  auto [cessna, cessnaVariation] = fleet.Add("Cessna 172");
  cessna.cruiseSpeed = 122;
  cessna.ceiling = 14000;
  cessna.range = 640;
  cessna.stallSpeed = 48;
  cessna.ifr = 1;
  cessnaVariation.usage = 0x0F;
  auto [cub, cubVariation] = fleet.Add("Piper Cub");  // small values show the divisions truncating
  cub.cruiseSpeed = 65;
  cub.ceiling = 199;
  cub.range = 7;
  cub.stallSpeed = 0;
  cub.wingSpan = 1;
  cub.ifr = 2;
  cubVariation.usage = 1 << 5;

  EXPECT_EQ(AircraftFileText(fleet.world),
            "AC1,Cessna 172,122,70,140,160,640,2287,HARD | SOFT,5,RAMP,75,no,no\n"
            "AC2,Piper Cub,65,0,1,1,7,0,HARD | SOFT,0,GATE | RAMP,0,no,no\n");
}

TEST(AircraftFileTest, SurfacesFollowWeightTyresSkisAndFloats) {
  struct Case {
    int maxWeight, bushPlane, skis, amphibian;
    const char* surfaces;
  };
  const Case cases[] = {
      {7500, 0, 0, 0, "HARD | SOFT"},
      {7501, 0, 0, 0, "HARD"},
      {7501, 1, 0, 0, "HARD | SOFT"},
      {7501, 0, 1, 0, "HARD | SNOW"},
      {7501, 0, 0, 1, "HARD | SOFT | WATER"},
      {9000, 0, 1, 1, "HARD | SOFT | SNOW | WATER"},
      {1000, 0, 1, 1, "HARD | SOFT | SNOW | WATER"},
  };
  for (const Case& c : cases) {
    Fleet fleet;
    auto [model, variation] = fleet.Add("Test");
    model.maxWeight = c.maxWeight;
    model.bushPlane = c.bushPlane;
    model.skis = c.skis;
    model.amphibian = c.amphibian;
    const std::vector<std::string> fields = Fields(AircraftFileText(fleet.world));
    ASSERT_EQ(fields.size(), 14u);
    EXPECT_EQ(fields[8], c.surfaces) << c.maxWeight << " " << c.bushPlane << c.skis << c.amphibian;
  }
}

TEST(AircraftFileTest, ParkingFollowsBusinessAndTaxiUsage) {
  const std::pair<int, const char*> cases[] = {
      {0, "RAMP"},         {0x0F, "RAMP"},   {1 << 4, "GATE | RAMP"}, {1 << 5, "GATE | RAMP"},
      {-1, "GATE | RAMP"}, {1 << 6, "RAMP"},
  };
  for (const auto& [usage, parking] : cases) {
    Fleet fleet;
    fleet.Add("Test").second.usage = usage;
    EXPECT_EQ(Fields(AircraftFileText(fleet.world))[10], parking) << usage;
  }
}

TEST(AircraftFileTest, SkipsVariationsTheCompilerCannotPlace) {
  struct Case {
    const char* what;
    void (*spoil)(CAircraft&, CAI_Aircraft&);
  };
  const Case cases[] = {
      {"not for GA", [](CAircraft&, CAI_Aircraft& v) { v.useForGA = 0; }},
      {"use flag 2", [](CAircraft&, CAI_Aircraft& v) { v.useForGA = 2; }},
      {"no wheels", [](CAircraft& m, CAI_Aircraft&) { m.hasWheels = 0; }},
      {"wheels flag 2", [](CAircraft& m, CAI_Aircraft&) { m.hasWheels = 2; }},
      {"wingspan 0", [](CAircraft& m, CAI_Aircraft&) { m.wingSpan = 0; }},
      {"negative wingspan", [](CAircraft& m, CAI_Aircraft&) { m.wingSpan = -4; }},
      // Switched on by hand despite a tank of negative capacity.
      {"negative range", [](CAircraft& m, CAI_Aircraft&) { m.range = -54479; }},
      {"model missing", [](CAircraft&, CAI_Aircraft& v) { v.aircraft = nullptr; }},
  };
  for (const Case& c : cases) {
    Fleet fleet;
    fleet.Add("Kept");
    auto [model, variation] = fleet.Add("Skipped");
    c.spoil(model, variation);
    const std::string text = AircraftFileText(fleet.world);
    EXPECT_EQ(text.find("Skipped"), std::string::npos) << c.what;
    EXPECT_EQ(text.rfind("AC1,Kept,", 0), 0u) << c.what;
  }
}

TEST(AircraftFileTest, ExtremeValuesDoNotOverflow) {
  Fleet fleet;
  auto [model, variation] = fleet.Add("Damaged");
  model.ceiling = 2147483647;
  model.stallSpeed = 2147483647;
  const std::vector<std::string> fields = Fields(AircraftFileText(fleet.world));
  ASSERT_EQ(fields.size(), 14u);
  EXPECT_EQ(fields[3], "10737418");
  EXPECT_EQ(fields[4], "21474836");
  EXPECT_EQ(fields[7], "102343616541");
}

}
}
