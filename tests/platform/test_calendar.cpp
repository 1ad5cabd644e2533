#include <gtest/gtest.h>

#include "platform/calendar.h"

namespace wf {
namespace {

TEST(SplitClock, AgreesWithSplitTimeOnBothSidesOfTheEpochAndAtDayBoundaries) {
  const TimeValue samples[] = {0, 1, 59, 60, 3599, 3600, 86399, 86400, 86401, -1, -59, -60, -3600,
                               -86399, -86400, -86401, 1136073600, 1199145599, -2147483648LL,
                               32503680000LL};
  for (TimeValue base : samples) {
    for (TimeValue shift = -90000; shift <= 90000; shift += 2999) {
      const TimeValue t = base + shift;
      const CalendarFields full = SplitTime(t);
      const ClockFields clock = SplitClock(t);
      ASSERT_EQ(clock.weekday, full.weekday) << t;
      ASSERT_EQ(clock.hour, full.hour) << t;
      ASSERT_EQ(clock.minute, full.minute) << t;
    }
  }
}

}  // namespace
}  // namespace wf
