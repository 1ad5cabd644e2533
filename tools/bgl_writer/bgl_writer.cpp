#include "bgl_writer/bgl_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace wf::bgl {

namespace {

constexpr std::uint32_t kMagic = 0x19920201;
constexpr std::uint32_t kSecondMagic = 0x08051803;
constexpr std::uint32_t kHeaderSize = 56;
constexpr std::uint32_t kSectionEntrySize = 20;
constexpr std::uint32_t kSubsectionEntrySize = 16;
constexpr std::uint32_t kAirportSection = 3;
constexpr std::uint32_t kNameListSection = 0x27;
constexpr std::uint32_t kSectionFlags = 3;
constexpr std::uint32_t kIcaoEntrySize = 20;
constexpr std::uint32_t kAirportFixedPart = 56;
constexpr std::uint32_t kRunwayChildSize = 24;
constexpr std::uint32_t kParkingEntryFixedPart = 36;
// Airports are grouped into subsections by cells of this many degrees.
constexpr double kCellDegrees = 7.5;

constexpr std::string_view kAlphabet = " -0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Appends little-endian values to one growing buffer, and patches them later.
class Buffer {
 public:
  explicit Buffer(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::uint32_t Offset() const { return static_cast<std::uint32_t>(bytes_.size()); }
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) { Put(v, 2); }
  void U32(std::uint32_t v) { Put(v, 4); }
  void U64(std::uint64_t v) { Put(v, 8); }
  void I32(std::int32_t v) { Put(static_cast<std::uint32_t>(v), 4); }
  void F32(float v) { Put(std::bit_cast<std::uint32_t>(v), 4); }
  void Zeros(std::size_t n) { bytes_.resize(bytes_.size() + n, 0); }
  void Text(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
  }
  void PatchU32(std::uint32_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  // Starts a record or sub-record (id, size to be patched); returns its offset.
  std::uint32_t Begin(std::uint16_t id) {
    const std::uint32_t at = Offset();
    U16(id);
    U32(0);
    return at;
  }
  void End(std::uint32_t at) { PatchU32(at + 2, Offset() - at); }

 private:
  void Put(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& bytes_;
};

std::uint32_t PackLongitude(double longitude) {
  const double u = std::round((longitude + 180.0) * 805306368.0 / 360.0);
  return static_cast<std::uint32_t>(std::clamp(u, 0.0, 4294967295.0));
}

std::uint32_t PackLatitude(double latitude) {
  const double u = std::round((90.0 - latitude) * 536870912.0 / 180.0);
  return static_cast<std::uint32_t>(std::clamp(u, 0.0, 4294967295.0));
}

std::uint32_t CellOf(const AirportDesc& airport) {
  const int columns = static_cast<int>(360.0 / kCellDegrees);
  const int rows = static_cast<int>(180.0 / kCellDegrees);
  const int row =
      std::clamp(static_cast<int>(std::floor((90.0 - airport.latitude) / kCellDegrees)), 0, rows - 1);
  const int column =
      std::clamp(static_cast<int>(std::floor((airport.longitude + 180.0) / kCellDegrees)), 0, columns - 1);
  return static_cast<std::uint32_t>(row * columns + column);
}

// Distinct names of one name list, in order of first use.
class NameTable {
 public:
  NameTable(const char* what, std::size_t limit) : what_(what), limit_(limit) {}

  std::uint32_t IndexOf(const std::string& name) {
    auto [it, inserted] = index_.try_emplace(name, static_cast<std::uint32_t>(names_.size()));
    if (inserted) {
      if (names_.size() == limit_)
        throw std::invalid_argument(std::string("a BGL file holds at most ") + std::to_string(limit_) + " " +
                                    what_);
      names_.push_back(name);
    }
    return it->second;
  }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  const char* what_;
  std::size_t limit_;
  std::unordered_map<std::string, std::uint32_t> index_;
  std::vector<std::string> names_;
};

void WriteRunway(Buffer& out, const RunwayDesc& runway) {
  const std::uint32_t at = out.Begin(0x04);
  out.U16(runway.surface);
  out.U8(0);  // primary number and designator, secondary number and designator
  out.U8(0);
  out.U8(0);
  out.U8(0);
  out.U32(runway.primaryIls.empty() ? 0 : PackIdent(runway.primaryIls));
  out.U32(runway.secondaryIls.empty() ? 0 : PackIdent(runway.secondaryIls));
  out.Zeros(12);  // position and altitude of the runway centre
  out.F32(runway.length);
  out.F32(runway.width);
  out.Zeros(8);                     // heading, pattern altitude
  std::uint16_t markings = 0x0001;  // edges painted
  if (runway.primaryClosed) markings |= 0x0200;
  if (runway.secondaryClosed) markings |= 0x0400;
  out.U16(markings);
  out.U8(runway.lighting);
  out.U8(0);  // pattern flags
  for (const RunwayChild& child : runway.children) {
    const std::uint32_t childAt = out.Begin(child.id);
    out.U16(child.value);
    out.Zeros(kRunwayChildSize - 8);
    out.End(childAt);
  }
  out.End(at);
}

void WriteCom(Buffer& out, const ComDesc& com) {
  const std::uint32_t at = out.Begin(0x12);
  out.U16(com.type);
  out.U32(com.frequency);
  out.Text(com.name);
  out.End(at);
}

void WriteParkingList(Buffer& out, const ParkingListDesc& list) {
  if (list.spaces.size() > 0xFFFF) throw std::invalid_argument("a parking list holds at most 65535 spaces");
  const std::uint32_t at = out.Begin(list.id);
  out.U16(static_cast<std::uint16_t>(list.spaces.size()));
  std::uint32_t number = 1;
  for (const ParkingDesc& space : list.spaces) {
    if (space.type < 0 || space.type > 15) throw std::invalid_argument("a parking type is 0 to 15");
    if (space.airlineCodes.size() > 0xFF)
      throw std::invalid_argument("a parking space has at most 255 airlines");
    const std::uint32_t flags = static_cast<std::uint32_t>(space.type) << 8 | (number++ & 0xFFF) << 12 |
                                static_cast<std::uint32_t>(space.airlineCodes.size()) << 24;
    out.U32(flags);
    out.F32(space.radius);
    out.Zeros(kParkingEntryFixedPart - 8);  // heading, tee offsets, position
    for (const std::string& code : space.airlineCodes) {
      char packed[4] = {};
      std::memcpy(packed, code.data(), std::min<std::size_t>(code.size(), 4));
      for (char c : packed) out.U8(static_cast<std::uint8_t>(c));
    }
  }
  out.End(at);
}

void WriteAirportRecord(Buffer& out, const AirportDesc& airport) {
  const std::uint32_t at = out.Begin(0x3C);
  std::uint8_t parkingCount = 0;
  for (const auto& list : airport.parkingLists)
    parkingCount = static_cast<std::uint8_t>(std::min<std::size_t>(255, parkingCount + list.spaces.size()));
  out.U8(static_cast<std::uint8_t>(std::min<std::size_t>(255, airport.runways.size())));
  out.U8(static_cast<std::uint8_t>(std::min<std::size_t>(255, airport.coms.size())));
  out.U8(0);  // starts
  out.U8(0);  // approaches
  out.U8(0);  // aprons
  out.U8(0);  // helipads
  out.U32(PackLongitude(airport.longitude));
  out.U32(PackLatitude(airport.latitude));
  out.I32(static_cast<std::int32_t>(std::lround(airport.altitude * 1000.0)));
  out.U32(PackLongitude(airport.longitude));  // tower position
  out.U32(PackLatitude(airport.latitude));
  out.I32(static_cast<std::int32_t>(std::lround(airport.altitude * 1000.0)));
  out.F32(airport.magVar);
  out.U32(PackIdent(airport.recordIdent.empty() ? airport.ident : airport.recordIdent));
  out.U32(0);  // region ident
  out.U32(airport.fuelFlags);
  out.Zeros(kAirportFixedPart - 52);
  const std::uint32_t nameAt = out.Begin(0x19);
  out.Text(airport.name);
  out.End(nameAt);
  for (const RunwayDesc& runway : airport.runways) WriteRunway(out, runway);
  for (const ComDesc& com : airport.coms) WriteCom(out, com);
  for (const ParkingListDesc& list : airport.parkingLists) WriteParkingList(out, list);
  out.End(at);
}

void WriteNameListStrings(Buffer& out, const std::vector<std::string>& names) {
  std::uint32_t offset = 0;
  for (const std::string& name : names) {
    out.U32(offset);
    offset += static_cast<std::uint32_t>(name.size() + 1);
  }
  for (const std::string& name : names) out.Text(name);
}

void WriteHeader(Buffer& out, std::uint64_t fileTime, std::uint32_t sectionCount) {
  out.U32(kMagic);
  out.U32(kHeaderSize);
  out.U64(fileTime);
  out.U32(kSecondMagic);
  out.U32(sectionCount);
  out.Zeros(kHeaderSize - 24);
}

}

std::uint64_t FileTimeFromStamp(TimeValue stamp) {
  return static_cast<std::uint64_t>(stamp + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
}

std::uint32_t PackIdent(const std::string& ident) {
  if (ident.size() > 4) throw std::invalid_argument("ident \"" + ident + "\" has more than four characters");
  std::uint32_t value = 0;
  for (char c : ident) {
    const std::size_t digit = kAlphabet.find(c);
    if (digit == std::string_view::npos)
      throw std::invalid_argument("ident \"" + ident + "\" has a character outside \" -0-9A-Z\"");
    value = value * 38 + static_cast<std::uint32_t>(digit);
  }
  return value << 5;
}

BglImage WriteAirportBgl(const BglFileDesc& file) {
  const std::vector<AirportDesc>& airports = file.airports;
  if (airports.size() > 0xFFFF) throw std::invalid_argument("a BGL file holds at most 65535 airports");

  // Name lists and ICAO entries, in input order; checked before anything is written.
  NameTable regions("regions", 256), countries("countries", 256), states("states", 16);
  NameTable cities("cities", 0xFFFF), airportNames("airport names", 0xFFFF);
  struct IcaoEntry {
    std::uint32_t region, country, state, city, name, ident;
  };
  std::vector<IcaoEntry> entries;
  entries.reserve(airports.size());
  for (const AirportDesc& airport : airports) {
    entries.push_back({regions.IndexOf(airport.region), countries.IndexOf(airport.country),
                       states.IndexOf(airport.state), cities.IndexOf(airport.city),
                       airportNames.IndexOf(airport.name), PackIdent(airport.ident)});
    if (!airport.recordIdent.empty()) PackIdent(airport.recordIdent);
  }

  // Subsections: the cells in ascending id, each listing its airports in input order.
  std::map<std::uint32_t, std::vector<std::size_t>> cells;
  for (std::size_t i = 0; i < airports.size(); ++i) cells[CellOf(airports[i])].push_back(i);
  const std::uint32_t subsectionCount = std::max<std::uint32_t>(1, static_cast<std::uint32_t>(cells.size()));

  BglImage image;
  image.bytes.reserve(1024 + airports.size() * 512);
  Buffer out(image.bytes);
  WriteHeader(out, file.fileTime, 2);

  image.airportSubsectionTable = kHeaderSize + 2 * kSectionEntrySize;
  image.nameListSubsectionTable = image.airportSubsectionTable + subsectionCount * kSubsectionEntrySize;
  image.firstRecord = image.nameListSubsectionTable + kSubsectionEntrySize;

  out.U32(kAirportSection);
  out.U32(kSectionFlags);
  out.U32(subsectionCount);
  out.U32(image.airportSubsectionTable);
  out.U32(subsectionCount * kSubsectionEntrySize);
  out.U32(kNameListSection);
  out.U32(kSectionFlags);
  out.U32(1);
  out.U32(image.nameListSubsectionTable);
  out.U32(kSubsectionEntrySize);

  out.Zeros(subsectionCount * kSubsectionEntrySize + kSubsectionEntrySize);  // the tables, patched below

  image.recordOffsets.resize(airports.size());
  std::uint32_t entryAt = image.airportSubsectionTable;
  for (const auto& [cell, members] : cells) {
    const std::uint32_t dataAt = out.Offset();
    for (std::size_t i : members) {
      image.recordOffsets[i] = out.Offset();
      WriteAirportRecord(out, airports[i]);
    }
    out.PatchU32(entryAt, cell);
    out.PatchU32(entryAt + 4, static_cast<std::uint32_t>(members.size()));
    out.PatchU32(entryAt + 8, dataAt);
    out.PatchU32(entryAt + 12, out.Offset() - dataAt);
    entryAt += kSubsectionEntrySize;
  }
  if (cells.empty()) out.PatchU32(entryAt + 8, out.Offset());

  // The name list: header, the five name lists, the ICAO entries.
  image.nameList = out.Offset();
  const std::uint32_t q = image.nameList;
  out.U32(kNameListSection);
  out.U16(0);
  const std::vector<const NameTable*> tables = {&regions, &countries, &states, &cities, &airportNames};
  for (const NameTable* table : tables) out.U16(static_cast<std::uint16_t>(table->Names().size()));
  out.U16(static_cast<std::uint16_t>(entries.size()));
  const std::uint32_t listOffsetsAt = out.Offset();
  out.Zeros(6 * 4);
  for (std::size_t i = 0; i < tables.size(); ++i) {
    out.PatchU32(listOffsetsAt + 4 * static_cast<std::uint32_t>(i), out.Offset() - q);
    WriteNameListStrings(out, tables[i]->Names());
  }
  out.PatchU32(listOffsetsAt + 20, out.Offset() - q);
  image.icaoList = out.Offset();
  for (const IcaoEntry& entry : entries) {
    out.U8(static_cast<std::uint8_t>(entry.region));
    out.U8(static_cast<std::uint8_t>(entry.country));
    out.U8(static_cast<std::uint8_t>(entry.state << 4));
    out.U8(0);
    out.U16(static_cast<std::uint16_t>(entry.city));
    out.U16(static_cast<std::uint16_t>(entry.name));
    out.U32(entry.ident);
    out.Zeros(kIcaoEntrySize - 12);
  }

  const std::uint32_t nameListEntry = image.nameListSubsectionTable;
  out.PatchU32(nameListEntry, kNameListSection);
  out.PatchU32(nameListEntry + 4, 1);
  out.PatchU32(nameListEntry + 8, q);
  out.PatchU32(nameListEntry + 12, out.Offset() - q);
  return image;
}

std::vector<std::uint8_t> WriteOtherBgl(std::uint32_t sectionType, std::uint64_t fileTime) {
  std::vector<std::uint8_t> bytes;
  Buffer out(bytes);
  WriteHeader(out, fileTime, 1);
  const std::uint32_t table = kHeaderSize + kSectionEntrySize;
  out.U32(sectionType);
  out.U32(1);
  out.U32(1);
  out.U32(table);
  out.U32(kSubsectionEntrySize);
  out.U32(0);
  out.U32(0);
  out.U32(table + kSubsectionEntrySize);
  out.U32(0);
  return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}
