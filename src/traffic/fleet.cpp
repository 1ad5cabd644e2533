#include "traffic/fleet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "geo/geodesy.h"
#include "traffic/aircraft_file.h"
#include "traffic/registrations.h"

namespace wf {

namespace {

// The parking types whose spaces count toward an airport's GA parking: all up to the GA docks.
constexpr ParkingType kLastCountedParkingType = ParkingType::kDockGa;

// The modulus of the winner draw: the integer part of total + 1, kept within what a remainder can
// take. Negative or NaN totals (weights the user set below 0) draw % 1.
std::int64_t WinnerModulus(float total) {
  const double modulus = std::floor(static_cast<double>(total) + 1.0);
  if (!(modulus >= 1.0)) return 1;
  return modulus > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                            : static_cast<std::int64_t>(modulus);
}

}

double MinimumRunwayLength(int stallSpeed) {
  return stallSpeed * 1.425 / 0.0981;
}

AirportOrder BuildAirportOrder(World& world, WorkCounters& counters) {
  AirportOrder order;
  order.entries.reserve(world.airportIndex.size());
  for (const auto& [icao, airport] : world.airportIndex) {
    airport->planes.Clear();
    if (airport->useAirport == 0) continue;
    if (airport->GetType() == AirportType::kSeaplaneBase) order.seaplaneBases.push_back(airport);
    // Summed as the counts are stored (32 bits, wrapping); a sum that reads as negative is damaged data.
    std::uint32_t sum = 0;
    for (int type = 0; type <= Code(kLastCountedParkingType); ++type) sum += airport->parkingCounts[type];
    airport->gaParkingCount = static_cast<std::int32_t>(sum);
    if (airport->gaParkingCount < 0) continue;
    ++counters.distanceCalls;
    const float key = static_cast<float>(DistanceNm(0.0, 0.0, airport->latitude, airport->longitude));
    order.entries.push_back({std::isnan(key) ? 0.0f : key, airport});
  }
  std::sort(order.entries.begin(), order.entries.end(),
            [](const AirportOrderEntry& a, const AirportOrderEntry& b) {
              if (a.key != b.key) return a.key < b.key;
              return a.airport->icao < b.airport->icao;
            });
  for (std::size_t i = 0; i < order.entries.size(); ++i)
    order.entries[i].airport->generatorIndex = static_cast<std::int32_t>(i);
  return order;
}

const CCountry* CountryOf(const CAirport& airport) {
  const CCity* city = airport.city;
  const CState* state = city != nullptr ? city->state : nullptr;
  return state != nullptr ? state->country : nullptr;
}

bool TakesPartInTraffic(const CAirport& airport) {
  const CCountry* country = CountryOf(airport);
  if (country != nullptr && country->countryUse == 0) return false;
  return airport.military == 0;
}

std::uint32_t MinimumParkingCount(AirportType airportType, ParkingType parkingType, std::uint32_t collected) {
  std::uint32_t smallMinimum = 0;
  std::uint32_t mediumRaisedTo = 0;
  using enum AirportType;
  switch (airportType) {
    case kBush:
    case kGrassStrip:
    case kSeaplaneBase:
      smallMinimum = 2;
      break;
    case kSmallAirfield:
    case kSmallCommercial:
      smallMinimum = 4;
      break;
    case kMediumAirfield:
    case kMediumCommercial:
      smallMinimum = 9;
      mediumRaisedTo = 3;
      break;
    case kLargeAirfield:
    case kLargeCommercial:
      smallMinimum = 18;
      mediumRaisedTo = 6;
      break;
    default:
      break;
  }
  if (parkingType == kGaRampKinds[0].parkingType) return std::max(collected, smallMinimum);
  if (parkingType == kGaRampKinds[1].parkingType && collected >= 1 && collected <= mediumRaisedTo)
    return mediumRaisedTo;
  return collected;
}

std::optional<float> WingspanFactor(int wingSpan, const GaRampKind& kind) {
  if (wingSpan > kind.upperSpan) return std::nullopt;
  float factor = 1.0f;
  if (wingSpan > kind.lowerSpan) {
    factor *= static_cast<float>(wingSpan / kind.upperSpan);
    factor += 0.5f;
  }
  return factor;
}

FleetGenerator::FleetGenerator(World& world, const Settings& settings, Random& random,
                               const AirportOrder& order, FleetSummary& summary, WorkCounters& counters)
    : world_(world),
      settings_(settings),
      random_(random),
      order_(order),
      summary_(summary),
      counters_(counters) {
  candidates_.reserve(world.aircraftNames.size());
}

void FleetGenerator::PopulateAirport(CAirport& airport) {
  airport.planes.Clear();
  const CCountry* country = CountryOf(airport);
  const AirportType airportType = airport.GetType();
  SeaplaneReach reach = SeaplaneReach::kUnknown;
  int exhausted = 0;
  for (const GaRampKind& kind : kGaRampKinds) {
    const std::uint32_t spaces =
        std::min(MinimumParkingCount(airportType, kind.parkingType, airport.ParkingCount(kind.parkingType)),
                 kMaxParkingSpaces);
    summary_.parkingSpaces += spaces;
    for (std::uint32_t space = 0; space < spaces; ++space) {
      if (exhausted == kMaxExhaustedRegistrations) {
        summary_.spacesWithoutRegistration += spaces - space;
        break;
      }
      if (random_.Next() % 100 >= settings_.gaPercentage) {
        ++summary_.spacesNotDrawn;
        continue;
      }
      CAI_Aircraft* variation = DrawAircraft(airport, kind, reach);
      if (variation == nullptr) {
        ++summary_.spacesWithoutAircraft;
        continue;
      }
      std::optional<std::string> registration =
          MakeRegistration(country, *variation->aircraft, world_.registrationIndex, random_);
      if (!registration) {
        ++summary_.spacesWithoutRegistration;
        ++exhausted;
        continue;
      }
      auto plane = std::make_unique<CPlane>(*registration, &airport, variation, random_);
      airport.planes.Insert(*registration, plane.get());
      ++summary_.planes;
      ++summary_.planesByCategory[plane->category];
      world_.registrationIndex.Insert(std::move(*registration), std::move(plane));
    }
  }
  if (!airport.planes.empty()) ++summary_.airportsPopulated;
}

bool FleetGenerator::SeaplaneBaseWithin(const CAirport& airport, int range) {
  for (const CAirport* base : order_.seaplaneBases) {
    ++counters_.distanceCalls;
    const double distance = DistanceNm(airport.latitude, airport.longitude, base->latitude, base->longitude);
    if (2 * distance < range) return true;
  }
  return false;
}

CAI_Aircraft* FleetGenerator::DrawAircraft(CAirport& airport, const GaRampKind& kind, SeaplaneReach& reach) {
  candidates_.clear();
  const int surface = airport.GetSurfaceClass();
  const double minimumFeeMoney = static_cast<double>(airport.landingFee * 70);
  float total = 0.0f;
  for (const auto& [title, variationPtr] : world_.aircraftNames) {
    CAI_Aircraft& variation = *variationPtr;
    if (variation.aircraft == nullptr) continue;  // a variation whose model is gone has nothing to fly
    const CAircraft& model = *variation.aircraft;

    if (model.amphibian != 0) {
      // Decided once per airport, by the first float-equipped candidate's range.
      if (reach == SeaplaneReach::kUnknown)
        reach = SeaplaneBaseWithin(airport, model.range) ? SeaplaneReach::kReachable
                                                         : SeaplaneReach::kUnreachable;
      if (reach == SeaplaneReach::kUnreachable) continue;
    }
    // A model without a known wingspan (or with negative values) is left out of Aircraft-GA.dat, so
    // the compiler would refuse every schedule of a plane flying it.
    if (!HasCompilerValues(model)) continue;
    const std::optional<float> spanFactor = WingspanFactor(model.wingSpan, kind);
    if (!spanFactor) continue;
    float factor = *spanFactor;
    if (model.hasWheels != 1) continue;
    if (!(airport.longestRunway > MinimumRunwayLength(model.stallSpeed))) continue;
    if (!(minimumFeeMoney < variation.moneyPerWeek)) continue;
    if (variation.useForGA != 1) continue;

    if (surface != kSurfaceSnowOrIce && model.skis != 0)
      factor = airport.altitude <= 2000 ? factor * 0.0625f
                                        : static_cast<float>(factor * (airport.altitude / 1000));
    switch (surface) {
      case kSurfaceSoft:
        if (model.bushPlane != 0) {
          const int q = random_.Next() % 4;
          factor = (static_cast<float>(q) + factor) * factor;
        }
        break;
      case kSurfaceSnowOrIce:
        if (model.skis != 0) {
          const int q = random_.Next() % 4;
          factor *= static_cast<float>(q + 4);
        } else {
          factor *= model.bushPlane != 0 ? 0.5f : 0.25f;
        }
        break;
      case kSurfaceWater:
        if (model.amphibian == 0) factor = static_cast<float>(factor * 0.01);
        break;
      default:
        break;
    }
    total += variation.probability * factor;
    candidates_.push_back({&variation, total});
    variation.percentage = 0;
  }

  const std::int64_t drawn = random_.Next() % WinnerModulus(total);
  // A draw of 0 would go to a leading candidate of weight 0; such a candidate never wins while
  // another has weight. When every weight is 0 the first candidate wins.
  for (const Candidate& candidate : candidates_)
    if (candidate.runningWeight >= static_cast<float>(drawn) && candidate.runningWeight > 0.0f)
      return candidate.variation;
  return candidates_.empty() ? nullptr : candidates_.front().variation;
}

}
