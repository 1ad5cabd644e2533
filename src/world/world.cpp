#include "world/world.h"

#include <memory>

namespace wf {

namespace {

// The child under `key` in `children`, created by `init` and inserted when absent.
template <class Child, class Init>
Child& FindOrCreate(StringMap<Child>& children, const std::string& key, Init init) {
  if (Child* existing = children.Find(key)) return *existing;
  auto created = std::make_unique<Child>();
  init(*created);
  return children.Insert(key, std::move(created));
}

}

World::~World() {
  Clear();
}

void World::Clear() {
  regionMap.Clear();
  airportIndex.Clear();
  aircraftTypes.Clear();
  aircraftNames.Clear();
  registrationIndex.Clear();
}

void World::DiscardFleet() {
  // registrationIndex owns every plane an airport lists, so without planes there is nothing to walk.
  if (registrationIndex.empty()) return;
  registrationIndex.Clear();
  // Every airport of the tree, not only the indexed ones: an airport whose ident was indexed again
  // under another city may still list planes.
  for (auto& [name, region] : regionMap)
    ForEachAirport(*region, [](CAirport& airport) { airport.planes.Clear(); });
}

CCity& FindOrCreateCity(World& world, const std::string& region, const std::string& country,
                        const std::string& state, const std::string& city) {
  CRegion& regionNode = FindOrCreate(world.regionMap, region, [&](CRegion& r) { r.name = region; });
  CCountry& countryNode = FindOrCreate(regionNode.countries, country, [&](CCountry& c) {
    c.name = country;
    c.region = &regionNode;
  });
  CState& stateNode = FindOrCreate(countryNode.states, state, [&](CState& s) {
    s.name = state;
    s.country = &countryNode;
  });
  return FindOrCreate(stateNode.cities, city, [&](CCity& c) {
    c.name = city;
    c.state = &stateNode;
  });
}

CAirport* FindOrCreateAirportIn(World& world, CCity& cityNode, const std::string& icao, TimeValue fileTime) {
  if (CAirport* existing = cityNode.airports.Find(icao)) return existing;
  auto created = std::make_unique<CAirport>();
  created->icao = icao;
  created->city = &cityNode;
  created->sceneryFileTime = fileTime;
  CAirport& airport = cityNode.airports.Insert(icao, std::move(created));
  airport.EnterIntoIndex(world.airportIndex);
  return &airport;
}

CAirport* FindOrCreateAirport(World& world, const std::string& region, const std::string& country,
                              const std::string& state, const std::string& city, const std::string& icao,
                              TimeValue fileTime) {
  return FindOrCreateAirportIn(world, FindOrCreateCity(world, region, country, state, city), icao, fileTime);
}

}
