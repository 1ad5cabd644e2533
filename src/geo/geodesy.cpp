#include "geo/geodesy.h"

#include <cmath>
#include <cstddef>

#include "platform/text.h"

namespace wf {

namespace {

constexpr double kEquatorialRadiusKm = 6378.14;
constexpr double kFlattening = 0.0033528131778969143;
constexpr double kKmPerNauticalMile = 1.852;
constexpr double kKmPerStatuteMile = 1.609344;

double Pi() {
  static const double pi = 4.0 * std::atan(1.0);
  return pi;
}

double Square(double x) {
  return x * x;
}

// Andoyer-Lambert on geodetic latitudes (Meeus, Astronomical Algorithms, ch. 11), in kilometres.
// Identical points make S and omega zero, so R is 0/0 and the result NaN; that is deliberate.
double AndoyerLambertKm(double lon1, double lat1, double lon2, double lat2) {
  const double f = DegToRad((lat1 + lat2) / 2);
  const double g = DegToRad((lat1 - lat2) / 2);
  const double l = DegToRad((lon1 - lon2) / 2);
  const double sinG2 = Square(std::sin(g));
  const double cosG2 = Square(std::cos(g));
  const double sinF2 = Square(std::sin(f));
  const double cosF2 = Square(std::cos(f));
  const double sinL2 = Square(std::sin(l));
  const double cosL2 = Square(std::cos(l));
  const double s = sinG2 * cosL2 + cosF2 * sinL2;
  const double c = cosG2 * cosL2 + sinF2 * sinL2;
  const double omega = std::atan(std::sqrt(s / c));
  const double r = std::sqrt(s * c) / omega;
  const double d = 2 * omega * kEquatorialRadiusKm;
  const double h1 = (3 * r - 1) / (2 * c);
  const double h2 = (3 * r + 1) / (2 * s);
  return d * (1 + kFlattening * h1 * sinF2 * cosG2 - kFlattening * h2 * cosF2 * sinG2);
}

}

double DegToRad(double degrees) {
  return degrees * Pi() / 180;
}

double EllipsoidDistance(double lon1, double lat1, double lon2, double lat2, std::string_view unit) {
  const double km = AndoyerLambertKm(lon1, lat1, lon2, lat2);
  if (EqualsIgnoringCase(unit, "nmi")) return km / kKmPerNauticalMile;
  if (EqualsIgnoringCase(unit, "mi")) return km / kKmPerStatuteMile;
  return km;
}

double DistanceNm(double lat1, double lon1, double lat2, double lon2) {
  return AndoyerLambertKm(lon1, lat1, lon2, lat2) / kKmPerNauticalMile;
}

}
