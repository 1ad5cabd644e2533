#pragma once
// Reading one aircraft.cfg: the values a new model is derived from, whether the file names a model
// at all, and its variations (titles). The line rules are those of cfg_text.h; comment lines are
// skipped everywhere.
//
// What the reader looks at, by section (names compared in lower case):
//   [radios]             com.N, nav.N, transponder.N: first integer 1 = present
//   [contact_points]     point.N: first integer 1 = a wheel
//   [piston_engine]      max_rated_hp, max_rated_rpm, compression_ratio, cylinder_displacement
//                        (cubic inches), number_of_cylinders, power_scalar
//   [turboprop_engine]   maximum_torque (ft-lb)
//   [turbineenginedata]  static_thrust (lbf), used only where no torque or power was read before
//   [airplane_geometry]  wing_span (ft)
//   [generalenginedata]  engine_type, engine.N (the last N counts the engines), fuel_flow_scalar
//   [reference speeds]   flaps_up_stall_speed, full_flaps_stall_speed, cruise_speed (knots)
//   [weight_and_balance] max_gross_weight, empty_weight (lb)
//   [fuel]               fuel_type; tanks Center*, External*, Left*, Right* =
//                        longitudinal, lateral, vertical position, capacity, unusable (US gallons)
//   [fltsim*]            title (progress text, gear words), sim= (the file names a model),
//                        atc_parking_types
// Gear words: "floats" or "amphibian" mark an amphibian, else "ski" skis, else "tundra" a bush
// plane; they are looked for in ui_type values and titles (in sections other than fltsim*, in the
// whole line after the "t" of "title", camera titles included).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/progress.h"
#include "world/aircraft.h"
#include "world/settings.h"

namespace wf {

// The working values gathered from one file, in the file's own units.
struct AircraftCfgValues {
  std::int32_t fuelTotal = 0;       // usable US gallons of all tanks, each tank truncated
  std::int32_t fuelType = 0;        // FuelType's code
  std::int32_t emptyWeight = 0;     // lb
  std::int32_t maxGrossWeight = 0;  // lb
  std::int32_t flapsUpStallSpeed = 0;
  std::int32_t fullFlapsStallSpeed = 0;
  std::int32_t cruiseSpeed = 0;  // knots
  std::int32_t engineType = 0;   // EngineType's code
  std::int32_t lastEngineIndex = 0;
  std::int32_t wingSpan = 0;  // ft
  // max_rated_hp (piston), or minus maximum_torque (turboprop), or minus static_thrust (jet).
  std::int32_t powerValue = 0;
  std::int32_t cylinderDisplacement = 0;  // cubic inches
  std::int32_t cylinderCount = 0;
  std::int32_t maxRatedRpm = 0;
  float compressionRatio = 8.5f;
  float powerScalar = 1.0f;
  float fuelFlowScalar = 1.0f;
  std::int32_t amphibian = 0;
  std::int32_t bushPlane = 0;
  std::int32_t skis = 0;
  std::int32_t radioMask = 0;  // bit 0 com, bit 1 nav, bit 2 transponder
  std::int32_t hasWheels = 0;
};

// Gathers the working values of one file. For every title in a fltsim* section the progress shows
// "Read plane " and the lower-case title.
AircraftCfgValues ReadAircraftCfgValues(std::string_view text, Progress& progress);

// Whether the file names a model: a working line that begins with "sim", whose fourth character is
// not ".", and that contains "=".
bool HasSimLine(std::string_view text);

// A new model named `name` (the aircraft folder's name) derived from the working values and the
// weight limits: conversions to metric units, GA use, fuel flow, range, lottery weight (probability)
// and usage mask. `seen` is 1. A fuel flow or engine count of 0, and any range that is not a finite
// number, give range 0. Never throws for any values.
std::unique_ptr<CAircraft> DeriveAircraft(const AircraftCfgValues& values, const Settings& settings,
                                          std::string name, std::string folderPath);

// One title line of a fltsim* section, in file order.
struct VariationLine {
  std::string title;  // case kept, leading blanks removed, trailing blanks kept
  bool commaInTitle = false;
  // An atc_parking_types line after this title (and before the next one) names MIL_COMBAT,
  // MIL_CARGO, or CARGO without RAMP; parkingTypes is that value, upper case.
  bool militaryOrCargoParking = false;
  std::string parkingTypes;
  // Whether the variation is kept out of GA traffic whatever its model.
  bool NotForGA() const { return commaInTitle || militaryOrCargoParking; }
};

// The variations of one file. A title line with an empty title starts no variation (and ends the
// previous one); atc_parking_types lines before the first title are ignored.
std::vector<VariationLine> ReadVariationLines(std::string_view text);

// Whether an atc_parking_types value (any case) keeps a variation out of GA traffic.
bool IsMilitaryOrCargoParking(std::string_view parkingTypes);

}
