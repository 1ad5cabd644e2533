#pragma once
// The domain codes that the records store as 32-bit integers, by name. The values are those of the
// database files, the scenery files and aircraft.cfg, and must not change. A stored code without a
// name here (an engine_type of 9) is kept as it is: each enumeration holds every 32-bit value.
#include <cstdint>
#include <type_traits>

namespace wf {

// Airport types, from a bush strip to a seaplane base: the index into the type table
// (AirportTypeName), which the traffic's tables follow too.
enum class AirportType : std::int32_t {
  kDerived = -1,  // stored only: the user has not fixed the type, it follows from runways and ILS
  kBush = 0,
  kGrassStrip = 1,
  kSmallAirfield = 2,
  kMediumAirfield = 3,
  kLargeAirfield = 4,
  kSmallCommercial = 5,
  kMediumCommercial = 6,
  kLargeCommercial = 7,
  kSeaplaneBase = 8,
};
inline constexpr int kAirportTypeCount = 9;

// Parking types of the scenery format (the low four bits of a parking entry's type byte); the
// parking counts and fees of the first kParkingTypeCount are indexed by them.
enum class ParkingType : std::int32_t {
  kNone = 0,
  kRampGa = 1,
  kRampGaSmall = 2,
  kRampGaMedium = 3,
  kRampGaLarge = 4,
  kRampCargo = 5,
  kRampMilitaryCargo = 6,
  kRampMilitaryCombat = 7,
  kGateSmall = 8,
  kGateMedium = 9,
  kGateHeavy = 10,
  kDockGa = 11,
  kFuel = 12,
  kVehicles = 13,
};
inline constexpr int kParkingTypeCount = 14;

// engine_type of aircraft.cfg.
enum class EngineType : std::int32_t {
  kPiston = 0,
  kJet = 1,
  kNone = 2,
  kHelicopterTurbine = 3,
  kRocket = 4,
  kTurboprop = 5,
};

// fuel_type of aircraft.cfg; only these two have a price.
enum class FuelType : std::int32_t {
  kAvgas = 1,
  kJetFuel = 2,
};

// The stored code of a named value: Code(AirportType::kSeaplaneBase) is 8.
template <class Enum>
constexpr std::underlying_type_t<Enum> Code(Enum value) {
  return static_cast<std::underlying_type_t<Enum>>(value);
}

}
