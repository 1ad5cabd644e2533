#include <gtest/gtest.h>

#include <optional>

#include "traffic/fleet_test_world.h"
#include "world/aircraft.h"
#include "world/plane.h"

namespace wf {
namespace {

TEST(PlaneCategory, DrawsOnceFromTheCategoryBitsOfTheUsageMask) {
  struct Case {
    const char* label;
    std::optional<std::int32_t> usage;  // none: no aircraft
    int expectedCategory;
    int expectedDraws;
  } cases[] = {
      // With seed 1 the first draw is 41.
      {"no aircraft: private without a draw", std::nullopt, 0, 0},
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
    variation.usage = c.usage.value_or(0);
    Random random(1);
    const CPlane plane("D-EFGH", nullptr, c.usage ? &variation : nullptr, random);
    EXPECT_EQ(plane.category, c.expectedCategory);
    EXPECT_EQ(test::DrawsBetween(1, random), c.expectedDraws);
  }
}

}
}
