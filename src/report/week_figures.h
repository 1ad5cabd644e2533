#pragma once
// The figures of a generated week, computed from what the files hold (traffic_week.h).
//
// Home airports are not written in the files; they follow from how the week is built. Every plane
// flies out and back: its legs alternate between its home and a destination, so the home is the
// destination met most often. A plane that flies to one destination only meets both airports
// equally often. Its week starts at its home (at sunrise there on the start date, or at 05:00 of
// the zone clock when that is earlier, for planes that fly a night window), the first leg after
// that start leaves the home, and it leaves soon: each day's first leg waits at most a sixteenth
// of the day's window. So of the two airports, the home is the one that the first leg after its
// own week start leaves, and, where both are, the one left sooner after its start. That fails only
// where the two weeks start about a day apart, between zone clocks on either side of the 180th
// meridian.
//
// A leg departs from the destination of the leg before it; the first leg of a plan from the
// destination of its last (the week repeats).
#include <array>
#include <cstdint>
#include <vector>

#include "platform/calendar.h"
#include "report/traffic_week.h"

namespace wf {

inline constexpr int kHoursPerWeek = 168;

struct WeekRoute {
  std::int32_t from = 0;  // airport indexes, from < to
  std::int32_t to = 0;
  std::int32_t legs = 0;  // flown per week, both ways
};

struct WeekFigures {
  std::int64_t plans = 0;
  std::int64_t legs = 0;
  std::int64_t planes = 0;    // different registrations
  std::int64_t airports = 0;  // airports with at least one based plane
  std::int64_t ifrLegs = 0;   // legs of plans flown under IFR
  // Legs departing between sunset and sunrise at their departure airport (sun times of the week's
  // start date, as the generator uses them).
  std::int64_t nightLegs = 0;
  std::int64_t touchAndGoLegs = 0;
  // By the hour of the week (0 = Sunday 00:00-00:59) of the zone clock at the departure airport.
  std::array<std::int64_t, kHoursPerWeek> departuresByHour{};

  std::vector<std::int32_t> homes;  // per plan: its home airport, -1 when none of its legs is known
  // Per airport of the week.
  std::vector<std::int32_t> basedPlanes;
  std::vector<std::int32_t> departures;  // legs departing there per week
  std::vector<WeekRoute> routes;         // by (from, to)
};

// `startDate`: the Sunday the week was generated for (Settings::startDate).
WeekFigures ComputeWeekFigures(const TrafficWeek& week, TimeValue startDate);

}
