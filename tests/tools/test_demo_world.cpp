// The demo-world builder: the data set filtered, files grouped by area, byte-identical output for the
// same data.
#ifdef WINGFOLD_HAVE_DEMOWORLD

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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
  Exec(db,
       "INSERT INTO airports VALUES"
       "(1, 'KSEA', 'Seattle-Tacoma International', 'large_airport', 47.449, -122.309, 433, 'United States', "
       "'US', 'US-WA', 'Seattle'),"
       "(3, '00AA', 'Aero B Ranch', 'small_airport', 38.70, -101.47, 3435, 'United States', 'US', 'US-KS', "
       "'Leoti'),"
       "(4, '00A', 'Total RF Heliport', 'heliport', 40.07, -74.93, 11, 'United States', 'US', 'US-PA', "
       "'Bensalem'),"
       "(5, 'AB123', 'Too Long', 'small_airport', 1, 1, 1, 'Brazil', 'BR', 'BR-SP', 'X'),"
       "(6, 'LOWI', 'Innsbruck Kranebitten', 'medium_airport', 47.26, 11.34, 1906, 'Austria', 'AT', 'AT-7', "
       "'Innsbruck'),"
       "(7, 'W55', 'Kenmore Air Harbor', 'seaplane_base', 47.63, -122.33, 14, 'United States', 'US', "
       "'US-WA', 'Seattle');"
       "INSERT INTO runways VALUES"
       "(10, 1, 11901, 150, 'concrete', 1), (11, 1, 9426, 150, 'unknown', 1),"
       "(13, 3, 2000, 0, 'unknown', 0), (14, 6, 6562, 148, 'unknown', 1);"
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
  EXPECT_EQ(first.defaultAirports + first.addonAdded, 4u);
  EXPECT_TRUE(one.contains("LICENSE-DATA.txt"));
  EXPECT_TRUE(one.contains("Scenery/NAMR/scenery/APNAMR001.BGL"));
  EXPECT_TRUE(one.contains("Scenery/NAMR/scenery/APNAMR002.BGL"));
  EXPECT_TRUE(one.contains("Scenery/EURO/scenery/APEURO001.BGL"));
}

}
}

#endif
