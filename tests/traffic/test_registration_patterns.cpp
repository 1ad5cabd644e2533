#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "support/temp_folder.h"
#include "traffic/registration_patterns.h"

namespace wf {
namespace {

using Patterns = std::array<std::string, CCountry::kMaxPatterns>;

const Patterns kDefaultPatterns{"N!!!!!", "N!!!!.", "N!!!.."};

CCountry& AddCountry(World& world, const std::string& region, const std::string& country) {
  return *FindOrCreateAirport(world, region, country, "State", "City", region + country, 0)
              ->city->state->country;
}

TEST(RegistrationPatternsTest, CountryLinesReplaceCountAndPatterns) {
  const std::tuple<const char*, int, Patterns> cases[] = {
      {"COUNTRY;Germany;-1;D-E...;D-F...;D-G...;D-I...;D-C...;D-B...;D-A...;X;Y;D-H...;D-K...",
       -1,
       {"D-E...", "D-F...", "D-G...", "D-I...", "D-C...", "D-B...", "D-A...", "X", "Y", "D-H...", "D-K..."}},
      {"COUNTRY;Germany;2;D-E...;D-F...", 2, {"D-E...", "D-F..."}},
      // Fewer patterns than the count: the rest are empty, not the old ones.
      {"COUNTRY;Germany;5;D-E...;D-F...", 5, {"D-E...", "D-F..."}},
      {"COUNTRY;Germany;4", 4, {}},
      {"COUNTRY;Germany;1;D-E...;ignored", 1, {"D-E..."}},
      {"COUNTRY;Germany;3;D-E...;;D-G...", 3, {"D-E...", "", "D-G..."}},
      {"COUNTRY;Germany;11;A;B;C;D;E;F;G;H;I;J;K;L",
       11,
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"}},
      {"COUNTRY;Germany;0;D-E...", 0, {}},
      // The count is a decimal number truncated toward zero.
      {"COUNTRY;Germany;2.9;D-E...;D-F...;D-G...", 2, {"D-E...", "D-F..."}},
      {"COUNTRY;Germany;-1.5;A;B;C;D;E;F;G;H;I;J;K",
       -1,
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"}},
      {"COUNTRY;Germany; +2x;D-E...;D-F...", 2, {"D-E...", "D-F..."}},
      // Windows line ends do not reach the last pattern.
      {"COUNTRY;Germany;2;D-E...;D-F...\r\n", 2, {"D-E...", "D-F..."}},
  };
  for (const auto& [line, count, patterns] : cases) {
    World world;
    CCountry& germany = AddCountry(world, "Europe", "Germany");
    ApplyRegistrationPatterns(line, world);
    EXPECT_EQ(germany.patternCount, count) << line;
    EXPECT_EQ(germany.registrationPatterns, patterns) << line;
  }
}

TEST(RegistrationPatternsTest, IgnoredLinesLeaveCountriesAlone) {
  const char* const lines[] = {
      "COUNTRY;Germany;12;A;B;C;D;E;F;G;H;I;J;K;L",
      "COUNTRY;Germany;-2;A",
      "COUNTRY;Germany;;A",
      "COUNTRY;Germany;many;A",
      "COUNTRY;Germany;1e9;A",
      "COUNTRY;Germany",
      "COUNTRY;Austria;1;OE-...",
      "country;Germany;1;D-E...",
      " COUNTRY;Germany;1;D-E...",
      "COUNTRY:Germany;1;D-E...",
      "# COUNTRY;Germany;1;D-E...",
      "",
  };
  for (const char* line : lines) {
    World world;
    CCountry& germany = AddCountry(world, "Europe", "Germany");
    ApplyRegistrationPatterns(line, world);
    EXPECT_EQ(germany.patternCount, 3) << line;
    EXPECT_EQ(germany.registrationPatterns, kDefaultPatterns) << line;
  }
}

// A line changes the country in every region that holds it; a later line wins, and the last line
// needs no line end.
TEST(RegistrationPatternsTest, CountryIsUpdatedInEveryRegionHoldingItAndLaterLinesWin) {
  World world;
  CCountry& inEurope = AddCountry(world, "Europe", "Russia");
  CCountry& inAsia = AddCountry(world, "Asia", "Russia");
  CCountry& other = AddCountry(world, "Asia", "China");
  CCountry& france = AddCountry(world, "Europe", "France");
  ApplyRegistrationPatterns(
      "# registrations\r\nCOUNTRY;Russia;2;RA-1;RA-2\r\nCOUNTRY;France;1;F-....\nCOUNTRY;Nowhere;1;X\n"
      "COUNTRY;Russia;1;RA-!!!!!",
      world);
  for (CCountry* russia : {&inEurope, &inAsia}) {
    EXPECT_EQ(russia->patternCount, 1);
    EXPECT_EQ(russia->registrationPatterns, (Patterns{"RA-!!!!!"}));
  }
  EXPECT_EQ(other.patternCount, 3);
  EXPECT_EQ(other.registrationPatterns, kDefaultPatterns);
  EXPECT_EQ(france.registrationPatterns[0], "F-....");
}

TEST(RegistrationPatternsTest, OnlyTheFirst511CharactersOfALineAreRead) {
  World world;
  CCountry& germany = AddCountry(world, "Europe", "Germany");
  CCountry& france = AddCountry(world, "Europe", "France");
  const std::string head = "COUNTRY;Germany;2;";
  const std::string longPattern(600, '!');
  // The part beyond the limit is dropped, even where it looks like a line of its own.
  ApplyRegistrationPatterns(head + longPattern + "COUNTRY;France;1;F-....\nCOUNTRY;Austria;1;OE-...", world);
  EXPECT_EQ(germany.patternCount, 2);
  EXPECT_EQ(germany.registrationPatterns[0], std::string(kMaxRegistrationLineLength - head.size(), '!'));
  EXPECT_EQ(germany.registrationPatterns[1], "");
  EXPECT_EQ(france.patternCount, 3);
}

TEST(RegistrationPatternsTest, ReadsFileOnlyWhenPresent) {
  const test::TempFolder folder;
  const std::filesystem::path file = folder / "GAregnr.txt";
  World world;
  CCountry& germany = AddCountry(world, "Europe", "Germany");

  EXPECT_FALSE(ReadRegistrationPatternsFile(file, world));
  EXPECT_EQ(germany.registrationPatterns, kDefaultPatterns);

  std::ofstream(file, std::ios::binary) << "COUNTRY;Germany;1;D-E...\r\n";
  EXPECT_TRUE(ReadRegistrationPatternsFile(file, world));
  EXPECT_EQ(germany.patternCount, 1);
  EXPECT_EQ(germany.registrationPatterns[0], "D-E...");
}

}
}
