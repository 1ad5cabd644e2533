#include <gtest/gtest.h>

#include <cstdlib>

#include "aircraft/aircraft_test_support.h"
#include "app/collection.h"
#include "app/databases.h"
#include "platform/system.h"
#include "platform/text.h"
#include "scenery/bgl_test_support.h"
#include "support/file_fixtures.h"
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
  for (const char* title : {"Tourer blue", "Tourer red", "Tourer green"})
    test::AddVariation(session.world, model, title);

  // fsx.cfg names an aircraft folder that is empty: nothing is installed any more.
  std::filesystem::create_directories(folder / "sim" / "SimObjects" / "Airplanes");
  test::Write(folder / "Microsoft/FSX/fsx.cfg", "[Main]\nSimObjectPaths.0=SimObjects\\Airplanes\n");
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
  EXPECT_EQ(RemovedVariationsMessage(one),
            "Paintscheme Tourer blue for Aircraft is no longer installed. It will be removed from the list.");
  EXPECT_EQ(RemovedVariationsMessage({}), "");
}

// An add-on scan into a world without airports saves nothing either; a scan that saved leaves the
// database marked unsaved for the Collect data page's apply, which saves again.
TEST(CollectionTest, OnlyAScanThatFoundTheSimulatorsAirportsIsSaved) {
  test::TempFolder folder;
  Session session;
  test::RecordingPrompter prompter;
  session.prompter = &prompter;
  session.workFolder = folder.path();
  session.simFolder = folder / "FSX";
  const auto writeScenery = [&](const char* area, const char* ident) {
    std::filesystem::create_directories(session.simFolder / area / "Pack" / "scenery");
    bgl::WriteBytes(session.simFolder / area / "Pack" / "scenery" / "pack.bgl",
                    bgl::WriteAirportBgl(test::SampleFile(test::kDay0, {test::SampleAirport(ident)})).bytes);
  };
  writeScenery("Addon Scenery", "KNEW");
  for (const ScanMode mode : {ScanMode::kDefaultScenery, ScanMode::kAddOn}) {
    const AirportCollectionResult result = CollectAirports(session, mode);
    EXPECT_EQ(std::tuple(result.noScenery, result.saved, session.airportDatabaseUnsaved),
              std::tuple(true, false, false));
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "objects.dat"));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_NE(prompter.messages[1].find("No airport was found in the simulator's scenery"), std::string::npos)
      << prompter.messages[1];

  writeScenery("Scenery", "KOLD");
  const AirportCollectionResult result = CollectAirports(session, ScanMode::kAddOn);
  EXPECT_EQ(std::tuple(result.saved, session.airportDatabaseUnsaved, session.world.airportIndex.size()),
            std::tuple(true, true, 2u));
}

// A model is keyed by its folder's name as the database files store names (in the 8-bit code page
// on Windows): the model read back from them is the one the next collection finds, with what the
// user changed in it.
TEST(CollectionTest, AModelFolderNamedWithALetterOutsideAsciiKeepsItsKeyAcrossAReload) {
  test::TempFolder folder;
  const std::filesystem::path model = PathFromUtf8("Tourer M\xC3\xBCller");
  const std::filesystem::path aircraft = folder / "sim" / "SimObjects" / "Airplanes" / model;
  test::Write(aircraft / "aircraft.cfg", test::kPistonSingleCfg);
  test::Write(folder / "Roaming/Microsoft/FSX/fsx.cfg", "[Main]\nSimObjectPaths.0=SimObjects\\Airplanes\n");
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
  EXPECT_TRUE(again.result.newModels.empty() && again.result.removedModels.empty() &&
              again.result.removedVariations.empty());
  ASSERT_EQ(second.world.aircraftTypes.Find(key), loaded);
  EXPECT_EQ(loaded->cruiseSpeed, 99);
  EXPECT_EQ(loaded->folderPath, PathUtf8(aircraft));
}

}
}
