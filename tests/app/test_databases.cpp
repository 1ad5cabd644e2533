#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/databases.h"
#include "platform/files.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

using test::RecordingProgress;
using test::RecordingPrompter;
using test::TempFolder;

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

std::string Read(const std::filesystem::path& path) {
  return ReadFileBytes(path).value_or("<missing>");
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(DatabasesTest, SaveWritesEveryFileAndALoadReadsItBack) {
  TempFolder folder;
  Fixture saved(folder.path());
  saved.AddAirport("KAAA");
  saved.AddAirport("KBBB");
  Write(folder / "GAregnr.txt", "COUNTRY;United States;1;N!!!!A\n");
  ASSERT_TRUE(SaveAirportDatabase(saved.session));
  EXPECT_FALSE(saved.progress.shown);
  EXPECT_NE(Read(folder / "Airports.dat").find("KAAA,"), std::string::npos);

  Fixture loaded(folder.path());
  const LoadResult result = LoadAirportDatabase(loaded.session);
  EXPECT_EQ(result.outcome, LoadOutcome::kLoaded);
  ASSERT_NE(loaded.session.world.airportIndex.Find("KBBB"), nullptr);
  const CCountry* country =
      loaded.session.world.regionMap.Find("North America")->countries.Find("United States");
  ASSERT_NE(country, nullptr);
  EXPECT_EQ(country->patternCount, 1) << "GAregnr.txt is read into the countries before objects.dat is saved";
  EXPECT_EQ(country->registrationPatterns[0], "N!!!!A");
  EXPECT_TRUE(saved.prompter.messages.empty());
}

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
  auto& model = aircraft.session.world.aircraftTypes.Insert("Tourer", std::make_unique<CAircraft>());
  model.name = "Tourer";
  auto variation = std::make_unique<CAI_Aircraft>(model, aircraft.session.world.aiAircraftCounter);
  variation->title = "Tourer red";
  aircraft.session.world.aircraftNames.Insert("Tourer red", std::move(variation));
  ASSERT_TRUE(WriteAircraftFiles(aircraft.session));
  EXPECT_TRUE(std::filesystem::exists(folder / "Aircraftdump.txt"));
  std::filesystem::remove(folder / "AircraftTypes.dat");
  Fixture reread(folder.path());
  EXPECT_EQ(LoadAircraftDatabases(reread.session).outcome, LoadOutcome::kAbsent);
  EXPECT_TRUE(reread.session.world.aircraftNames.empty());
}

TEST(DatabasesTest, DamagedDatabaseIsPreservedBeforeAnythingCanOverwriteIt) {
  TempFolder folder;
  Fixture saved(folder.path());
  saved.AddAirport("KAAA", "Alpha");
  saved.AddAirport("KZZZ", "Zulu");
  ASSERT_TRUE(SaveAirportDatabase(saved.session));
  const std::string whole = Read(folder / "objects.dat");
  const std::string truncated = whole.substr(0, whole.size() - 7);
  Write(folder / "objects.dat", truncated);

  Fixture loaded(folder.path());
  const LoadResult result = LoadAirportDatabase(loaded.session);
  EXPECT_EQ(result.outcome, LoadOutcome::kDamaged);
  EXPECT_NE(result.error.find("offset"), std::string::npos) << result.error;
  EXPECT_EQ(Read(folder / "objects.dat.damaged"), truncated);
  ASSERT_EQ(loaded.prompter.messages.size(), 1u);
  EXPECT_NE(loaded.prompter.messages[0].find("objects.dat.damaged"), std::string::npos);

  // A second damaged load never overwrites the first copy.
  Write(folder / "objects.dat", "\x05");
  Fixture again(folder.path());
  EXPECT_EQ(LoadAirportDatabase(again.session).outcome, LoadOutcome::kDamaged);
  EXPECT_EQ(Read(folder / "objects.dat.damaged"), truncated);
}

TEST(DatabasesTest, UnwritableCompilerFileDoesNotStopTheDatabaseSave) {
  TempFolder folder;
  Fixture fixture(folder.path());
  fixture.AddAirport("KAAA");
  std::filesystem::create_directories(folder / "Airports.dat");  // a folder in the way
  EXPECT_TRUE(SaveAirportDatabase(fixture.session));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "objects.dat"));
  ASSERT_EQ(fixture.prompter.messages.size(), 1u);
  EXPECT_NE(fixture.prompter.messages[0].find("Airports.dat"), std::string::npos)
      << fixture.prompter.messages[0];
}

TEST(DatabasesTest, FailedSaveLeavesTheOldFile) {
  TempFolder folder;
  Fixture fixture(folder.path());
  fixture.AddAirport("KAAA");
  ASSERT_TRUE(SaveAirportDatabase(fixture.session));
  const std::string before = Read(folder / "objects.dat");
  // The temporary file cannot be created: the save fails and objects.dat stays as it was.
  std::filesystem::create_directories(folder / "objects.dat.tmp");
  fixture.AddAirport("KBBB");
  EXPECT_FALSE(SaveAirportDatabase(fixture.session));
  EXPECT_EQ(Read(folder / "objects.dat"), before);
  EXPECT_FALSE(fixture.prompter.messages.empty());
}

}
}
