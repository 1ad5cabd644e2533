// The demo installation in examples/: what the collection makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "aircraft/aircraft_collection.h"
#include "world/settings.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr std::int32_t kAll = -1;
constexpr std::int32_t kAllButTaxi = ~(1 << kTaxi);
constexpr std::int32_t kPrivateOnly = ~0b111110;
constexpr std::int32_t kNoSchool = ~0b001110;         // no Club, Training, Rental
constexpr std::int32_t kBusinessAndTaxi = ~0b001111;  // above the private limit too
constexpr std::int32_t kNone = ~0b111111;

struct Expected {
  int useForGA, hasWheels;
  std::int32_t usage;
  int engineCount, amphibian, bushPlane, skis;
};

TEST(AircraftCollectDemo, TheDemoInstallation) {
  const fs::path examples = fs::path(WINGFOLD_SOURCE_DIR) / "examples";
  World world;
  Settings settings;
  NullProgress progress;
  const AircraftCollectionResult result = CollectAircraft(
      world, settings, examples / "sim", examples / "appdata/Microsoft/FSX/fsx.cfg", progress);

  EXPECT_FALSE(result.fsxCfgPath.empty());
  EXPECT_EQ(result.foldersRead, 15u);
  const std::map<std::string, Expected> expected = {
      {"Amphibian_Four_Seat", {1, 1, kAllButTaxi, 1, 1, 0, 0}},
      {"Bush_Cub_Tundra", {1, 1, kPrivateOnly, 1, 0, 1, 0}},  // compression 7: weight 40
      {"Business_Jet_Heavy", {0, 1, kNone, 2, 0, 0, 0}},
      {"Fast_Single_300", {1, 1, kAllButTaxi, 1, 0, 0, 0}},
      {"Glider_15m", {0, 1, kPrivateOnly, 1, 0, 0, 0}},
      {"Light_Helicopter_Turbine", {0, 0, kPrivateOnly, 1, 0, 0, 0}},
      {"Light_Jet_Twin", {1, 1, kNoSchool, 2, 0, 0, 0}},
      {"Tourer_172", {1, 1, kAllButTaxi, 1, 0, 0, 0}},
      {"Trainer_152", {1, 1, kAllButTaxi, 1, 0, 0, 0}},
      {"Turboprop_Twin_350", {1, 1, kBusinessAndTaxi, 2, 0, 0, 0}},
      {"Twin_Piston_Commuter", {1, 1, kAll, 2, 0, 0, 0}},
      {"Utility_Radial_Skis", {1, 1, kPrivateOnly, 1, 0, 0, 1}},  // compression 6: weight 15
      {"Utility_Turboprop", {1, 1, kNoSchool, 1, 0, 0, 0}},
      {"Utility_Turboprop_Floats", {1, 0, kPrivateOnly, 1, 1, 0, 0}},
  };
  ASSERT_EQ(world.aircraftTypes.size(), expected.size());
  for (const auto& [name, e] : expected) {
    SCOPED_TRACE(name);
    const CAircraft* a = world.aircraftTypes.Find(name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->useForGA, e.useForGA);
    EXPECT_EQ(a->hasWheels, e.hasWheels);
    EXPECT_EQ(a->usage, e.usage);
    EXPECT_EQ(a->engineCount, e.engineCount);
    EXPECT_EQ(a->amphibian, e.amphibian);
    EXPECT_EQ(a->bushPlane, e.bushPlane);
    EXPECT_EQ(a->skis, e.skis);
  }
  // Spot checks of the derived figures.
  const CAircraft& tourer = *world.aircraftTypes.Find("Tourer_172");
  EXPECT_EQ(tourer.fuelCapacity, 196);
  EXPECT_EQ(tourer.range, 567);
  EXPECT_EQ(tourer.wingSpan, 10);
  EXPECT_EQ(world.aircraftTypes.Find("Utility_Turboprop")->fuelFlow, 149.2f);  // the torque, not the thrust
  EXPECT_EQ(world.aircraftTypes.Find("Twin_Piston_Commuter")->fuelCapacity, 711);  // tanks after the comment
  EXPECT_NEAR(world.aircraftTypes.Find("Twin_Piston_Commuter")->probability, 50.03f, 0.01f);
  EXPECT_EQ(world.aircraftTypes.Find("Glider_15m")->range, 0);

  EXPECT_EQ(world.aircraftNames.size(), 22u);
  EXPECT_EQ(world.aircraftNames.Find("Tourer 172, blue and white")->useForGA, 0);
  EXPECT_EQ(world.aircraftNames.Find("Turboprop Twin 350 Military Transport")->useForGA, 0);
  EXPECT_EQ(world.aircraftNames.Find("Utility Turboprop Cargo")->useForGA, 1);  // GA_RAMP,CARGO
  EXPECT_EQ(world.aircraftNames.Find("Light Helicopter Turbine News")->aircraft,
            world.aircraftTypes.Find("Light_Helicopter_Turbine"));

  std::map<std::string, Names> notForGA;
  for (const ModelNotForGA& model : result.modelsNotForGA) notForGA[model.name] = model.reasons;
  EXPECT_EQ(
      notForGA,
      (std::map<std::string, Names>{
          {"Business_Jet_Heavy", {"too heavy (21863 kg, GA limit 14000 kg)"}},
          {"Glider_15m", {"no engine", "missing values (fuel capacity)"}},
          {"Light_Helicopter_Turbine", {"no wheels", "helicopter turbine", "missing values (stall speed)"}},
          {"Utility_Turboprop_Floats", {"no wheels"}},
      }));
  ASSERT_EQ(result.skippedFolders.size(), 2u);
  EXPECT_EQ(fs::path(result.skippedFolders[0].folderPath).filename(), "Hot_Air_Balloon");
  EXPECT_EQ(result.skippedFolders[0].reason, "wing span 0");
  EXPECT_EQ(fs::path(result.skippedFolders[1].folderPath).filename(), "Repaint_Pack");
  EXPECT_EQ(result.skippedFolders[1].reason, "no aircraft.cfg");

  const AircraftCollectionResult again = CollectAircraft(
      world, settings, examples / "sim", examples / "appdata/Microsoft/FSX/fsx.cfg", progress);
  EXPECT_TRUE(again.newVariations.empty());
  EXPECT_TRUE(again.removedVariations.empty());
  EXPECT_EQ(again.keptVariations, 22u);
}

}
}
