#pragma once
// GAregnr.txt: the registration patterns of the countries, read into the geographic tree whenever
// the airport database is saved (the patterns are stored with the countries).
//
// Format: text lines; only lines that begin with "COUNTRY;" count, every other line is ignored.
//   COUNTRY;<country name>;<count>;<pattern 1>;<pattern 2>;...
// The count is a decimal number, truncated toward zero; -1 means 11 patterns chosen by aircraft
// class. A line brings `count` patterns (11 for -1); missing ones are empty, extra fields are
// ignored. In a pattern "!" stands for a digit and "." for a capital letter. Lines end with "\n"
// or "\r\n"; only the first 511 characters of a line are read.
//
// Lines that are ignored besides: a count that is missing, not a number, or outside -1..11.
#include <filesystem>
#include <string_view>

#include "world/world.h"

namespace wf {

// The longest line the file format allows; characters beyond it are not read.
inline constexpr std::size_t kMaxRegistrationLineLength = 511;

// Applies every country line of `fileText`: in each region holding a country of the line's name,
// that country's patternCount and registrationPatterns are replaced by the line's (pattern slots
// beyond the line's count are emptied). Countries that no line names keep their patterns.
void ApplyRegistrationPatterns(std::string_view fileText, World& world);

// Reads `path` and applies it as above. A file that cannot be read leaves the patterns as they
// are; the result says whether it was read.
bool ReadRegistrationPatternsFile(const std::filesystem::path& path, World& world);

}
