#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "aircraft/aircraft_collection.h"
#include "aircraft/aircraft_test_support.h"
#include "aircraft/sim_object_paths.h"
#include "platform/folder_listing.h"
#include "platform/system.h"
#include "platform/text.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"
#include "world/settings.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::RecordingProgress;
using test::WithFltsims;

using Names = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

// The skipped folders' names and reasons.
Pairs Skipped(const AircraftCollectionResult& result) {
  Pairs skipped;
  for (const SkippedAircraftFolder& folder : result.skippedFolders)
    skipped.emplace_back(fs::path(folder.folderPath).filename().string(), folder.reason);
  return skipped;
}

std::string TwoSchemes(const std::string& first, const std::string& second) {
  return WithFltsims("[fltsim.0]\r\ntitle=" + first +
                     "\r\nsim=Tourer172\r\n\r\n[fltsim.1]\r\ntitle=" + second + "\r\nsim=Tourer172\r\n");
}

std::string OneScheme(const std::string& title) {
  return WithFltsims("[fltsim.0]\ntitle=" + title + "\nsim=T\n");
}

class AircraftCollectTest : public ::testing::Test {
 protected:
  // Entries as fsx.cfg writes them, with backslashes.
  void WriteFsxCfg(const Names& entries, const std::string& fileName = "Microsoft/FSX/fsx.cfg") {
    std::string text = "[Main]\r\nUser Objects=Airplane, Helicopter\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      text += "SimObjectPaths." + std::to_string(i) + "=" + entries[i] + "\r\n";
    }
    text += "ProcSpeed=4610\r\n\r\n[DISPLAY]\r\nSimObjectPaths.99=Elsewhere\r\n";
    test::Write(appData / fileName, text);
  }
  // `folder` below the simulator's folder, with slashes.
  void WriteAircraft(const std::string& folder, const std::string& text,
                     const std::string& fileName = "aircraft.cfg") {
    test::Write(sim / folder / fileName, text);
  }
  AircraftCollectionResult Collect() {
    return CollectAircraft(world, settings, sim, ResolvePathCase(appData, "Microsoft/FSX/fsx.cfg"), progress);
  }

  std::vector<std::uint16_t> Numbers() const {
    std::vector<std::uint16_t> numbers;
    for (const auto& [title, variation] : world.aircraftNames) numbers.push_back(variation->number);
    return numbers;
  }

  test::TempFolder temp;
  fs::path sim = temp / "FSX";
  fs::path appData = temp / "Roaming";
  World world;
  Settings settings;
  RecordingProgress progress;
};

// A second run changes nothing but the folders, when the simulator moved: the models and variations
// keep the values the user set.
TEST_F(AircraftCollectTest, TwoSchemesGiveOneModelWithTwoVariationsAndASecondRunChangesNothing) {
  WriteFsxCfg({"SimObjects\\Airplanes"});
  WriteAircraft("SimObjects/Airplanes/Tourer_172", TwoSchemes("Tourer Red", "Tourer Blue"));

  const AircraftCollectionResult first = Collect();
  EXPECT_EQ(std::tuple(first.models, first.variations, first.foldersRead), std::tuple(1u, 2u, 1u));
  EXPECT_EQ(first.newModels, Names{"Tourer_172"});
  EXPECT_EQ(first.newVariations, (Names{"Tourer Red", "Tourer Blue"}));
  EXPECT_EQ(progress.texts, (Names{"Read plane tourer red", "Read plane tourer blue"}));
  CAircraft* model = world.aircraftTypes.Find("Tourer_172");
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->seen, 0);  // reset for the next collection
  for (const auto& [title, variation] : world.aircraftNames) {
    EXPECT_EQ(variation->aircraft, model);
    EXPECT_EQ(std::tuple(variation->useForGA, variation->usage), std::tuple(1, model->usage));
  }
  EXPECT_EQ(Numbers(), (std::vector<std::uint16_t>{2, 1}));  // Tourer Blue, Tourer Red

  model->usage = 0b11;  // edited on the Planes page
  model->probability = 12.0f;
  world.aircraftNames.Find("Tourer Red")->probability = 7.0f;
  fs::rename(sim, temp / "FSX Moved");
  sim = temp / "FSX Moved";
  const AircraftCollectionResult second = Collect();
  EXPECT_EQ(std::tuple(second.newModels.size() + second.newVariations.size() + second.removedModels.size() +
                           second.removedVariations.size(),
                       second.keptModels, second.keptVariations, world.aiAircraftCounter),
            std::tuple(0u, 1u, 2u, 2));
  EXPECT_EQ(world.aircraftTypes.Find("Tourer_172"), model);
  EXPECT_EQ(std::tuple(model->usage, model->probability, world.aircraftNames.Find("Tourer Red")->probability),
            std::tuple(0b11, 12.0f, 7.0f));
  EXPECT_EQ(model->folderPath, PathUtf8(sim / "SimObjects" / "Airplanes" / "Tourer_172"));
  EXPECT_EQ(world.aircraftNames.Find("Tourer Blue")->folderPath, model->folderPath);
}

