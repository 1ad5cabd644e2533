#pragma once
// Flight models (.air files) of AI copies: the library of AI flight models, replacing and restoring
// the flight model of a copy, and the one record every copy's .air files get patched.
//
// The library is the folder "AIR Files" in the work folder. A library file is named
//   <display name>@<cruise>#<stall>.air        e.g. "Light single@110#48.air"
// with the cruise and stall speeds (knots) of the aircraft it suits.
//
// A .air file is a sequence of records, each a 32-bit little-endian identifier, a 32-bit
// little-endian data length, then that many data bytes. Record 261 (0x105) of an AI copy starts
// with the 32-bit value 2.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/prompter.h"

namespace wf {

inline constexpr const char* kAirFileLibraryFolder = "AIR Files";
inline constexpr std::uint32_t kAIRecordId = 261;
inline constexpr std::uint32_t kAIRecordValue = 2;

struct AirFileEntry {
  std::string title;        // the file name without ".air"
  std::string displayName;  // the title up to its first "@"
  std::filesystem::path path;
};

// The library's .air files in listing order (names without regard to case); none when the folder
// is missing.
std::vector<AirFileEntry> ListAirFileLibrary(const std::filesystem::path& workFolder);

// The title's text before its first "@" (the whole title without one).
std::string AirFileDisplayName(std::string_view title);

struct AirFileFigures {
  int cruise = 0;  // knots, rounded
  int stall = 0;
};

// The figures after the first "@": cruise up to the next "#", stall up to the following "#" or the
// end; each read as a decimal number (what does not parse counts 0) and rounded half up. A title
// without "@", or without "#" after it, gives 0 and 0.
AirFileFigures ParseAirFileFigures(std::string_view title);

// The list index to choose first: `titles` holds a title per list index (indexes 0 and 1, "no
// change" and "Flyable", stay empty). The first library entry whose figures lie nearest (sum of
// the cruise and stall differences) to the aircraft's speeds wins; ties keep the lower index, a
// distance of 32767 or more never wins, and with none the choice is 0.
int DefaultAirFileChoice(const std::vector<std::string>& titles, int cruiseSpeed, int stallSpeed);

struct FlightModelReport {
  std::vector<std::filesystem::path> replaced;  // flight models now from the library
  std::vector<std::filesystem::path> restored;  // flight models put back from their org_ backup
  std::vector<std::string> failures;
};

// For every flight model BASE.air of `folder` (or its backup org_BASE.air), once per BASE: the old
// backup is deleted, BASE.air becomes org_BASE.air, and `libraryFile` takes its place. So the
// backup holds the flight model in place before this substitution. The library file is copied in
// first, under another name: when that copy fails, nothing of BASE changes. Where BASE.air is
// missing but its backup is not (an interrupted run), the backup stays as it is.
FlightModelReport ReplaceFlightModels(const std::filesystem::path& folder,
                                      const std::filesystem::path& libraryFile, Prompter* owner);

// For every BASE of `folder` that has org_BASE.air: it is renamed to BASE.air, replacing it. Without
// a backup nothing changes.
FlightModelReport RestoreFlightModels(const std::filesystem::path& folder, Prompter* owner);

enum class AirPatchOutcome {
  kPatched,     // record 261 now starts with 2
  kNoRecord,    // no record 261 (or a file shorter than one record header): unchanged
  kDamaged,     // the records run past the end of the file: unchanged
  kUnreadable,  // the file could not be read: unchanged
  kUnwritable,  // the file could not be opened for writing: unchanged
};

struct AirPatchResult {
  std::filesystem::path file;
  AirPatchOutcome outcome = AirPatchOutcome::kNoRecord;
  std::string detail;  // for kDamaged, kUnreadable, kUnwritable: what was wrong
};

struct AirRecordSearch {
  AirPatchOutcome outcome = AirPatchOutcome::kNoRecord;  // kPatched: found, at valueOffset
  std::size_t valueOffset = 0;                           // the record's first data byte
  std::string detail;
};

// Walks the records from offset 0 to the first record 261 whose data holds at least 4 bytes. The
// walk ends without a find when the next record would start at or beyond the end of the file, or at
// a record 261 with less than 4 bytes of data; a record header or data that runs past the end is
// damage.
AirRecordSearch FindAIRecord(std::span<const std::uint8_t> bytes);

// Patches one .air file in place (only the four bytes of the value are written).
AirPatchResult PatchAirFile(const std::filesystem::path& file);

// Patches every .air file of `folder`, in listing order.
std::vector<AirPatchResult> PatchAirFiles(const std::filesystem::path& folder);

}
