#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/reference_lists.h"
#include "app/startup_sequence.h"
#include "platform/files.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// A work folder with an airport database, the aircraft databases and a military list, written by
// the program itself; the simulator folder is known (and empty), so the aircraft collection would
// run and write the aircraft databases.
void MakeWorkFolder(const fs::path& work) {
  fs::create_directories(work / "FSX");
  Session session;
  session.workFolder = work;
  CAirport* airport =
      FindOrCreateAirport(session.world, "Europe", "Germany", "Hessen", "Egelsbach", "EDFE", 0);
  airport->name = "Egelsbach";
  ASSERT_TRUE(SaveAirportDatabase(session));
  test::AddVariation(session.world, test::AddModel(session.world, {}), "Trainer red");
  ASSERT_TRUE(WriteAircraftFiles(session));
  std::ofstream(work / "MilitaryAirports.txt") << "EDFE\n";
}

// It stops before the aircraft collection could save over the damaged file and before the
// reference lists change what was loaded.
TEST(StartupSequenceTest, ADamagedDatabaseStopsTheSequenceBeforeAnythingIsWritten) {
  test::TempFolder folder;
  for (const char* file : {"objects.dat", "AircraftNames.dat", "AircraftTypes.dat"}) {
    const fs::path work = folder / file;
    MakeWorkFolder(work);
    std::string left = ReadFileBytes(work / file).value_or("");
    left.resize(left.size() - 3);
    std::ofstream(work / file, std::ios::binary | std::ios::trunc) << left;

    Session session;
    test::RecordingPrompter prompter;
    session.prompter = &prompter;
    session.workFolder = work;
    session.simFolder = work / "FSX";
    const StartupSequenceResult result = RunStartupSequence(session);
    EXPECT_TRUE(result.stoppedByDamage) << work;
    EXPECT_FALSE(result.aircraftCollection.has_value()) << work;
    EXPECT_FALSE(result.militaryListRead) << work;
    EXPECT_EQ(ReadFileBytes(work / file), left) << work;
  }
}

TEST(ReferenceListsTest, LineRulesAndBothLists) {
  test::TempFolder folder;
  World world;
  for (const char* icao : {"KAAA", "KBBB", "KCCC", "KDDD"}) {
    FindOrCreateAirport(world, "R", "C", "S", "City", icao, 0);
  }
  std::ofstream(folder / "MilitaryAirports.txt", std::ios::binary)
      << " kaaa\r\n"        // leading blank removed, upper-cased: marks KAAA
      << "KBBB remark\r\n"  // trailing text: matches nothing
      << "#KCCC\r\n"        // comment
      << "KDDD\r\n"
      << "\r\nXXXX\n";  // unknown ident: ignored
  std::ofstream(folder / "NotUseAirports.txt", std::ios::binary) << "KDDD\n";

  int military = 0, notUsed = 0;
  EXPECT_TRUE(ApplyMilitaryAirports(folder / "MilitaryAirports.txt", world, &military));
  EXPECT_TRUE(ApplyNotUseAirports(folder / "NotUseAirports.txt", world, &notUsed));
  EXPECT_FALSE(ApplyNotUseAirports(folder / "missing.txt", world));
  EXPECT_EQ(military, 2);
  EXPECT_EQ(notUsed, 1);
  const auto& index = world.airportIndex;
  EXPECT_EQ(index.Find("KAAA")->military, 1);
  EXPECT_EQ(index.Find("KBBB")->military, 0);
  EXPECT_EQ(index.Find("KCCC")->military, 0);
  // Listed in both: military and not used.
  EXPECT_EQ(index.Find("KDDD")->military, 1);
  EXPECT_EQ(index.Find("KDDD")->useAirport, 0);
}

}
}
