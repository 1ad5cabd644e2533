#pragma once
// Numbers in text, read and written without regard to the locale. The window sets the C library's
// locale from the environment, and under a decimal-comma locale printf would write "4,84" and strtod
// stop at "4.84"'s point; what the program reads from files and boxes and writes into files,
// messages and boxes must not change with it. Every number goes through here: nothing else calls the
// printf family, strtod or the like on a number.
//
// Numbers are decimal, with '.' as the point and no grouping; "inf", "nan" and hexadecimal are not
// numbers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wf {

// A number that fills `text`: an optional '-', digits with an optional point (".5" and "5." are
// numbers) and an optional exponent; no blanks, no '+'. Nothing otherwise, or when it is not finite.
std::optional<double> ParseDecimal(std::string_view text);
// A whole number that fills `text`: an optional '-' and digits. Nothing otherwise, or beyond 64 bits.
std::optional<std::int64_t> ParseWhole(std::string_view text);

// The number at the start of `text`, as formatted input ("%lf", "%lld") reads it: white space
// (blanks, line ends, vertical tab, form feed) skipped, an optional sign ('+' or '-'), then the
// longest number that follows; what comes after it is not looked at. Nothing when no digit follows.
// `end`, when given, receives the position after the number.
// Decimals: an exponent counts only when digits follow it ("3e" reads 3); beyond the double range
// a value is infinite, below it zero.
std::optional<double> LeadingDecimal(std::string_view text, std::size_t* end = nullptr);
// Whole numbers: digits only ("36.1" reads 36); beyond 64 bits the largest or smallest value.
std::optional<std::int64_t> LeadingWhole(std::string_view text, std::size_t* end = nullptr);

// The shortest text without exponent that reads back as the same number ("98.6", "1500", "0.33");
// minus zero is "0". Infinities and NaN as printf writes them ("inf", "-inf", "nan").
std::string FormatNumber(double value);
std::string FormatNumber(float value);
// As "%<width>.<precision>f" in the C locale: rounded to `precision` decimals, right-aligned with
// blanks to at least `width` characters.
std::string FormatFixed(double value, int precision, int width = 0);
void AppendFixed(std::string& out, double value, int precision, int width = 0);
// As "%.<precision>g" in the C locale: `precision` significant digits, trailing zeros dropped, an
// exponent for very large or small values ("0.01", "4.29497e+07").
std::string FormatGeneral(double value, int precision = 6);
// As "%0<width>lld": zero-padded to at least `width` characters ("%lld" when `width` is 0).
std::string FormatWhole(std::int64_t value, int width = 0);
void AppendWhole(std::string& out, std::int64_t value);

}
