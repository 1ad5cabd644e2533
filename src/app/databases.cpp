#include "app/databases.h"

#include <span>
#include <system_error>

#include "archive/archive.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "traffic/aircraft_file.h"
#include "traffic/airports_file.h"
#include "traffic/registration_patterns.h"
#include "world/world_archive.h"

namespace wf {

namespace {

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Keeps a damaged database safe from the next save: <name>.damaged, never overwriting an earlier
// copy. Returns the sentence that tells the user where the copy is.
std::string PreserveDamagedFile(const std::filesystem::path& file) {
  std::filesystem::path copy = file;
  copy += ".damaged";
  std::error_code ec;
  if (std::filesystem::exists(copy, ec)) {
    return " An earlier copy of a damaged file is kept as " + copy.filename().string() + ".";
  }
  std::filesystem::copy_file(file, copy, ec);
  if (ec) return " A copy could not be kept (" + ec.message() + "): back up the file before saving.";
  return " The damaged file was copied to " + copy.filename().string() + ".";
}

template <class LoadFn>
LoadResult LoadFile(Session& session, const std::filesystem::path& file, LoadFn load) {
  LoadResult result;
  result.file = file;
  const std::optional<FileView> bytes = FileView::Open(file);
  if (!bytes) return result;
  WorldArchiveContext context(session.world, session.settings, session.progress, session.prompter);
  try {
    load(bytes->Bytes(), context);
    result.outcome = LoadOutcome::kLoaded;
  } catch (const ArchiveError& e) {
    result.outcome = LoadOutcome::kDamaged;
    result.error = e.what();
    session.progress->Hide();
    session.prompter->Message("The database " + file.filename().string() +
                                  " is damaged and was read only up to " + "the fault: " + e.what() + "." +
                                  PreserveDamagedFile(file) + " Collect the data again to rebuild it.",
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
    std::error_code ec;
    if (std::filesystem::is_regular_file(session.WorkFile(name), ec)) return true;
  }
  return false;
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
  if (!std::filesystem::is_regular_file(typesFile)) return LoadResult{LoadOutcome::kAbsent, typesFile, {}};
  session.progress->SetText("Read Aircraft Types...");
  LoadResult result = LoadFile(session, typesFile, LoadAircraftTypes);
  if (result.outcome != LoadOutcome::kLoaded) return result;
  const auto namesFile = session.WorkFile(kAircraftNamesFile);
  if (!std::filesystem::is_regular_file(namesFile)) return result;
  session.progress->SetText("Read Aircraft Names...");
  return LoadFile(session, namesFile, LoadAircraftNames);
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
