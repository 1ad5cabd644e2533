#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/crt_random.h"
#include "traffic/destination_draws.h"

namespace wf {
namespace {

// The search's candidates drawn one by one from the random sequence, as the halving search reads.
std::vector<std::int64_t> DrawnOneByOne(std::int64_t lo, std::int64_t span, std::int64_t h, std::int64_t size,
                                        std::uint32_t state, std::vector<std::uint32_t>& states) {
  Random random(state);
  std::vector<std::int64_t> candidates;
  candidates.push_back(lo + random.Next() % span);
  states.push_back(random.State());
  while (span > 0) {
    const std::int64_t old = span;
    span /= 2;
    candidates.push_back(
        std::clamp<std::int64_t>(std::llabs(h + random.Next() % (span + 1) - old / 4), 0, size - 1));
    states.push_back(random.State());
  }
  return candidates;
}

TEST(DestinationDraws, CandidatesKindTestsAndStatesMatchDrawingOneByOne) {
  std::mt19937 generator(7);
  for (int round = 0; round < 3000; ++round) {
    // Lists from 1 airport to more than the draws can reach (spans beyond 32767), bands anywhere.
    const std::int64_t size =
        round % 10 == 0 ? 1 + generator() % 5 : 1 + generator() % (round % 3 == 0 ? 200000 : 3000);
    const std::int64_t h = generator() % size;
    const std::int64_t lo = generator() % (h + 1);
    const std::int64_t span = 1 + generator() % (size - lo);
    const std::uint32_t state = generator();
    std::vector<std::uint64_t> kinds((static_cast<std::size_t>(size) + 63) / 64);
    for (auto& word : kinds) word = (std::uint64_t{generator()} << 32) | generator();

    std::vector<std::uint32_t> states;
    const auto expected = DrawnOneByOne(lo, span, h, size, state, states);
    const DrawPlan plan = PlanDraws(lo, span, static_cast<std::int32_t>(h), static_cast<std::size_t>(size));
    ASSERT_EQ(plan.count, expected.size());
    std::uint64_t expectedPassing = 0;
    for (std::size_t k = 0; k + 1 < expected.size(); ++k) {
      const auto i = static_cast<std::size_t>(expected[k]);
      expectedPassing |= ((kinds[i / 64] >> (i % 64)) & 1u) << k;
    }

    std::array<std::int32_t, kMaxDrawSteps + 8> fast{}, reference{};
    const std::uint64_t passing = DrawCandidates(plan, state, kinds.data(), fast);
    const std::uint64_t referencePassing = DrawCandidatesOneByOne(plan, state, kinds.data(), reference);
    for (std::size_t k = 0; k < expected.size(); ++k) {
      ASSERT_EQ(fast[k], expected[k]) << "round " << round << " draw " << k;
      ASSERT_EQ(reference[k], expected[k]) << "round " << round << " draw " << k;
      ASSERT_EQ(StateAfterDraws(state, k + 1), states[k]);
    }
    ASSERT_EQ(passing, expectedPassing) << "round " << round;
    ASSERT_EQ(referencePassing, expectedPassing) << "round " << round;
  }
}

TEST(DestinationDraws, AnEmptyBandHasNoDraws) {
  EXPECT_EQ(PlanDraws(0, 0, 0, 1).count, 0u);
  EXPECT_EQ(PlanDraws(3, -2, 3, 10).count, 0u);
}

}
}
