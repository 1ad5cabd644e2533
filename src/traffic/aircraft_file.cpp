#include "traffic/aircraft_file.h"

#include <cmath>
#include <cstdint>

#include "geo/units.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace wf {

namespace {

constexpr std::int32_t kLightAircraftMaxWeight = 7500;  // kg; lighter aircraft may use soft runways
constexpr std::int32_t kBusinessAndTaxiUsage = (1 << 4) | (1 << 5);

// The runway length the compiler should demand, in whole feet. The factors turn a stall speed into
// a rough landing distance in metres. 64 bits: a damaged stall speed cannot overflow.
std::int64_t RunwayFeet(std::int32_t stallSpeed) {
  return static_cast<std::int64_t>(std::trunc(MetersToFeet(stallSpeed * 1.425 / 0.0981)));
}

void AppendAircraftLine(std::string& out, const CAI_Aircraft& variation, const CAircraft& model) {
  // The ceiling products are taken in 64 bits so that no stored value can overflow them.
  const std::int64_t ceiling = model.ceiling;
  out += "AC";
  AppendWhole(out, variation.number);
  out += ',';
  AppendCString(out, variation.title);
  for (const std::int64_t value :
       {std::int64_t{model.cruiseSpeed}, ceiling * 2 / 400, ceiling / 100, std::int64_t{model.range / 4},
        std::int64_t{model.range}, RunwayFeet(model.stallSpeed)}) {
    out += ',';
    AppendWhole(out, value);
  }
  out += ',';

  const bool softGround =
      model.maxWeight <= kLightAircraftMaxWeight || model.bushPlane != 0 || model.amphibian != 0;
  out += softGround ? "HARD | SOFT" : "HARD";
  if (model.skis != 0) out += " | SNOW";
  if (model.amphibian != 0) out += " | WATER";

  out += ',';
  AppendWhole(out, model.wingSpan / 2);
  out += ',';
  out += (variation.usage & kBusinessAndTaxiUsage) != 0 ? "GATE | RAMP" : "RAMP";
  out += ',';
  out += model.ifr == 1 ? "75" : "0";
  out += ",no,no\n";
}

}

bool HasCompilerValues(const CAircraft& model) {
  return model.wingSpan > 0 && model.cruiseSpeed >= 0 && model.ceiling >= 0 && model.range >= 0 &&
         model.stallSpeed >= 0;
}

std::string AircraftFileText(const World& world) {
  std::string out;
  for (const auto& [title, variation] : world.aircraftNames) {
    const CAircraft* model = variation->aircraft;
    if (variation->useForGA != 1 || model == nullptr || model->hasWheels != 1 || !HasCompilerValues(*model))
      continue;
    AppendAircraftLine(out, *variation, *model);
  }
  return out;
}

}
