#pragma once
// MilitaryAirports.txt and NotUseAirports.txt: one ICAO ident per line. Leading blanks are removed
// and the rest of the line is upper-cased; a line starting with '#' is a comment; every other line,
// whole, is looked up in the airport index (so trailing text makes a line match nothing). Lines that
// match nothing are ignored. The effects live in memory only.
#include <filesystem>
#include <string_view>

#include "world/world.h"

namespace wf {

// Sets `military` of every listed airport; false when the file cannot be opened.
bool ApplyMilitaryAirports(const std::filesystem::path& file, World& world, int* matched = nullptr);
// Clears `useAirport` of every listed airport; false when the file cannot be opened.
bool ApplyNotUseAirports(const std::filesystem::path& file, World& world, int* matched = nullptr);

// The ident a line of a reference list names, or empty for a comment.
std::string ReferenceListKey(std::string_view line);

}
