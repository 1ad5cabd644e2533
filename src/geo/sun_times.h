#pragma once
// Sunrise and sunset at a place on a given date, by the NOAA general solar position formulas.
//
// Times are UTC time values (seconds since 1970, see platform/calendar.h); the date is taken from
// the year, month and day of `date` in UTC, its time of day is ignored. Latitude and longitude are in
// degrees, north and east positive. The sun counts as risen when its centre is 0.833 degrees below
// the horizon (refraction and the sun's radius).
//
// The result is a time on the Greenwich calendar day of `date`, and rolls over into the neighbouring
// day where the event falls outside it: a sunset in the far west can lie after 24:00 Greenwich time
// and then lands on the next day, a sunrise in the far east on the previous day.
//
// Latitudes in (89.8, 90] are computed as 79.8, those in [-90, -89.8) as -79.8.
//
// Polar day and polar night: where the sun does not cross the horizon on the day, both functions still
// give a time, so that every airport has a day window:
//   - sun never up:     sunrise = sunset = local solar noon (a day of length zero);
//   - sun never down:   sunrise = solar noon - 12 h, sunset = solar noon + 12 h.
// Solar noon is 720 - 4 * longitude - equation of time, in minutes after 00:00 Greenwich time.
// Each function decides this on its own; near the first and last polar days one of the two may
// still find a crossing while the other does not.
//
// Returns kInvalidTime when the result lies outside the calendar's window (see MakeTime) or when an
// argument is not a finite number.
#include "platform/calendar.h"

namespace wf {

TimeValue SunriseTime(TimeValue date, double latitude, double longitude);
TimeValue SunsetTime(TimeValue date, double latitude, double longitude);

// The whole hours a place's zone clock is ahead of UTC, by its longitude alone:
// trunc(longitude / 15 + 0.5); 0 for a longitude that is not a number or gives more than 24.
int ZoneHours(double longitude);

}
