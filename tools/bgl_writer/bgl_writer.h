#pragma once
// Writes FSX airport scenery files (BGL) in the layout the simulator's scenery compiler produces,
// for tests, the demo world and benchmarks. Not part of the product.
//
// Layout written (little-endian):
//   header, 56 bytes: magic 0x19920201, header size 56, FILETIME, 0x08051803, section count 2,
//     the rest zero;
//   section pointer table, 20 bytes a section: type, flags, subsection count, file offset of the
//     subsection table, size of that table. The airport section (3) first, the name list (0x27)
//     last, both with flags 3;
//   the airport subsection table (S = 96), one 16-byte entry per cell of the airports' positions
//     (id, record count, data offset, data size), then the name list's subsection table (P), one
//     entry;
//   the airport records of all subsections back to back (R = P + 16), cell by cell in ascending
//     cell id, the airports of a cell in input order; each record: a 0x19 name sub-record, the
//     runways (0x04, with their children), the COM entries (0x12) and the parking lists;
//   the name list record (Q): header, region, country, state, city and airport name lists (each
//     an offset array and NUL-terminated strings), then the ICAO entries in input order.
// A name list holds each distinct name once. A file can hold at most 256 regions, 256 countries,
// 16 states, 65535 cities, 65535 airport names and 65535 airports; more throws.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/calendar.h"

namespace wf::bgl {

// Runway children 0x0B to 0x0E (the visual approach aids), 24 bytes each.
struct RunwayChild {
  std::uint16_t id = 0x0B;
  std::uint16_t value = 1;  // the u16 at offset 6
};

struct RunwayDesc {
  std::uint16_t surface = 0;  // surface code: 0 concrete, 1 grass, 2 water, 4 asphalt, 0xFE unknown, ...
  float length = 1000.0f;     // metres
  float width = 30.0f;        // metres
  std::string primaryIls;     // ILS ident text; empty: none
  std::string secondaryIls;
  bool primaryClosed = false;    // marking flag 0x0200
  bool secondaryClosed = false;  // marking flag 0x0400
  std::uint8_t lighting = 0;     // lighting flags byte
  std::vector<RunwayChild> children;
};

// COM types: 2 multicom, 3 unicom, 6 tower, 8 approach, 9 departure, 11 flight service station.
struct ComDesc {
  std::uint16_t type = 3;
  std::uint32_t frequency = 122800000;  // stored as given
  std::string name;
};

struct ParkingDesc {
  int type = 1;  // 0..15: 1 GA ramp, ..., 8..10 gates, 12 fuel, 13 vehicles
  float radius = 10.0f;
  std::vector<std::string> airlineCodes;  // up to 4 characters each
};

struct ParkingListDesc {
  std::uint16_t id = 0x3D;  // 0x3D or 0x1B
  std::vector<ParkingDesc> spaces;
};

struct AirportDesc {
  std::string ident;  // up to four of " -0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
  // Written in the airport record instead of `ident` when not empty (to build damaged files).
  std::string recordIdent;
  std::string region;
  std::string country;
  std::string state;
  std::string city;
  std::string name;
  double latitude = 0.0;   // degrees, north positive
  double longitude = 0.0;  // degrees, east positive
  double altitude = 0.0;   // metres
  float magVar = 0.0f;
  std::uint32_t fuelFlags = 0;
  std::vector<RunwayDesc> runways;
  std::vector<ComDesc> coms;
  std::vector<ParkingListDesc> parkingLists;
};

struct BglFileDesc {
  std::uint64_t fileTime = 0;  // Windows FILETIME; see FileTimeFromStamp
  std::vector<AirportDesc> airports;
};

// The written file, with the offsets of its parts (for tests that damage them).
struct BglImage {
  std::vector<std::uint8_t> bytes;
  std::uint32_t airportSubsectionTable = 0;   // S
  std::uint32_t nameListSubsectionTable = 0;  // P
  std::uint32_t firstRecord = 0;              // R
  std::uint32_t nameList = 0;                 // Q
  std::uint32_t icaoList = 0;                 // file offset of the first ICAO entry
  std::vector<std::uint32_t> recordOffsets;   // file offset of the record of airport i (input order)
};

// The FILETIME of a time value (seconds since 1970, UTC).
std::uint64_t FileTimeFromStamp(TimeValue stamp);

// The packed form of an ident (the inverse of the reader's decoding). Throws std::invalid_argument
// for more than four characters or one outside the alphabet.
std::uint32_t PackIdent(const std::string& ident);

// Throws std::invalid_argument for an input the format cannot hold.
BglImage WriteAirportBgl(const BglFileDesc& file);

// A BGL file with one section of `sectionType` and no records (a non-airport file).
std::vector<std::uint8_t> WriteOtherBgl(std::uint32_t sectionType, std::uint64_t fileTime);

// Writes `bytes` to `path`; throws std::runtime_error when that fails.
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}
