#pragma once
// Number formatting for the traffic compiler's text inputs.
//
// The compiler reads '.' as the decimal separator whatever the user's locale, and a GUI toolkit may
// set a process locale in which printf would write ','. These helpers never consult the locale: they
// write what printf writes in the "C" locale for the format items named below.
#include <cstdint>
#include <string>
#include <string_view>

namespace wf {

// Appends `value` as "%d" would (for any 64-bit value).
void AppendInt(std::string& out, std::int64_t value);

// Appends `value` as "%<width>.<precision>f" would: fixed notation, rounded to `precision` decimals,
// right-aligned with blanks to at least `width` characters. "inf" and "nan" as printf writes them.
void AppendFixed(std::string& out, double value, int precision, int width = 0);

// Appends `text` as "%s" would with text.c_str(): up to its first NUL character.
void AppendCString(std::string& out, std::string_view text);

}
