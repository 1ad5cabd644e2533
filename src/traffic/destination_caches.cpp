#include "traffic/destination_caches.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <string_view>

#include "geo/geodesy.h"
#include "geo/sun_times.h"

namespace wf {

namespace {

constexpr TimeValue kSecondsPerDay = 86400;

// The kind of an airport as the kind tests see it; a plane accepts some of the eight kinds.
constexpr std::uint8_t kUsable = 1;
constexpr std::uint8_t kCommercial = 2;
constexpr std::uint8_t kSeaplaneBaseKind = 4;
constexpr int kKindCount = 8;

// The first commercial airport type; every type from it on counts, the seaplane base too.
constexpr AirportType kFirstCommercialType = AirportType::kSmallCommercial;

// Sunsets are kept for this many days from two days before the start date; a week and its night
// windows stay well inside.
constexpr std::int64_t kSunsetDays = 12;
constexpr TimeValue kUnknownTime = std::numeric_limits<TimeValue>::min();

std::uint8_t AcceptedKinds(int category, bool amphibian) {
  std::uint8_t accepted = 0;
  for (int kind = 0; kind < kKindCount; ++kind) {
    const bool commercial = (kind & kCommercial) != 0;
    if ((kind & kUsable) == 0) continue;
    if ((category == kBusiness || category == kTaxi) != commercial) continue;
    if ((kind & kSeaplaneBaseKind) != 0 && !amphibian) continue;
    accepted |= static_cast<std::uint8_t>(1u << kind);
  }
  return accepted;
}

}

OrderKeys::OrderKeys(const AirportOrder& order) {
  keys_.reserve(order.entries.size());
  for (const AirportOrderEntry& entry : order.entries) keys_.push_back(entry.key);
}

SearchBand OrderKeys::BandAround(std::int32_t h, std::int32_t range) const {
  // The keys are sorted, so both walks are searches.
  const auto begin = keys_.begin();
  const float key = keys_[static_cast<std::size_t>(h)];
  const float lower = std::max(key - static_cast<float>(range), 0.0f);
  const float upper = key + static_cast<float>(range);
  SearchBand band;
  const std::int64_t atOrBelow = std::upper_bound(begin, begin + h + 1, lower) - begin;
  band.lo = std::max<std::int64_t>(atOrBelow - 1, 0);
  const std::int64_t hi = std::lower_bound(begin + h, keys_.end(), upper) - begin;
  band.span = hi - band.lo;
  return band;
}

KindPassSets::KindPassSets(const AirportOrder& order) {
  kinds_.reserve(order.entries.size());
  for (const AirportOrderEntry& entry : order.entries) {
    const CAirport& airport = *entry.airport;
    const AirportType type = airport.GetType();
    std::uint8_t bits = 0;
    if (airport.useAirport != 0) bits |= kUsable;
    if (Code(type) >= Code(kFirstCommercialType)) bits |= kCommercial;
    if (type == AirportType::kSeaplaneBase) bits |= kSeaplaneBaseKind;
    kinds_.push_back({airport.longestRunway, bits});
  }
}

const std::uint64_t* KindPassSets::For(int category, bool amphibian, double shortestRunway) {
  const std::uint8_t accepted = AcceptedKinds(category, amphibian);
  auto [entry, inserted] = sets_.try_emplace({accepted, std::bit_cast<std::uint64_t>(shortestRunway)});
  if (inserted) {
    entry->second.assign((kinds_.size() + 63) / 64, 0);
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
      const bool passes =
          ((accepted >> kinds_[i].bits) & 1u) != 0 && !(kinds_[i].longestRunway < shortestRunway);
      entry->second[i / 64] |= static_cast<std::uint64_t>(passes) << (i % 64);
    }
  }
  return entry->second.data();
}

DestinationTable::DestinationTable(const AirportOrder& order, TimeValue startDate, WorkCounters& work)
    : sunsets_(order.entries.size() * kSunsetDays, kUnknownTime),
      firstSunsetDay_(FloorDiv(startDate, kSecondsPerDay) - 2),
      work_(work) {
  entries_.reserve(order.entries.size());
  std::map<std::string_view, std::int32_t> countryNumbers;
  for (const AirportOrderEntry& entry : order.entries) {
    const CAirport& airport = *entry.airport;
    const CCountry* country = CountryOf(airport);
    const std::string_view name = country != nullptr ? std::string_view(country->name) : std::string_view();
    const auto number = countryNumbers.emplace(name, static_cast<std::int32_t>(countryNumbers.size()));
    entries_.push_back(
        {{airport.latitude, airport.longitude, airport.landingFee, number.first->second}, 0, 0.0f});
  }
}

void DestinationTable::StartHome(std::size_t home) {
  home_ = home;
  ++homeStamp_;
}

float DestinationTable::DistanceFromHome(std::size_t to) {
  Entry& entry = entries_[to];
  if (entry.distanceStamp != homeStamp_) {
    ++work_.distanceCalls;
    const Destination& from = entries_[home_].destination;
    entry.distance = static_cast<float>(
        DistanceNm(from.latitude, from.longitude, entry.destination.latitude, entry.destination.longitude));
    entry.distanceStamp = homeStamp_;
  }
  return entry.distance;
}

TimeValue DestinationTable::SunsetAt(std::size_t i, TimeValue date) {
  const std::int64_t day = FloorDiv(date, kSecondsPerDay) - firstSunsetDay_;
  TimeValue* cached = nullptr;
  if (day >= 0 && day < kSunsetDays) {
    cached = &sunsets_[i * static_cast<std::size_t>(kSunsetDays) + static_cast<std::size_t>(day)];
    if (*cached != kUnknownTime) return *cached;
  }
  ++work_.sunTimeComputations;
  const Destination& airport = entries_[i].destination;
  const TimeValue sunset = SunsetTime(date, airport.latitude, airport.longitude);
  if (cached != nullptr) *cached = sunset;
  return sunset;
}

}
