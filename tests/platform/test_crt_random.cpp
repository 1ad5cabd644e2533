#include <gtest/gtest.h>

#include <vector>

#include "platform/crt_random.h"

namespace wf {
namespace {

TEST(RandomTest, MatchesTheRuntimeSequenceAfterSeedOne) {
  Random random;
  random.Seed(1);
  std::vector<int> draws(5);
  for (int& draw : draws) draw = random.Next();
  EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

}
}
