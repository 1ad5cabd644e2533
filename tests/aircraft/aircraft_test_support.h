#pragma once
// aircraft.cfg texts for the aircraft reader tests.
#include <string>
#include <utility>
#include <vector>

namespace wf::test {

// A small four-seat piston single as the simulator's files describe one: 52 usable gallons of
// avgas, 1663 lb empty, 2550 lb gross, 36 ft span, stall 48/40 kt, cruise 122 kt, one 180 hp
// four-cylinder engine without a compression ratio (so the default 8.5), all radios, three wheels.
inline const std::string kPistonSingleCfg =
    "[fltsim.0]\n"
    "title=Tourer 172 Red\n"
    "sim=Tourer172\n"
    "atc_id=N172DT\n"
    "\n"
    "[WEIGHT_AND_BALANCE]\n"
    "max_gross_weight = 2550\n"
    "empty_weight = 1663\n"
    "empty_weight_CG_position = -0.5, 0.0, 0.0\n"
    "\n"
    "[GeneralEngineData]\n"
    "engine_type = 0\n"
    "Engine.0 = -0.5, 0.0, 0.0\n"
    "fuel_flow_scalar = 1.0\n"
    "\n"
    "[piston_engine]\n"
    "power_scalar = 1.0\n"
    "cylinder_displacement = 90.0\n"
    "number_of_cylinders = 4\n"
    "max_rated_rpm = 2700\n"
    "max_rated_hp = 180\n"
    "\n"
    "[fuel]\n"
    "LeftMain = -1.5, -8.5, 3.3, 28.0, 1.5\n"
    "RightMain = -1.5, 8.5, 3.3, 28.0, 1.5\n"
    "fuel_type = 1\n"
    "\n"
    "[airplane_geometry]\n"
    "wing_span = 36.1\n"
    "\n"
    "[Reference Speeds]\n"
    "flaps_up_stall_speed = 48.0\n"
    "full_flaps_stall_speed = 40.0\n"
    "cruise_speed = 122.0\n"
    "\n"
    "[contact_points]\n"
    "point.0=1, 3.6, 0.0, -4.1, 1181.0, 0, 0.5, 40.0, 0.25, 2.5, 0.7, 4.0, 4.0, 0, 200, 230\n"
    "point.5=  2, -20.0, 0.0, 0.8, 1574.0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0\n"
    "\n"
    "[Radios]\n"
    "Com.1 = 1, 1\n"
    "Nav.1 = 1, 1, 1\n"
    "Transponder.1 = 1\n";

// `text` with each `from` replaced by its `to` (first occurrence); a missing `from` is a test error
// that shows as the text being unchanged.
inline std::string Edited(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
  for (const auto& [from, to] : edits) {
    const std::size_t pos = text.find(from);
    if (pos != std::string::npos) text.replace(pos, from.size(), to);
  }
  return text;
}

// The piston single with its fltsim section replaced by `fltsims`.
inline std::string WithFltsims(const std::string& fltsims) {
  return Edited(kPistonSingleCfg,
                {{"[fltsim.0]\ntitle=Tourer 172 Red\nsim=Tourer172\natc_id=N172DT\n", fltsims}});
}

}
