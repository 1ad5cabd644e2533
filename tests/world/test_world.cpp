#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "world/world.h"

namespace wf {
namespace {

// Each level is found by its name, case-sensitively, or made with its name and parent; an existing
// airport is reused as it is (updating it is the scan's business).
TEST(WorldFindOrCreate, BuildsTheLevelsWithNamesAndParentsAndReusesWhatExists) {
  World world;
  CAirport* airport = FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 1234);
  ASSERT_NE(airport, nullptr);
  EXPECT_EQ(airport->icao + std::to_string(airport->sceneryFileTime), "EDDF1234");
  EXPECT_EQ(world.airportIndex.Find("EDDF"), airport);
  const CCity* city = airport->city;
  ASSERT_TRUE(city && city->state && city->state->country && city->state->country->region);
  EXPECT_EQ(city->state->country->region, world.regionMap.Find("Europe"));
  EXPECT_EQ(city->state->country, world.regionMap.Find("Europe")->countries.Find("Germany"));
  EXPECT_EQ(city->state, city->state->country->states.Find("Hesse"));
  EXPECT_EQ(city, city->state->cities.Find("Frankfurt"));
  EXPECT_EQ(city->airports.Find("EDDF"), airport);
  EXPECT_EQ(city->state->country->region->name + city->state->country->name + city->state->name + city->name,
            "EuropeGermanyHesseFrankfurt");
  // The inherited levels of a deeper object keep their defaults.
  EXPECT_TRUE(static_cast<const CRegion*>(city->state->country)->name.empty());
  EXPECT_TRUE(static_cast<const CCountry*>(city)->name.empty());

  EXPECT_EQ(FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 2), airport);
  EXPECT_EQ(airport->sceneryFileTime, 1234);
  EXPECT_NE(FindOrCreateAirport(world, "Europe", "germany", "Hesse", "Frankfurt", "EDDF", 3), airport);
  EXPECT_EQ(world.regionMap.size(), 1u);
  EXPECT_EQ(world.regionMap.Find("Europe")->countries.size(), 2u);
}

TEST(WorldFleet, DiscardDeletesPlanesAndEmptiesEveryAirportsPlanes) {
  World world;
  CAirport* indexed = FindOrCreateAirport(world, "R", "C", "S", "A", "XXXX", 0);
  CAirport* shadowed = FindOrCreateAirport(world, "R", "C", "S", "B", "YYYY", 0);
  // Indexing another airport under YYYY leaves `shadowed` outside the index, with its planes.
  FindOrCreateAirport(world, "R", "C", "S", "C", "YYYY", 0);
  ASSERT_NE(world.airportIndex.Find("YYYY"), shadowed);

  auto addPlane = [&](const std::string& registration, CAirport* home) {
    auto plane = std::make_unique<CPlane>();
    plane->registration = registration;
    plane->homeAirport = home;
    home->planes.Insert(registration, plane.get());
    world.registrationIndex.Insert(registration, std::move(plane));
  };
  addPlane("D-EAAA", indexed);
  addPlane("D-EAAB", shadowed);

  world.DiscardFleet();
  EXPECT_TRUE(world.registrationIndex.empty());
  EXPECT_TRUE(indexed->planes.empty());
  EXPECT_TRUE(shadowed->planes.empty());
  EXPECT_EQ(world.regionMap.size(), 1u);
}

TEST(WorldAirportIndex, FreedAirportsLeaveTheIndex) {
  World world;
  FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 0);
  FindOrCreateAirport(world, "Europe", "Germany", "Bavaria", "Munich", "EDDM", 0);
  CAirport* asian = FindOrCreateAirport(world, "Asia", "China", "HK", "Hong Kong", "VHHH", 0);
  // A second EDDF in another city is another airport, and takes over the index entry.
  CAirport* older = world.airportIndex.Find("EDDF");
  CAirport* newer = FindOrCreateAirport(world, "Asia", "China", "HK", "Kowloon", "EDDF", 0);
  ASSERT_NE(newer, older);
  EXPECT_EQ(older->city->name, "Frankfurt");

  world.regionMap.Erase("Europe");
  EXPECT_EQ(world.airportIndex.Find("EDDM"), nullptr);
  EXPECT_EQ(world.airportIndex.Find("EDDF"), newer);
  EXPECT_EQ(world.airportIndex.Find("VHHH"), asian);
}

TEST(WorldStringMap, IteratesInAscendingByteOrder) {
  StringMap<CPlane> map;
  for (const char* key : {"b", "\xC4rhus", "B", "a", "ab", "", "Z"})
    map.Insert(key, std::make_unique<CPlane>());
  std::vector<std::string> keys;
  for (const auto& [key, value] : map) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"", "B", "Z", "a", "ab", "b", "\xC4rhus"}));
}

}
}
