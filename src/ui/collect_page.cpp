#include "ui/collect_page.h"

#include "app/databases.h"
#include "platform/numbers.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf::ui {

namespace {

std::string WithFinalSeparator(const std::filesystem::path& folder) {
  return PathUtf8(folder / "");
}

const PageField kFields[] = {TextField<&CCollect::airportPath>(CCollect::kAirportPath)};

}

std::string CollectionSummary(const AirportCollectionResult& result) {
  const ScanSummary& scan = result.scan;
  const auto n = [](std::size_t count) { return FormatWhole(static_cast<std::int64_t>(count)); };
  std::string text = n(scan.bglFilesRead) + " scenery files read (" + n(scan.airportFilesRead) +
                     " with airports): " + n(scan.airportsAdded) + " airports added, " +
                     n(scan.airportsUpdated) + " updated, " + n(scan.airportsInDatabase) +
                     " in the database.";
  if (!scan.filesWithErrors.empty()) {
    text += "\n" + n(scan.filesWithErrors.size()) +
            " files had errors; the first: " + PathUtf8(scan.filesWithErrors.front().file) + ": " +
            scan.filesWithErrors.front().reason;
  }
  // A scan without the simulator's airports was not to be saved, and the user was told why.
  if (!result.saved && !result.noScenery)
    text += "\nThe airport database could not be saved; Apply tries again.";
  return text;
}

CCollect::CCollect(Session& session) : SheetPage(session) {}

std::span<const PageField> CCollect::FieldTable() {
  return kFields;
}

void CCollect::OnInitDialog() {
  airportPath = WithFinalSeparator(session_.simFolder / "Addon Scenery");
}

void CCollect::OnBrowse() {
  const std::optional<std::string> chosen = session_.prompter->OpenFile("Scenery", "");
  if (!chosen) return;
  const std::filesystem::path folder = UserPath(*chosen).parent_path();
  if (!folder.empty()) airportPath = WithFinalSeparator(folder);
}

void CCollect::OnSimFolderChanged(const std::filesystem::path& before) {
  if (airportPath == WithFinalSeparator(before / "Addon Scenery")) OnInitDialog();
}

void CCollect::SetAirportPath(const std::string& path) {
  airportPath = path.empty() ? std::string() : WithFinalSeparator(UserPath(path));
}

AirportCollectionResult CCollect::OnCollectAirports() {
  return Scan(ScanMode::kAddOn);
}

AirportCollectionResult CCollect::Scan(ScanMode mode) {
  return CollectAirports(session_, mode, UserPath(airportPath));
}

bool CCollect::OnApply() {
  SetModified(false);
  bool written = true;
  if (session_.hooks->PlanesPageHasUnsavedEdits()) {
    written = WriteAircraftFiles(session_);
    if (written) session_.hooks->PlanesPageEditsWritten();
  }
  if (session_.airportDatabaseUnsaved) written = SaveAirports() && written;
  session_.progress->Hide();
  return written;
}

}
