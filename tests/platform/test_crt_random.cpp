#include <gtest/gtest.h>

#include "platform/crt_random.h"

namespace wf {
namespace {

TEST(RandomTest, MatchesTheRuntimeSequenceAfterSeedOne) {
  Random random;
  random.Seed(1);
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  EXPECT_EQ(random.Next(), 26500);
  EXPECT_EQ(random.Next(), 19169);
}

}
}
