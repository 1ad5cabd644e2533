#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "geo/geodesy.h"
#include "geo/sun_times.h"
#include "platform/crt_random.h"
#include "traffic/destination_caches.h"
#include "traffic/destination_draws.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

using test::AddAirport;

// lo walks down from h while lo > 0 and k[lo] > k[h] - range (taken as 0 when negative); hi walks up
// while hi < n and k[hi] < k[h] + range.
TEST(DestinationCaches, SearchBandsFollowTheWalksFromHome) {
  AirportOrder order;
  for (float key : {0.0f, 0.0f, 10.0f, 20.0f, 20.0f, 30.0f, 50.0f}) order.entries.push_back({key, nullptr});
  const OrderKeys keys(order);
  const struct {
    int h, range, lo, span;
  } cases[] = {
      {4, 10, 2, 3},   // stops at the key equal to the lower bound, before the one equal to the upper
      {5, 15, 2, 4},   // the walk down passes ties
      {1, 5, 1, 1},    // lower bound below 0: stops at the first key of 0
      {6, 100, 1, 6},  // the same from the far end: position 0 stays out
      {3, 0, 3, 0},    // no range: an empty band
  };

  for (const auto& c : cases) {
    const SearchBand band = keys.BandAround(c.h, c.range);
    EXPECT_EQ(band.lo, c.lo) << "h " << c.h << " range " << c.range;
    EXPECT_EQ(band.span, c.span) << "h " << c.h << " range " << c.range;
  }
}

TEST(DestinationCaches, KindPassSetsByCategoryFloatsAndRunway) {
  World world;
  AddAirport(world, {.icao = "SMAL"});  // small airfield, 1500 m
  AddAirport(world, {.icao = "COMM", .type = AirportType::kMediumCommercial, .longestRunway = 3000});
  // A seaplane base is of a commercial type.
  AddAirport(world, {.icao = "SEAP", .type = AirportType::kSeaplaneBase, .longestRunway = 3000});
  CAirport& unused = AddAirport(world, {.icao = "SHUT", .longestRunway = 3000});
  unused.useAirport = 0;
  WorkCounters work;
  const AirportOrder order = BuildAirportOrder(world, work);
  // Unused airports are not listed; keep one in the list to see that the kind test refuses it.
  AirportOrder withUnused = order;
  withUnused.entries.push_back({0.0f, &unused});
  KindPassSets sets(withUnused);

  // Category, floats, the shortest runway, the airports that pass.
  const std::tuple<int, bool, double, std::set<std::string>> cases[] = {
      {kPrivate, false, 698.0, {"SMAL"}},     {kRental, false, 1500.0, {"SMAL"}},  // as long as needed
      {kRental, false, 1500.5, {}},           {kBusiness, false, 698.0, {"COMM"}},
      {kTaxi, true, 698.0, {"COMM", "SEAP"}}, {kTaxi, true, 3000.5, {}}};
  for (const auto& [category, amphibian, shortestRunway, expected] : cases) {
    const std::uint64_t* bits = sets.For(category, amphibian, shortestRunway);
    std::set<std::string> passing;
    for (std::size_t i = 0; i < withUnused.entries.size(); ++i)
      if ((bits[i / 64] >> (i % 64)) & 1u) passing.insert(withUnused.entries[i].airport->icao);
    EXPECT_EQ(passing, expected) << "category " << category << " runway " << shortestRunway;
  }
}

// Whichever home, airport and day comes next.
TEST(DestinationCaches, DistancesAndSunsetsAreThoseOfTheFormulas) {
  World world;
  AddAirport(world, {.icao = "AP00", .latitude = 52.5, .longitude = 13.4});
  AddAirport(world, {.icao = "AP01", .latitude = 48.1, .longitude = 11.6});
  AddAirport(world, {.icao = "AP02", .latitude = -33.9, .longitude = 151.2});
  WorkCounters work;
  const AirportOrder order = BuildAirportOrder(world, work);
  const TimeValue start = 1136073600;  // 2006-01-01
  DestinationTable table(order, start, work);
  const auto at = [&](std::size_t i) -> const CAirport& { return *order.entries[i].airport; };

  for (std::size_t home : {0u, 2u, 0u}) {
    table.StartHome(home);
    for (std::size_t to = 0; to < 3; ++to) {
      const double expected =
          DistanceNm(at(home).latitude, at(home).longitude, at(to).latitude, at(to).longitude);
      for (int twice = 0; twice < 2; ++twice) {
        const float distance = table.DistanceFromHome(to);
        EXPECT_TRUE(to == home ? std::isnan(distance) : distance == static_cast<float>(expected))
            << home << " to " << to << ": " << distance;
      }
    }
  }
  // Days before, inside and after the days kept, for each airport, each asked twice.
  for (const std::int64_t day : {-3, 0, 9, 30}) {
    for (std::size_t i = 0; i < 3; ++i) {
      const TimeValue date = start + day * 86400 + 43200;
      const TimeValue expected = SunsetTime(date, at(i).latitude, at(i).longitude);
      EXPECT_EQ(table.SunsetAt(i, date), expected) << "day " << day << " airport " << i;
      EXPECT_EQ(table.SunsetAt(i, date), expected) << "day " << day << " airport " << i;
    }
  }
}

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
  // An empty band has no draws.
  EXPECT_EQ(PlanDraws(0, 0, 0, 1).count, 0u);
  EXPECT_EQ(PlanDraws(3, -2, 3, 10).count, 0u);
}

}
}
