#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>

#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"
#include "traffic/registration_patterns.h"
#include "traffic/registrations.h"

namespace wf {
namespace {

using test::DrawsBetween;

TEST(RegistrationPatternIndex, ByAircraftClass) {
  const struct {
    int engineCount, engineType, maxWeight, expected;
  } cases[] = {{0, 3, 30000, 10},  // no engines comes first
               {1, 3, 30000, 7},   // helicopter turbine before any weight
               {2, 1, 20001, 6},  {2, 1, 20000, 5}, {2, 1, 14000, 5}, {2, 1, 13999, 4},
               {1, 5, 5700, 4},   {2, 0, 5699, 3},  {1, 0, 5699, 1},  {2, 0, 2000, 3},
               {1, 0, 2000, 1},   {2, 0, 1999, 2},  {1, 0, 1999, 0}};
  for (const auto& c : cases) {
    CAircraft model;
    model.engineCount = c.engineCount;
    model.engineType = EngineType{c.engineType};
    model.maxWeight = c.maxWeight;
    EXPECT_EQ(RegistrationPatternIndex(model), c.expected)
        << c.engineCount << " engines, type " << c.engineType << ", " << c.maxWeight << " kg";
  }
}

class MakeRegistrationTest : public ::testing::Test {
 protected:
  void Take(const std::string& registration) { taken_.Insert(registration, std::make_unique<CPlane>()); }

  void SetUp() override { model_.engineCount = 1; }  // one engine, 0 kg: class 0

  CAircraft model_;
  StringMap<CPlane> taken_;
};

TEST_F(MakeRegistrationTest, PatternChoiceByCount) {
  struct Case {
    const char* label;
    int patternCount;
    std::array<std::string, CCountry::kMaxPatterns> patterns;
    std::string expected;
    int draws;
  } cases[] = {// 41 % 2 = 1 picks the second pattern; then 18467 % 10 = 7.
               {"random among two", 2, {"A!", "B!"}, "B7", 2},
               // Class 0 picks slot 0 without a draw; 41 % 10 = 1.
               {"by class", -1, {"C!", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X"}, "C1", 1},
               // 41 % 3 = 2 picks "N!!!.."; then 7, 4, 0 and letters 19169 % 26 = 7, 15724 % 26 = 20.
               {"none in use: the new country's patterns", 0, {"Q!"}, "N740HU", 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CCountry country;
    country.patternCount = c.patternCount;
    country.registrationPatterns = c.patterns;
    Random random(1);
    EXPECT_EQ(MakeRegistration(&country, model_, taken_, random), c.expected);
    EXPECT_EQ(DrawsBetween(1, random), c.draws);
  }
}

TEST_F(MakeRegistrationTest, WithoutACountryUsesTheNewCountryPatterns) {
  Random random(1);
  EXPECT_EQ(MakeRegistration(nullptr, model_, taken_, random), "N740HU");
}

TEST_F(MakeRegistrationTest, ExpandsAgainWhileTaken) {
  CCountry country;
  country.patternCount = 1;
  country.registrationPatterns[0] = "D-!";
  Take("D-7");  // 41 % 1 picks the pattern, 18467 % 10 = 7 is taken, 6334 % 10 = 4 is not
  Random random(1);
  EXPECT_EQ(MakeRegistration(&country, model_, taken_, random), "D-4");
  EXPECT_EQ(DrawsBetween(1, random), 3);
}

TEST_F(MakeRegistrationTest, GivesUpInsteadOfLoopingForever) {
  const std::tuple<const char*, std::string, int> cases[] = {
      {"every expansion taken", "D-!", 1 + kMaxRegistrationExpansions},
      {"no wildcard and taken", "D-ABC", 1},
      {"empty pattern", "", 1}};
  for (int digit = 0; digit < 10; ++digit) Take("D-" + std::to_string(digit));
  Take("D-ABC");
  for (const auto& [label, pattern, draws] : cases) {
    SCOPED_TRACE(label);
    CCountry country;
    country.patternCount = 1;
    country.registrationPatterns[0] = pattern;
    Random random(1);
    EXPECT_EQ(MakeRegistration(&country, model_, taken_, random), std::nullopt);
    EXPECT_EQ(DrawsBetween(1, random, 2 * kMaxRegistrationExpansions), draws);
  }
}

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
      {"COUNTRY;Germany;2;D-E...;D-F...\r\n", 2, {"D-E...", "D-F..."}}};
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
