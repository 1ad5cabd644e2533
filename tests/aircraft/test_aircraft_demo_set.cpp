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

// What the collection makes of the demo installation in examples/ as a whole; the rules of each value are the
// reader's tests.
TEST(AircraftCollectDemo, TheDemoInstallation) {
  const fs::path examples = fs::path(WINGFOLD_SOURCE_DIR) / "examples";
  World world;
  Settings settings;
  NullProgress progress;
  const AircraftCollectionResult result =
      CollectAircraft(world, settings, examples / "sim", examples / "appdata", progress);

  EXPECT_FALSE(result.fsxCfgPath.empty());
  EXPECT_EQ(result.foldersRead, 15u);
  EXPECT_EQ(world.aircraftTypes.size(), 14u);
  std::string gear;
  for (const auto& [name, a] : world.aircraftTypes) {
    if (a->amphibian || a->bushPlane || a->skis || !a->hasWheels) {
      gear += name + ":" + std::to_string(a->amphibian) + std::to_string(a->bushPlane) +
              std::to_string(a->skis) + std::to_string(a->hasWheels) + " ";
    }
  }
  EXPECT_EQ(gear,
            "Amphibian_Four_Seat:1001 Bush_Cub_Tundra:0101 Light_Helicopter_Turbine:0000 "
            "Utility_Radial_Skis:0011 Utility_Turboprop_Floats:1000 ");
  EXPECT_EQ(world.aircraftTypes.Find("Utility_Turboprop")->fuelFlow, 149.2f);  // the torque, not the thrust
  EXPECT_EQ(world.aircraftTypes.Find("Twin_Piston_Commuter")->fuelCapacity, 711);  // tanks after the comment
  EXPECT_NEAR(world.aircraftTypes.Find("Twin_Piston_Commuter")->probability, 50.03f, 0.01f);
  EXPECT_EQ(world.aircraftTypes.Find("Twin_Piston_Commuter")->usage, -1);
  EXPECT_EQ(world.aircraftTypes.Find("Turboprop_Twin_350")->usage, ~0b001111);  // above the private limit too

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

  const AircraftCollectionResult again =
      CollectAircraft(world, settings, examples / "sim", examples / "appdata", progress);
  EXPECT_TRUE(again.newVariations.empty());
  EXPECT_TRUE(again.removedVariations.empty());
  EXPECT_EQ(again.keptVariations, 22u);
}

}
}
