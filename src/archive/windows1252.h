#pragma once
// Strings that the archive stores with 16-bit characters, in the 8-bit code page of the database
// files (Windows-1252, platform/windows1252.h).
#include <cstdint>
#include <span>
#include <string>

#include "platform/windows1252.h"

namespace wf {

// Converts UTF-16 text held as little-endian byte pairs (an odd last byte is ignored). A surrogate
// pair becomes one '?', as does a lone surrogate; every other code unit becomes one byte.
std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes);

}
