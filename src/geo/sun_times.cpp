#include "geo/sun_times.h"

#include <algorithm>
#include <cmath>

#include "geo/calendar_tables.h"

namespace wf {

namespace {

// The sun times use this value of pi, not the distance's 4 * atan(1); the factor 2 * pi / 365 below
// is derived from it.
constexpr double kSunPi = 3.1415926;
constexpr double kRadiansPerDay = 0.01721420602739726;
constexpr double kZenithDegrees = 90.833;

// Beyond this many minutes the value cannot make a time in the calendar's window, and the conversion
// to whole hours would overflow.
constexpr double kMaxMinutes = 1e9;

double SunRadians(double degrees) {
  return degrees * kSunPi / 180;
}
double SunDegrees(double radians) {
  return radians * 180 / kSunPi;
}

enum class Event { kSunrise, kSunset };

// Fractional year in radians for day n of the year and hour k (whole hours, may lie outside 0..23):
// only whole days count, so the hours move it to the next or the previous day from 24 hours on.
double FractionalYear(int dayOfYear, int hour) {
  return ((dayOfYear + hour / 24) - 1) * kRadiansPerDay;
}

// Equation of time in minutes.
double EquationOfTime(double gamma) {
  return 229.18 * (0.000075 + 0.001868 * std::cos(gamma) - 0.032077 * std::sin(gamma) -
                   0.014615 * std::cos(2 * gamma) - 0.040849 * std::sin(2 * gamma));
}

// Declination in radians.
double Declination(double gamma) {
  return 0.006918 - 0.399912 * std::cos(gamma) + 0.070257 * std::sin(gamma) - 0.006758 * std::cos(2 * gamma) +
         0.000907 * std::sin(2 * gamma);
}

// Cosine of the hour angle at which the sun's centre is at the zenith distance 90.833 degrees. Above
// 1 the sun stays below that all day, below -1 it stays above.
double CosHourAngle(double latitudeRad, double gamma) {
  const double declination = Declination(gamma);
  return std::cos(SunRadians(kZenithDegrees)) / (std::cos(latitudeRad) * std::cos(declination)) -
         std::tan(latitudeRad) * std::tan(declination);
}

// Minutes after 00:00 Greenwich time of the event, for the hour angle whose cosine is given, with
// negated longitude (west positive).
double EventMinutes(Event event, double westLongitude, double cosHourAngle, double gamma) {
  double hourAngle = SunDegrees(std::acos(cosHourAngle));
  if (event == Event::kSunset) hourAngle = -hourAngle;
  return 4 * (westLongitude - hourAngle) + 720 - EquationOfTime(gamma);
}

// Whole hours of a minute value, truncated toward zero. Only called with finite values in range.
int WholeHours(double minutes) {
  return static_cast<int>(minutes / 60);
}

bool UsableMinutes(double minutes) {
  return std::isfinite(minutes) && std::fabs(minutes) <= kMaxMinutes;
}

// Solar noon in minutes after 00:00 Greenwich time: an estimate with the fractional year of hour 0,
// then again with the day that estimate falls on.
double SolarNoonMinutes(int dayOfYear, double westLongitude) {
  const double estimate = 720 + 4 * westLongitude - EquationOfTime(FractionalYear(dayOfYear, 0));
  if (!UsableMinutes(estimate)) return estimate;
  return 720 + 4 * westLongitude - EquationOfTime(FractionalYear(dayOfYear, WholeHours(estimate)));
}

// The time of `minutes` after 00:00 Greenwich time on the given date. Hours, minutes and seconds are
// truncated toward zero one after the other and may be negative or beyond their range; the calendar
// conversion rolls them over into the neighbouring days.
TimeValue TimeOfDay(const CalendarFields& date, double minutes) {
  if (!UsableMinutes(minutes)) return kInvalidTime;
  const double hours = minutes / 60;
  const int h = static_cast<int>(hours);
  const double restMinutes = (hours - h) * 60;
  const int m = static_cast<int>(restMinutes);
  const int s = static_cast<int>((restMinutes - m) * 60);
  return MakeTime(date.year, date.month, date.day, h, m, s);
}

TimeValue SunEventTime(Event event, TimeValue date, double latitude, double longitude) {
  const CalendarFields fields = SplitTime(date);
  const int dayOfYear = DayOfYear(fields.month, fields.day, IsLeapYear(fields.year));
  const double westLongitude = -longitude;
  if (latitude > 89.8 && latitude <= 90) latitude = 79.8;
  if (latitude < -89.8 && latitude >= -90) latitude = -79.8;
  const double latitudeRad = SunRadians(latitude);

  // The first estimate only picks the hour whose day the final value uses. Sunset's estimate uses
  // the fractional year of the following day. Where the sun does not cross the horizon on the
  // estimate's day the hour angle is clamped to noon or midnight, which is estimate enough for that.
  const double estimateGamma = (event == Event::kSunrise ? dayOfYear - 1 : dayOfYear) * kRadiansPerDay;
  const double estimateCos = std::clamp(CosHourAngle(latitudeRad, estimateGamma), -1.0, 1.0);
  const double estimate = EventMinutes(event, westLongitude, estimateCos, estimateGamma);
  if (!UsableMinutes(estimate)) return kInvalidTime;

  const double gamma = FractionalYear(dayOfYear, WholeHours(estimate));
  const double cosHourAngle = CosHourAngle(latitudeRad, gamma);
  if (cosHourAngle > 1) return TimeOfDay(fields, SolarNoonMinutes(dayOfYear, westLongitude));
  if (cosHourAngle < -1) {
    const double noon = SolarNoonMinutes(dayOfYear, westLongitude);
    return TimeOfDay(fields, event == Event::kSunrise ? noon - 720 : noon + 720);
  }
  return TimeOfDay(fields, EventMinutes(event, westLongitude, cosHourAngle, gamma));
}

}

TimeValue SunriseTime(TimeValue date, double latitude, double longitude) {
  return SunEventTime(Event::kSunrise, date, latitude, longitude);
}

TimeValue SunsetTime(TimeValue date, double latitude, double longitude) {
  return SunEventTime(Event::kSunset, date, latitude, longitude);
}

int ZoneHours(double longitude) {
  const double zone = std::trunc(longitude / 15 + 0.5);
  return std::isfinite(zone) && std::fabs(zone) <= 24 ? static_cast<int>(zone) : 0;
}

}