TEST_F(AircraftCollectTest, RemovedSchemesAndFoldersRemoveTheirVariationsAndModels) {
  WriteFsxCfg({"SimObjects\\Airplanes"});
  WriteAircraft("SimObjects/Airplanes/Tourer_172", TwoSchemes("Tourer Red", "Tourer Blue"));
  WriteAircraft("SimObjects/Airplanes/Trainer_152", TwoSchemes("Trainer White", "Trainer Grey"));
  Collect();

  WriteAircraft("SimObjects/Airplanes/Trainer_152", OneScheme("Trainer White"));
  AircraftCollectionResult result = Collect();
  EXPECT_TRUE(result.removedModels.empty());
  EXPECT_EQ(result.removedVariations, Names{"Trainer Grey"});
  EXPECT_EQ(world.aircraftNames.Find("Trainer White")->number, 3);

  fs::remove_all(sim / "SimObjects" / "Airplanes" / "Tourer_172");
  result = Collect();
  EXPECT_EQ(result.removedModels, Names{"Tourer_172"});
  EXPECT_EQ(result.removedVariations, (Names{"Tourer Blue", "Tourer Red"}));
  EXPECT_EQ(std::tuple(world.aircraftTypes.size(), world.aircraftNames.size()), std::tuple(1u, 1u));
  EXPECT_NE(world.aircraftTypes.Find("Trainer_152"), nullptr);
}

