#include "ui/collect_page.h"

#include "app/databases.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf::ui {

namespace {

std::string WithFinalSeparator(const std::filesystem::path& folder) {
  return PathUtf8(folder / "");
}

const PageField kFields[] = {TextField<&CCollect::airportPath>(CCollect::kAirportPath)};

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
