#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "aircraft/aircraft_test_support.h"
#include "app/collection.h"
#include "app/databases.h"
#include "platform/system.h"
#include "platform/text.h"
#include "support/os.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

TEST(CollectionTest, ManyRemovedVariationsAreReportedInOneMessage) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder / "sim");
  test::RecordingPrompter prompter;
  Session session;
  session.workFolder = folder.path();
  session.simFolder = folder / "sim";
  session.prompter = &prompter;
  CAircraft& model = test::AddModel(session.world, {.name = "Tourer"});
  for (const char* title : {"Tourer blue", "Tourer red", "Tourer green"}) {
    test::AddVariation(session.world, model, title);
  }

  // fsx.cfg names an aircraft folder that is empty: nothing is installed any more.
  std::filesystem::create_directories(folder / "sim" / "SimObjects" / "Airplanes");
  std::filesystem::create_directories(folder / "Microsoft" / "FSX");
  std::ofstream(folder / "Microsoft" / "FSX" / "fsx.cfg")
      << "[Main]\nSimObjectPaths.0=SimObjects\\Airplanes\n";
  const AircraftCollection collection = [&] {
    test::ScopedEnvironment appData("APPDATA", folder.path().string());
    return CollectAircraftAndSave(session);
  }();

  EXPECT_EQ(collection.result.removedVariations.size(), 3u);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            "3 paint schemes are no longer installed. They will be removed from the list:\n"
            "  Tourer blue\n  Tourer green\n  Tourer red");

  AircraftCollectionResult one;
  one.removedVariations = {"Tourer blue"};
  one.removalMessages = {PaintschemeRemovedMessage("Tourer blue")};
  EXPECT_EQ(RemovedVariationsMessage(one), one.removalMessages[0]);
  EXPECT_EQ(RemovedVariationsMessage({}), "");
}

// The Collect data page saves the airport database again at its next apply after a scan, saved or
// not; the scan leaves that to it.
TEST(CollectionTest, AScanLeavesTheDatabaseMarkedUnsavedForThePagesApply) {
  test::TempFolder folder;
  Session session;
  test::RecordingPrompter prompter;
  session.prompter = &prompter;
  session.workFolder = folder.path();
  session.simFolder = folder / "FSX";
  const AirportCollectionResult result = CollectAirports(session, ScanMode::kDefaultScenery);
  EXPECT_TRUE(result.saved);
  EXPECT_TRUE(session.airportDatabaseUnsaved);
}

// A model is keyed by its folder's name as the database files store names (in the 8-bit code page
// on Windows): the model read back from them is the one the next collection finds, with what the
// user changed in it.
TEST(CollectionTest, AModelFolderNamedWithALetterOutsideAsciiKeepsItsKeyAcrossAReload) {
  test::TempFolder folder;
  const std::filesystem::path model = PathFromUtf8("Tourer M\xC3\xBCller");
  const std::filesystem::path aircraft = folder / "sim" / "SimObjects" / "Airplanes" / model;
  std::filesystem::create_directories(aircraft);
  std::ofstream(aircraft / "aircraft.cfg", std::ios::binary) << test::kPistonSingleCfg;
  std::filesystem::create_directories(folder / "Roaming" / "Microsoft" / "FSX");
  std::ofstream(folder / "Roaming" / "Microsoft" / "FSX" / "fsx.cfg")
      << "[Main]\nSimObjectPaths.0=SimObjects\\Airplanes\n";
  test::ScopedEnvironment appData("APPDATA", (folder / "Roaming").string());
  const std::string key = NativePathText(model);

  Session first;
  first.workFolder = folder.path();
  first.simFolder = folder / "sim";
  const AircraftCollection collected = CollectAircraftAndSave(first);
  ASSERT_TRUE(collected.saved);
  EXPECT_EQ(collected.result.newModels, std::vector<std::string>{key});

  Session second;
  second.workFolder = folder.path();
  second.simFolder = folder / "sim";
  ASSERT_EQ(LoadAircraftDatabases(second).outcome, LoadOutcome::kLoaded);
  CAircraft* loaded = second.world.aircraftTypes.Find(key);
  ASSERT_NE(loaded, nullptr);
  loaded->cruiseSpeed = 99;
  const AircraftCollection again = CollectAircraftAndSave(second);
  EXPECT_TRUE(again.result.newModels.empty());
  EXPECT_TRUE(again.result.removedModels.empty());
  EXPECT_TRUE(again.result.removedVariations.empty());
  ASSERT_EQ(second.world.aircraftTypes.Find(key), loaded);
  EXPECT_EQ(loaded->cruiseSpeed, 99);
  EXPECT_EQ(loaded->folderPath, PathUtf8(aircraft));
}

}
}