// It has found nothing out about what is installed, so it removes no model (nor the user's edits).
TEST_F(AircraftCollectTest, WithoutAnyAircraftFolderTheDatabaseIsKept) {
  WriteFsxCfg({"SimObjects\\Airplanes"});
  WriteAircraft("SimObjects/Airplanes/Tourer_172", TwoSchemes("Tourer Red", "Tourer Blue"));
  Collect();
  world.aircraftTypes.Find("Tourer_172")->cruiseSpeed = 999;  // an edit of the Planes page

  const fs::path fsxCfg = appData / "Microsoft" / "FSX" / "fsx.cfg";
  struct Case {
    const char* name;
    std::function<void()> setUp;
    fs::path fsxCfgFile;
    std::string reason;  // its start
  } cases[] = {
      {"no fsx.cfg folder", [] {}, {}, "the folder of fsx.cfg is unknown"},
      {"no fsx.cfg", [&] { fs::remove(fsxCfg); }, fsxCfg, PathUtf8(fsxCfg) + " was not found"},
      {"no entries", [&] { WriteFsxCfg({}); }, fsxCfg, PathUtf8(fsxCfg) + " names no aircraft folder"},
      {"only missing folders",
       [&] {
         WriteFsxCfg({"SimObjects\\Gone", "D:\\Elsewhere"});
       },
       fsxCfg,
       "none of the aircraft folders that " + PathUtf8(fsxCfg) + " names exists below the simulator folder"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.setUp();
    const AircraftCollectionResult kept = CollectAircraft(world, settings, sim, c.fsxCfgFile, progress);
    EXPECT_TRUE(kept.keptBecause.starts_with(c.reason)) << kept.keptBecause;
    EXPECT_EQ(std::tuple(kept.removedModels.size() + kept.removedVariations.size(),
                         world.aircraftTypes.size(), world.aircraftNames.size()),
              std::tuple(0u, 1u, 2u));
    EXPECT_EQ(world.aircraftTypes.Find("Tourer_172")->cruiseSpeed, 999);
  }

  // One listed folder is enough to know what is installed: what it lacks goes.
  WriteFsxCfg({"SimObjects\\Airplanes", "SimObjects\\Gone"});
  fs::remove_all(sim / "SimObjects" / "Airplanes" / "Tourer_172");
  const AircraftCollectionResult listed = Collect();
  EXPECT_EQ(std::tuple(listed.keptBecause, listed.removedModels, world.aircraftNames.size()),
            std::tuple("", Names{"Tourer_172"}, 0u));
}

TEST_F(AircraftCollectTest, NamesOnDiskAreMatchedWithoutRegardToCase) {
  WriteFsxCfg({"simobjects\\AIRPLANES  "}, "microsoft/fsx/FSX.CFG");
  WriteAircraft("SimObjects/Airplanes/Tourer_172", OneScheme("Tourer Red"), "Aircraft.CFG");
  // A dot in the folder name: the simulator loads such folders too.
  WriteAircraft("SimObjects/Airplanes/Tourer.v2", OneScheme("Tourer Two"));
  const AircraftCollectionResult result = Collect();
  EXPECT_TRUE(fs::equivalent(result.fsxCfgPath, appData / "microsoft" / "fsx" / "FSX.CFG"));
  EXPECT_EQ(result.newModels, (Names{"Tourer.v2", "Tourer_172"}));
  EXPECT_TRUE(fs::equivalent(PathFromUtf8(world.aircraftTypes.Find("Tourer_172")->folderPath),
                             sim / "SimObjects" / "Airplanes" / "Tourer_172"));
}

TEST_F(AircraftCollectTest, FoldersThatGiveNoModel) {
  WriteFsxCfg({"SimObjects\\Airplanes", "SimObjects\\Missing"});
  test::Write(sim / "SimObjects/Airplanes/Repaint/readme.txt", "textures only");
  WriteAircraft("SimObjects/Airplanes/NoSim",
                "[fltsim.0]\ntitle=No Sim\n[airplane_geometry]\nwing_span=30\n");
  WriteAircraft("SimObjects/Airplanes/Balloon", "[fltsim.0]\ntitle=Balloon\nsim=Balloon\n");
  WriteAircraft("SimObjects/Airplanes/Unfinished",
                "[fltsim.0]\ntitle=Unfinished\nsim=U\n[airplane_geometry]\nwing_span=0\n");
  fs::create_directories(sim / "SimObjects/Airplanes/Odd/aircraft.cfg");
  test::Write(sim / "SimObjects/Airplanes/loose.cfg", "sim=x\n");
  // A model that the database already knows is found even with a span of 0.
  test::AddModel(world, {.name = "Balloon"});
  // An aircraft.cfg that is there but cannot be read is no uninstall: its model stays, as it is.
  CAircraft& odd = test::AddModel(world, {.name = "Odd", .cruiseSpeed = 77});
  test::AddVariation(world, odd, "Odd Red");

  const AircraftCollectionResult result = Collect();
  EXPECT_EQ(std::tuple(result.newVariations, result.removedModels, world.aircraftTypes.size()),
            std::tuple(Names{"Balloon"}, Names{}, 2u));
  EXPECT_EQ(std::tuple(world.aircraftTypes.Find("Odd"), odd.cruiseSpeed), std::tuple(&odd, 77));
  EXPECT_NE(world.aircraftNames.Find("Odd Red"), nullptr);
  const std::string unreadable = "aircraft.cfg cannot be read: a folder, not a file";
  ASSERT_EQ(result.keptUnreadable.size(), 1u);
  EXPECT_EQ(std::tie(result.keptUnreadable[0].name, result.keptUnreadable[0].reason),
            std::tie("Odd", unreadable));
  EXPECT_EQ(Skipped(result), (Pairs{{"NoSim", "no sim= line"},
                                    {"Odd", unreadable},
                                    {"Repaint", "no aircraft.cfg"},
                                    {"Unfinished", "wing span 0"}}));
}

TEST_F(AircraftCollectTest, EntriesAreReadLastToFirstAndOnlyTwentyCount) {
  Names entries;
  for (int i = 0; i < 21; ++i) entries.push_back("Objects" + std::to_string(i));
  WriteFsxCfg(entries);
  WriteAircraft("Objects0/Same", OneScheme("Same from 0"));
  WriteAircraft("Objects1/Same", OneScheme("Same from 1"));
  WriteAircraft("Objects20/Ignored", OneScheme("Ignored"));

  const AircraftCollectionResult result = Collect();
  EXPECT_EQ(result.simObjectFolders, (std::vector<fs::path>{sim / "Objects1", sim / "Objects0"}));
  // The folders of all entries are counted before the first is read.
  EXPECT_EQ(progress.steps, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}, {2, 2}}));
  EXPECT_EQ(result.newModels, Names{"Same"});
  EXPECT_EQ(result.newVariations, (Names{"Same from 1", "Same from 0"}));
  EXPECT_EQ(world.aircraftTypes.Find("Same")->folderPath, PathUtf8(sim / "Objects0" / "Same"));
  EXPECT_EQ(world.aircraftNames.Find("Ignored"), nullptr);
}

