#include "aiconvert/aircraft_copy.h"

#include <memory>
#include <optional>

#include "aiconvert/shell_file_op.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/text.h"

namespace wf {

namespace {

namespace fs = std::filesystem;

// Whether the copy wrote `folder`'s aircraft.cfg (under any spelling).
bool CopyWroteConfig(const FileOperationResult& copy, const fs::path& folder) {
  for (const fs::path& written : copy.written) {
    std::error_code ec;
    if (EqualsIgnoringCase(PathUtf8(written.filename()), kAircraftConfigFile) &&
        fs::equivalent(written.parent_path(), folder, ec)) {
      return true;
    }
  }
  return false;
}

}

fs::path AITargetFolder(const fs::path& folderPath) {
  fs::path folder = folderPath;
  while (folder.has_relative_path() && folder.filename().empty()) folder = folder.parent_path();
  const std::string last = PathUtf8(folder.filename());
  if (last.rfind(kAIPrefix, 0) == 0) return folder;
  return folder.parent_path() / PathFromUtf8(std::string(kAIPrefix) + last);
}

std::string AIConfigLine(std::string_view line) {
  const std::string lowered = ToLowerAscii(line);
  const std::size_t title = lowered.find("title");
  const std::size_t equals = title == std::string::npos ? std::string::npos : lowered.find('=', title);
  if (equals == std::string::npos) return lowered;
  std::size_t value = equals + 1;
  while (value < lowered.size() && IsBlank(lowered[value])) ++value;
  return "title=" + std::string(kAIPrefix) + lowered.substr(value);
}

std::string AIConfigText(std::string_view flyable) {
  std::string text;
  text.reserve(flyable.size() + flyable.size() / 8);
  while (!flyable.empty()) {
    const std::size_t end = flyable.find('\n');
    std::string_view line = flyable.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text += AIConfigLine(line);
    text += "\r\n";
    if (end == std::string_view::npos) break;
    flyable.remove_prefix(end + 1);
  }
  return text;
}

AircraftCopyReport CopyAndRewrite(const fs::path& source, const fs::path& target, Prompter* owner) {
  AircraftCopyReport report;
  const CShellFileOp copy(owner, FO_COPY, source, target, FOF_NOCONFIRMMKDIR, "Copy plane");
  report.copy = copy.Result();
  const CShellFileOp panel(owner, FO_DELETE, target / "panel.*", {}, FOF_NOCONFIRMATION, "Prepare AI plane");
  report.panel = panel.Result();

  report.configFromSource = CopyWroteConfig(report.copy, target);
  if (report.configFromSource) {
    CShellFileOp(owner, FO_RENAME, target / kAircraftConfigFile, target / kFlyableConfigFile,
                 FOF_SILENT | FOF_NOCONFIRMATION, "");
  }

  const std::optional<fs::path> flyable = FindExistingPath(target / kFlyableConfigFile);
  const std::optional<std::string> text = flyable ? ReadFileBytes(*flyable) : std::nullopt;
  if (!text) {
    report.configProblem =
        PathUtf8(target / kFlyableConfigFile) + " cannot be read; the copy has no aircraft.cfg";
    return report;
  }
  const fs::path config =
      FindExistingPath(target / kAircraftConfigFile).value_or(target / kAircraftConfigFile);
  try {
    WriteFileAtomically(config, AIConfigText(*text));
    report.configWritten = true;
  } catch (const FileError& e) {
    report.configProblem = e.what();
  }
  return report;
}

AICopyEntry EnterAICopy(World& world, CAircraft& aircraft) {
  AICopyEntry entry;
  if (IsAICopyName(aircraft.name)) return entry;
  const std::string newName = std::string(kAIPrefix) + aircraft.name;
  if (world.aircraftTypes.Find(newName) != nullptr) {
    // The database already holds the copy (read from its folder): it stays the one entry.
    entry.keysTaken.push_back(newName);
    return entry;
  }
  std::unique_ptr<CAircraft> owned = world.aircraftTypes.Release(aircraft.name);
  if (owned.get() != &aircraft) {
    // Not this world's record under its own name: put back what was taken and change nothing.
    if (owned) world.aircraftTypes.Replace(aircraft.name, std::move(owned));
    return entry;
  }
  entry.oldName = aircraft.name;
  aircraft.name = newName;
  world.aircraftTypes.Replace(newName, std::move(owned));
  entry.modelRenamed = true;
  std::vector<std::string> keys;
  for (const auto& [key, variation] : world.aircraftNames) {
    if (variation->aircraft == &aircraft && key.rfind(kAIPrefix, 0) != 0) keys.push_back(key);
  }
  for (const std::string& key : keys) {
    // The copy's aircraft.cfg carries the title in lower case; keyed otherwise, the variation would be
    // dropped at the next aircraft collection and come back with default values.
    const std::string newKey = std::string(kAIPrefix) + ToLowerAscii(key);
    if (world.aircraftNames.Find(newKey) != nullptr) {
      entry.keysTaken.push_back(newKey);
      continue;
    }
    std::unique_ptr<CAI_Aircraft> variation = world.aircraftNames.Release(key);
    variation->title = std::string(kAIPrefix) + ToLowerAscii(variation->title);
    variation->isAICopy = 1;
    world.aircraftNames.Replace(newKey, std::move(variation));
    entry.variationsRenamed.push_back(newKey);
  }
  return entry;
}

}
