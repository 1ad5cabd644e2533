#pragma once
// An airport: the leaf of the geographic tree, with its runways, parking spaces, radio and lighting
// facts, derived classification and landing fee.
//
// Archive form (class "CAirport", schema 8; any older schema is read), after the CCity part:
//    altitude (double), name, icao, latitude, longitude, magVar (doubles), sunrise, sunset,
//    sceneryFileTime (times), parkingCounts (14 x 32), fuelFlags, hasILS, approachLights,
//    runwayLights, longestRunway, runwayCount, surfaceMask (7 x 32);
//    schema >= 3: landingFee (float), comTypeMask, towerFrequency;
//    schema >= 4: airportType;
//    schema >= 6: feeSetByUser, useAirport, military (3 x 32), airspaceClass (8-bit),
//                 approachComCount (32), runways, parkingSpaces (count, then 12 bytes each).
// A stored airportType outside -1..8 is read as -1 (AirportType::kDerived). After loading: a fee that is
// missing (schema < 5, or none stored) and the type are set from NormalLandingFee and GetType; older schemas
// derive `military` from the name; military parking makes an airport military; a fee within one percent of
// the normal fee counts as not set by the user; the airport enters the airport index. Parking counts that add
// up to more than kMaxParkingSpaces fail the load with an ArchiveError.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "world/region.h"
#include "world/settings.h"
#include "world/string_map.h"

namespace wf {

class CPlane;

// One runway, stored as 12 raw bytes.
struct CRunway {
  std::int32_t surface = 0;  // surface code of the scenery format
  std::int32_t length = 0;   // metres, truncated toward zero
  std::int32_t width = 0;    // metres, truncated toward zero
};
static_assert(sizeof(CRunway) == 12);

// One parking space, stored as 12 raw bytes without padding. `radius` is unaligned: read and write it
// by value, never bind a reference or pointer to it (as gtest's EXPECT_EQ(space.radius, ...) does).
#pragma pack(push, 1)
struct CParkingSpace {
  ParkingType type = ParkingType::kNone;  // 0..15, as the scenery file gives it
  double radius = 0.0;                    // metres
};
#pragma pack(pop)
static_assert(sizeof(CParkingSpace) == 12);

// The most parking spaces one airport can have: a scenery file's airport record is at most 4 GiB
// (its size is 32 bits) and a parking entry at least 36 bytes. Parking counts beyond it (in all
// types together) can only come from a damaged database, which fails to load.
inline constexpr std::uint32_t kMaxParkingSpaces = 0xFFFFFFFFu / 36;

// Surface classes of GetSurfaceClass.
enum SurfaceClass : int { kSurfaceSoft = 0, kSurfaceHard = 1, kSurfaceSnowOrIce = 2, kSurfaceWater = 3 };

// Bits of GetFuelClass.
inline constexpr std::uint32_t kFuelClassAvgas = 1;  // fuel field 0 is 2 or 3, or one of fields 1..5 is set
inline constexpr std::uint32_t kFuelClassJet = 2;    // one of fields 6..11 is set

// The name of airport type `type` in the type table ("Bush", "Gras Strip", ... "Seaplane Base"), or
// "unknown" for kDerived and codes without a name.
const char* AirportTypeName(AirportType type);

class CAirport : public CCity {
 public:
  CAirport();
  // Leaves the airport index it was entered into, when that entry still refers to this airport.
  ~CAirport() override;
  const char* ClassName() const override { return "CAirport"; }
  // Schema numbers of the archive form, each named for what it brought; archives of every older
  // schema are read too.
  static constexpr std::uint16_t kSchemaFeeAndRadio = 3;  // landingFee, comTypeMask, towerFrequency
  static constexpr std::uint16_t kSchemaFixedType = 4;    // airportType, as the user may fix it
  static constexpr std::uint16_t kSchemaKeptFee = 5;      // the stored fee is kept (recomputed before)
  // feeSetByUser, useAirport, military, airspaceClass, approachComCount, runways, parkingSpaces
  static constexpr std::uint16_t kSchemaUserFlagsAndLists = 6;
  // Schemas 7 and 8 brought no change to the archive form: the fields and load rules of 6 apply to
  // both, and an archive of 7 reads exactly as one of 8. 8 is written because it is the number the
  // database files carry, and a lower one would make a saved file look older than the one it replaces.
  static constexpr std::uint16_t kSchema = 8;  // written
  std::uint16_t Schema() const override { return kSchema; }
  // Needs a WorldArchiveContext on the archive for the progress texts, the fee settings and the
  // airport index; without one, the defaults of Settings are used and the index is left alone.
  void Serialize(CArchive& ar) override;

