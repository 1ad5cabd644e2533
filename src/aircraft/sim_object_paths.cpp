#include "aircraft/sim_object_paths.h"

#include <optional>
#include <system_error>

#include "aircraft/cfg_text.h"
#include "platform/folder_listing.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf {

namespace {

// Whether this system's paths have drive letters, i.e. "C:\" is a root.
bool HasDrivePaths() {
  return std::filesystem::path("C:\\").has_root_name();
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view WithoutLeadingSeparators(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  return text;
}

// The drive_c folder of the Wine prefix that holds `path`, or empty.
std::filesystem::path WineDriveC(const std::filesystem::path& path) {
  std::filesystem::path driveC;
  std::filesystem::path walked;
  for (const std::filesystem::path& component : path) {
    walked /= component;
    if (component == "drive_c") driveC = walked;
  }
  return driveC;
}

// The folder of drive `letter` in the Wine prefix that holds `simFolder`, or empty.
std::filesystem::path WineDrive(const std::filesystem::path& simFolder, char letter) {
  const std::filesystem::path driveC = WineDriveC(simFolder);
  if (driveC.empty()) return {};
  const char lower = ToLowerAscii(letter);
  const std::filesystem::path device = driveC.parent_path() / "dosdevices" / (std::string(1, lower) + ":");
  std::error_code ec;
  if (std::filesystem::is_directory(device, ec)) return device;
  if (lower == 'c') return driveC;
  return {};
}

}

std::vector<std::string> ReadSimObjectPaths(std::string_view fsxCfgText) {
  std::vector<std::string> entries;
  std::string section;
  for (std::string_view raw : SplitCfgLines(fsxCfgText)) {
    const CfgLine line(raw);
    if (line.IsComment()) continue;
    if (std::optional<std::string> name = line.SectionName()) section = std::move(*name);
    if (section != "main" || !line.StartsWith("simobjectpaths.")) continue;
    const std::optional<std::string_view> value = line.Value("simobjectpaths.");
    if (!value) continue;
    entries.emplace_back(TrimTrailingBlanks(*value));
    if (entries.size() == kMaxSimObjectPaths) break;
  }
  return entries;
}

std::filesystem::path SimObjectFolder(const std::filesystem::path& simFolder, std::string_view entry) {
  if (entry.size() >= 2 && IsSeparator(entry[0]) && IsSeparator(entry[1])) {
    return HasDrivePaths() ? std::filesystem::path(std::string(entry)) : std::filesystem::path();
  }
  if (entry.size() >= 2 && IsLetter(entry[0]) && entry[1] == ':') {
    if (HasDrivePaths()) return NativePath(entry);
    const std::filesystem::path drive = WineDrive(simFolder, entry[0]);
    if (drive.empty()) return {};
    return ResolvePathCase(drive, NativePath(WithoutLeadingSeparators(entry.substr(2))));
  }
  // Windows joins the simulator's folder, "\" and the entry, so a leading backslash adds nothing.
  if (simFolder.empty()) return {};
  return ResolvePathCase(simFolder, NativePath(WithoutLeadingSeparators(entry)));
}

}
