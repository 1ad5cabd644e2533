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

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Keeps a damaged database safe from the next save and returns the sentence that tells the user
// where its copy is.
std::string PreserveDamagedFile(const std::filesystem::path& file, std::string_view bytes) {
  const DamagedCopy copy = KeepDamagedCopy(file, bytes);
  if (copy.path.empty())
    return " A copy could not be kept (" + copy.error + "): back up the file before saving.";
  if (copy.earlier) return " A copy of it is kept as " + PathUtf8(copy.path.filename()) + ".";
  return " The damaged file was copied to " + PathUtf8(copy.path.filename()) + ".";
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
                                  PreserveDamagedFile(file, AsText(bytes->Bytes())) + session.rebuildAdvice,
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

std::filesystem::path FileCopyName(const std::filesystem::path& file, std::string_view suffix) {
  const CalendarFields now = SplitTime(static_cast<TimeValue>(std::time(nullptr)));
  const std::string stamp = FormatWhole(now.year, 4) + FormatWhole(now.month, 2) + FormatWhole(now.day, 2) +
                            "-" + FormatWhole(now.hour, 2) + FormatWhole(now.minute, 2) +
                            FormatWhole(now.second, 2);
  for (int n = 1; n < 1000; ++n) {
    std::filesystem::path copy = file;
    copy += "." + stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + std::string(suffix);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(copy, ec))) return copy;
  }
  return {};
}

DamagedCopy KeepDamagedCopy(const std::filesystem::path& file, std::string_view bytes) {
  DamagedCopy copy;
  const std::string prefix = PathUtf8(file.filename()) + ".";
  std::error_code ec;
  for (std::filesystem::directory_iterator it(file.parent_path(), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = PathUtf8(it->path().filename());
    if (!name.starts_with(prefix) || !name.ends_with(kDamagedSuffix)) continue;
    std::error_code sizeError;
    if (std::filesystem::file_size(it->path(), sizeError) != bytes.size() || sizeError) continue;
    if (ReadFileBytes(it->path()) == bytes) {
      copy.path = it->path();
      copy.earlier = true;
      return copy;
    }
  }
  copy.path = FileCopyName(file, kDamagedSuffix);
  if (copy.path.empty()) {
    copy.error = "no free name";
  } else {
    try {
      WriteFileAtomically(copy.path, bytes);
    } catch (const FileError& e) {
      copy.error = e.what();
      copy.path.clear();
    }
  }
  return copy;
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
