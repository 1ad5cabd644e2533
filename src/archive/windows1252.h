#pragma once
// Conversion of 16-bit character strings to the 8-bit code page of the database files
// (Windows-1252), as the archive needs for strings stored with 16-bit characters.
#include <cstdint>
#include <span>
#include <string>

namespace wf {

// The Windows-1252 byte of a Unicode code point, or '?' when the code page has none for it.
char ToWindows1252(char32_t c);

// Converts UTF-16 text held as little-endian byte pairs (an odd last byte is ignored). A surrogate
// pair becomes one '?', as does a lone surrogate; every other code unit becomes one byte.
std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes);

}
