#include "report/week_figures.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_set>

#include "geo/sun_times.h"

namespace wf {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kHour = 3600;

// Seconds after the Sunday 00:00 UTC before `t` (1970-01-04 was a Sunday).
std::int32_t WeekTime(TimeValue t) {
  return static_cast<std::int32_t>(t - 3 * kDay - FloorDiv(t - 3 * kDay, kSecondsPerWeek) * kSecondsPerWeek);
}

// Sun times of the week's start date, per airport, computed when first asked for.
class SunTimes {
 public:
  SunTimes(const TrafficWeek& week, TimeValue startDate)
      : week_(week), startDate_(startDate), times_(week.airports.size()) {}

  struct Day {
    bool valid = false;
    TimeValue sunrise = 0;
    TimeValue sunset = 0;
  };

  const Day& At(std::int32_t airport) {
    std::optional<Day>& day = times_[static_cast<std::size_t>(airport)];
    if (!day) {
      const WeekAirport& a = week_.airports[static_cast<std::size_t>(airport)];
      day = Day{};
      day->sunrise = SunriseTime(startDate_, a.latitude, a.longitude);
      day->sunset = SunsetTime(startDate_, a.latitude, a.longitude);
      day->valid = day->sunrise > 0 && day->sunset > 0;
    }
    return *day;
  }

  // Whether a departure at `weekTime` is between sunset and sunrise at `airport`.
  bool IsNight(std::int32_t airport, std::int32_t weekTime) {
    const Day& day = At(airport);
    if (!day.valid) return false;
    if (day.sunset - day.sunrise >= kDay) return false;  // the sun never sets
    const std::int64_t length = ((day.sunset - day.sunrise) % kDay + kDay) % kDay;
    const std::int64_t sinceSunrise = ((weekTime - WeekTime(day.sunrise)) % kDay + kDay) % kDay;
    return sinceSunrise > length;
  }

  // When the week starts for a plane based at `airport`: the earlier of the sunrise of the start
  // date and 05:00 of the zone clock on the zone's date of that sunrise, as a week time.
  std::int32_t WeekStart(std::int32_t airport) {
    const Day& day = At(airport);
    const TimeValue zoneShift =
        ZoneHours(week_.airports[static_cast<std::size_t>(airport)].longitude) * kHour;
    if (!day.valid) return WeekTime(startDate_ + 3 * kHour - zoneShift);
    const TimeValue zoneDate = FloorDiv(day.sunrise + zoneShift, kDay) * kDay;
    return WeekTime(std::min(day.sunrise, zoneDate + 5 * kHour - zoneShift));
  }

 private:
  const TrafficWeek& week_;
  TimeValue startDate_;
  std::vector<std::optional<Day>> times_;
};

// The home of a plan with the legs `legs` (see week_figures.h); -1 when no destination is known.
std::int32_t HomeOf(std::span<const WeekLeg> legs, SunTimes& sun, std::vector<std::int32_t>& scratch) {
  scratch.clear();
  for (const WeekLeg& leg : legs)
    if (leg.destination >= 0) scratch.push_back(leg.destination);
  if (scratch.empty()) return -1;
  std::sort(scratch.begin(), scratch.end());
  // The destinations met most often, in the order of their indexes.
  std::vector<std::int32_t> candidates;
  std::size_t most = 0;
  for (std::size_t i = 0; i < scratch.size();) {
    std::size_t j = i;
    while (j < scratch.size() && scratch[j] == scratch[i]) ++j;
    if (j - i > most) candidates.clear();
    if (j - i >= most) {
      most = j - i;
      candidates.push_back(scratch[i]);
    }
    i = j;
  }
  if (candidates.size() == 1) return candidates.front();
  std::int32_t home = candidates.front();
  std::int32_t soonest = kSecondsPerWeek;
  for (std::int32_t candidate : candidates) {
    const std::int32_t start = sun.WeekStart(candidate);
    const auto sinceStart = [start](const WeekLeg& leg) {
      return ((leg.departure - start) % kSecondsPerWeek + kSecondsPerWeek) % kSecondsPerWeek;
    };
    const WeekLeg& first =
        *std::min_element(legs.begin(), legs.end(),
                          [&](const WeekLeg& a, const WeekLeg& b) { return sinceStart(a) < sinceStart(b); });
    if (first.destination != candidate && sinceStart(first) < soonest) {
      soonest = sinceStart(first);
      home = candidate;
    }
  }
  return home;
}

}

WeekFigures ComputeWeekFigures(const TrafficWeek& week, TimeValue startDate) {
  WeekFigures figures;
  const std::size_t airports = week.airports.size();
  figures.plans = static_cast<std::int64_t>(week.plans.size());
  figures.legs = static_cast<std::int64_t>(week.legs.size());
  figures.basedPlanes.assign(airports, 0);
  figures.departures.assign(airports, 0);
  figures.homes.reserve(week.plans.size());

  SunTimes sun(week, startDate);
  std::unordered_set<std::string_view> registrations;
  std::vector<std::uint64_t> routeKeys;
  routeKeys.reserve(week.legs.size());
  std::vector<std::int32_t> scratch;
  for (const WeekPlan& plan : week.plans) {
    registrations.insert(plan.registration);
    const std::span<const WeekLeg> legs(week.legs.data() + plan.firstLeg, plan.legCount);
    const std::int32_t home = HomeOf(legs, sun, scratch);
    figures.homes.push_back(home);
    if (home >= 0) ++figures.basedPlanes[static_cast<std::size_t>(home)];
    if (plan.ifr) figures.ifrLegs += static_cast<std::int64_t>(legs.size());
    // The leg before the first is the last: the week repeats.
    std::int32_t from = legs.empty() ? -1 : legs.back().destination;
    for (const WeekLeg& leg : legs) {
      figures.touchAndGoLegs += leg.withArrival;
      if (from >= 0) {
        ++figures.departures[static_cast<std::size_t>(from)];
        figures.nightLegs += sun.IsNight(from, leg.departure);
        const std::int64_t zoneShift =
            ZoneHours(week.airports[static_cast<std::size_t>(from)].longitude) * kHour;
        const std::int64_t local =
            ((leg.departure + zoneShift) % kSecondsPerWeek + kSecondsPerWeek) % kSecondsPerWeek;
        ++figures.departuresByHour[static_cast<std::size_t>(local / kHour)];
        if (leg.destination >= 0 && leg.destination != from) {
          const auto [a, b] = std::minmax(from, leg.destination);
          routeKeys.push_back(static_cast<std::uint64_t>(a) << 32 | static_cast<std::uint32_t>(b));
        }
      }
      from = leg.destination;
    }
  }
  figures.planes = static_cast<std::int64_t>(registrations.size());
  for (std::int32_t planes : figures.basedPlanes) figures.airports += planes > 0;

  std::sort(routeKeys.begin(), routeKeys.end());
  for (std::size_t i = 0; i < routeKeys.size();) {
    std::size_t j = i;
    while (j < routeKeys.size() && routeKeys[j] == routeKeys[i]) ++j;
    figures.routes.push_back({static_cast<std::int32_t>(routeKeys[i] >> 32),
                              static_cast<std::int32_t>(routeKeys[i] & 0xFFFFFFFFu),
                              static_cast<std::int32_t>(j - i)});
    i = j;
  }
  return figures;
}

}
