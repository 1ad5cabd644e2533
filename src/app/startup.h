#pragma once
// The program's start-up before any database is touched: folders, the simulator folder, settings
// and the random seed.
#include <filesystem>
#include <vector>

#include "app/session.h"
#include "app/settings_file.h"

namespace wf {

// The Settings page's apply reads the simulator's scenery and aircraft once the path is set.
inline constexpr const char* kSimFolderMissingMessage =
    "Please check the path of FS X in the Settings!\nThe airports and aircraft are read as soon as the "
    "correct path is applied.";

// The registry keys (below HKEY_LOCAL_MACHINE, 32-bit view) whose "SetupPath" names the simulator's
// folder: the boxed edition's, and the Steam edition's, which is read when the boxed one is missing.
inline constexpr const char* kBoxedEditionKey =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight simulator\\10.0";
inline constexpr const char* kSteamEditionKey =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0";

// Reads the simulator's "SetupPath" from the registry into `simFolder`: the boxed edition's value,
// or the Steam edition's when that is missing or empty; final separators are dropped. Returns 0 on
// success and 13 when neither can be read (always on systems without a registry); `simFolder` is
// then unchanged.
int ReadSimFolderFromRegistry(std::filesystem::path& simFolder);

struct StartupReport {
  bool settingsFileFound = false;
  bool simFolderFromRegistry = false;
  // Every key read, in reading order, with its source.
  std::vector<SettingEntry> settings;
};

// Takes `workFolder` as the session's work folder, reads the simulator folder from the registry,
// reads every setting from Wingfold.ini (missing keys give defaults; the file is never created here),
// seeds the random sequence from the start date, reads the tools and simulator folders, and asks
// the user to check the simulator path when it is still unknown. Throws FileError when the
// settings file exists but cannot be read.
StartupReport StartSession(Session& session, const std::filesystem::path& workFolder);

}
