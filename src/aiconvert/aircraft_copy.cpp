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

bool EntryExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Where a commit sets an earlier copy aside until the new one is in its place.
fs::path SetAsideFor(const fs::path& staged) {
  fs::path previous = staged;
  previous += ".previous";
  return previous;
}

// Why `path` cannot be used as a folder of the conversion, empty when it can: a link, or something
// other than a folder.
std::string NotAFolder(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (fs::is_symlink(status)) return PathUtf8(path) + " is a symbolic link";
  if (fs::exists(status) && !fs::is_directory(status)) return PathUtf8(path) + " is in the way: not a folder";
  return {};
}

}

std::string AircraftCopyReport::Incomplete() const {
  if (!refused.empty()) return refused;
  if (copy.aborted) return "the copy was cancelled";
  if (copy.matchedNothing) return "the aircraft's folder was not found";
  if (!copy.failures.empty()) {
    const std::size_t more = copy.failures.size() - 1;
    return "the copy is incomplete: " + copy.failures.front() +
           (more > 0 ? " (and " + std::to_string(more) + " more)" : "");
  }
  if (!panel.failures.empty()) return "the cockpit panel could not be removed: " + panel.failures.front();
  if (!configWritten) return "aircraft.cfg was not written: " + configProblem;
  return {};
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
  report.folder = target;
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

fs::path StagingFolderFor(const fs::path& target) {
  return target.parent_path() / kStagingFolder / target.filename();
}

std::string TargetProblem(const fs::path& source, const fs::path& target) {
  for (const fs::path& path : {target, FindExistingPath(target).value_or(target)}) {
    if (std::string why = NotAFolder(path); !why.empty())
      return why + "; the AI copy needs a folder of its own";
  }
  if (IsWithin(target, source) || IsWithin(source, target)) {
    return PathUtf8(target) + " and the aircraft's folder " + PathUtf8(source) + " lie inside one another";
  }
  return {};
}

AircraftCopyReport StageCopy(const fs::path& source, const fs::path& target, Prompter* owner) {
  AircraftCopyReport report;
  const fs::path staged = StagingFolderFor(target);
  if (std::string why = NotAFolder(staged.parent_path()); !why.empty()) {
    report.refused = why + "; Wingfold makes its copies in that folder";
    return report;
  }
  std::error_code ec;
  const fs::path previous = SetAsideFor(staged);
  if (EntryExists(previous)) {
    // A commit stopped between setting the earlier copy aside and putting the new one in place.
    if (EntryExists(target)) {
      fs::remove_all(previous, ec);
    } else {
      fs::rename(previous, target, ec);
    }
    if (ec) {
      report.refused = "the earlier copy " + PathUtf8(previous) + " cannot be put back: " + ec.message();
      return report;
    }
  }
  report.refused = TargetProblem(source, target);
  if (!report.refused.empty()) return report;
  fs::remove_all(staged, ec);
  if (!ec) fs::create_directories(staged.parent_path(), ec);
  if (ec) {
    report.refused = "the folder " + PathUtf8(staged) + " cannot be prepared for the copy: " + ec.message();
    return report;
  }
  if (const std::optional<fs::path> earlier = FindExistingPath(target)) {
    const CShellFileOp copy(owner, FO_COPY, *earlier, staged,
                            FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR, "");
    if (copy.Result().aborted || !copy.Result().failures.empty()) {
      report.folder = staged;
      report.copy = copy.Result();
      return report;
    }
  }
  return CopyAndRewrite(source, staged, owner);
}

std::string CommitCopy(const fs::path& staged, const fs::path& target) {
  const fs::path previous = SetAsideFor(staged);
  const std::optional<fs::path> earlier = FindExistingPath(target);
  std::error_code ec;
  if (earlier) {
    fs::rename(*earlier, previous, ec);
    if (ec) return "the earlier copy " + PathUtf8(*earlier) + " cannot be replaced: " + ec.message();
  }
  fs::rename(staged, earlier.value_or(target), ec);
  if (ec) {
    std::error_code back;
    if (earlier) fs::rename(previous, *earlier, back);
    return "the copy cannot be moved to " + PathUtf8(earlier.value_or(target)) + ": " + ec.message();
  }
  // What cannot be removed now, the next conversion clears.
  fs::remove_all(previous, ec);
  fs::remove(staged.parent_path(), ec);
  return {};
}

void DiscardCopy(const fs::path& staged) {
  std::error_code ec;
  fs::remove_all(staged, ec);
  fs::remove(staged.parent_path(), ec);
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
