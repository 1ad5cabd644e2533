#include "aircraft/aircraft_cfg.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

#include "aircraft/cfg_text.h"
#include "geo/units.h"
#include "platform/text.h"

namespace wf {

namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

std::int32_t Clamp32(long long value) {
  if (value > kInt32Max) return kInt32Max;
  if (value < kInt32Min) return kInt32Min;
  return static_cast<std::int32_t>(value);
}

// Truncation toward zero; NaN gives 0 and values beyond 32 bits are clamped, so that no input can
// reach an undefined conversion.
std::int32_t Truncate(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return kInt32Max;
  if (value <= -2147483648.0) return kInt32Min;
  return static_cast<std::int32_t>(value);
}

float ToFloat(double value) {
  if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
  if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

std::int32_t Negated(std::int32_t value) {
  return Clamp32(-static_cast<long long>(value));
}

// Bits shifted in 32-bit two's complement, whatever the sign.
std::int32_t ShiftedLeft(std::int32_t value, int bits) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << bits);
}

bool IntValue(const CfgLine& line, std::string_view key, std::int32_t& target) {
  const std::optional<std::string_view> value = line.Value(key);
  return value && ScanInt(*value, target);
}

bool FloatValue(const CfgLine& line, std::string_view key, float& target) {
  const std::optional<std::string_view> value = line.Value(key);
  return value && ScanFloat(*value, target);
}

void ApplyGearWords(std::string_view examined, AircraftCfgValues& values) {
  if (examined.find("floats") != std::string_view::npos ||
      examined.find("amphibian") != std::string_view::npos) {
    values.amphibian = 1;
  } else if (examined.find("ski") != std::string_view::npos) {
    values.skis = 1;
  } else if (examined.find("tundra") != std::string_view::npos) {
    values.bushPlane = 1;
  }
}

void ReadGearWords(const CfgLine& line, const std::string& section, AircraftCfgValues& values,
                   Progress& progress) {
  if (line.Contains("ui_type")) {
    ApplyGearWords(line.WorkingValue("ui_type").value_or(std::string_view()), values);
    return;
  }
  const std::size_t titlePos = line.Find("title");
  if (titlePos == std::string::npos) return;
  if (section.starts_with("fltsim")) {
    const std::optional<std::string_view> title = line.WorkingValue("title");
    if (!title) return;
    progress.SetText("Read plane " + std::string(*title));
    ApplyGearWords(*title, values);
  } else {
    ApplyGearWords(std::string_view(line.Working()).substr(titlePos + 1), values);
  }
}

void ReadTank(const CfgLine& line, AircraftCfgValues& values) {
  const std::size_t equals = line.Text().find('=');
  if (equals == std::string_view::npos) return;
  // Position along three axes, capacity, unusable fuel.
  float fields[5] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  ScanFloatList(TrimLeadingBlanks(line.Text().substr(equals + 1)), fields, 5);
  const float usable = fields[3] - fields[4];
  values.fuelTotal = Clamp32(static_cast<long long>(values.fuelTotal) + Truncate(usable));
}

void ReadSectionKey(const CfgLine& line, const std::string& section, AircraftCfgValues& values) {
  std::int32_t number = 0;
  if (section == "radios") {
    if (line.Contains("com.")) {
      if (IntValue(line, "com.", number)) values.radioMask |= number;
    } else if (line.Contains("nav.")) {
      if (IntValue(line, "nav.", number)) values.radioMask |= ShiftedLeft(number, 1);
    } else if (line.Contains("transponder.")) {
      if (IntValue(line, "transponder.", number)) values.radioMask |= ShiftedLeft(number, 2);
    }
  } else if (section == "contact_points") {
    if (line.Contains("point.") && IntValue(line, "point.", number) && number == 1) values.hasWheels = 1;
  } else if (section == "piston_engine") {
    if (line.Contains("max_rated_hp")) {
      IntValue(line, "max_rated_hp", values.powerValue);
    } else if (line.Contains("max_rated_rpm")) {
      IntValue(line, "max_rated_rpm", values.maxRatedRpm);
    } else if (line.Contains("compression_ratio")) {
      FloatValue(line, "compression_ratio", values.compressionRatio);
    } else if (line.Contains("cylinder_displacement")) {
      IntValue(line, "cylinder_displacement", values.cylinderDisplacement);
    } else if (line.Contains("number_of_cylinders")) {
      IntValue(line, "number_of_cylinders", values.cylinderCount);
    } else if (line.Contains("power_scalar")) {
      FloatValue(line, "power_scalar", values.powerScalar);
    }
  } else if (section == "turboprop_engine") {
    // The torque decides for a turboprop, whether static_thrust came before it or not.
    if (line.Contains("maximum_torque") && IntValue(line, "maximum_torque", number)) {
      values.powerValue = Negated(number);
    }
  } else if (section == "airplane_geometry") {
    if (line.Contains("wing_span")) IntValue(line, "wing_span", values.wingSpan);
  } else if (section == "turbineenginedata") {
    if (line.Contains("static_thrust") && IntValue(line, "static_thrust", number) && values.powerValue == 0) {
      values.powerValue = Negated(number);
    }
  } else if (section == "generalenginedata") {
    if (line.Contains("engine_type")) {
      IntValue(line, "engine_type", values.engineType);
    } else if (const std::size_t pos = line.Find("engine."); pos != std::string::npos) {
      ScanInt(std::string_view(line.Working()).substr(pos + 7), values.lastEngineIndex);
    } else if (line.Contains("fuel_flow_scalar")) {
      FloatValue(line, "fuel_flow_scalar", values.fuelFlowScalar);
    }
  } else if (section == "reference speeds") {
    if (line.Contains("flaps_up_stall_speed")) {
      IntValue(line, "flaps_up_stall_speed", values.flapsUpStallSpeed);
    } else if (line.Contains("full_flaps_stall_speed")) {
      IntValue(line, "full_flaps_stall_speed", values.fullFlapsStallSpeed);
    } else if (line.Contains("cruise_speed")) {
      IntValue(line, "cruise_speed", values.cruiseSpeed);
    }
  } else if (section == "weight_and_balance") {
    if (line.Contains("max_gross_weight")) {
      IntValue(line, "max_gross_weight", values.maxGrossWeight);
    } else if (line.Contains("empty_weight") && !line.Contains("empty_weight_")) {
      IntValue(line, "empty_weight", values.emptyWeight);
    }
  } else if (section == "fuel") {
    if (line.Contains("fuel_type")) {
      IntValue(line, "fuel_type", values.fuelType);
    } else if (line.StartsWith("center") || line.StartsWith("external") || line.StartsWith("left") ||
               line.StartsWith("right")) {
      ReadTank(line, values);
    }
  }
}

