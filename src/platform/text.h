#pragma once
// Text helpers for the ASCII-based formats the program reads and writes (INI files, aircraft.cfg,
// reference lists, compiler inputs, file and folder names). None depends on the C library's locale:
// a front end that switches to the user's locale must not change how a file is read.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wf {

// Case folding of the letters A-Z and a-z only; every other byte (bytes of 0x80 and above too) stays.
constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Whether `a` and `b` are equal when upper- and lower-case ASCII letters count as the same.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Blanks are space and tab; line ends (CR, LF) are not blanks.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
// Without blanks and carriage returns at either end: a field, or a line of a file with CRLF ends.
std::string_view Trim(std::string_view text);

// "0x1F2A4": upper-case hexadecimal digits after "0x", no padding.
std::string Hex(std::uint64_t value);

// Appends `text` as "%s" would with text.c_str(): up to its first NUL character.
void AppendCString(std::string& out, std::string_view text);

// The path's text as UTF-8 bytes on every OS (path::string() throws on Windows for names outside the
// ANSI code page).
std::string PathUtf8(const std::filesystem::path& path);
// The path that UTF-8 text names, on every OS.
std::filesystem::path PathFromUtf8(std::string_view text);

}
