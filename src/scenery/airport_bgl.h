#pragma once
// The BGL airport reader: merges the airports of one FSX scenery file into the world database.
//
// Two passes over one file held in memory. The first pass walks the file's name list and builds
// the geographic tree (region, country, state, city, airport) with FindOrCreateAirport, naming each
// airport. The second pass walks the airport records and fills position, runways, radio and
// parking into the airports of airportIndex. Of several files describing one airport, the file
// with the latest header time stamp decides its data (on equal stamps, the file read last); the
// name, though, is taken from every file read.
//
// Format, as far as this reader uses it (all numbers little-endian, offsets in bytes):
//   Header, 56 bytes at 0: u32 magic 0x19920201, u32 header size 56, u64 FILETIME at 8.
//   Section pointer table from 56, 20 bytes a section: type, flags, subsection count, file offset
//     S of the section's subsection table, size of that table. The airport section (type 3) comes
//     first; the name list section (0x27) last, and its subsection table directly follows the
//     airport section's, so the 16 bytes ending at S are the tail of the name list's pointer:
//     "link block" = flags (3), count, P (file offset of the name list's subsection table), size.
//   Subsection entries, 16 bytes: id, record count, file offset of the data, data size. The first
//     airport subsection (at S) gives R, the first airport record; the name list subsection (at P)
//     gives Q, the name list record. The airport records of all subsections follow one another.
//   Name list at Q: u32 tag 0x27, u16 unused, u16 counts of region, country, state, city and
//     airport names and of ICAO entries (N), then u32 offsets (from Q) of the five name lists and
//     the ICAO list. A name list is `count` u32 string offsets, then the NUL-terminated strings;
//     string i starts at list + 4 * count + offset i. Names are kept as bytes, cut to 48.
//   ICAO entry, 20 bytes: u8 region index, u8 country index, u8 state index in the upper four bits,
//     u8 unused, u16 city index, u16 airport name index, u32 packed ident.
//   Airport record: u16 id, u32 size (with these 6 bytes), u32 longitude at 12, u32 latitude at
//     16, i32 altitude (mm) at 20, f32 magnetic variation at 36, u32 packed ident at 40, u32 fuel
//     flags at 48, sub-records from 56. Sub-records: u16 id, u32 size (with these 6 bytes):
//       0x04 runway (52+): u16 surface at 6, u32 ILS idents at 12 and 16, f32 length and width (m)
//            at 32 and 36, u16 markings at 48 (0x0200 / 0x0400: primary / secondary end closed),
//            u8 lighting at 50, children from 52; children 0x0B..0x0E (8+) hold a u16 at 6;
//       0x12 COM (12+): u16 type at 6, u32 frequency at 8;
//       0x1B, 0x3D parking lists (44+): u16 entry count at 6, entries from 8, each 36 + 4 c bytes:
//            type in the low four bits of byte 1, airline code count c in byte 3, f32 radius at 4.
//   Packed ident: the u32 shifted right by 5 holds four base-38 digits, most significant first, of
//     " -0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"; blanks are dropped.
//   Packed position: longitude = u * 360 / (3 * 2^28) - 180, latitude = 90 - u * 180 / 2^29.
//
// Faults: a file without this layout is left alone. A short read, a size or offset outside the
// file, or S, P, Q or R outside the file ends the reading of the file with a message (what the
// first pass added stays). Sub-records are walked as scenery tools write them, without messages: one
// is read when the bytes its fields need lie inside its airport record, whatever size it declares;
// the walk moves on by the declared size and ends at a size of 0 or at the record's end (the same
// for runway children, up to their runway's end). No read leaves the record. Every message is
// shown through the Prompter and returned in the result; Read itself never throws.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "archive/byte_reader.h"
#include "platform/calendar.h"
#include "platform/progress.h"
#include "platform/prompter.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf {

// Where users report a scenery file the reader cannot handle.
inline constexpr const char* kProblemReportContact = "see \"Reporting a problem\" in Wingfold's README";

// What the scenery reader and the scan work on. Not owned; all must outlive the reader.
struct SceneryContext {
  World& world;
  const Settings& settings;  // startDate for sun times, fees for NormalLandingFee
  Progress& progress;
  Prompter& prompter;
};

enum class BglReadStatus {
  kRead,       // an airport file, read to its end without a fault
  kLeftAlone,  // not an airport file (a layout check failed); the database is untouched
  kError,      // an airport file (or an unreadable one) with at least one fault; see errors
};

struct BglReadResult {
  BglReadStatus status = BglReadStatus::kLeftAlone;
  // The layout checks passed (so also for some files with status kError).
  bool airportFile = false;
  // Every message shown through the Prompter, in order.
  std::vector<std::string> errors;
  // Airports the first pass created (not owned; they live in the world's tree).
  std::vector<CAirport*> added;
  // Airports that existed before this file and took the data of one of its records.
  std::vector<CAirport*> updated;

