#pragma once
// Windows-1252, the 8-bit code page of the names that the databases store (airports, places,
// aircraft), and its conversions to and from Unicode and UTF-8. Locale-free.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wf {

// The Windows-1252 byte of a Unicode code point, or '?' when the code page has none for it.
char ToWindows1252(char32_t c);

// The Unicode code point of a Windows-1252 byte (the five unassigned bytes give the C1 control of
// the same number).
char32_t FromWindows1252(char byte);

// Converts UTF-16 text held as little-endian byte pairs (an odd last byte is ignored), as the archive
// stores strings with 16-bit characters. A surrogate pair becomes one '?', as does a lone surrogate;
// every other code unit becomes one byte.
std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

// UTF-8 text as Windows-1252. A character that the code page lacks, and a byte that starts no valid
// UTF-8 sequence, become '?'; `lossless`, when given, tells whether none did.
std::string Utf8ToWindows1252(std::string_view utf8, bool* lossless = nullptr);

// Text to show, as UTF-8, where the program's messages (UTF-8, with paths in UTF-8) meet names from
// the databases (Windows-1252): bytes that form valid UTF-8 stand as they are, and every other byte
// is read as Windows-1252. A name whose accented letters happen to form UTF-8 (two or more letters
// such as "Ã©" in a row) shows as that UTF-8; real names hardly ever do.
std::string DisplayUtf8(std::string_view text);

// How many bytes at the end of `text` begin a UTF-8 sequence that is cut off there (0 to 3): what
// a writer that converts piece by piece holds back until the rest arrives.
std::size_t CutUtf8Tail(std::string_view text);

}
