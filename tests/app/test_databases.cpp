#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/databases.h"
#include "support/file_fixtures.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

using test::Read;
using test::RecordingProgress;
using test::RecordingPrompter;
using test::TempFolder;
using test::Write;

struct Fixture {
  explicit Fixture(const std::filesystem::path& folder) {
    session.workFolder = folder;
    session.prompter = &prompter;
    session.progress = &progress;
  }
  CAirport& AddAirport(const std::string& icao, const std::string& city = "Springfield") {
    CAirport* airport =
        FindOrCreateAirport(session.world, "North America", "United States", "Oregon", city, icao, 0);
    airport->name = icao + " Field";
    airport->runways.push_back({0, 900, 20});
    airport->runwayCount = 1;
    return *airport;
  }
  Session session;
  RecordingPrompter prompter;
  RecordingProgress progress;
};

TEST(DatabasesTest, UserDatabaseWinsAndNamesNeedTypes) {
  TempFolder folder;
  Fixture stock(folder.path());
  stock.AddAirport("STCK");
  ASSERT_TRUE(SaveAirportDatabase(stock.session));
  std::filesystem::rename(folder / "objects.dat", folder / "stock_objects.dat");
  Fixture user(folder.path());
  user.AddAirport("USER");
  ASSERT_TRUE(SaveAirportDatabase(user.session));

  Fixture loaded(folder.path());
  EXPECT_TRUE(AirportDatabaseExists(loaded.session));
  EXPECT_EQ(LoadAirportDatabase(loaded.session).outcome, LoadOutcome::kLoaded);
  EXPECT_NE(loaded.session.world.airportIndex.Find("USER"), nullptr);
  EXPECT_EQ(loaded.session.world.airportIndex.Find("STCK"), nullptr);

  // AircraftNames.dat alone is not read.
  Fixture aircraft(folder.path());
  test::AddVariation(aircraft.session.world, test::AddModel(aircraft.session.world, {}), "Trainer red");
  ASSERT_TRUE(WriteAircraftFiles(aircraft.session));
  EXPECT_TRUE(std::filesystem::exists(folder / "Aircraftdump.txt"));
  std::filesystem::remove(folder / "AircraftTypes.dat");
  Fixture reread(folder.path());
  EXPECT_EQ(LoadAircraftDatabases(reread.session).outcome, LoadOutcome::kAbsent);
  EXPECT_TRUE(reread.session.world.aircraftNames.empty());
}

// A cut, a wrong count or bytes left over are damage; each damaged content is kept once, however
// often it is met, and the message names the copy.
TEST(DatabasesTest, EveryDamagedDatabaseIsKeptBeforeAnythingCanOverwriteIt) {
  TempFolder folder;
  Fixture saved(folder.path());
  saved.AddAirport("KAAA", "Alpha");
  saved.AddAirport("KZZZ", "Zulu");
  ASSERT_TRUE(SaveAirportDatabase(saved.session));
  const std::string whole = Read(folder / "objects.dat");
  ASSERT_EQ(whole[0], '\x01');  // one region

  const std::vector<std::pair<const char*, std::string>> cases = {
      {"cut short", whole.substr(0, whole.size() - 7)},
      {"16 bytes appended", whole + std::string(16, '\0')},
      {"two regions counted", '\x02' + whole.substr(1)},
      {"cut short, met again", whole.substr(0, whole.size() - 7)}};
  std::vector<std::string> copies;
  std::string firstCopy;
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    Write(folder / "objects.dat", bytes);
    Fixture loaded(folder.path());
    const LoadResult result = LoadAirportDatabase(loaded.session);
    EXPECT_EQ(result.outcome, LoadOutcome::kDamaged);
    EXPECT_TRUE(result.Stops());
    EXPECT_NE(result.error.find("offset"), std::string::npos) << result.error;
    const std::vector<std::string> now = test::EntryNames(folder.path(), ".damaged");
    const bool again = std::string(name).ends_with("again");
    ASSERT_EQ(now.size(), copies.size() + (again ? 0 : 1));
    std::string added = again ? firstCopy : "";
    for (const std::string& copy : now)
      if (std::find(copies.begin(), copies.end(), copy) == copies.end()) added = copy;
    copies = now;
    if (firstCopy.empty()) firstCopy = added;
    EXPECT_TRUE(added.starts_with("objects.dat.")) << added;
    EXPECT_EQ(Read(folder / added), bytes);
    ASSERT_EQ(loaded.prompter.messages.size(), 1u);
    EXPECT_NE(loaded.prompter.messages[0].find((again ? "kept as " : "copied to ") + added),
              std::string::npos)
        << loaded.prompter.messages[0];
  }
}

TEST(DatabasesTest, AnUnreadableDatabaseStopsTheLoadAndIsLeftAlone) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "objects.dat" / "inside");
  Fixture fixture(folder.path());
  EXPECT_TRUE(AirportDatabaseExists(fixture.session));
  const LoadResult airports = LoadAirportDatabase(fixture.session);
  EXPECT_EQ(airports.outcome, LoadOutcome::kUnreadable);
  EXPECT_TRUE(airports.Stops());
  ASSERT_EQ(fixture.prompter.messages.size(), 1u);
  EXPECT_NE(fixture.prompter.messages[0].find("cannot be read: a folder, not a file"), std::string::npos)
      << fixture.prompter.messages[0];

  std::filesystem::create_directories(folder / "AircraftTypes.dat");
  EXPECT_EQ(LoadAircraftDatabases(fixture.session).outcome, LoadOutcome::kUnreadable);
  EXPECT_TRUE(test::EntryNames(folder.path(), ".damaged").empty());
}

// A folder in the way of the compiler's airport file is said, but the database is saved; a database
// that cannot be written fails the save and stays as it was.
TEST(DatabasesTest, OnlyADatabaseThatCannotBeWrittenFailsTheSave) {
  TempFolder folder;
  Fixture fixture(folder.path());
  fixture.AddAirport("KAAA");
  std::filesystem::create_directories(folder / "Airports.dat");
  EXPECT_TRUE(SaveAirportDatabase(fixture.session));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "objects.dat"));
  ASSERT_EQ(fixture.prompter.messages.size(), 1u);
  EXPECT_NE(fixture.prompter.messages[0].find("Airports.dat"), std::string::npos)
      << fixture.prompter.messages[0];
#ifndef _WIN32
  // objects.dat links to a file whose name leaves no room for a temporary name beside it.
  std::filesystem::remove(folder / "objects.dat");
  const std::filesystem::path kept = folder / std::string(240, 'o');
  Write(kept, "old");
  std::filesystem::create_symlink(kept.filename(), folder / "objects.dat");
  EXPECT_FALSE(SaveAirportDatabase(fixture.session));
  EXPECT_EQ(Read(folder / "objects.dat"), "old");
  EXPECT_NE(fixture.prompter.messages.back().find("Cannot create"), std::string::npos)
      << fixture.prompter.messages.back();
#endif
}

}
}
