#include "app/repair.h"

#include <span>
#include <system_error>

#include "app/databases.h"
#include "archive/archive.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"
#include "scenery/scenery_scan.h"
#include "world/world_archive.h"

namespace wf {

namespace {

struct DatabaseFile {
  std::filesystem::path path;
  std::optional<std::string> bytes;  // none when missing or unreadable
  bool damaged = false;
};

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Keeps every damaged file of the work folder as a copy before any is removed; false (with the
// reason in `refused`) when a copy cannot be made.
bool KeepDamagedFiles(const std::vector<const DatabaseFile*>& files, RepairResult& result) {
  for (const DatabaseFile* file : files) {
    const DamagedCopy copy = KeepDamagedCopy(file->path, *file->bytes);
    if (copy.path.empty()) {
      result.refused = "No copy of the damaged " + PathUtf8(file->path.filename()) + " could be kept (" +
                       copy.error + "). Nothing was changed.";
      return false;
    }
    result.keptAs.push_back(copy.path);
  }
  return true;
}

}

RepairResult RepairDatabases(Session& session) {
  RepairResult result;
  session.world.Clear();
  session.world.aiAircraftCounter = 0;

  // Each file is tried in a world of its own, the variations after the models they refer to.
  World trial;
  WorldArchiveContext context(trial, session.settings);
  const auto check = [&](const char* name, auto load) {
    DatabaseFile file{session.WorkFile(name), ReadFileBytes(session.WorkFile(name)), false};
    if (!file.bytes) return file;
    try {
      load(Bytes(*file.bytes), context);
    } catch (const ArchiveError&) {
      file.damaged = true;
    }
    return file;
  };
  const DatabaseFile objects = check(kObjectsFile, LoadRegionMap);
  std::error_code ec;
  // The delivered database is read only where objects.dat is not.
  const bool stockRead = objects.damaged || !std::filesystem::exists(objects.path, ec);
  const DatabaseFile stock = stockRead ? check(kStockObjectsFile, LoadRegionMap)
                                       : DatabaseFile{session.WorkFile(kStockObjectsFile), {}, false};
  const DatabaseFile types = check(kAircraftTypesFile, LoadAircraftTypes);
  const DatabaseFile names = check(kAircraftNamesFile, LoadAircraftNames);

  std::vector<const DatabaseFile*> ownDamaged;
  for (const DatabaseFile* file : {&objects, &stock, &types, &names}) {
    if (!file->damaged) continue;
    result.damaged.push_back(file->path);
    if (file != &stock) ownDamaged.push_back(file);
  }
  if (result.damaged.empty()) return result;

  // The rebuild must be able to read the simulator before anything is set aside.
  const bool airports = objects.damaged || stock.damaged;
  std::optional<ScanSummary> scan;
  if (airports) {
    if (stockRead && stock.bytes && !stock.damaged) {
      WorldArchiveContext base(session.world, session.settings, session.progress, session.prompter);
      LoadRegionMap(Bytes(*stock.bytes), base);
    }
    const SceneryContext scenery{session.world, session.settings, *session.progress, *session.prompter};
    scan = Scan(ScanMode::kDefaultScenery, session.simFolder, {}, scenery);
    if (scan->airportFilesRead == 0) {
      result.refused = NoSceneryReason(session) +
                       ", so the airport database cannot be rebuilt. Check the simulator folder ([Path] "
                       "FS2004). Nothing was changed.";
    }
  }
  if (result.refused.empty() && (types.damaged || names.damaged)) {
    World probe;
    NullProgress quiet;
    const AircraftCollectionResult aircraft =
        CollectAircraft(probe, session.settings, session.simFolder, FsxCfgFile(session), quiet);
    if (!aircraft.keptBecause.empty()) {
      result.refused = "No aircraft folder could be listed (" + aircraft.keptBecause +
                       "), so the aircraft database cannot be rebuilt. Nothing was changed.";
    }
  }
  if (!result.refused.empty() || !KeepDamagedFiles(ownDamaged, result)) {
    session.world.Clear();
    session.progress->Hide();
    return result;
  }

  for (std::size_t i = 0; i < ownDamaged.size(); ++i) {
    const std::filesystem::path& file = ownDamaged[i]->path;
    std::filesystem::remove(file, ec);
    if (ec) {
      session.prompter->Message("The damaged " + PathUtf8(file.filename()) + " could not be removed (" +
                                    ec.message() + "); a copy of it is kept as " +
                                    PathUtf8(result.keptAs[i].filename()) + ". Move it away by hand.",
                                MessageIcon::kStop);
    }
  }
  // The aircraft collection of the next start writes both aircraft files again, and without the
  // damaged one it cannot take over what the intact one holds (variations need their models).
  for (const DatabaseFile* file : {&types, &names}) {
    if (!(types.damaged || names.damaged) || file->damaged || !file->bytes) continue;
    const std::filesystem::path copy = FileCopyName(file->path, kBeforeRepairSuffix);
    try {
      if (copy.empty()) throw FileError("No free name for a copy of " + PathUtf8(file->path));
      WriteFileAtomically(copy, *file->bytes);
      result.copies.push_back(copy);
    } catch (const FileError& e) {
      session.prompter->Message(std::string(e.what()) + ". Back up " + PathUtf8(file->path.filename()) +
                                    " by hand before the next start.",
                                MessageIcon::kWarning);
    }
  }
  if (airports) result.airports = AirportCollectionResult{*scan, SaveAirportDatabase(session), false};
  session.world.Clear();
  session.progress->Hide();
  return result;
}

}
