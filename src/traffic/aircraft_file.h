#pragma once
// Aircraft-GA.dat: the aircraft input of the traffic compiler, rewritten on every save of the
// aircraft database.
//
// One line per variation of aircraftNames (in the map's order) whose useForGA is 1 and whose model
// is present, has wheels (hasWheels 1) and HasCompilerValues:
//   AC<number>,<title>,<cruise kn>,<ceiling x 2 div 400>,<ceiling div 100>,<range div 4>,<range nm>,
//   <runway ft>,<surfaces>,<wingspan div 2>,<parking>,<75 IFR | 0>,no,no\n
// where runway ft is the truncated feet of stallSpeed x 1.425 / 0.0981 (metres); surfaces is
// "HARD | SOFT" for a model of at most 7500 kg, with tundra tyres or with floats, else "HARD",
// followed by " | SNOW" with skis and " | WATER" with floats; parking is "GATE | RAMP" when the
// variation's usage has the Business (bit 4) or Taxi (bit 5) bit, else "RAMP". Divisions are integer
// divisions, truncating toward zero.
#include <string>

#include "world/world.h"

namespace wf {

// Whether the model's values make a line the compiler accepts: a wingspan above 0, and no negative
// cruise speed, ceiling, range or stall speed (a damaged aircraft.cfg, such as a tank of negative
// capacity, gives a negative range). Models without them get no line, and so no planes.
bool HasCompilerValues(const CAircraft& model);

// The whole text of Aircraft-GA.dat for `world`.
std::string AircraftFileText(const World& world);

}