  // The classic result: 0 when a layout check failed, else 1.
  int LayoutCode() const { return status == BglReadStatus::kLeftAlone ? 0 : 1; }
};

struct LatLon {
  double latitude = 0.0;   // degrees, north positive
  double longitude = 0.0;  // degrees, east positive
};

class CAirportBGL {
 public:
  // A reader of the file at `path`; the file is read by Read. A file that cannot be opened is
  // reported by Read as a file error.
  CAirportBGL(std::filesystem::path path, const SceneryContext& context);
  // A reader of `contents`, read as if they were the file at `path` (which names it in messages).
  CAirportBGL(std::filesystem::path path, std::vector<std::uint8_t> contents, const SceneryContext& context);

  CAirportBGL(const CAirportBGL&) = delete;
  // Reads the file into `buffer` instead of a buffer of its own: a scan that reads many files
  // reuses one buffer, and keeps its memory from one file to the next.
  void UseReadBuffer(std::vector<std::uint8_t>& buffer) { buffer_ = &buffer; }
  CAirportBGL& operator=(const CAirportBGL&) = delete;

  // Shows "Read and process <file name>" in the progress box and runs both passes. Never throws;
  // faults are shown through the Prompter and listed in the result.
  BglReadResult Read();

  // The ident text of a packed ident ("KSEA", "EGLL", "3W5").
  static std::string DecodeIdent(std::uint32_t packed);
  static LatLon DecodeLatLon(std::uint32_t packedLongitude, std::uint32_t packedLatitude);
  // Seconds since 1970 (UTC) of a Windows FILETIME; 0 for a FILETIME before 1900 or outside the
  // calendar's window.
  static TimeValue FileTimeToStamp(std::uint64_t fileTime);
  // Whether an airport name marks a military field ("AFB", "Navy", "Army", "RNAS", "RAF", "NAS",
  // "AAF", "Mil", "AB", case-sensitive, anywhere in the name).
  static bool IsMilitaryName(const std::string& name);

  // "Seek error at <position> in File <file>\nPlease report the filename to <contact>"
  static std::string SeekErrorMessage(std::uint64_t lastSeekPosition, const std::string& fileName);

 private:
  struct NameList {
    std::uint64_t start = 0;  // file offset of the string offset array
    std::uint16_t count = 0;
  };
  // Region, country, state, city and airport names, in this order.
  static constexpr std::size_t kNameListCount = 5;

  void LoadFile(std::size_t limit);
  bool ReadHead();
  bool ReadLinks();
  void ReadNameEntries();
  std::string ReadName(const NameList& list, std::size_t index) const;
  // Reads the airport record at the reader's position and moves past it. 1 when the record updated
  // an airport, 0 when it was skipped. Throws for a record whose size does not fit the file.
  int ReadAirportRecord();
  void ReadSubRecords(CAirport& airport, std::size_t begin, std::size_t end);
  void ReadRunway(CAirport& airport, ByteReader& in, std::size_t start, std::size_t size);
  void ReadCom(CAirport& airport, ByteReader& in, std::size_t start);
  void ReadParkingList(CAirport& airport, ByteReader& in, std::size_t start, std::size_t size,
                       bool storeSpaces);
  // Moves to an offset taken from the layout (S, P, Q, R); outside the file, a seek error.
  void SeekTo(std::int64_t position);
  void Report(const std::string& message);
  std::string FileName() const;

  std::filesystem::path path_;
  SceneryContext context_;
  std::optional<std::vector<std::uint8_t>> given_;  // contents handed to the constructor
  std::vector<std::uint8_t> data_;                  // the file as read, during Read
  std::vector<std::uint8_t>* buffer_ = &data_;      // where the file is read to
  std::span<const std::uint8_t> bytes_;             // what is parsed: data_ or given_
  ByteReader in_;
  TimeValue fileStamp_ = 0;
  std::uint64_t lastSeekPosition_ = 0;
  std::string lastIdent_;

  std::uint32_t airportSubsectionTable_ = 0;  // S
  std::uint32_t firstRecord_ = 0;             // R
  std::uint16_t icaoCount_ = 0;               // N
  std::uint64_t icaoList_ = 0;                // file offset of the ICAO entries
  std::array<NameList, kNameListCount> nameLists_{};

  BglReadResult result_;
  std::unordered_set<const CAirport*> created_;
  // City nodes of this file by region, country, state and city name index.
  std::unordered_map<std::uint64_t, CCity*> cityNodes_;
  std::unordered_set<const CAirport*> updated_;
};

}
