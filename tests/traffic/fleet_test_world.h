#pragma once
// Small worlds for the fleet and flight plan tests, built in code: airports in the tree, models and
// variations with values that pass every test of the aircraft lottery unless a test changes them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "platform/crt_random.h"
#include "world/world.h"

namespace wf::test {

// Surface masks by scenery surface code: 0 concrete (hard), 1 grass (soft), 2 water, 8 snow.
inline constexpr std::uint32_t kHardSurface = 1u << 0;
inline constexpr std::uint32_t kSoftSurface = 1u << 1;
inline constexpr std::uint32_t kWaterSurface = 1u << 2;
inline constexpr std::uint32_t kSnowSurface = 1u << 8;

struct AirportSpec {
  std::string icao;
  double latitude = 0.0;
  double longitude = 0.0;
  AirportType type = AirportType::kSmallAirfield;
  std::string country = "Germany";
  std::string region = "Europe";
  double altitude = 100.0;  // metres
  std::uint32_t longestRunway = 1500;
  std::uint32_t surfaceMask = kHardSurface;
  std::uint32_t smallRamps = 0;
  std::uint32_t mediumRamps = 0;
  std::uint32_t largeRamps = 0;
  float landingFee = 5.0f;
};

inline CAirport& AddAirport(World& world, const AirportSpec& spec) {
  CAirport& airport =
      *FindOrCreateAirport(world, spec.region, spec.country, "State", "City " + spec.icao, spec.icao, 0);
  airport.name = "Airport " + spec.icao;
  airport.latitude = spec.latitude;
  airport.longitude = spec.longitude;
  airport.airportType = spec.type;
  airport.altitude = spec.altitude;
  airport.longestRunway = spec.longestRunway;
  airport.runwayCount = 1;
  airport.surfaceMask = spec.surfaceMask;
  airport.ParkingCount(ParkingType::kRampGaSmall) = spec.smallRamps;
  airport.ParkingCount(ParkingType::kRampGaMedium) = spec.mediumRamps;
  airport.ParkingCount(ParkingType::kRampGaLarge) = spec.largeRamps;
  airport.landingFee = spec.landingFee;
  return airport;
}

inline CCountry& CountryNode(CAirport& airport) {
  return *airport.city->state->country;
}

struct ModelSpec {
  std::string name = "Trainer";
  int wingSpan = 11;
  int cruiseSpeed = 120;
  int stallSpeed = 48;  // needs 698 m of runway
  int range = 600;
  int engineCount = 1;
  EngineType engineType = EngineType::kPiston;
  float fuelFlow = 35.0f;
  FuelType fuelType = FuelType::kAvgas;
  int maxWeight = 1100;
  int ceiling = 14000;
  int ifr = 1;
  int usage = 0b001111;  // Private to Rentable
  int amphibian = 0;
  int bushPlane = 0;
  int skis = 0;
  int hasWheels = 1;
};

inline CAircraft& AddModel(World& world, const ModelSpec& spec) {
  auto model = std::make_unique<CAircraft>();
  model->name = spec.name;
  model->wingSpan = spec.wingSpan;
  model->cruiseSpeed = spec.cruiseSpeed;
  model->stallSpeed = spec.stallSpeed;
  model->range = spec.range;
  model->engineCount = spec.engineCount;
  model->engineType = spec.engineType;
  model->fuelFlow = spec.fuelFlow;
  model->fuelType = spec.fuelType;
  model->maxWeight = spec.maxWeight;
  model->ceiling = spec.ceiling;
  model->ifr = spec.ifr;
  model->usage = spec.usage;
  model->amphibian = spec.amphibian;
  model->bushPlane = spec.bushPlane;
  model->skis = spec.skis;
  model->hasWheels = spec.hasWheels;
  model->useForGA = 1;
  return world.aircraftTypes.Insert(spec.name, std::move(model));
}

// A variation that anyone can afford unless the test says otherwise.
inline CAI_Aircraft& AddVariation(World& world, CAircraft& model, const std::string& title,
                                  float probability = 100.0f, float moneyPerWeek = 20000.0f) {
  auto variation = std::make_unique<CAI_Aircraft>(model, world.aiAircraftCounter);
  variation->title = title;
  variation->aircraft = &model;
  variation->probability = probability;
  variation->moneyPerWeek = moneyPerWeek;
  variation->usage = model.usage;
  variation->useForGA = 1;
  variation->percentage = 55;  // the lottery resets it
  return world.aircraftNames.Insert(title, std::move(variation));
}

// How many draws separate two states of the sequence that started at `seed`, up to `limit`.
inline int DrawsBetween(std::uint32_t seed, const Random& after, int limit = 1000000) {
  Random reference(seed);
  for (int draws = 0; draws <= limit; ++draws) {
    if (reference.State() == after.State()) return draws;
    reference.Next();
  }
  return -1;
}

}
