#include <gtest/gtest.h>

#include "geo/calendar_tables.h"

namespace wf {
namespace {

TEST(CalendarTest, LeapYearsAndDayNumbers) {
  for (const auto& [year, leap] :
       {std::pair{1900, false}, {2000, true}, {2004, true}, {2006, false}, {2100, false}}) {
    EXPECT_EQ(IsLeapYear(year), leap) << year;
  }
  struct Case {
    int month, day;
    bool leap;
    int expected;
  };
  const Case cases[] = {
      {1, 1, false, 1}, {3, 1, true, 61}, {3, 1, false, 60}, {12, 31, false, 365}, {12, 31, true, 366}};
  for (const Case& c : cases)
    EXPECT_EQ(DayOfYear(c.month, c.day, c.leap), c.expected) << c.month << "/" << c.day;
  for (const bool leap : {false, true}) {
    EXPECT_EQ(MonthsOfYear(leap)[1].days, leap ? 29 : 28);
    EXPECT_EQ(MonthsOfYear(leap)[11].name, "December");
  }
}

}
}
