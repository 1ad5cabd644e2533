#pragma once
// Text helpers for the ASCII-based formats the program reads and writes (INI files, aircraft.cfg,
// reference lists, compiler inputs, file and folder names). None depends on the C library's locale:
// a front end that switches to the user's locale must not change how a file is read.
#include <cstdint>
#include <filesystem>
#include <span>
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

// The 8-bit code page of the database files, Windows-1252: conversion of 16-bit character strings to
// it, as the archive needs for strings stored with 16-bit characters, and of its bytes to Unicode for
// showing them.
// The Windows-1252 byte of a Unicode code point, or '?' when the code page has none for it.
char ToWindows1252(char32_t c);

// The Unicode code point of a Windows-1252 byte (the five unassigned bytes give the C1 control of
// the same number).
char32_t FromWindows1252(char byte);

// Converts UTF-16 text held as little-endian byte pairs (an odd last byte is ignored). A surrogate
// pair becomes one '?', as does a lone surrogate; every other code unit becomes one byte.
std::string Utf16LeToWindows1252(std::span<const std::uint8_t> bytes);

// The path's text as UTF-8 bytes on every OS (path::string() throws on Windows for names outside the
// ANSI code page).
std::string PathUtf8(const std::filesystem::path& path);
// The path that UTF-8 text names, on every OS.
std::filesystem::path PathFromUtf8(std::string_view text);

}
