#pragma once
// The 8-bit code page of the database files (Windows-1252): conversion of 16-bit character strings
// to it, as the archive needs for strings stored with 16-bit characters, and of its bytes to Unicode
// for showing them.
#include <cstdint>
#include <span>
#include <string>

namespace wf {

// The Windows-1252 byte of a Unicode code point, or '?' when the code page has none for it.
char ToWindows1252(char32_t c);

// The Unicode code point of a Windows-1252 byte (the five unassigned bytes give the C1 control of
// the same number).
char32_t FromWindows1252(char byte);

// Converts UTF-16 text held as little-endian byte pairs (an odd last byte is ignored). A surrogate
// pair becomes one '?', as does a lone surrogate; every other code unit becomes one byte.
std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes);

}
