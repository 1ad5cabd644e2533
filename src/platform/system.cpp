#include "platform/system.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#define WF_ISATTY _isatty
#else
#include <unistd.h>
#define WF_ISATTY isatty
#endif

namespace wf {

std::optional<std::string> ReadMachineRegistryString(std::string_view key, std::string_view value) {
#ifdef _WIN32
  HKEY handle = nullptr;
  const std::string keyName(key);
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &handle) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  char buffer[256] = {};
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  const std::string valueName(value);
  const LONG result =
      RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::string(buffer, strnlen(buffer, sizeof(buffer)));
#else
  (void)key;
  (void)value;
  return std::nullopt;
#endif
}

std::filesystem::path NativePath(std::string_view text) {
  std::string path(text);
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return std::filesystem::path(path);
}

std::filesystem::path RoamingAppDataFolder() {
#ifdef _WIN32
  if (const char* appData = std::getenv("APPDATA")) return appData;
  return {};
#else
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".config";
  return {};
#endif
}

std::filesystem::path SimulatorAppDataFolder(const std::filesystem::path& simFolder) {
#ifdef _WIN32
  (void)simFolder;
  return RoamingAppDataFolder();
#else
  if (const char* appData = std::getenv("APPDATA"); appData && *appData) return appData;

  // The Wine prefix: the folder that holds the last "drive_c" component of the simulator's path.
  std::filesystem::path driveC;
  std::filesystem::path walked;
  for (const std::filesystem::path& component : simFolder) {
    walked /= component;
    if (component == "drive_c") driveC = walked;
  }
  if (driveC.empty()) return {};

  const std::filesystem::path users = driveC / "users";
  std::vector<std::string> names;
  for (const char* variable : {"USER", "LOGNAME"}) {
    if (const char* login = std::getenv(variable); login && *login) {
      names.emplace_back(login);
      break;
    }
  }
  std::vector<std::string> others;
  std::error_code ec;
  std::filesystem::directory_iterator it(users, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name != "Public") others.push_back(std::move(name));
  }
  std::sort(others.begin(), others.end());
  names.insert(names.end(), others.begin(), others.end());

  for (const std::string& name : names) {
    for (const char* roaming : {"AppData/Roaming", "Application Data"}) {
      const std::filesystem::path candidate = users / name / roaming;
      std::error_code statError;
      if (std::filesystem::is_directory(candidate, statError)) return candidate;
    }
  }
  return {};
#endif
}

bool StdinIsTerminal() {
  return WF_ISATTY(0) != 0;
}
bool StderrIsTerminal() {
  return WF_ISATTY(2) != 0;
}

}
