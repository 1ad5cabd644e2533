#pragma once
// Hand-written archive pieces for the world tests, written field by field from the file format,
// independently of the records' own Serialize.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive.h"

namespace wf::worldtest {

// Bytes written with the archive's primitives, plus hand-made object tags.
struct ArchiveBuilder {
  std::vector<std::uint8_t> bytes;
  CArchive ar{bytes};

  void NewClass(const std::string& name, std::uint16_t schema) {
    ar.WriteU16(0xFFFF);
    ar.WriteU16(schema);
    ar.WriteU16(static_cast<std::uint16_t>(name.size()));
    ar.WriteBytes({reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
  }
  void KnownClass(std::uint16_t index) { ar.WriteU16(static_cast<std::uint16_t>(0x8000 | index)); }
};

// A level's part of an object as the program writes it: the inherited parts with empty names, use
// 1, the three default patterns and empty maps, then the level's name and the count of its map.
inline void WriteRegionPart(CArchive& ar, const std::string& name = "", std::uint32_t count = 0) {
  ar.WriteString(name);
  ar.WriteI32(1);
  ar.WriteCount(count);
}
inline void WriteCountryPart(CArchive& ar, const std::string& name = "", std::uint32_t count = 0) {
  WriteRegionPart(ar);
  ar.WriteString(name);
  ar.WriteI32(3);
  for (const char* pattern : {"N!!!!!", "N!!!!.", "N!!!.."}) ar.WriteString(pattern);
  ar.WriteI32(1);
  ar.WriteCount(count);
}
inline void WriteStatePart(CArchive& ar, const std::string& name = "", std::uint32_t count = 0) {
  WriteCountryPart(ar);
  ar.WriteString(name);
  ar.WriteCount(count);
}
inline void WriteCityPart(CArchive& ar, const std::string& name = "", std::uint32_t count = 0) {
  WriteStatePart(ar);
  ar.WriteString(name);
  ar.WriteCount(count);
}

// An airport's own fields as an archive holds them.
struct HandAirport {
  std::string name = "Test Field";
  std::string icao = "TEST";
  TimeValue sunset = 1136124000;
  std::array<std::uint32_t, 14> parkingCounts{};
  std::uint32_t fuelFlags = 0;
  std::int32_t hasILS = 0;
  std::int32_t approachLights = 0;
  std::int32_t runwayLights = 0;
  std::uint32_t longestRunway = 0;
  std::uint32_t runwayCount = 0;
  std::uint32_t surfaceMask = 1;  // hard
  float landingFee = 0.0f;
  std::int32_t comTypeMask = 0;
  std::uint32_t towerFrequency = 0;
  std::int32_t airportType = -1;
  std::int32_t feeSetByUser = 0;
  std::int32_t useAirport = 1;
  std::int32_t military = 0;
  char airspaceClass = 'G';
  std::int32_t approachComCount = 0;
  std::vector<std::array<std::int32_t, 3>> runways = {};     // surface, length, width
  std::vector<std::pair<std::int32_t, double>> spaces = {};  // type, radius
};

// An airport's data after its CCity part, as an archive of `schema` holds them (no runways or
// parking spaces before schema 6).
inline void WriteAirportFields(CArchive& ar, int schema, const HandAirport& a) {
  ar.WriteDouble(100.0);  // altitude
  ar.WriteString(a.name);
  ar.WriteString(a.icao);
  ar.WriteDouble(50.0);      // latitude
  ar.WriteDouble(8.5);       // longitude
  ar.WriteDouble(-1.0);      // magVar
  ar.WriteTime(1136095200);  // sunrise
  ar.WriteTime(a.sunset);
  ar.WriteTime(1100000000);  // scenery file time
  for (std::uint32_t count : a.parkingCounts) ar.WriteU32(count);
  for (std::uint32_t value : {a.fuelFlags, std::uint32_t(a.hasILS), std::uint32_t(a.approachLights),
                              std::uint32_t(a.runwayLights), a.longestRunway, a.runwayCount, a.surfaceMask})
    ar.WriteU32(value);
  if (schema >= 3) {
    ar.WriteFloat(a.landingFee);
    ar.WriteI32(a.comTypeMask);
    ar.WriteU32(a.towerFrequency);
  }
  if (schema >= 4) ar.WriteI32(a.airportType);
  if (schema < 6) return;
  for (std::int32_t value : {a.feeSetByUser, a.useAirport, a.military}) ar.WriteI32(value);
  ar.WriteU8(static_cast<std::uint8_t>(a.airspaceClass));
  ar.WriteI32(a.approachComCount);
  ar.WriteCount(static_cast<std::uint32_t>(a.runways.size()));
  for (const auto& runway : a.runways)
    for (std::int32_t value : runway) ar.WriteI32(value);
  ar.WriteCount(static_cast<std::uint32_t>(a.spaces.size()));
  for (const auto& [type, radius] : a.spaces) {
    ar.WriteI32(type);
    ar.WriteDouble(radius);
  }
}

// A region map file holding one airport, in region "R", country "C", state "S", city "Ci".
inline std::vector<std::uint8_t> OneAirportFile(int schema, const HandAirport& airport) {
  ArchiveBuilder b;
  b.ar.WriteCount(1);
  b.ar.WriteString("R");
  b.NewClass("CRegion", 2);
  WriteRegionPart(b.ar, "R", 1);
  b.ar.WriteString("C");
  b.NewClass("CCountry", 2);
  WriteCountryPart(b.ar, "C", 1);
  b.ar.WriteString("S");
  b.NewClass("CState", 2);
  WriteStatePart(b.ar, "S", 1);
  b.ar.WriteString("Ci");
  b.NewClass("CCity", 1);
  WriteCityPart(b.ar, "Ci", 1);
  b.ar.WriteString(airport.icao);
  b.NewClass("CAirport", static_cast<std::uint16_t>(schema));
  WriteCityPart(b.ar);
  WriteAirportFields(b.ar, schema, airport);
  return b.bytes;
}

}
