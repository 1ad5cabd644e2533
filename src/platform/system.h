#pragma once
// The few facts of the operating system the program needs. This is the only code that knows which
// OS it runs on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar.h"

namespace wf {

// A string value under HKEY_LOCAL_MACHINE, read from the 32-bit registry view (where 32-bit
// installers write). Always nothing on systems without a registry.
std::optional<std::string> ReadMachineRegistryString(std::string_view key, std::string_view value);

// A path taken from a Windows-side file (settings, fsx.cfg, the registry). On Windows the text is
// in the system's 8-bit code page (the ANSI code page); on POSIX it is taken as it stands, and
// backslashes become slashes.
std::filesystem::path NativePath(std::string_view text);

// The text of `path` as Windows-side files and the database files store names: on Windows in the
// system's 8-bit code page, a character that the code page lacks becoming the system's nearest
// letter or '?' (as ANSI calls see the name); on POSIX the path's bytes. NativePath reads it back.
std::string NativePathText(const std::filesystem::path& path);

// A path that the user gave as UTF-8 text (a page's field, the command line); on POSIX backslashes
// become slashes.
std::filesystem::path UserPath(std::string_view utf8);

// The program's command-line arguments in UTF-8: on Windows from the wide command line, so that no
// character is lost to the code page; elsewhere `argv` as it stands.
std::vector<std::string> CommandLineArgumentsUtf8(int argc, const char* const* argv);

// The user's roaming application-data folder: %APPDATA% on Windows (read wide, so that no letter
// of the user's name is lost); $XDG_CONFIG_HOME or ~/.config elsewhere, where a Wine prefix or the
// user may place fsx.cfg.
std::filesystem::path RoamingAppDataFolder();

// The roaming application-data folder in which the simulator of `simFolder` keeps its fsx.cfg
// (below Microsoft/FSX). On Windows the user's own. Elsewhere: $APPDATA when set and not empty;
// otherwise, when `simFolder` lies inside a Wine prefix (a path component "drive_c"), the first of
// that prefix's users/<name>/AppData/Roaming or users/<name>/Application Data (older Wine) that
// exists, trying the login name ($USER, else $LOGNAME) first, then the other user folders in name
// order ("Public" excepted); otherwise empty: there is none.
std::filesystem::path SimulatorAppDataFolder(const std::filesystem::path& simFolder);

// The weekday, hour and minute that this machine's clock shows now, in its own time zone (the
// calendar functions work in UTC).
ClockFields LocalClockNow();

// Whether standard input / standard error are attached to a terminal.
bool StdinIsTerminal();
bool StderrIsTerminal();

}
