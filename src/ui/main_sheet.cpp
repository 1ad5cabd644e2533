#include "ui/main_sheet.h"

#include "app/traffic_report.h"

namespace wf::ui {

MainSheet::MainSheet(Session& session)
    : planes(session),
      airports(session),
      collect(session),
      settings(session),
      flightplan(session),
      session_(session),
      previousHooks_(session.hooks) {
  session_.hooks = this;
  for (SheetPage* page : {static_cast<SheetPage*>(&planes), static_cast<SheetPage*>(&airports)}) {
    page->enableGenerateButton = [this] { generateEnabled_ = true; };
  }
}

MainSheet::~MainSheet() {
  session_.hooks = previousHooks_;
}

StartupSequenceResult MainSheet::Open(const StartupSteps& steps, PageId first) {
  StartupSequenceResult result = RunStartupSequence(session_, steps);
  ShowPage(first);
  return result;
}

SheetPage& MainSheet::Page(PageId page) {
  switch (page) {
    case PageId::kPlanes:
      return planes;
    case PageId::kAirports:
      return airports;
    case PageId::kCollect:
      return collect;
    case PageId::kSettings:
      return settings;
    case PageId::kFlightplan:
    default:
      return flightplan;
  }
}

void MainSheet::ShowPage(PageId page) {
  SheetPage& shown = Page(page);
  if (!created_[static_cast<int>(page)]) {
    created_[static_cast<int>(page)] = true;
    shown.OnInitDialog();
  }
  active_ = page;
  shown.OnSetActive();
}

bool MainSheet::ApplyEnabled() const {
  for (const SheetPage* page :
       {static_cast<const SheetPage*>(&planes), static_cast<const SheetPage*>(&airports),
        static_cast<const SheetPage*>(&collect), static_cast<const SheetPage*>(&settings),
        static_cast<const SheetPage*>(&flightplan)}) {
    if (page->IsModified()) return true;
  }
  return false;
}

bool MainSheet::Apply() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!created_[i]) continue;
    const std::string problem = Page(static_cast<PageId>(i)).Problem();
    if (!problem.empty()) {
      session_.prompter->Message(problem, MessageIcon::kWarning);
      return false;
    }
  }
  bool applied = true;
  for (int i = 0; i < kPageCount; ++i) {
    const auto page = static_cast<PageId>(i);
    if (created_[i] || page == PageId::kCollect) applied = Page(page).OnApply() && applied;
  }
  return applied;
}

void MainSheet::InitAirportData() {
  airports.InitAirportData(false);
}

void MainSheet::BuildPlaneTree() {
  planes.BuildPlaneTree(false);
}

bool MainSheet::PlanesPageHasUnsavedEdits() {
  return !planes.m_bSaved;
}

void MainSheet::PlanesPageEditsWritten() {
  planes.m_bSaved = true;
}

std::optional<std::filesystem::path> MainSheet::WriteTrafficReport() {
  const TrafficReportResult report = wf::WriteTrafficReport(session_);
  if (!report.failure.empty()) {
    session_.prompter->Message(report.failure, MessageIcon::kStop);
    return std::nullopt;
  }
  return report.file;
}

}
