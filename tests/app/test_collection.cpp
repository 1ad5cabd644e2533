#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/collection.h"
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
  const char* appData = std::getenv("APPDATA");
  const std::string saved = appData != nullptr ? appData : "";
  setenv("APPDATA", folder.path().c_str(), 1);
  const AircraftCollection collection = CollectAircraftAndSave(session);
  if (appData != nullptr) {
    setenv("APPDATA", saved.c_str(), 1);
  } else {
    unsetenv("APPDATA");
  }

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

}
}
