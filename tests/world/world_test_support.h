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

// The inherited parts of a deeper object as the program writes them: empty names, use 1, the three
// default patterns, empty maps.
inline void WriteDefaultRegionPart(CArchive& ar) {
  ar.WriteString("");
  ar.WriteI32(1);
  ar.WriteCount(0);
}
inline void WriteDefaultCountryPart(CArchive& ar) {
  WriteDefaultRegionPart(ar);
  ar.WriteString("");
  ar.WriteI32(3);
  for (const char* pattern : {"N!!!!!", "N!!!!.", "N!!!.."}) ar.WriteString(pattern);
  ar.WriteI32(1);
  ar.WriteCount(0);
}
inline void WriteDefaultStatePart(CArchive& ar) {
  WriteDefaultCountryPart(ar);
  ar.WriteString("");
  ar.WriteCount(0);
}
inline void WriteDefaultCityPart(CArchive& ar) {
  WriteDefaultStatePart(ar);
  ar.WriteString("");
  ar.WriteCount(0);
}

// The airport fields that the older-schema tests vary.
struct HandAirport {
  std::string name = "Test Field";
  std::string icao = "TEST";
  std::array<std::uint32_t, 14> parkingCounts{};
  std::uint32_t fuelFlags = 0;
  std::int32_t hasILS = 0;
  std::int32_t approachLights = 0;
  std::int32_t runwayLights = 0;
  std::uint32_t longestRunway = 0;
  std::uint32_t runwayCount = 0;
  std::uint32_t surfaceMask = 1;  // hard
  float landingFee = 0.0f;
  std::int32_t airportType = -1;
  std::int32_t feeSetByUser = 0;
  std::int32_t useAirport = 1;
  std::int32_t military = 0;
};

// An airport's data after its CCity part, as an archive of `schema` holds them (no runways or
// parking spaces at schema 6 and up).
inline void WriteAirportFields(CArchive& ar, int schema, const HandAirport& a) {
  ar.WriteDouble(100.0);  // altitude
  ar.WriteString(a.name);
  ar.WriteString(a.icao);
  ar.WriteDouble(50.0);     // latitude
  ar.WriteDouble(8.5);      // longitude
  ar.WriteDouble(-1.0);     // magVar
  ar.WriteI32(1136095200);  // sunrise
  ar.WriteI32(1136124000);  // sunset
  ar.WriteI32(1100000000);  // scenery file time
  for (std::uint32_t count : a.parkingCounts) ar.WriteU32(count);
  ar.WriteU32(a.fuelFlags);
  ar.WriteI32(a.hasILS);
  ar.WriteI32(a.approachLights);
  ar.WriteI32(a.runwayLights);
  ar.WriteU32(a.longestRunway);
  ar.WriteU32(a.runwayCount);
  ar.WriteU32(a.surfaceMask);
  if (schema >= 3) {
    ar.WriteFloat(a.landingFee);
    ar.WriteI32(0);  // comTypeMask
    ar.WriteU32(0);  // towerFrequency
  }
  if (schema >= 4) ar.WriteI32(a.airportType);
  if (schema >= 6) {
    ar.WriteI32(a.feeSetByUser);
    ar.WriteI32(a.useAirport);
    ar.WriteI32(a.military);
    ar.WriteU8('G');
    ar.WriteI32(0);    // approachComCount
    ar.WriteCount(0);  // runways
    ar.WriteCount(0);  // parking spaces
  }
}

// A region map file holding one airport, in region "R", country "C", state "S", city "Ci".
inline std::vector<std::uint8_t> OneAirportFile(int schema, const HandAirport& airport) {
  ArchiveBuilder b;
  CArchive& ar = b.ar;
  ar.WriteCount(1);
  ar.WriteString("R");
  b.NewClass("CRegion", 2);
  ar.WriteString("R");
  ar.WriteI32(1);
  ar.WriteCount(1);
  ar.WriteString("C");
  b.NewClass("CCountry", 2);
  WriteDefaultRegionPart(ar);
  ar.WriteString("C");
  ar.WriteI32(3);
  for (const char* pattern : {"N!!!!!", "N!!!!.", "N!!!.."}) ar.WriteString(pattern);
  ar.WriteI32(1);
  ar.WriteCount(1);
  ar.WriteString("S");
  b.NewClass("CState", 2);
  WriteDefaultCountryPart(ar);
  ar.WriteString("S");
  ar.WriteCount(1);
  ar.WriteString("Ci");
  b.NewClass("CCity", 1);
  WriteDefaultStatePart(ar);
  ar.WriteString("Ci");
  ar.WriteCount(1);
  ar.WriteString(airport.icao);
  b.NewClass("CAirport", static_cast<std::uint16_t>(schema));
  WriteDefaultCityPart(ar);
  WriteAirportFields(ar, schema, airport);
  return b.bytes;
}

}