void ClearBits(std::int32_t& mask, std::initializer_list<int> bits) {
  for (int bit : bits) mask &= ~(std::int32_t{1} << bit);
}

// Whether the file gave what a model flies by: fuel, cruise speed, empty weight and both stall
// speeds. A negative fuel total (a tank whose unusable fuel exceeds its capacity) is no fuel at all.
bool HasFlightValues(const AircraftCfgValues& values) {
  return values.fuelTotal > 0 && values.cruiseSpeed != 0 && values.emptyWeight != 0 &&
         values.flapsUpStallSpeed != 0 && values.fullFlapsStallSpeed != 0;
}

// The file's values in the model's units (litres, kilograms, metres; the ceiling from the cruise
// speed), and what it says of engines, radios, wheels and gear.
void CopyConverted(const AircraftCfgValues& values, CAircraft& a) {
  a.fuelCapacity = Truncate(GallonsToLiters(values.fuelTotal));
  a.ceiling = Clamp32(static_cast<long long>(values.cruiseSpeed) * 115);
  a.fuelType = FuelType{values.fuelType};
  a.emptyWeight = Truncate(PoundsToKilograms(values.emptyWeight));
  a.maxWeight = Truncate(PoundsToKilograms(values.maxGrossWeight));
  a.stallSpeed = static_cast<std::int32_t>(
      (static_cast<long long>(values.flapsUpStallSpeed) + values.fullFlapsStallSpeed) >> 1);
  a.cruiseSpeed = values.cruiseSpeed;
  a.engineType = EngineType{values.engineType};
  a.engineCount = Clamp32(static_cast<long long>(values.lastEngineIndex) + 1);
  a.hasWheels = values.hasWheels;
  a.wingSpan = Truncate(FeetToMeters(values.wingSpan));
  a.ifr = values.radioMask == 7 ? 1 : 0;
  a.amphibian = values.amphibian;
  a.bushPlane = values.bushPlane;
  a.skis = values.skis;
}

// Litres per hour for one engine. Piston: swept volume per minute (cubic inches to cm3, a four-stroke
// fills each cylinder every second turn) scaled by the compression ratio. Turboprop and jet: from the
// torque or thrust.
float FuelFlow(const AircraftCfgValues& values) {
  if (values.powerValue >= 1) {
    return ToFloat(static_cast<double>(values.cylinderDisplacement) * values.cylinderCount * 2.54 * 2.54 *
                   2.54 * values.maxRatedRpm * 0.75 * 60 / 4 / values.compressionRatio / 1000000 * 2 /
                   values.powerScalar * values.fuelFlowScalar);
  }
  // Negated as an integer first, so that no power gives 0, not -0.
  return ToFloat(static_cast<double>(Negated(values.powerValue)) * 0.08 * values.fuelFlowScalar);
}

// Nautical miles on full tanks at cruise speed. No engine count or no fuel flow: the model cannot fly
// cross-country, and neither can one whose range is not a finite number.
std::int32_t Range(const CAircraft& a) {
  if (a.engineCount == 0 || a.fuelFlow == 0.0f) return 0;
  const double range =
      static_cast<double>(a.fuelCapacity) / (static_cast<double>(a.engineCount) * a.fuelFlow) * a.cruiseSpeed;
  return std::isfinite(range) ? Truncate(range) : 0;
}

