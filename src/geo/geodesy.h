#pragma once
// Distances between points on the Earth ellipsoid.
//
// Angles are in degrees, latitude positive north, longitude positive east. The ellipsoid has an
// equatorial radius of 6378.14 km and a flattening of 0.0033528131778969143 (1/298.257).
#include <string_view>

namespace wf {

// Degrees to radians with pi = 4 * atan(1), computed once.
double DegToRad(double degrees);

// Distance in kilometres, statute miles or nautical miles by the Andoyer-Lambert approximation
// (an error of the order of the flattening squared). Note the argument order: longitude first.
// `unit` is compared without regard to case: "nmi" gives nautical miles, "mi" statute miles,
// anything else kilometres.
// Two identical points give NaN (0/0), and so do antipodal points; callers compare the result only
// with ordered comparisons, which are then all false.
double EllipsoidDistance(double lon1, double lat1, double lon2, double lat2, std::string_view unit);

// Distance in nautical miles: EllipsoidDistance(lon1, lat1, lon2, lat2, "nmi"). Latitude first.
double DistanceNm(double lat1, double lon1, double lat2, double lon2);

}
