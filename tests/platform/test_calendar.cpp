#include <gtest/gtest.h>

#include <chrono>

#include "platform/calendar.h"

namespace wf {
namespace {

// Weekday, hour and minute by the standard library's civil calendar, for comparison.
ClockFields ChronoClock(TimeValue t) {
  using namespace std::chrono;
  const sys_seconds time{seconds{t}};
  const sys_days day = floor<days>(time);
  const hh_mm_ss clock{time - day};
  return {static_cast<int>(weekday{day}.c_encoding()), static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count())};
}

TEST(SplitClock, AgreesWithTheCivilCalendarOnBothSidesOfTheEpochAndAtDayBoundaries) {
  const TimeValue samples[] = {0,      1,      59,         60,         3599,          3600,         86399,
                               86400,  86401,  -1,         -59,        -60,           -3600,        -86399,
                               -86400, -86401, 1136073600, 1199145599, -2147483648LL, 32503680000LL};
  for (TimeValue base : samples) {
    for (TimeValue shift = -90000; shift <= 90000; shift += 2999) {
      const TimeValue t = base + shift;
      const ClockFields expected = ChronoClock(t);
      const ClockFields clock = SplitClock(t);
      ASSERT_EQ(clock.weekday, expected.weekday) << t;
      ASSERT_EQ(clock.hour, expected.hour) << t;
      ASSERT_EQ(clock.minute, expected.minute) << t;
    }
  }
}

}
}
