#include "platform/calendar.h"

#include "platform/numbers.h"

namespace wf {

namespace {
constexpr TimeValue kLatestTime = 32535215999;  // 3000-12-31 23:59:59
}

std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  // Normalise the month first so that month 13 or month 0 roll into the neighbouring year.
  const std::int64_t m0 = month - 1;
  year += FloorDiv(m0, 12);
  month = m0 - FloorDiv(m0, 12) * 12 + 1;
  // Howard Hinnant's days_from_civil.
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t yoe = year - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TimeValue MakeTime(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days = DaysFromCivil(year, month, day);
  const TimeValue t =
      days * 86400 + static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second;
  if (t < 0 || t > kLatestTime) return kInvalidTime;
  return t;
}

CalendarFields SplitTime(TimeValue t) {
  CalendarFields f;
  const std::int64_t days = FloorDiv(t, 86400);
  const ClockFields clock = SplitClock(t);
  f.hour = clock.hour;
  f.minute = clock.minute;
  f.second = static_cast<int>((t - days * 86400) % 60);
  f.weekday = clock.weekday;
  // Howard Hinnant's civil_from_days.
  const std::int64_t z = days + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  f.year = static_cast<int>(y);
  f.month = static_cast<int>(m);
  f.day = static_cast<int>(d);
  f.yearDay = static_cast<int>(days - DaysFromCivil(y, 1, 1));
  return f;
}

std::string IsoDate(const CalendarFields& f) {
  return FormatWhole(f.year, 4) + "-" + FormatWhole(f.month, 2) + "-" + FormatWhole(f.day, 2);
}

std::string IsoDateTime(const CalendarFields& f) {
  return IsoDate(f) + " " + FormatWhole(f.hour, 2) + ":" + FormatWhole(f.minute, 2) + ":" +
         FormatWhole(f.second, 2);
}

}
