#pragma once
// Small worlds for the fleet and flight plan tests, built in code: airports in the tree, models and
// variations with values that pass every test of the aircraft lottery unless a test changes them.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
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

// The comma-separated fields of the text's first line.
inline std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::istringstream stream(text.substr(0, text.find('\n')));
  for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
  return fields;
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

// Fifteen airports in Germany, Austria, Switzerland, France and Spain; seven models, one of them
// too wide for any ramp.
inline void BuildSmallWorld(World& world) {
  using enum AirportType;
  const AirportSpec airports[] = {
      {"EDDF", 50.0333, 8.5706, kLargeCommercial, "Germany", "Europe", 111, 4000, kHardSurface, 4, 2, 2, 250},
      {"EDFE", 49.9608, 8.6436, kSmallAirfield, "Germany", "Europe", 117, 1400, kHardSurface, 6, 0, 0, 8},
      {"EDFM", 49.4733, 8.5142, kMediumAirfield, "Germany", "Europe", 94, 1066, kHardSurface, 8, 2, 0, 12},
      {"EDFZ", 49.9686, 8.1475, kGrassStrip, "Germany", "Europe", 233, 1000, kSoftSurface, 0, 0, 0, 4},
      {"EDNY", 47.6713, 9.5115, kSmallCommercial, "Germany", "Europe", 417, 2356, kHardSurface, 4, 1, 0, 30},
      {"EDMO", 48.0814, 11.2831, kMediumCommercial, "Germany", "Europe", 593, 2286, kHardSurface, 6, 3, 1,
       60},
      {"EDTF", 48.0225, 7.8325, kSmallAirfield, "Germany", "Europe", 244, 1300, kHardSurface, 3, 0, 0, 8},
      {"EDQC", 47.8700, 12.4300, kSeaplaneBase, "Germany", "Europe", 518, 1500, kWaterSurface, 0, 0, 0, 3},
      {"ETSN", 48.7110, 11.2114, kLargeAirfield, "Germany", "Europe", 387, 2940, kHardSurface, 0, 0, 0, 20},
      {"EDXX", 49.0000, 9.0000, kSmallAirfield, "Germany", "Europe", 300, 900, kHardSurface, 4, 0, 0, 5},
      {"LOWS", 47.7933, 13.0043, kMediumCommercial, "Austria", "Europe", 430, 2750, kHardSurface, 5, 2, 1,
       45},
      {"LOAV", 47.9650, 16.2600, kMediumAirfield, "Austria", "Europe", 234, 1200, kHardSurface, 4, 0, 0, 10},
      {"LOWZ", 47.2925, 12.7878, kBush, "Austria", "Europe", 753, 800, kSnowSurface, 0, 0, 0, 6},
      {"LSZH", 47.4647, 8.5492, kLargeCommercial, "Switzerland", "Europe", 432, 3700, kHardSurface, 10, 4, 2,
       200},
      {"LFPB", 48.9694, 2.4414, kLargeCommercial, "France", "Europe", 66, 3000, kHardSurface, 6, 2, 2, 90},
      {"LEMD", 40.4719, -3.5626, kLargeCommercial, "Spain", "Europe", 610, 4100, kHardSurface, 8, 4, 2, 120}};
  for (const AirportSpec& spec : airports) AddAirport(world, spec);
  world.airportIndex.Find("ETSN")->military = 1;
  world.airportIndex.Find("EDXX")->useAirport = 0;
  CountryNode(*world.airportIndex.Find("LSZH")).countryUse = 0;

  CCountry& germany = CountryNode(*world.airportIndex.Find("EDDF"));
  germany.patternCount = -1;
  germany.registrationPatterns = {"D-E...", "D-F...", "D-G...", "D-I...", "D-C...", "D-B...",
                                  "D-A...", "D-H...", "",       "",       "D-K..."};
  CCountry& austria = CountryNode(*world.airportIndex.Find("LOWS"));
  austria.patternCount = 2;
  austria.registrationPatterns[0] = "OE-K..";
  austria.registrationPatterns[1] = "OE-D..";
  // What the compiler's files must carry through: a country and a title with a comma, runways and
  // parking spaces of every kind of word.
  CountryNode(*world.airportIndex.Find("LFPB")).name = "France, Republic of";
  world.airportIndex.Find("EDDF")->runways = {{4, 4000, 60}, {1, 600, 20}, {2, 300, 90}, {8, 300, 90}};
  world.airportIndex.Find("EDDF")->parkingSpaces = {
      {ParkingType::kRampGaMedium, 12.5}, {ParkingType::kDockGa, 7.0}, {ParkingType::kGateSmall, 1234.56}};
  CCountry& spain = CountryNode(*world.airportIndex.Find("LEMD"));
  spain.patternCount = 1;
  spain.registrationPatterns[0] = "EC-...";
  // France keeps the patterns of a new country.

  // Name, span, cruise, stall, range, engines, engine, fuel flow, fuel, weight, ceiling, IFR, usage,
  // floats, bush, skis; then the variations: title, probability, money per week.
  using enum EngineType;
  using enum FuelType;
  const struct {
    ModelSpec model;
    std::vector<std::tuple<const char*, float, float>> variations;
  } models[] = {{{"Cessna 172"}, {{"Cessna 172, white", 100, 10000}, {"Cessna 172 red", 50, 10000}}},
                {{"Piper Seneca", 12, 180, 60, 800, 2, kPiston, 40, kAvgas, 2070, 25000, 1, 0b111111},
                 {{"Piper Seneca blue", 60, 30000}}},
                {{"King Air 350", 18, 300, 85, 1500, 2, kTurboprop, 150, kJetFuel, 6800, 35000, 1, 0b110000},
                 {{"King Air 350 charter", 40, 150000}}},
                {{"Husky floats", 11, 95, 40, 400, 1, kPiston, 30, kAvgas, 1100, 14000, 0, 0b000011, 1},
                 {{"Husky floats yellow", 30, 8000}}},
                {{"Super Cub", 11, 90, 35, 400, 1, kPiston, 28, kAvgas, 1100, 14000, 0, 0b000011, 0, 1, 1},
                 {{"Super Cub tundra", 30, 6000}}},
                {{"Stemme S10", 23, 100, 40, 500, 0, kPiston, 35, kAvgas, 1100, 14000, 0, 0b000001},
                 {{"Stemme S10 white", 20, 5000}}},
                {{"Wide Jet", 40, 450, 48, 600, 1, kPiston, 35, kAvgas, 1100, 14000, 1, 0b110000},
                 {{"Wide Jet", 100, 900000}}}};
  for (const auto& [spec, variations] : models) {
    CAircraft& model = AddModel(world, spec);
    for (const auto& [title, probability, money] : variations)
      AddVariation(world, model, title, probability, money);
  }
}

inline Settings SmallWorldSettings() {
  Settings settings;
  settings.startDate = MakeTime(2006, 1, 5);  // a Thursday
  return settings;
}

}