  // airportType when the user fixed it, otherwise the type derived from runways, surface and ILS;
  // never kDerived.
  AirportType GetType() const;
  // GetType(); `typeName` is set to its AirportTypeName.
  AirportType GetTypeName(std::string& typeName) const;
  // 0 soft, 1 hard, 2 snow or ice, 3 water, from surfaceMask.
  int GetSurfaceClass() const;
  // "soft", "hard", "snow or ice" or "water".
  void GetSurfaceName(std::string& surfaceName) const;
  // The count of parking spaces of `type`, one of the first kParkingTypeCount.
  std::uint32_t& ParkingCount(ParkingType type) { return parkingCounts[Code(type)]; }
  std::uint32_t ParkingCount(ParkingType type) const { return parkingCounts[Code(type)]; }
  // Bit mask of kFuelClassAvgas and kFuelClassJet, from fuelFlags.
  std::uint32_t GetFuelClass() const;
  // The landing fee that parking, runways, lights and fuel call for, in money units.
  float NormalLandingFee(const Settings& settings) const;

  // Refers index[icao] to this airport. The entry is removed when the airport is destroyed while it
  // still refers to it, so the index never holds a freed airport. The index must outlive the
  // airport. An airport is in one index under one key: entering it again drops its earlier entry.
  void EnterIntoIndex(StringIndex<CAirport>& index);

  // Forgets what a scenery file's record said of the airport's runways, parking, radios, lights and
  // ILS, so that a second read (a newer file, or the same file reached twice) replaces the first
  // instead of adding to it. Position, names, fee, type and the user's flags stay.
  void ClearSceneryFacts();

  std::uintptr_t treeItem = 0;      // the Airports page's tree node; not archived
  std::int32_t generatorIndex = 0;  // traffic generation's working index; not archived
  std::int32_t approachLights = 0;  // non-zero: some runway has an approach lighting aid
  std::uint32_t surfaceMask = 0;    // bit n: a runway of surface code n
  std::uint32_t runwayCount = 0;
  std::int32_t runwayLights = 0;  // sum of the runways' lighting flags; non-zero: lit
  std::uint32_t fuelFlags = 0;    // 12 fields of 2 bits, field k in bits 2k and 2k+1
  std::int32_t approachComCount = 0;
  char airspaceClass = 'G';
  std::int32_t hasILS = 0;
  std::uint32_t longestRunway = 0;  // whole metres
  // Registration -> plane based here; not owned, not archived.
  StringIndex<CPlane> planes;
  TimeValue sunset = 0;
  TimeValue sunrise = 0;
  std::vector<CRunway> runways;
  std::vector<CParkingSpace> parkingSpaces;
  std::string name;
  CCity* city = nullptr;  // parent, not owned
  std::string icao;
  TimeValue sceneryFileTime = 0;
  double latitude = 0.0;   // degrees, north positive
  double longitude = 0.0;  // degrees, east positive
  double altitude = 0.0;   // metres
  double magVar = 0.0;     // degrees
  std::array<std::uint32_t, kParkingTypeCount> parkingCounts{};
  float landingFee = 0.0f;
  std::int32_t comTypeMask = 0;  // bit n: a radio channel of type n
  std::uint32_t towerFrequency = 0;
  AirportType airportType = AirportType::kDerived;
  std::int32_t gaParkingCount = 0;  // traffic generation's working count; not archived
  std::int32_t feeSetByUser = 0;
  std::int32_t useAirport = 1;
  std::int32_t military = 0;

 private:
  AirportType DerivedType() const;
  void LoadOwnFields(CArchive& ar, int schema);
  void StoreOwnFields(CArchive& ar) const;

  // The index this airport was entered into, and the key it was entered under.
  StringIndex<CAirport>* index_ = nullptr;
  std::string indexKey_;
};

// Calls fn(CAirport&) for every airport held anywhere below `node` (in any of its maps, at any
// depth), and for `node` itself when it is an airport.
template <class Fn>
void ForEachAirport(CRegion& node, Fn&& fn) {
  if (auto* airport = dynamic_cast<CAirport*>(&node)) fn(*airport);
  for (auto& entry : node.countries) ForEachAirport(*entry.second, fn);
  if (auto* country = dynamic_cast<CCountry*>(&node))
    for (auto& entry : country->states) ForEachAirport(*entry.second, fn);
  if (auto* state = dynamic_cast<CState*>(&node))
    for (auto& entry : state->cities) ForEachAirport(*entry.second, fn);
  if (auto* city = dynamic_cast<CCity*>(&node))
    for (auto& entry : city->airports) ForEachAirport(*entry.second, fn);
}

}