TEST_F(AircraftCollectTest, AVariationWhoseModelWasMissingIsAttachedAgain) {
  auto orphan = std::make_unique<CAI_Aircraft>(world.aiAircraftCounter);
  orphan->title = "Tourer Red";
  orphan->probability = 33.0f;
  world.aircraftNames.Insert("Tourer Red", std::move(orphan));
  WriteFsxCfg({"SimObjects\\Airplanes"});
  WriteAircraft("SimObjects/Airplanes/Wingfold Tourer", OneScheme("Tourer Red"));

  const AircraftCollectionResult result = Collect();
  EXPECT_TRUE(result.newVariations.empty());
  const CAI_Aircraft* variation = world.aircraftNames.Find("Tourer Red");
  ASSERT_NE(variation, nullptr);
  EXPECT_EQ(std::tuple(variation->aircraft, variation->isAICopy, variation->number, variation->probability),
            std::tuple(world.aircraftTypes.Find("Wingfold Tourer"), 1, 1, 33.0f));
}

TEST_F(AircraftCollectTest, ARenamedFolderTakesItsVariationsAlong) {
  WriteFsxCfg({"SimObjects\\Airplanes"});
  WriteAircraft("SimObjects/Airplanes/Tourer_172", TwoSchemes("Tourer Red", "Tourer Blue"));
  Collect();
  world.aircraftNames.Find("Tourer Red")->probability = 7.0f;

  fs::rename(sim / "SimObjects/Airplanes/Tourer_172", sim / "SimObjects/Airplanes/Tourer_172_old");
  const AircraftCollectionResult result = Collect();
  EXPECT_EQ(std::tuple(result.newModels, result.removedModels, result.removedVariations),
            std::tuple(Names{"Tourer_172_old"}, Names{"Tourer_172"}, Names{}));
  const CAircraft* model = world.aircraftTypes.Find("Tourer_172_old");
  ASSERT_EQ(world.aircraftNames.size(), 2u);
  for (const auto& [title, variation] : world.aircraftNames) EXPECT_EQ(variation->aircraft, model) << title;
  EXPECT_EQ(world.aircraftNames.Find("Tourer Red")->probability, 7.0f);
  EXPECT_EQ(Numbers(), (std::vector<std::uint16_t>{2, 1}));
}

// Why the demo installation's models that are not for GA are not.
TEST(AircraftCollectDemo, TheDemoInstallation) {
  const fs::path examples = fs::path(WINGFOLD_SOURCE_DIR) / "examples";
  World world;
  Settings settings;
  NullProgress progress;
  const AircraftCollectionResult result = CollectAircraft(
      world, settings, examples / "sim", examples / "appdata/Microsoft/FSX/fsx.cfg", progress);
  std::map<std::string, Names> notForGA;
  for (const ModelNotForGA& model : result.modelsNotForGA) notForGA[model.name] = model.reasons;
  EXPECT_EQ(
      notForGA,
      (std::map<std::string, Names>{
          {"Business_Jet_Heavy", {"too heavy (21863 kg, GA limit 14000 kg)"}},
          {"Glider_15m", {"no engine", "missing values (fuel capacity)"}},
          {"Light_Helicopter_Turbine", {"no wheels", "helicopter turbine", "missing values (stall speed)"}},
          {"Utility_Turboprop_Floats", {"no wheels"}}}));
}

// Drive-letter paths are roots only on Windows; the Wine mappings below are for the other systems.
bool DrivePathsAreRoots() {
  return fs::path("C:\\").has_root_name();
}

