#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "geo/calendar_tables.h"
#include "geo/geodesy.h"
#include "geo/sun_times.h"

namespace wf {
namespace {

constexpr TimeValue kDay = 86400;

struct Place {
  double latitude, longitude;
};
constexpr Place kHonolulu{21.318, -157.922}, kSingapore{1.359, 103.989}, kFrankfurt{50.033, 8.570},
    kSydney{-33.946, 151.177}, kLongyearbyen{78.246, 15.466}, kMcMurdo{-77.854, 166.469};

// The day of the year decides the sun's declination.
TEST(CalendarTest, LeapYearsAndDayNumbers) {
  for (const auto& [year, leap] : {std::pair{1900, false}, {2000, true}, {2004, true}, {2100, false}}) {
    EXPECT_EQ(IsLeapYear(year), leap) << year;
  }
  struct Case {
    int month, day;
    bool leap;
    int expected;
  } cases[] = {{1, 1, false, 1}, {3, 1, true, 61}, {12, 31, false, 365}, {12, 31, true, 366}};
  for (const Case& c : cases)
    EXPECT_EQ(DayOfYear(c.month, c.day, c.leap), c.expected) << c.month << "/" << c.day;
}

std::string Describe(TimeValue t) {
  return IsoDateTime(SplitTime(t));
}

// Expected times from PyEphem 4.1.4: observer with pressure 0 and horizon '-0:50', the sun's centre
// (use_center=True), previous_rising and next_setting from the local mean noon of the date, i.e. the
// same 90.833 degree zenith distance. The first rows also show the roll-over into the next day (far
// west) and the previous day (far east).
TEST(SunTimesTest, WithinMinutesOfAnIndependentEphemeris) {
  struct Case {
    Place place;
    TimeValue date, sunrise, sunset;
  };
  const Case cases[] = {
      {kHonolulu, MakeTime(2006, 6, 21), MakeTime(2006, 6, 21, 15, 50, 32), MakeTime(2006, 6, 22, 5, 16, 30)},
      {kSingapore, MakeTime(2006, 12, 21), MakeTime(2006, 12, 20, 23, 0, 32),
       MakeTime(2006, 12, 21, 11, 3, 19)},
      {kFrankfurt, MakeTime(2006, 6, 21), MakeTime(2006, 6, 21, 3, 16, 7), MakeTime(2006, 6, 21, 19, 38, 47)},
      {kSydney, MakeTime(2006, 12, 21), MakeTime(2006, 12, 20, 18, 40, 31),
       MakeTime(2006, 12, 21, 9, 5, 43)}};
  for (const Case& c : cases) {
    // The date's time of day does not count.
    const TimeValue evening = c.date + kDay - 1;
    EXPECT_NEAR(SunriseTime(evening, c.place.latitude, c.place.longitude), c.sunrise, 180)
        << Describe(c.sunrise);
    EXPECT_NEAR(SunsetTime(evening, c.place.latitude, c.place.longitude), c.sunset, 180)
        << Describe(c.sunset);
  }
}

// Hours, minutes and seconds are each truncated toward zero, also below 00:00 and beyond 24:00. The
// expected values come from a separate step-by-step Python transcription of the same formulas.
TEST(SunTimesTest, TruncatesEachFieldTowardZero) {
  const TimeValue date = MakeTime(2006, 6, 21);
  EXPECT_EQ(Describe(SunriseTime(date, kSydney.latitude, kSydney.longitude)), "2006-06-20 20:59:24");
  EXPECT_EQ(Describe(SunsetTime(date, kHonolulu.latitude, kHonolulu.longitude)), "2006-06-22 05:15:51");
}

// Polar day: solar noon -/+ 12 hours; polar night: solar noon twice. Expected noons are PyEphem's
// next_transit of the sun from local mean midnight (same observer as above).
TEST(SunTimesTest, PolarDayAndNightCentreOnSolarNoon) {
  struct Case {
    Place place;
    TimeValue date;
    TimeValue dayLength, transit;
  };
  const Case cases[] = {{kLongyearbyen, MakeTime(2006, 6, 21), kDay, MakeTime(2006, 6, 21, 10, 59, 52)},
                        {kMcMurdo, MakeTime(2006, 6, 21), 0, MakeTime(2006, 6, 21, 0, 55, 46)}};
  for (const Case& c : cases) {
    const TimeValue sunrise = SunriseTime(c.date, c.place.latitude, c.place.longitude);
    const TimeValue sunset = SunsetTime(c.date, c.place.latitude, c.place.longitude);
    EXPECT_NEAR(sunset - sunrise, c.dayLength, 1) << Describe(c.date);  // seconds truncate on each side
    EXPECT_NEAR(sunrise + (sunset - sunrise) / 2, c.transit, 120) << Describe(c.date);
  }
}

TEST(SunTimesTest, LatitudesBeyond89Point8AreComputedFor79Point8) {
  const TimeValue date = MakeTime(2006, 3, 1);
  for (const double latitude : {89.9, 90.0, -89.9, -90.0}) {
    const double computed = latitude > 0 ? 79.8 : -79.8;
    EXPECT_EQ(SunriseTime(date, latitude, 15), SunriseTime(date, computed, 15)) << latitude;
    EXPECT_EQ(SunsetTime(date, latitude, 15), SunsetTime(date, computed, 15)) << latitude;
  }
  // 79.8 still sees the sun on 1 March, while 89.8 lies outside the band and is in polar night.
  EXPECT_GT(SunsetTime(date, 79.8, 15) - SunriseTime(date, 79.8, 15), 5 * 3600);
  EXPECT_EQ(SunsetTime(date, 89.8, 15), SunriseTime(date, 89.8, 15));
}

// Every airport gets a day window: valid times, sunrise not after sunset, around the local noon.
TEST(SunTimesTest, EveryPlaceAndDayHasAWindow) {
  std::vector<double> latitudes = {-89.8, -66.5, 66.5, 89.8, 89.9};
  for (int latitude = -90; latitude <= 90; latitude += 2) latitudes.push_back(latitude);
  for (TimeValue date = MakeTime(2008, 1, 1); date < MakeTime(2009, 1, 1); date += 3 * kDay) {
    for (const double latitude : latitudes) {
      for (int longitude = -180; longitude <= 180; longitude += 45) {
        const TimeValue sunrise = SunriseTime(date, latitude, longitude);
        const TimeValue sunset = SunsetTime(date, latitude, longitude);
        const TimeValue localNoon = date + kDay / 2 - longitude * 240;
        ASSERT_TRUE(sunrise <= sunset && sunset - sunrise <= kDay && sunrise != kInvalidTime)
            << Describe(date) << " " << latitude << "," << longitude;
        ASSERT_LE(std::abs(sunrise - localNoon), kDay / 2 + 1200);
        ASSERT_LE(std::abs(sunset - localNoon), kDay / 2 + 1200);
      }
    }
  }
}

TEST(SunTimesTest, InvalidTimeForBadInputAndBeforeTheCalendar) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(SunriseTime(MakeTime(2006, 6, 21), nan, 8.5), kInvalidTime);
  EXPECT_EQ(SunsetTime(MakeTime(2006, 6, 21), 47.5, std::numeric_limits<double>::infinity()), kInvalidTime);
  // Sydney's sunrise on the calendar's first day lies on 31 December 1969.
  EXPECT_EQ(SunriseTime(0, kSydney.latitude, kSydney.longitude), kInvalidTime);
  EXPECT_NE(SunsetTime(0, kSydney.latitude, kSydney.longitude), kInvalidTime);
}

TEST(DistanceTest, EquatorUnitsAndIdenticalPoints) {
  // One degree of longitude on the equator is a * 1 degree: the flattening terms vanish there.
  EXPECT_NEAR(DistanceNm(0, 0, 0, 1), 6378.14 * std::atan(1.0) * 4 / 180 / 1.852, 1e-9);

  const double km = EllipsoidDistance(8.570, 50.033, -73.779, 40.640, "km");
  for (const auto& [unit, divisor] :
       {std::pair<std::string_view, double>{"nmi", 1.852}, {"Mi", 1.609344}, {"nm", 1}, {"mi ", 1}}) {
    EXPECT_DOUBLE_EQ(EllipsoidDistance(8.570, 50.033, -73.779, 40.640, unit), km / divisor) << unit;
  }
  // DistanceNm takes latitude first.
  EXPECT_DOUBLE_EQ(DistanceNm(50.033, 8.570, 40.640, -73.779), km / 1.852);

  EXPECT_TRUE(std::isnan(DistanceNm(47.464, 8.549, 47.464, 8.549)));
  EXPECT_TRUE(std::isnan(EllipsoidDistance(0, 0, 0, 0, "km")));
}

// Against exact geodesics on the same ellipsoid, so that only the approximation is measured (WGS84's
// radius is 3 m shorter, which would add about 5e-7). Left out: identical points (NaN by design) and
// pairs within 2 degrees of antipodal, where the approximation breaks down (0.12 % at 0.1 degree).
TEST(DistanceTest, AgreesWithGeographicLibOnPseudoRandomPairs) {
  const GeographicLib::Geodesic geodesic(6378140.0, 0.0033528131778969143);
  std::mt19937 engine(20060621);  // the standard fixes this engine's sequence
  const auto uniform = [&engine] { return static_cast<double>(engine()) / 4294967296.0; };
  const auto latitude = [&] { return std::asin(2 * uniform() - 1) * 45 / std::atan(1.0); };
  double largest = 0;
  for (int i = 0; i < 600; ++i) {
    const double lat1 = latitude(), lon1 = 360 * uniform() - 180;
    double lat2 = latitude(), lon2 = 360 * uniform() - 180;
    if (i % 3 == 0) {  // a leg of at most a few hundred kilometres, as most GA flights are
      lat2 = std::clamp(lat1 + 6 * uniform() - 3, -90.0, 90.0);
      lon2 = lon1 + 6 * uniform() - 3;
    }
    double meters = 0;
    if (geodesic.Inverse(lat1, lon1, lat2, lon2, meters) > 178 || meters == 0) continue;
    const double relative = std::fabs(DistanceNm(lat1, lon1, lat2, lon2) * 1852 - meters) / meters;
    EXPECT_LT(relative, 1e-3) << lat1 << "," << lon1 << " - " << lat2 << "," << lon2;
    largest = std::max(largest, relative);
  }
  std::printf("Andoyer-Lambert against geodesics: largest relative error %.3g\n", largest);
}

}
}
