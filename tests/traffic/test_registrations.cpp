#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "traffic/fleet_test_world.h"
#include "traffic/registrations.h"

namespace wf {
namespace {

using test::DrawsBetween;

TEST(RegistrationPatternIndex, ByAircraftClass) {
  const struct {
    int engineCount, engineType, maxWeight, expected;
  } cases[] = {
      {0, 3, 30000, 10},  // no engines comes first
      {1, 3, 30000, 7},   // helicopter turbine before any weight
      {2, 1, 20001, 6},  {2, 1, 20000, 5}, {2, 1, 14000, 5}, {2, 1, 13999, 4},
      {1, 5, 5700, 4},   {2, 0, 5699, 3},  {1, 0, 5699, 1},  {2, 0, 2000, 3},
      {1, 0, 2000, 1},   {2, 0, 1999, 2},  {1, 0, 1999, 0},
  };
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
  } cases[] = {
      // 41 % 2 = 1 picks the second pattern; then 18467 % 10 = 7.
      {"random among two", 2, {"A!", "B!"}, "B7", 2},
      // Class 0 picks slot 0 without a draw; 41 % 10 = 1.
      {"by class", -1, {"C!", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X"}, "C1", 1},
      // 41 % 3 = 2 picks "N!!!.."; then 7, 4, 0 and letters 19169 % 26 = 7, 15724 % 26 = 20.
      {"none in use: the new country's patterns", 0, {"Q!"}, "N740HU", 6},
  };
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
      {"empty pattern", "", 1},
  };
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

}
}
