#pragma once
// The process-wide databases: the airport tree and its index, the aircraft models and variations,
// the fleet, and the variation counter.
//
// Ownership: regionMap owns the tree and its airports, aircraftTypes the models, aircraftNames the
// variations, registrationIndex the fleet's planes. airportIndex and each airport's `planes` only
// refer. An airport entered into airportIndex leaves it when destroyed (see
// CAirport::EnterIntoIndex), so the index never holds a freed airport, whatever frees it.
#include <cstdint>
#include <string>

#include "platform/calendar.h"
#include "world/aircraft.h"
#include "world/airport.h"
#include "world/plane.h"
#include "world/region.h"
#include "world/string_map.h"

namespace wf {

struct World {
  World() = default;
  ~World();
  // Airports refer back to airportIndex, so a world stays where it was made.
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // Declared before regionMap so that it outlives the airports that refer to it.
  StringIndex<CAirport> airportIndex;     // ICAO ident -> airport, not owned
  StringMap<CRegion> regionMap;           // region name -> region
  StringMap<CAircraft> aircraftTypes;     // model name -> model
  StringMap<CAI_Aircraft> aircraftNames;  // variation title -> variation
  StringMap<CPlane> registrationIndex;    // registration -> plane
  // The last number given to a variation; every construction takes the next one.
  std::uint16_t aiAircraftCounter = 0;

  // Deletes every record, in the shut-down order: regions (with their airports), the airport index,
  // models, variations, planes. The variation counter keeps counting.
  void Clear();
  // Deletes every plane of the fleet and empties the `planes` map of every airport in the tree.
  void DiscardFleet();
};

// The airport `icao` in city `city` of state `state` of country `country` of region `region`,
// creating every missing level on the way (names set, parent linked, inserted under its name). A new
// airport is stamped with `fileTime` (the scenery file's time) and entered into the city's airports
// and into airportIndex; an existing one is returned unchanged. The same ident under another city
// is another airport, and airportIndex then refers to the one created last.
CAirport* FindOrCreateAirport(World& world, const std::string& region, const std::string& country,
                              const std::string& state, const std::string& city, const std::string& icao,
                              TimeValue fileTime);

// The two halves of FindOrCreateAirport, for readers that meet the same city many times: the city
// node (every missing level created), and the airport `icao` in it.
CCity& FindOrCreateCity(World& world, const std::string& region, const std::string& country,
                        const std::string& state, const std::string& city);
CAirport* FindOrCreateAirportIn(World& world, CCity& city, const std::string& icao, TimeValue fileTime);

}