// Only twenty entries count: AircraftCollectTest.EntriesAreReadLastToFirstAndOnlyTwentyCount.
TEST(AircraftReaderPaths, SimObjectPathsOfSectionMain) {
  const std::string text =
      "[DISPLAY]\r\nSimObjectPaths.0=NotHere\r\n"
      "[Main]\r\nUser Objects=Airplane, Helicopter\r\n"
      "SimObjectPaths.0=SimObjects\\Airplanes  \r\n"
      "  simobjectpaths.1 =  SimObjects\\Rotorcraft\r\n"
      "//SimObjectPaths.2=Commented\r\n"
      "MySimObjectPaths.3=NoPrefix\r\n"
      "SimObjectPaths.4=AfterAGap\r\n"
      "[SOUND]\r\nSimObjectPaths.99=Later\r\n";
  EXPECT_EQ(ReadSimObjectPaths(text),
            (Names{"SimObjects\\Airplanes", "SimObjects\\Rotorcraft", "AfterAGap"}));
}

TEST(AircraftReaderPaths, EntriesBelowTheSimulatorFolder) {
  test::TempFolder temp;
  const fs::path sim = temp / "FSX";
  fs::create_directories(sim / "SimObjects" / "Airplanes");
  EXPECT_EQ(SimObjectFolder(sim, "SimObjects\\Airplanes"), sim / "SimObjects" / "Airplanes");
  EXPECT_TRUE(
      fs::equivalent(SimObjectFolder(sim, "simobjects\\AIRPLANES"), sim / "SimObjects" / "Airplanes"));
  EXPECT_EQ(SimObjectFolder(sim, "\\SimObjects\\Airplanes"), sim / "SimObjects" / "Airplanes");
  EXPECT_EQ(SimObjectFolder(sim, "SimObjects\\Boats"), sim / "SimObjects" / "Boats");  // may not exist
  EXPECT_EQ(SimObjectFolder({}, "SimObjects\\Airplanes"), fs::path());
}

TEST(AircraftReaderPaths, DrivePathsInAWinePrefix) {
  if (DrivePathsAreRoots()) GTEST_SKIP() << "drive paths are used as they are here";
  test::TempFolder temp;
  const fs::path prefix = temp / "wine";
  const fs::path sim = prefix / "drive_c" / "Program Files" / "FSX";
  fs::create_directories(sim);
  fs::create_directories(prefix / "drive_c" / "Addons" / "SimObjects");
  fs::create_directories(temp / "disk_d" / "Traffic");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink(temp / "disk_d", prefix / "dosdevices" / "d:");

  EXPECT_EQ(SimObjectFolder(sim, "C:\\addons\\simobjects"), prefix / "drive_c" / "Addons" / "SimObjects");
  EXPECT_EQ(SimObjectFolder(sim, "d:\\Traffic"), prefix / "dosdevices" / "d:" / "Traffic");
  EXPECT_EQ(SimObjectFolder(sim, "E:\\Nothing"), fs::path());
  EXPECT_EQ(SimObjectFolder(temp / "FSX", "C:\\Addons"), fs::path());  // not in a prefix
  EXPECT_EQ(SimObjectFolder(sim, "\\\\server\\share\\SimObjects"), fs::path());
}

TEST(AircraftReaderPaths, RoamingFolderOfAWinePrefix) {
  if (DrivePathsAreRoots()) GTEST_SKIP() << "Windows has its own roaming folder";
  if (const char* appData = std::getenv("APPDATA"); appData && *appData) GTEST_SKIP() << "APPDATA is set";
  test::TempFolder temp;
  const fs::path users = temp / "prefix" / "drive_c" / "users";
  const fs::path sim = temp / "prefix" / "drive_c" / "Program Files (x86)" / "Microsoft Games" / "FSX";
  fs::create_directories(sim);
  EXPECT_EQ(SimulatorAppDataFolder(sim), fs::path());  // no user folder yet
  fs::create_directories(users / "Public" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(sim), fs::path());
  fs::create_directories(users / "zz-older" / "Application Data");
  EXPECT_EQ(SimulatorAppDataFolder(sim), users / "zz-older" / "Application Data");
  fs::create_directories(users / "aa-newer" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(sim), users / "aa-newer" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(temp / "FSX"), fs::path());  // not in a prefix
}

}
}
