#include "platform/system.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "platform/text.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>
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
#ifdef _WIN32
  // The C library's conversion, which std::filesystem uses for narrow strings, is not the ANSI
  // code page's.
  if (text.empty()) return {};
  const int size = static_cast<int>(std::min<std::size_t>(text.size(), 1u << 30));
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return std::filesystem::path(wide);
#else
  std::string path(text);
  std::replace(path.begin(), path.end(), '\\', '/');
  return std::filesystem::path(path);
#endif
}

std::string NativePathText(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int size = static_cast<int>(std::min<std::size_t>(wide.size(), 1u << 30));
  std::string text(static_cast<std::size_t>(
                       WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr,
                      nullptr);
  return text;
#else
  return path.string();
#endif
}

std::filesystem::path UserPath(std::string_view utf8) {
  std::string path(utf8);
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return PathFromUtf8(path);
}

std::vector<std::string> CommandLineArgumentsUtf8(int argc, const char* const* argv) {
#ifdef _WIN32
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(PathUtf8(std::filesystem::path(wide[i])));
    LocalFree(wide);
    return arguments;
  }
#endif
  return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path RoamingAppDataFolder() {
#ifdef _WIN32
  // Wide, so that a user name outside the code page survives.
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
    return std::filesystem::path(appData);
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

ClockFields LocalClockNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_wday, local.tm_hour, local.tm_min};
}

bool StdinIsTerminal() {
  return WF_ISATTY(0) != 0;
}
bool StderrIsTerminal() {
  return WF_ISATTY(2) != 0;
}

}
