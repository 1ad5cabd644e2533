#include <gtest/gtest.h>

#include "world/aircraft.h"
#include "world/airport.h"
#include "world/plane.h"

namespace wf {
namespace {

TEST(PlaneCategory, DrawsOnceFromTheCategoryBitsOfTheUsageMask) {
  struct Case {
    const char* label;
    std::int32_t usage;
    int expectedCategory;
    int expectedDraws;
  } cases[] = {
      // With seed 1 the first draw is 41.
      {"no category bits", 0, 0, 0},
      {"only bits above 5", ~0x3F, 0, 0},
      {"only bit 4", 1 << 4, 4, 1},
      {"bits 0 and 2: 41 % 2 picks bit 2", 0b101, 2, 1},
      {"all bits: 41 % 6 picks bit 5", -1, 5, 1},
      {"bits 1, 3 and 6: 41 % 2 picks bit 3", 0b1001010, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::uint16_t counter = 0;
    CAircraft model;
    CAI_Aircraft variation(model, counter);
    variation.usage = c.usage;
    variation.percentage = 17;
    CAirport airport;
    CAirport* home = &airport;

    Random random(1);
    Random reference(1);
    CPlane plane("D-EFGH", home, &variation, random);
    for (int i = 0; i < c.expectedDraws; ++i) reference.Next();
    EXPECT_EQ(random.State(), reference.State());
    EXPECT_EQ(plane.category, c.expectedCategory);
    EXPECT_EQ(plane.percentage, 17);
    EXPECT_EQ(plane.registration, "D-EFGH");
    EXPECT_EQ(plane.homeAirport, home);
    EXPECT_EQ(plane.aircraft, &variation);
  }
}

TEST(PlaneCategory, WithoutAnAircraftIsPrivateWithoutADraw) {
  Random random(1);
  CPlane plane("N123", nullptr, nullptr, random);
  EXPECT_EQ(plane.category, 0);
  EXPECT_EQ(random.State(), 1u);
}

TEST(PlaneCategory, NamesAreSpelledAsShown) {
  const char* expected[] = {"Private", "Club", "Training", "Rentable", "Buisiness", "Taxi", "unknown"};
  CPlane plane;
  for (int category = 0; category <= 6; ++category) {
    plane.category = category;
    std::string name;
    EXPECT_EQ(plane.GetCategoryName(name), category);
    EXPECT_EQ(name, expected[category]);
  }
}

}
}
