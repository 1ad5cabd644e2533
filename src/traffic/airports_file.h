#pragma once
// Airports.dat: the airport input of the traffic compiler, rewritten on every save of the airport
// database.
//
// For every airport of the airport index with a non-empty ident (in the index's order, whatever its
// Use and Military flags), a block:
//   ICAO,latitude,longitude,altitude,airspace class,approach channels,0.70,country\n{\n
//   RUNWAY,length ft,width ft,surface word\n        one per runway, in list order
//   PARKING,radius m,parking word\n                 one per parking space, in list order
//   PARKING,10.0,RAMP\n ...                          the standard spaces of the airport's type
//   }\n
// The header is "%-4s,%f,%f,%5.1f,%s,%d,0.70,%s" of icao, latitude and longitude (degrees), altitude
// (metres), airspaceClass, approachComCount and the country name; runway lengths and widths are
// converted to feet and truncated; radii are written as "%3.1f". Numbers use '.' in every locale.
#include <string>

#include "world/world.h"

namespace wf {

// The surface word of a runway's scenery surface code: "WATER", "SNOW", "HARD" or "SOFT". Codes
// the scenery format leaves unnamed are "SOFT" for 3, 5, 6 and 11 and "HARD" otherwise.
const char* RunwaySurfaceWord(int surfaceCode);

// The parking word of a parking space's scenery type: "RAMP", "CARGO", "MIL_CARGO", "MIL_COMBAT",
// "GATE" or "DOCK" ("RAMP" for types outside 0..11).
const char* ParkingWord(ParkingType parkingType);

// The whole text of Airports.dat for `world`.
std::string AirportsFileText(const World& world);

}
