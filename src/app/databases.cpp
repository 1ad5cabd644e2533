#include "app/databases.h"

#include <ctime>
#include <span>
#include <system_error>

#include "archive/archive.h"
#include "platform/calendar.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "traffic/aircraft_file.h"
#include "traffic/airports_file.h"
#include "traffic/registration_patterns.h"
#include "world/world.h"
#include "world/world_archive.h"

namespace wf {

namespace {

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Keeps a damaged database safe from the next save: a copy named <name>.<time stamp>.damaged beside
// it, a new one for every damaged file met, never replacing an earlier copy. Returns the sentence
// that tells the user where the copy is.
std::string PreserveDamagedFile(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::path copy = DamagedFileCopyName(file);
  if (copy.empty()) return " A copy could not be kept: back up the file before saving.";
  std::filesystem::copy_file(file, copy, std::filesystem::copy_options::none, ec);
  if (ec) return " A copy could not be kept (" + ec.message() + "): back up the file before saving.";
  return " The damaged file was copied to " + PathUtf8(copy.filename()) + ".";
}

template <class LoadFn>
LoadResult LoadFile(Session& session, const std::filesystem::path& file, LoadFn load) {
  LoadResult result;
  result.file = file;
  FileReadFailure failure;
  const std::optional<FileView> bytes = FileView::Open(file, &failure);
  if (!bytes) {
    if (failure.missing) return result;
    result.outcome = LoadOutcome::kUnreadable;
    result.error = failure.reason;
    session.progress->Hide();
    session.prompter->Message("The database " + PathUtf8(file) + " cannot be read: " + failure.reason +
                                  ". Nothing was changed. Make the file readable, or move it away, and "
                                  "start again.",
                              MessageIcon::kStop);
    return result;
  }
  WorldArchiveContext context(session.world, session.settings, session.progress, session.prompter);
  try {
    load(bytes->Bytes(), context);
    result.outcome = LoadOutcome::kLoaded;
  } catch (const ArchiveError& e) {
    result.outcome = LoadOutcome::kDamaged;
    result.error = e.what();
    session.progress->Hide();
    session.prompter->Message("The database " + PathUtf8(file.filename()) +
                                  " is damaged and was read only up to " + "the fault: " + e.what() + "." +
                                  PreserveDamagedFile(file) + session.rebuildAdvice,
                              MessageIcon::kStop);
  }
  return result;
}

// Writes one file and reports a failure by name; true when written.
bool WriteReported(Session& session, std::string_view name, std::string_view bytes) {
  try {
    WriteFileAtomically(session.WorkFile(name), bytes);
    return true;
  } catch (const FileError& e) {
    session.progress->Hide();
    session.prompter->Message(std::string(e.what()) + ". The other files are still written.",
                              MessageIcon::kStop);
    return false;
  }
}

}

bool AirportDatabaseExists(const Session& session) {
  for (const char* name : {kStockObjectsFile, kObjectsFile}) {
    // Anything by that name counts: a file that cannot be read must stop the load, not be collected
    // over.
    std::error_code ec;
    if (std::filesystem::exists(session.WorkFile(name), ec)) return true;
  }
  return false;
}

std::filesystem::path DamagedFileCopyName(const std::filesystem::path& file) {
  const CalendarFields now = SplitTime(static_cast<TimeValue>(std::time(nullptr)));
  const std::string stamp = FormatWhole(now.year, 4) + FormatWhole(now.month, 2) + FormatWhole(now.day, 2) +
                            "-" + FormatWhole(now.hour, 2) + FormatWhole(now.minute, 2) +
                            FormatWhole(now.second, 2);
  for (int n = 1; n < 1000; ++n) {
    std::filesystem::path copy = file;
    copy += "." + stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".damaged";
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(copy, ec))) return copy;
  }
  return {};
}

LoadResult LoadAirportDatabase(Session& session) {
  LoadResult result = LoadFile(session, session.WorkFile(kObjectsFile), LoadRegionMap);
  if (result.outcome == LoadOutcome::kAbsent) {
    result = LoadFile(session, session.WorkFile(kStockObjectsFile), LoadRegionMap);
  }
  return result;
}

LoadResult LoadAircraftDatabases(Session& session) {
  const auto typesFile = session.WorkFile(kAircraftTypesFile);
  std::error_code ec;
  if (!std::filesystem::exists(typesFile, ec)) return LoadResult{LoadOutcome::kAbsent, typesFile, {}};
  session.progress->SetText("Read Aircraft Types...");
  LoadResult result = LoadFile(session, typesFile, LoadAircraftTypes);
  if (result.outcome != LoadOutcome::kLoaded) return result;
  const auto namesFile = session.WorkFile(kAircraftNamesFile);
  if (!std::filesystem::exists(namesFile, ec)) return result;
  session.progress->SetText("Read Aircraft Names...");
  LoadResult names = LoadFile(session, namesFile, LoadAircraftNames);
  return names.outcome == LoadOutcome::kAbsent ? result : names;
}

std::vector<std::filesystem::path> SetDamagedDatabasesAside(Session& session) {
  // Each file is tried in a world of its own, the variations after the models they refer to.
  World world;
  WorldArchiveContext context(world, session.settings);
  const auto damaged = [&](const char* name, auto load) {
    const std::optional<std::string> bytes = ReadFileBytes(session.WorkFile(name));
    if (!bytes) return false;
    try {
      load(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()), context);
      return false;
    } catch (const ArchiveError&) {
      return true;
    }
  };
  std::vector<std::filesystem::path> moved;
  for (const auto& [name, isDamaged] :
       {std::pair{kObjectsFile, damaged(kObjectsFile, LoadRegionMap)},
        std::pair{kAircraftTypesFile, damaged(kAircraftTypesFile, LoadAircraftTypes)},
        std::pair{kAircraftNamesFile, damaged(kAircraftNamesFile, LoadAircraftNames)}}) {
    if (!isDamaged) continue;
    const std::filesystem::path file = session.WorkFile(name);
    const std::filesystem::path aside = DamagedFileCopyName(file);
    std::error_code ec;
    if (!aside.empty()) std::filesystem::rename(file, aside, ec);
    if (aside.empty() || ec) {
      session.prompter->Message("The damaged " + std::string(name) + " could not be set aside" +
                                    (ec ? ": " + ec.message() : std::string()) + ". Move it away by hand.",
                                MessageIcon::kStop);
      continue;
    }
    moved.push_back(aside);
  }
  return moved;
}

bool SaveAirportDatabase(Session& session) {
  WriteReported(session, kAirportsFile, AirportsFileText(session.world));
  ReadRegistrationPatternsFile(session.WorkFile(kRegistrationsFile), session.world);
  WorldArchiveContext context(session.world, session.settings, session.progress, session.prompter);
  const bool saved = WriteReported(session, kObjectsFile, AsText(SaveRegionMap(context)));
  session.world.DiscardFleet();
  session.progress->Hide();
  return saved;
}

bool WriteAircraftFiles(Session& session) {
  WriteReported(session, kAircraftFile, AircraftFileText(session.world));
  WriteReported(session, kAircraftDumpFile, "");
  WorldArchiveContext context(session.world, session.settings, session.progress, session.prompter);
  bool saved = WriteReported(session, kAircraftTypesFile, AsText(SaveAircraftTypes(context)));
  saved = WriteReported(session, kAircraftNamesFile, AsText(SaveAircraftNames(context))) && saved;
  session.world.DiscardFleet();
  session.progress->Hide();
  return saved;
}

}
