// The demo-world builder: filtering, synthesis rules that matter to the reader, file grouping
// within the name-list limits, and byte-identical output for the same data.
#ifdef WINGFOLD_HAVE_DEMOWORLD

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "demo_world.h"
#include "support/temp_folder.h"

namespace wf::demo {
namespace {

namespace fs = std::filesystem;

void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

// A data set in the package's schema (only the columns the builder reads, plus required ones).
fs::path MakeDataSet(const fs::path& folder) {
  const fs::path file = folder / "airports.sqlite";
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
  Exec(db,
       "CREATE TABLE airports (id INTEGER PRIMARY KEY, icao TEXT NOT NULL UNIQUE, name TEXT NOT NULL, "
       "type TEXT NOT NULL, latitude REAL NOT NULL, longitude REAL NOT NULL, elevation_ft INTEGER NOT NULL, "
       "country TEXT NOT NULL, country_code TEXT NOT NULL, state TEXT, city TEXT);"
       "CREATE TABLE runways (id INTEGER PRIMARY KEY, airport_id INTEGER NOT NULL, length_ft INTEGER NOT "
       "NULL, "
       "width_ft INTEGER NOT NULL, surface TEXT NOT NULL, lighted BOOLEAN NOT NULL);"
       "CREATE TABLE frequencies (airport_id INTEGER PRIMARY KEY, atis TEXT, tower TEXT, ground TEXT, "
       "clearance TEXT, unicom TEXT, approach TEXT, departure TEXT);");
  // Inserted out of ident order on purpose; two rows must be dropped (heliport, 5-character ident).
  Exec(
      db,
      "INSERT INTO airports VALUES"
      "(1, 'KSEA', 'Seattle-Tacoma International', 'large_airport', 47.449, -122.309, 433, 'United States', "
      "'US', 'US-WA', 'Seattle'),"
      "(2, 'EGLL', 'London Heathrow', 'large_airport', 51.47, -0.4619, 83, 'United Kingdom', 'GB', 'GB-ENG', "
      "'London'),"
      "(3, '00AA', 'Aero B Ranch', 'small_airport', 38.70, -101.47, 3435, 'United States', 'US', 'US-KS', "
      "'Leoti'),"
      "(4, '00A', 'Total RF Heliport', 'heliport', 40.07, -74.93, 11, 'United States', 'US', 'US-PA', "
      "'Bensalem'),"
      "(5, 'AB123', 'Too Long', 'small_airport', 1, 1, 1, 'Brazil', 'BR', 'BR-SP', 'X'),"
      "(6, 'LOWI', 'Innsbruck Kranebitten', 'medium_airport', 47.26, 11.34, 1906, 'Austria', 'AT', 'AT-7', "
      "'Innsbruck'),"
      "(7, 'W55', 'Kenmore Air Harbor', 'seaplane_base', 47.63, -122.33, 14, 'United States', 'US', "
      "'US-WA', 'Seattle'),"
      "(8, 'ESSA', 'Stockholm-Arlanda', 'large_airport', 59.65, 17.92, 137, 'Sweden', 'SE', 'SE-AB', "
      "'Stockholm');"
      "INSERT INTO runways VALUES"
      "(10, 1, 11901, 150, 'concrete', 1), (11, 1, 9426, 150, 'unknown', 1),"
      "(12, 2, 12799, 164, 'asphalt', 1), (13, 3, 2000, 0, 'unknown', 0),"
      "(14, 6, 6562, 148, 'unknown', 1), (15, 8, 10830, 148, 'unknown', 1);"
      "INSERT INTO frequencies VALUES (1, NULL, '119.9', NULL, NULL, NULL, NULL, NULL),"
      "(3, NULL, NULL, NULL, NULL, '122.9', NULL, NULL);");
  sqlite3_close(db);
  return file;
}

std::map<std::string, std::vector<char>> ReadTree(const fs::path& root) {
  std::map<std::string, std::vector<char>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), root).generic_string()] =
        std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

TEST(DemoWorld, SameDataGivesByteIdenticalFiles) {
  test::TempFolder dir;
  const auto airports = ReadAirports(MakeDataSet(dir.path()));
  FileLimits limits;
  limits.airports = 2;  // several files per area, so the grouping takes part
  const BuildSummary first = BuildWorld(airports, dir.path() / "one", limits);
  const BuildSummary second =
      BuildWorld(ReadAirports(dir.path() / "airports.sqlite"), dir.path() / "two", limits);

  const auto one = ReadTree(dir.path() / "one");
  const auto two = ReadTree(dir.path() / "two");
  EXPECT_EQ(one, two);
  EXPECT_EQ(first.bytes, second.bytes);
  EXPECT_EQ(first.defaultAirports + first.addonAdded, 6u);
  EXPECT_TRUE(one.contains("LICENSE-DATA.txt"));
  EXPECT_TRUE(one.contains("Scenery/NAMR/scenery/APNAMR001.BGL"));
  EXPECT_TRUE(one.contains("Scenery/NAMR/scenery/APNAMR002.BGL"));
  EXPECT_TRUE(one.contains("Scenery/EURO/scenery/APEURO001.BGL"));
}

TEST(DemoWorld, GroupingStaysWithinTheNameListLimitsAndCoversEveryAirport) {
  // 300 regions x 3 countries x 20 states: every limit is reached many times over.
  std::vector<bgl::AirportDesc> airports;
  for (int r = 0; r < 300; ++r) {
    for (int c = 0; c < 3; ++c) {
      for (int s = 0; s < 20; ++s) {
        bgl::AirportDesc a;
        a.region = "R" + std::to_string(r);
        a.country = "C" + std::to_string(r * 3 + c);
        a.state = "S" + std::to_string(s);
        airports.push_back(a);
      }
    }
  }
  for (const FileLimits limits : {FileLimits{}, FileLimits{50000, 256, 256, 16}, FileLimits{7, 2, 3, 4}}) {
    const auto groups = GroupIntoFiles(airports, limits);
    std::size_t next = 0;
    for (const auto& [begin, end] : groups) {
      ASSERT_EQ(begin, next);
      ASSERT_LT(begin, end);
      std::set<std::string> regions, countries, states;
      for (std::size_t i = begin; i < end; ++i) {
        regions.insert(airports[i].region);
        countries.insert(airports[i].country);
        states.insert(airports[i].state);
      }
      EXPECT_LE(end - begin, limits.airports);
      EXPECT_LE(regions.size(), limits.regions);
      EXPECT_LE(countries.size(), limits.countries);
      EXPECT_LE(states.size(), limits.states);
      next = end;
    }
    EXPECT_EQ(next, airports.size());
  }
  EXPECT_TRUE(GroupIntoFiles({}, FileLimits{}).empty());
}

}
}

#endif
