#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "world/world.h"

namespace wf {
namespace {

TEST(WorldFindOrCreate, BuildsTheLevelsWithNamesAndParents) {
  World world;
  CAirport* airport = FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 1234);
  ASSERT_NE(airport, nullptr);
  EXPECT_EQ(airport->icao, "EDDF");
  EXPECT_EQ(airport->sceneryFileTime, 1234);
  EXPECT_EQ(world.airportIndex.Find("EDDF"), airport);

  CRegion* region = world.regionMap.Find("Europe");
  ASSERT_NE(region, nullptr);
  CCountry* country = region->countries.Find("Germany");
  ASSERT_NE(country, nullptr);
  CState* state = country->states.Find("Hesse");
  ASSERT_NE(state, nullptr);
  CCity* city = state->cities.Find("Frankfurt");
  ASSERT_NE(city, nullptr);
  EXPECT_EQ(city->airports.Find("EDDF"), airport);
  EXPECT_EQ(region->name, "Europe");
  EXPECT_EQ(country->name, "Germany");
  EXPECT_EQ(state->name, "Hesse");
  EXPECT_EQ(city->name, "Frankfurt");
  EXPECT_EQ(country->region, region);
  EXPECT_EQ(state->country, country);
  EXPECT_EQ(city->state, state);
  EXPECT_EQ(airport->city, city);
  // The inherited levels of a deeper object keep their defaults.
  EXPECT_TRUE(static_cast<CRegion*>(country)->name.empty());
  EXPECT_TRUE(static_cast<CCountry*>(city)->name.empty());
}

TEST(WorldFindOrCreate, ReusesWhatExistsAndMatchesCaseSensitively) {
  World world;
  CAirport* first = FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 1);
  CAirport* again = FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 2);
  EXPECT_EQ(again, first);
  EXPECT_EQ(again->sceneryFileTime, 1);  // updating an existing airport is the scan's business

  CAirport* other = FindOrCreateAirport(world, "Europe", "germany", "Hesse", "Frankfurt", "EDDF", 3);
  EXPECT_NE(other, first);
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
