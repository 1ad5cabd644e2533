#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string_view>

#include "geo/geodesy.h"

namespace wf {
namespace {

TEST(DistanceTest, EquatorUnitsAndIdenticalPoints) {
  // One degree of longitude on the equator is a * 1 degree: the flattening terms vanish there.
  EXPECT_NEAR(DistanceNm(0, 0, 0, 1), 6378.14 * std::atan(1.0) * 4 / 180 / 1.852, 1e-9);
  EXPECT_NEAR(DistanceNm(0, 0, 0, 1), 60.1, 0.01);

  const double km = EllipsoidDistance(8.570, 50.033, -73.779, 40.640, "km");
  for (const auto& [unit, divisor] : {std::pair<std::string_view, double>{"nmi", 1.852},
                                      {"NMI", 1.852},
                                      {"Mi", 1.609344},
                                      {"nm", 1},
                                      {"", 1},
                                      {"mi ", 1}}) {
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
