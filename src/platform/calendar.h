#pragma once
// Calendar conversions made in UTC, whatever the machine's time zone.
//
// The program zeroes the runtime's zone offset at start-up, so every conversion between calendar
// fields and time values happens without an offset. These functions do the same arithmetic
// directly, without touching TZ or the C library's zone state.
#include <cstdint>
#include <string>

namespace wf {

// Seconds since 1970-01-01 00:00:00, 64-bit.
using TimeValue = std::int64_t;

// The "invalid time" that the runtime's mktime returns: it compares as not later than time 0.
inline constexpr TimeValue kInvalidTime = -1;

// Windows file times: 100-nanosecond ticks since 1601-01-01 00:00:00 UTC.
inline constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;
inline constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

// a / b rounded towards minus infinity (b must not be 0): FloorDiv(-1, 86400) is day -1.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return a % b != 0 && (a < 0) != (b < 0) ? q - 1 : q;
}

struct CalendarFields {
  int year = 1970;  // full year, e.g. 2006
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 4;  // 0 = Sunday .. 6 = Saturday (output only)
  int yearDay = 0;  // 0-based day of the year (output only)
};

// Builds a time value as mktime does with a zero zone offset: fields out of their range (negative,
// 24 hours and more, day 0, month 13) roll over into the neighbouring units. Returns kInvalidTime
// when the result lies before 1970-01-01 or after 3000-12-31 23:59:59 (the runtime's window).
TimeValue MakeTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Splits a time value into calendar fields (gmtime).
CalendarFields SplitTime(TimeValue t);

// "2006-01-31" and "2006-01-31 14:05:09": the fields zero-padded, the year to four digits.
std::string IsoDate(const CalendarFields& f);
std::string IsoDateTime(const CalendarFields& f);

// The weekday, hour and minute of SplitTime(t), without working out the date.
struct ClockFields {
  int weekday = 4;
  int hour = 0;
  int minute = 0;
};
inline ClockFields SplitClock(TimeValue t) {
  const std::int64_t days = FloorDiv(t, 86400);
  const std::int64_t secs = t - days * 86400;
  // 1970-01-01 was a Thursday.
  return {static_cast<int>(((days % 7) + 11) % 7), static_cast<int>(secs / 3600),
          static_cast<int>(secs % 3600 / 60)};
}

// Days since 1970-01-01 of a proleptic Gregorian date; month may be out of 1..12.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day);

}
