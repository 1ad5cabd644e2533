#pragma once
// Aircraft models (CAircraft: one aircraft folder) and their variations (CAI_Aircraft: one paint
// scheme, the unit that planes fly). Every variation refers to one model; a model has one or more
// variations. Both live in the world's maps: aircraftTypes (model name -> model) and aircraftNames
// (variation title -> variation).
//
// Archive form of CAircraft (schema 5; older schemas are read):
//   name, then 32-bit cruiseSpeed, stallSpeed, range, engineType, fuelCapacity, fuelType,
//   emptyWeight, maxWeight, engineCount, wingSpan, ceiling; floats probability (a 32-bit integer
//   below schema 5), moneyPerWeek (recomputed at schema 3 and below), fuelFlow; 32-bit hasWheels,
//   useForGA, usage, ifr, then amphibian, skis, bushPlane (schema 3 and up).
// Archive form of CAI_Aircraft (schema 5; older schemas are read):
//   the model's name (empty when the model is missing), number (16-bit; discarded when read: a
//   variation keeps the number its construction took), title, probability (float; one unsigned byte
//   at schema 3 and below), useForGA (32), moneyPerWeek (float; recomputed from the model at schema 3
//   and below), usage (32), percentage (32).
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/archive.h"
#include "world/codes.h"

namespace wf {

// The word that the AI conversion puts before the folder name and titles of an aircraft copy; a
// model whose name begins with it is an AI copy.
inline constexpr std::string_view kMarker = "Wingfold";
// The marker and one blank, as put before names and titles.
inline constexpr std::string_view kAIPrefix = "Wingfold ";

// Whether a model of this name is an AI copy made by the AI conversion.
bool IsAICopyName(std::string_view modelName);

// Fuel price per US gallon: avgas 2.65, jet fuel 2.54; 0 for any other code.
double FuelPricePerGallon(FuelType fuelType);

// Schema numbers of the aircraft archives (models and variations share them), each named for what it
// brought; archives of every older schema are read too.
inline constexpr std::uint16_t kAircraftSchemaGearKinds = 3;  // a model's amphibian, skis, bushPlane
// moneyPerWeek kept as stored (recomputed before); a variation's probability as a float (a byte before)
inline constexpr std::uint16_t kAircraftSchemaKeptMoney = 4;
inline constexpr std::uint16_t kAircraftSchemaFloatProbability = 5;  // a model's probability as a float
inline constexpr std::uint16_t kAircraftSchema = 5;                  // written

class CAircraft : public CObject {
 public:
  CAircraft();
  const char* ClassName() const override { return "CAircraft"; }
  std::uint16_t Schema() const override { return kAircraftSchema; }
  // Progress texts through a WorldArchiveContext, when the archive carries one.
  void Serialize(CArchive& ar) override;

  // Weekly fuel money: the fuel capacity in US gallons x 7 x 10 x the fuel price; 0 for a fuel
  // type without a price.
  float ComputeMoneyPerWeek() const;

  std::int32_t seen = 0;  // the current aircraft scan found the folder; not archived
  std::int32_t ifr = 0;   // has com, nav and transponder radios
  std::int32_t hasWheels = 0;
  std::int32_t useForGA = 0;
  float fuelFlow = 0.0f;  // one engine, litres per hour
  float moneyPerWeek = 0.0f;
  float probability = 100.0f;  // percent, copied by new variations as their lottery weight
  std::int32_t ceiling = 0;    // feet
  std::int32_t wingSpan = 0;   // whole metres
  std::int32_t engineCount = 0;
  std::int32_t maxWeight = 0;     // whole kilograms
  std::int32_t emptyWeight = 0;   // whole kilograms
  FuelType fuelType{0};           // as aircraft.cfg gives it; 0 unknown
  std::int32_t fuelCapacity = 0;  // whole litres
  std::int32_t range = 0;         // nautical miles
  std::int32_t cruiseSpeed = 0;   // knots
  std::int32_t stallSpeed = 0;    // knots
  EngineType engineType = EngineType::kPiston;
  std::int32_t usage = -1;  // bit n: operator category n may fly the model
  std::string name;         // the aircraft folder's name; key in aircraftTypes
  std::int32_t amphibian = 0;
  std::int32_t bushPlane = 0;
  std::int32_t skis = 0;
  std::string folderPath;  // not archived
};

class CAI_Aircraft : public CObject {
 public:
  // Both constructors increment `counter` and take its new value as `number`, so numbers start at
  // 1 and follow the order of construction.
  explicit CAI_Aircraft(std::uint16_t& counter);
  // A variation of `model`, taking over its probability, useForGA, usage and moneyPerWeek.
  CAI_Aircraft(CAircraft& model, std::uint16_t& counter);
  const char* ClassName() const override { return "CAI_Aircraft"; }
  std::uint16_t Schema() const override { return kAircraftSchema; }
  // Loading looks the model up in the world's aircraftTypes and shows the missing-model warning
  // through a WorldArchiveContext; without one the model counts as missing and nothing is shown.
  void Serialize(CArchive& ar) override;

  std::int32_t seen = 0;          // not archived
  std::int32_t warningShown = 0;  // the missing-model warning was shown for this record; not archived
  std::int32_t usage = 0;
  std::int32_t useForGA = 0;
  float probability = 0.0f;  // weight in the fleet lottery, shown as a percentage
  float moneyPerWeek = 0.0f;
  std::string title;  // key in aircraftNames
  std::uint16_t number = 0;
  std::int32_t percentage = 0;
  CAircraft* aircraft = nullptr;  // the model, not owned; null when the model is missing
  std::string folderPath;         // not archived
  std::int32_t isAICopy = 0;
};

}
