#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "traffic/fleet_test_world.h"
#include "world/airport.h"

namespace wf {
namespace {

using test::kHardSurface, test::kSoftSurface, test::kWaterSurface, test::kSnowSurface;

TEST(AirportClassification, TypeAndSurfaceFollowRunwaysLightsAndIls) {
  struct Case {
    const char* label;
    std::uint32_t surfaceMask, runwayCount, runwayLights, approachLights, hasILS, longestRunway;
    int expectedType;
    const char *expectedTypeName, *expectedSurfaceName;
  };
  const Case cases[] = {
      {"two soft runways", kSoftSurface, 2, 0, 0, 0, 600, 2, "small airfield", "soft"},
      {"one unlit soft runway", kSoftSurface, 1, 0, 0, 0, 600, 0, "Bush", "soft"},
      {"hard with ILS, 2000 m", kHardSurface, 1, 1, 0, 1, 2000, 7, "large commercial airport", "hard"},
      {"hard with ILS, 1999 m", kHardSurface, 1, 1, 0, 1, 1999, 6, "medium commercial airport", "hard"},
      {"hard, 999 m", kHardSurface, 1, 0, 0, 0, 999, 2, "small airfield", "hard"},
      {"hard, 1000 m", kHardSurface, 1, 0, 0, 0, 1000, 3, "medium airfield", "hard"},
      {"water beats hard", kWaterSurface | kHardSurface, 2, 0, 0, 1, 3000, 8, "Seaplane Base", "water"},
      {"snow beats hard", kSnowSurface | kHardSurface, 1, 1, 0, 0, 3000, 1, "Gras Strip", "snow or ice"},
      {"hard beats soft", kHardSurface | kSoftSurface, 1, 0, 0, 0, 1500, 3, "medium airfield", "hard"},
      {"last soft code", 1u << 21, 1, 0, 0, 0, 500, 0, "Bush", "soft"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CAirport airport;
    airport.surfaceMask = c.surfaceMask;
    airport.runwayCount = c.runwayCount;
    airport.runwayLights = static_cast<std::int32_t>(c.runwayLights);
    airport.approachLights = static_cast<std::int32_t>(c.approachLights);
    airport.hasILS = static_cast<std::int32_t>(c.hasILS);
    airport.longestRunway = c.longestRunway;
    std::string typeName, surfaceName;
    EXPECT_EQ(Code(airport.GetTypeName(typeName)), c.expectedType);
    EXPECT_EQ(typeName, c.expectedTypeName);
    airport.GetSurfaceName(surfaceName);
    EXPECT_EQ(surfaceName, c.expectedSurfaceName);
  }
  CAirport stored;  // a stored type wins; one without a name is unknown
  stored.airportType = AirportType{42};
  std::string typeName;
  EXPECT_EQ(std::tuple(Code(stored.GetTypeName(typeName)), typeName), std::tuple(42, "unknown"));
}

TEST(AirportClassification, FuelClassReadsTheTwoBitFields) {
  const struct {
    std::uint32_t fuelFlags, expected;
  } cases[] = {
      {0, 0},
      {1, 0},                      // field 0 = 1 does not count
      {2, kFuelClassAvgas},        // field 0 = 2
      {1u << 2, kFuelClassAvgas},  // field 1
      {1u << 12, kFuelClassJet},   // field 6
      {(1u << 4) | (2u << 14), kFuelClassAvgas | kFuelClassJet},
      {0xFF000000u, 0},  // above field 11
  };
  for (const auto& c : cases) {
    CAirport airport;
    airport.fuelFlags = c.fuelFlags;
    EXPECT_EQ(airport.GetFuelClass(), c.expected) << std::hex << c.fuelFlags;
  }
}

// A lit, hard airport with ILS on a 5000 ft runway; its fee is worked out by hand below.
void SetFeeExample(CAirport& airport) {
  airport.surfaceMask = kHardSurface;
  airport.parkingCounts[2] = 4;  // 4 small GA ramps at 2.00
  airport.parkingCounts[4] = 1;  // 1 large GA ramp at 25.00
  airport.longestRunway = 1524;  // 5000 ft
  airport.runwayCount = 2;
  airport.hasILS = 1;
  airport.runwayLights = 3;
  airport.approachLights = 1;
  airport.fuelFlags = (1u << 2) | (1u << 12);  // fields 1 and 6: both fuel class bits
}

TEST(AirportNormalLandingFee, FollowsParkingRunwaysLightsFuelTypeAndTheGivenFees) {
  const Settings settings;
  // parking 33 / 6 spaces = 5.5; runways 5 x 0.33 x 2 = 3.3; ILS 5; lights 2.5; approach 0.5;
  // jet fuel 20; avgas 2.5: 39.3, times type 6 / 2.
  CAirport airport;
  SetFeeExample(airport);
  EXPECT_EQ(airport.GetType(), AirportType::kMediumCommercial);
  EXPECT_FLOAT_EQ(airport.NormalLandingFee(settings), 39.3f * 3);

  // The same facts on water: half of the sum.
  airport.surfaceMask = kWaterSurface;
  EXPECT_FLOAT_EQ(airport.NormalLandingFee(settings), 39.3f / 2);

  // Bush: nothing, whatever the parking and fuel.
  airport.surfaceMask = kSoftSurface;
  airport.runwayCount = 1;
  airport.longestRunway = 300;
  airport.runwayLights = 0;
  airport.approachLights = 0;
  EXPECT_EQ(airport.GetType(), AirportType::kBush);
  EXPECT_EQ(airport.NormalLandingFee(settings), 0.0f);

  // With other fees: parking 8 / 6; runways 3.3; lights 2.5; approach 0.5; fuel 22.5.
  Settings other;
  other.parkingFee[4] = 0.0f;
  other.ilsFee = 0.0f;
  SetFeeExample(airport);
  EXPECT_FLOAT_EQ(airport.NormalLandingFee(other), (8.0f / 6 + 3.3f + 2.5f + 0.5f + 22.5f) * 3);
}

}
}