// The lottery weight, in percent: 100 for the default compression ratio 8.5, about 40 for 7, 0 for
// 4.4; 0 for a model that is incomplete, has no wheels, is not for GA or has no piston, jet or
// turboprop.
float Probability(const AircraftCfgValues& values, const CAircraft& a, bool complete) {
  const bool rotorOrRocket = a.engineType == EngineType::kNone ||
                             a.engineType == EngineType::kHelicopterTurbine ||
                             a.engineType == EngineType::kRocket;
  if (!complete || a.hasWheels == 0 || a.useForGA == 0 || rotorOrRocket) return 0.0f;
  const double q = (static_cast<double>(values.compressionRatio) - 4.4) / 4.1;
  return static_cast<float>(std::min(q * q * 100, 100.0));
}

// The operator categories that may fly the model: a low lottery weight leaves it to private owners,
// no avgas keeps it from clubs, schools and rentals, and so does a cruise speed above 250 knots.
std::int32_t UsageMask(const CAircraft& a, const Settings& settings) {
  std::int32_t usage = -1;
  if (a.probability < 45) ClearBits(usage, {kTaxi, kClub, kTraining, kRental, kBusiness});
  if (a.fuelType == FuelType::kAvgas) {
    if (a.maxWeight > settings.maxWeightPrivate) ClearBits(usage, {kPrivate});
    if (a.emptyWeight <= settings.minWeightTaxi) ClearBits(usage, {kTaxi});
  } else {
    ClearBits(usage, {kClub, kTraining, kRental});
    if (a.maxWeight > settings.maxWeightPrivate) ClearBits(usage, {kPrivate});
  }
  if (a.cruiseSpeed > 250) ClearBits(usage, {kClub, kTraining, kRental});
  return usage;
}

}

AircraftCfgValues ReadAircraftCfgValues(std::string_view text, Progress& progress) {
  AircraftCfgValues values;
  std::string section;
  for (std::string_view raw : SplitCfgLines(text)) {
    const CfgLine line(raw);
    if (line.IsComment()) continue;
    if (std::optional<std::string> name = line.SectionName()) section = std::move(*name);
    ReadGearWords(line, section, values, progress);
    ReadSectionKey(line, section, values);
  }
  return values;
}

bool HasSimLine(std::string_view text) {
  for (std::string_view raw : SplitCfgLines(text)) {
    const CfgLine line(raw);
    if (line.IsComment()) continue;
    const std::string& working = line.Working();
    if (working.starts_with("sim") && !(working.size() > 3 && working[3] == '.') &&
        working.find('=') != std::string::npos) {
      return true;
    }
  }
  return false;
}

std::unique_ptr<CAircraft> DeriveAircraft(const AircraftCfgValues& values, const Settings& settings,
                                          std::string name, std::string folderPath) {
  auto model = std::make_unique<CAircraft>();
  CAircraft& a = *model;
  a.name = std::move(name);
  CopyConverted(values, a);
  const bool complete = HasFlightValues(values);
  a.useForGA = a.maxWeight < settings.maxWeightGA && values.wingSpan > 0 &&
               a.engineType != EngineType::kNone && complete;
  a.fuelFlow = FuelFlow(values);
  a.range = Range(a);
  a.probability = Probability(values, a, complete);
  a.usage = UsageMask(a, settings);
  a.seen = 1;
  a.moneyPerWeek = a.ComputeMoneyPerWeek();
  a.folderPath = std::move(folderPath);
  return model;
}

bool IsMilitaryOrCargoParking(std::string_view parkingTypes) {
  const std::string upper = ToUpperAscii(parkingTypes);
  const auto has = [&](std::string_view word) { return upper.find(word) != std::string::npos; };
  return has("MIL_COMBAT") || has("MIL_CARGO") || (has("CARGO") && !has("RAMP"));
}

std::vector<VariationLine> ReadVariationLines(std::string_view text) {
  std::vector<VariationLine> variations;
  // The variation that the following lines belong to: an index into `variations`, or none.
  constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::size_t current = kNone;
  std::string section;
  for (std::string_view raw : SplitCfgLines(text)) {
    const CfgLine line(raw);
    if (line.IsComment()) continue;
    if (std::optional<std::string> name = line.SectionName()) section = std::move(*name);
    if (section.starts_with("fltsim")) {
      if (const std::optional<std::string_view> title = line.Value("title")) {
        if (title->empty()) {
          current = kNone;
        } else {
          VariationLine& variation = variations.emplace_back();
          variation.title = std::string(*title);
          variation.commaInTitle = title->find(',') != std::string_view::npos;
          current = variations.size() - 1;
        }
      }
    }
    if (const std::optional<std::string_view> parking = line.Value("atc_parking_types");
        parking && current != kNone) {
      if (IsMilitaryOrCargoParking(*parking)) {
        VariationLine& variation = variations[current];
        variation.militaryOrCargoParking = true;
        variation.parkingTypes = ToUpperAscii(*parking);
      }
    }
  }
  return variations;
}

}
