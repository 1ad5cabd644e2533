#include "app/database_dump.h"

#include <algorithm>
#include <ostream>

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "world/world.h"
#include "world/world_archive.h"

namespace wf {

namespace {

// The class name of the first stored object, or empty.
std::string FirstClassName(std::span<const std::uint8_t> data) {
  try {
    CArchive ar(data, WorldClassRegistry());
    if (ar.ReadCount() == 0) return {};
    ar.ReadString();
    return ar.PeekClassName();
  } catch (const ArchiveError&) {
    return {};
  }
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

void PrintAirport(const CAirport& a, std::ostream& out, const Settings& settings) {
  std::string typeName, surfaceName;
  a.GetTypeName(typeName);
  a.GetSurfaceName(surfaceName);
  out << "        CAirport " << Quoted(a.icao) << " name " << Quoted(a.name) << "\n";
  out << "          position " << FormatFixed(a.latitude, 6) << ", " << FormatFixed(a.longitude, 6)
      << "  altitude " << FormatFixed(a.altitude, 1) << " m  magVar " << FormatFixed(a.magVar, 2) << "\n";
  out << "          type " << Code(a.GetType()) << " (" << typeName << ", stored " << Code(a.airportType)
      << ")  surface " << surfaceName << "  runways " << a.runwayCount << "  longest " << a.longestRunway
      << " m  ILS " << a.hasILS << "  lights " << a.runwayLights << "  approach lights " << a.approachLights
      << "\n";
  out << "          fee " << FormatFixed(a.landingFee, 2) << " (normal "
      << FormatFixed(a.NormalLandingFee(settings), 2) << ", set by user " << a.feeSetByUser << ")  use "
      << a.useAirport << "  military " << a.military << "  airspace " << a.airspaceClass << "  tower "
      << a.towerFrequency << "  com mask " << a.comTypeMask << "  approach com " << a.approachComCount
      << "  fuel 0x" << std::hex << a.fuelFlags << std::dec << "\n";
  out << "          sunrise " << a.sunrise << "  sunset " << a.sunset << "  scenery time "
      << a.sceneryFileTime << "\n";
  out << "          parking counts";
  for (auto count : a.parkingCounts) out << ' ' << count;
  out << "\n";
  for (const auto& r : a.runways) {
    out << "          runway surface " << r.surface << "  length " << r.length << " m  width " << r.width
        << " m\n";
  }
  for (const auto& p : a.parkingSpaces) {
    out << "          parking type " << Code(p.type) << "  radius " << FormatFixed(p.radius, 1) << " m\n";
  }
}

void PrintRegions(const World& world, std::ostream& out, const Settings& settings) {
  for (const auto& [regionKey, region] : world.regionMap) {
    out << "CRegion " << Quoted(regionKey) << " use " << region->use << "\n";
    for (const auto& [countryKey, country] : region->countries) {
      out << "  CCountry " << Quoted(countryKey) << " use " << country->countryUse << " patterns "
          << country->patternCount << ":";
      for (int i = 0; i < country->PatternsInUse(); ++i) out << ' ' << country->registrationPatterns[i];
      out << "\n";
      for (const auto& [stateKey, state] : country->states) {
        out << "    CState " << Quoted(stateKey) << "\n";
        for (const auto& [cityKey, city] : state->cities) {
          out << "      CCity " << Quoted(cityKey) << "\n";
          for (const auto& entry : city->airports) PrintAirport(*entry.second, out, settings);
        }
      }
    }
  }
}

void PrintAircraftTypes(const World& world, std::ostream& out) {
  for (const auto& [key, a] : world.aircraftTypes) {
    out << "CAircraft " << Quoted(key) << "\n"
        << "  cruise " << a->cruiseSpeed << " kt  stall " << a->stallSpeed << " kt  range " << a->range
        << " nm  ceiling " << a->ceiling << " ft  engines " << a->engineCount << " (type "
        << Code(a->engineType) << ")\n"
        << "  weights empty " << a->emptyWeight << " kg  max " << a->maxWeight << " kg  wing span "
        << a->wingSpan << " m  fuel type " << Code(a->fuelType) << "  capacity " << a->fuelCapacity
        << " l  flow " << FormatFixed(a->fuelFlow, 1) << " l/h\n"
        << "  probability " << FormatFixed(a->probability, 1) << "  money/week "
        << FormatFixed(a->moneyPerWeek, 2) << "  usage 0x" << std::hex << a->usage << std::dec << "  GA "
        << a->useForGA << "  wheels " << a->hasWheels << "  IFR " << a->ifr << "  amphibian " << a->amphibian
        << "  skis " << a->skis << "  bush " << a->bushPlane << "\n";
  }
}

void PrintAircraftNames(const World& world, std::ostream& out) {
  for (const auto& [key, v] : world.aircraftNames) {
    out << "CAI_Aircraft " << Quoted(key) << "\n"
        << "  model " << (v->aircraft ? Quoted(v->aircraft->name) : std::string("(missing)")) << "  number "
        << v->number << "  probability " << FormatFixed(v->probability, 1) << "  GA " << v->useForGA
        << "  money/week " << FormatFixed(v->moneyPerWeek, 2) << "  usage 0x" << std::hex << v->usage
        << std::dec << "  percentage " << v->percentage << "\n";
  }
}

}

DumpResult DumpDatabaseFile(const std::filesystem::path& file, std::ostream& out) {
  DumpResult result;
  FileReadFailure failure;
  const auto bytes = ReadFileBytes(file, &failure);
  if (!bytes) {
    result.error = failure.missing ? "no such file" : failure.reason;
    return result;
  }
  result.opened = true;
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                           bytes->size());

  std::string firstClass = FirstClassName(data);
  const std::string name = ToLowerAscii(PathUtf8(file.filename()));
  if (firstClass.empty()) {
    if (name == "aircrafttypes.dat")
      firstClass = "CAircraft";
    else if (name == "aircraftnames.dat")
      firstClass = "CAI_Aircraft";
    else
      firstClass = "CRegion";
  }

  World world;
  Settings settings;
  SilentPrompter quiet;  // a variation without its model is shown as "(missing)" instead
  WorldArchiveContext context(world, settings, nullptr, &quiet);
  try {
    if (firstClass == "CAircraft") {
      result.kind = "aircraft types";
      LoadAircraftTypes(data, context);
    } else if (firstClass == "CAI_Aircraft") {
      result.kind = "aircraft names";
      LoadAircraftNames(data, context);
    } else {
      result.kind = "airports";
      LoadRegionMap(data, context);
    }
    result.complete = true;
  } catch (const std::exception& e) {
    result.error = e.what();
  }

  out << file.string() << ": " << result.kind << ", " << bytes->size() << " bytes\n";
  if (result.kind == "aircraft types")
    PrintAircraftTypes(world, out);
  else if (result.kind == "aircraft names")
    PrintAircraftNames(world, out);
  else
    PrintRegions(world, out, settings);

  std::size_t airports = 0;
  for (const auto& entry : world.regionMap) ForEachAirport(*entry.second, [&](CAirport&) { ++airports; });
  out << "-- " << world.regionMap.size() << " regions, " << airports << " airports, "
      << world.aircraftTypes.size() << " models, " << world.aircraftNames.size() << " variations"
      << (result.complete ? "" : " read before the fault") << "\n";
  return result;
}

}
