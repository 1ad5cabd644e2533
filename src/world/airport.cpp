#include "world/airport.h"

#include <array>
#include <string_view>

#include "world/plane.h"
#include "world/world.h"
#include "world/world_archive.h"

namespace wf {

namespace {

constexpr std::array<const char*, kAirportTypeCount> kTypeNames = {
    "Bush",
    "Gras Strip",
    "small airfield",
    "medium airfield",
    "large airfield",
    "small commercial airport",
    "medium commercial airport",
    "large commercial airport",
    "Seaplane Base",
};

constexpr std::array<const char*, 4> kSurfaceNames = {"soft", "hard", "snow or ice", "water"};

// Name parts that mark an airport as military in databases older than schema 6.
constexpr std::array<std::string_view, 8> kMilitaryNameParts = {"AFB", "Navy", "Army", "RNAS",
                                                                "RAF", "NAS",  "AAF",  "AB"};

constexpr std::uint32_t Bits(std::initializer_list<int> bits) {
  std::uint32_t mask = 0;
  for (int bit : bits) mask |= 1u << bit;
  return mask;
}

// Surface codes of the scenery format, grouped by class.
constexpr std::uint32_t kWaterSurfaces = Bits({2});
constexpr std::uint32_t kSnowOrIceSurfaces = Bits({8, 9});
constexpr std::uint32_t kHardSurfaces = Bits({0, 4, 7, 15, 16, 17, 18, 19, 20, 22, 23});
constexpr std::uint32_t kSoftSurfaces = Bits({1, 12, 13, 14, 21});

std::uint32_t FuelField(std::uint32_t fuelFlags, int field) {
  return (fuelFlags >> (2 * field)) & 3u;
}

bool HasMilitaryName(const std::string& name) {
  for (std::string_view part : kMilitaryNameParts)
    if (name.find(part) != std::string::npos) return true;
  return false;
}

}

const char* AirportTypeName(AirportType type) {
  return Code(type) >= 0 && Code(type) < kAirportTypeCount ? kTypeNames[Code(type)] : "unknown";
}

CAirport::CAirport() = default;

CAirport::~CAirport() {
  if (index_ != nullptr) index_->EraseIf(indexKey_, this);
}

void CAirport::ClearSceneryFacts() {
  parkingCounts.fill(0);
  runwayCount = 0;
  surfaceMask = 0;
  longestRunway = 0;
  hasILS = 0;
  runwayLights = 0;
  approachLights = 0;
  comTypeMask = 0;
  towerFrequency = 0;
  approachComCount = 0;
  runways.clear();
  parkingSpaces.clear();
}

void CAirport::EnterIntoIndex(StringIndex<CAirport>& index) {
  if (index_ != nullptr) index_->EraseIf(indexKey_, this);
  index.Insert(icao, this);
  index_ = &index;
  indexKey_ = icao;
}

int CAirport::GetSurfaceClass() const {
  if (surfaceMask & kWaterSurfaces) return kSurfaceWater;
  if (surfaceMask & kSnowOrIceSurfaces) return kSurfaceSnowOrIce;
  if (surfaceMask & kHardSurfaces) return kSurfaceHard;
  if (surfaceMask & kSoftSurfaces) return kSurfaceSoft;
  return kSurfaceHard;
}

void CAirport::GetSurfaceName(std::string& surfaceName) const {
  const int surfaceClass = GetSurfaceClass();
  surfaceName = surfaceClass >= 0 && surfaceClass < static_cast<int>(kSurfaceNames.size())
                    ? kSurfaceNames[surfaceClass]
                    : "unknown";
}

AirportType CAirport::DerivedType() const {
  using enum AirportType;
  switch (GetSurfaceClass()) {
    case kSurfaceSoft:
    case kSurfaceSnowOrIce:
      if (runwayCount >= 2) return kSmallAirfield;
      return runwayLights != 0 || approachLights != 0 ? kGrassStrip : kBush;
    case kSurfaceWater:
      return kSeaplaneBase;
    default:
      if (hasILS == 0)
        return longestRunway < 1000   ? kSmallAirfield
               : longestRunway < 2000 ? kMediumAirfield
                                      : kLargeAirfield;
      return longestRunway < 1000   ? kSmallCommercial
             : longestRunway < 2000 ? kMediumCommercial
                                    : kLargeCommercial;
  }
}

AirportType CAirport::GetType() const {
  return airportType != AirportType::kDerived ? airportType : DerivedType();
}

AirportType CAirport::GetTypeName(std::string& typeName) const {
  const AirportType type = GetType();
  typeName = AirportTypeName(type);
  return type;
}

std::uint32_t CAirport::GetFuelClass() const {
  std::uint32_t fuelClass = 0;
  const std::uint32_t field0 = FuelField(fuelFlags, 0);
  bool avgas = field0 == 2 || field0 == 3;
  for (int field = 1; field <= 5; ++field) avgas = avgas || FuelField(fuelFlags, field) != 0;
  if (avgas) fuelClass |= kFuelClassAvgas;
  for (int field = 6; field <= 11; ++field)
    if (FuelField(fuelFlags, field) != 0) fuelClass |= kFuelClassJet;
  return fuelClass;
}

// The fee is a float, as stored in the database; every step computes in double and rounds the
// running fee back to float, so the results match the fees that existing databases hold.
float CAirport::NormalLandingFee(const Settings& settings) const {
  float weighted = 0.0f;
  std::uint32_t spaces = 1;
  for (int type = 0; type < kParkingTypeCount; ++type) {
    weighted =
        static_cast<float>(weighted + static_cast<double>(parkingCounts[type]) * settings.parkingFee[type]);
    spaces += parkingCounts[type];
  }
  float fee = static_cast<float>(static_cast<double>(weighted) / spaces);
  fee = static_cast<float>(fee + (longestRunway / 0.3048) / 1000.0 * settings.runwayFee * runwayCount);
  if (hasILS != 0) fee = static_cast<float>(fee + static_cast<double>(settings.ilsFee));
  if (runwayLights != 0) fee = static_cast<float>(fee + static_cast<double>(settings.lightsFee));
  if (approachLights != 0) fee = static_cast<float>(fee + 0.5);
  const std::uint32_t fuelClass = GetFuelClass();
  fee = static_cast<float>(fee + 10.0 * (fuelClass & kFuelClassJet));
  fee = static_cast<float>(fee + 2.5 * (fuelClass & kFuelClassAvgas));
  const AirportType type = GetType();
  if (type == AirportType::kSeaplaneBase) return static_cast<float>(fee * 0.5);
  return static_cast<float>(Code(type) * static_cast<double>(fee) / 2.0);
}

void CAirport::Serialize(CArchive& ar) {
  CCity::Serialize(ar);
  if (ar.IsStoring()) {
    StoreOwnFields(ar);
  } else {
    LoadOwnFields(ar, ar.LoadedSchema());
  }
}

void CAirport::StoreOwnFields(CArchive& ar) const {
  const WorldArchiveContext* context = WorldArchiveContext::Of(ar);
  ar.WriteDouble(altitude);
  ar.WriteString(name);
  if (context != nullptr) context->ShowProgress("Save airport: " + name);
  ar.WriteString(icao);
  ar.WriteDouble(latitude);
  ar.WriteDouble(longitude);
  ar.WriteDouble(magVar);
  ar.WriteTime(sunrise);
  ar.WriteTime(sunset);
  ar.WriteTime(sceneryFileTime);
  for (std::uint32_t count : parkingCounts) ar.WriteU32(count);
  ar.WriteU32(fuelFlags);
  ar.WriteI32(hasILS);
  ar.WriteI32(approachLights);
  ar.WriteI32(runwayLights);
  ar.WriteU32(longestRunway);
  ar.WriteU32(runwayCount);
  ar.WriteU32(surfaceMask);
  ar.WriteFloat(landingFee);
  ar.WriteI32(comTypeMask);
  ar.WriteU32(towerFrequency);
  ar.WriteI32(Code(airportType));
  ar.WriteI32(feeSetByUser);
  ar.WriteI32(useAirport);
  ar.WriteI32(military);
  ar.WriteU8(static_cast<std::uint8_t>(airspaceClass));
  ar.WriteI32(approachComCount);
  ar.WriteCount(static_cast<std::uint32_t>(runways.size()));
  for (const CRunway& runway : runways) {
    ar.WriteI32(runway.surface);
    ar.WriteI32(runway.length);
    ar.WriteI32(runway.width);
  }
  ar.WriteCount(static_cast<std::uint32_t>(parkingSpaces.size()));
  for (const CParkingSpace& space : parkingSpaces) {
    ar.WriteI32(Code(space.type));
    ar.WriteDouble(space.radius);
  }
}

void CAirport::LoadOwnFields(CArchive& ar, int schema) {
  WorldArchiveContext* context = WorldArchiveContext::Of(ar);
  const Settings defaultSettings;
  const Settings& settings = context != nullptr ? *context->settings : defaultSettings;

  // Marks a fee that the archive does not carry.
  constexpr float kNoFee = -1.0f;
  landingFee = kNoFee;

  altitude = ar.ReadDouble();
  name = ar.ReadString();
  if (context != nullptr) context->ShowProgress("Load airport: " + name);
  icao = ar.ReadString();
  latitude = ar.ReadDouble();
  longitude = ar.ReadDouble();
  magVar = ar.ReadDouble();
  sunrise = ar.ReadTime();
  sunset = ar.ReadTime();
  sceneryFileTime = ar.ReadTime();
  const std::size_t countsOffset = ar.Offset();
  std::uint64_t spaces = 0;
  for (std::uint32_t& count : parkingCounts) {
    count = ar.ReadU32();
    spaces += count;
  }
  if (spaces > kMaxParkingSpaces) {
    throw ArchiveError(byte_reader_detail::AtOffset(
        countsOffset, "airport " + icao + " has " + std::to_string(spaces) +
                          " parking spaces, more than a scenery file can describe (" +
                          std::to_string(kMaxParkingSpaces) + ")"));
  }
  fuelFlags = ar.ReadU32();
  hasILS = ar.ReadI32();
  approachLights = ar.ReadI32();
  runwayLights = ar.ReadI32();
  longestRunway = ar.ReadU32();
  runwayCount = ar.ReadU32();
  surfaceMask = ar.ReadU32();
  if (schema >= kSchemaFeeAndRadio) {
    landingFee = ar.ReadFloat();
    comTypeMask = ar.ReadI32();
    towerFrequency = ar.ReadU32();
  }
  if (schema >= kSchemaFixedType) {
    // A type without a name in the type table is treated as not fixed by the user.
    const std::int32_t stored = ar.ReadI32();
    airportType = stored >= Code(AirportType::kDerived) && stored < kAirportTypeCount ? AirportType{stored}
                                                                                      : AirportType::kDerived;
  }
  if (schema >= kSchemaUserFlagsAndLists) {
    feeSetByUser = ar.ReadI32();
    useAirport = ar.ReadI32();
    military = ar.ReadI32();
    airspaceClass = static_cast<char>(ar.ReadU8());
    approachComCount = ar.ReadI32();
    constexpr std::size_t kRecordBytes = 12;
    const std::uint32_t runwayTotal = ar.ReadCount(kRecordBytes);
    runways.clear();
    runways.reserve(runwayTotal);
    for (std::uint32_t i = 0; i < runwayTotal; ++i) {
      CRunway runway;
      runway.surface = ar.ReadI32();
      runway.length = ar.ReadI32();
      runway.width = ar.ReadI32();
      runways.push_back(runway);
    }
    const std::uint32_t spaceTotal = ar.ReadCount(kRecordBytes);
    parkingSpaces.clear();
    parkingSpaces.reserve(spaceTotal);
    for (std::uint32_t i = 0; i < spaceTotal; ++i) {
      CParkingSpace space;
      space.type = ParkingType{ar.ReadI32()};
      space.radius = ar.ReadDouble();
      parkingSpaces.push_back(space);
    }
  }

  if (schema < kSchemaKeptFee || landingFee == kNoFee) {
    landingFee = NormalLandingFee(settings);
    airportType = GetType();
  }
  if (schema < kSchemaUserFlagsAndLists) {
    feeSetByUser = 0;
    military = HasMilitaryName(name) ? 1 : 0;
  }
  military = military != 0 || ParkingCount(ParkingType::kRampMilitaryCargo) != 0 ||
                     ParkingCount(ParkingType::kRampMilitaryCombat) != 0
                 ? 1
                 : 0;
  const double normalFee = NormalLandingFee(settings);
  if (0.99 * landingFee <= normalFee && normalFee <= 1.01 * landingFee) feeSetByUser = 0;
  if (context != nullptr) EnterIntoIndex(context->world->airportIndex);
}

}
