#include "traffic/airports_file.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "geo/units.h"
#include "platform/numbers.h"
#include "platform/record_memory.h"
#include "platform/text.h"

namespace wf {

namespace {

// Whole feet of a length in whole metres. 64 bits: a damaged length cannot overflow.
std::int64_t TruncatedFeet(std::int32_t meters) {
  return static_cast<std::int64_t>(std::trunc(MetersToFeet(static_cast<double>(meters))));
}

// The country the airport's city belongs to; an empty name when the tree above the airport is
// incomplete.
std::string_view CountryName(const CAirport& airport) {
  const CCity* city = airport.city;
  const CState* state = city != nullptr ? city->state : nullptr;
  const CCountry* country = state != nullptr ? state->country : nullptr;
  return country != nullptr ? std::string_view(country->name) : std::string_view();
}

void AppendParking(std::string& out, int count, std::string_view line) {
  for (int i = 0; i < count; ++i) out.append(line);
}

// One group of the ramps that medium and large airports get: 5 small, 2 medium, 1 large.
void AppendRampGroups(std::string& out, int groups) {
  for (int i = 0; i < groups; ++i) {
    AppendParking(out, 5, "PARKING,10.0,RAMP\n");
    AppendParking(out, 2, "PARKING,14.0,RAMP\n");
    AppendParking(out, 1, "PARKING,18.0,RAMP\n");
  }
}

// The spaces every airport of a type offers the compiler besides its collected ones, so that the
// fleet's planes have somewhere to park.
void AppendStandardParking(std::string& out, AirportType airportType) {
  using enum AirportType;
  switch (airportType) {
    case kBush:
      AppendParking(out, 2, "PARKING,10.0,RAMP\n");
      break;
    case kGrassStrip:
      AppendParking(out, 3, "PARKING,10.0,RAMP\n");
      AppendParking(out, 1, "PARKING,14.0,RAMP\n");
      break;
    case kSmallAirfield:
    case kSmallCommercial:
      AppendParking(out, 6, "PARKING,10.0,RAMP\n");
      AppendParking(out, 2, "PARKING,14.0,RAMP\n");
      break;
    case kMediumAirfield:
    case kMediumCommercial:
      AppendRampGroups(out, 2);
      break;
    case kLargeAirfield:
    case kLargeCommercial:
      AppendRampGroups(out, 6);
      break;
    case kSeaplaneBase:
      AppendParking(out, 4, "PARKING,10.0,DOCK\n");
      AppendParking(out, 1, "PARKING,14.0,DOCK\n");
      AppendParking(out, 1, "PARKING,18.0,DOCK\n");
      break;
    default:
      break;
  }
}

void AppendAirportBlock(std::string& out, const CAirport& airport) {
  const std::size_t identStart = out.size();
  AppendCString(out, airport.icao);
  if (out.size() - identStart < 4) out.append(4 - (out.size() - identStart), ' ');
  out += ',';
  AppendFixed(out, airport.latitude, 6);
  out += ',';
  AppendFixed(out, airport.longitude, 6);
  out += ',';
  AppendFixed(out, airport.altitude, 1, 5);
  out += ',';
  if (airport.airspaceClass != '\0') out += airport.airspaceClass;
  out += ',';
  AppendWhole(out, airport.approachComCount);
  out += ",0.70,";
  AppendCString(out, CountryName(airport));
  out += "\n{\n";

  for (const CRunway& runway : airport.runways) {
    out += "RUNWAY,";
    AppendWhole(out, TruncatedFeet(runway.length));
    out += ',';
    AppendWhole(out, TruncatedFeet(runway.width));
    out += ',';
    out += RunwaySurfaceWord(runway.surface);
    out += '\n';
  }
  for (const CParkingSpace& space : airport.parkingSpaces) {
    out += "PARKING,";
    AppendFixed(out, space.radius, 1, 3);
    out += ',';
    out += ParkingWord(space.type);
    out += '\n';
  }
  AppendStandardParking(out, airport.GetType());
  out += "}\n";
}

}

const char* RunwaySurfaceWord(int surfaceCode) {
  switch (surfaceCode) {
    case 2:
      return "WATER";
    case 8:
    case 9:
      return "SNOW";
    case 1:
    case 12:
    case 13:
    case 14:
    case 21:
      return "SOFT";
    // Not named by the scenery format's surface list; these read as unpaved ground.
    case 3:
    case 5:
    case 6:
    case 11:
      return "SOFT";
    default:
      return "HARD";
  }
}

const char* ParkingWord(ParkingType parkingType) {
  using enum ParkingType;
  switch (parkingType) {
    case kRampCargo:
      return "CARGO";
    case kRampMilitaryCargo:
      return "MIL_CARGO";
    case kRampMilitaryCombat:
      return "MIL_COMBAT";
    case kGateSmall:
    case kGateMedium:
    case kGateHeavy:
      return "GATE";
    case kDockGa:
      return "DOCK";
    default:
      return "RAMP";
  }
}

std::string AirportsFileText(const World& world) {
  std::string out;
  out.reserve(world.airportIndex.size() * 512);  // an airport's block takes about 400 bytes
  AdviseHugePages(out.data(), out.capacity());
  for (const auto& [ident, airport] : world.airportIndex) {
    if (ident.empty() || airport == nullptr) continue;
    AppendAirportBlock(out, *airport);
  }
  return out;
}

}
