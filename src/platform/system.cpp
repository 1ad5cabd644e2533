#include "platform/system.h"

#include <algorithm>
#include <cstdlib>

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

bool StdinIsTerminal() { return WF_ISATTY(0) != 0; }
bool StderrIsTerminal() { return WF_ISATTY(2) != 0; }

}  // namespace wf
