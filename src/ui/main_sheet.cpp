#include "ui/main_sheet.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "app/traffic_report.h"
#include "platform/numbers.h"
#include "platform/system.h"
#include "platform/text.h"
#include "traffic/fleet.h"
#include "world/plane.h"

namespace wf::ui {

namespace {

template <class Number>
std::string N(Number number) {
  return FormatWhole(static_cast<std::int64_t>(number));
}

// "  label:" and the value, in a column.
std::string Row(const std::string& label, const std::string& value) {
  std::string text = "  " + label + ":";
  text.resize(std::max<std::size_t>(text.size() + 1, 29), ' ');
  return text + value + "\n";
}

std::string GenerationSummary(const TrafficRunResult& run) {
  const GenerationResult& g = run.generation;
  const FleetSummary& f = g.fleet;
  std::string text = run.flightPlansWritten
                         ? "Flight plans for " + N(f.planes) + " planes at " + N(f.airportsPopulated) +
                               " airports written to " + std::string(kFlightPlansFile) + " (" +
                               N(g.flightLines) + " flights).\n"
                         : std::string(kFlightPlansFile) + " was NOT written.\n";
  text += Row("airports listed", N(f.airportsListed) + " (" + N(f.airportsVisited) + " visited, " +
                                     N(f.airportsPopulated) + " populated)");
  text += Row("planes", N(f.planes));
  for (int c = 0; c < kCategoryCount; ++c)
    text += Row("  " + std::string(CategoryName(c)), N(f.planesByCategory[c]));
  text += Row("flight lines written", N(g.flightLines) + " in " + N(g.planeBlocks) + " plans") +
          Row("planes without a block", N(g.planesWithoutBlock)) +
          Row("GA parking spaces", N(f.parkingSpaces)) +
          Row("  left empty by the GA percentage draw", N(f.spacesNotDrawn)) +
          Row("  left empty, no fitting aircraft", N(f.spacesWithoutAircraft)) +
          Row("  left empty, registrations exhausted", N(f.spacesWithoutRegistration)) +
          Row("geodesy work",
              N(g.work.distanceCalls) + " distances, " + N(g.work.sunTimeComputations) + " sun times") +
          Row("destination candidates", N(g.work.candidatesTested) + " tested");
  if (!g.airportsWithInvalidSunTimes.empty()) {
    text += Row("airports without valid sun times", N(g.airportsWithInvalidSunTimes.size()));
  }
  if (!run.compilerRun) return text;
  if (!run.compiler.started) return text + "The traffic compiler was not started.";
  if (run.outputUpdated) return text + "The traffic compiler wrote " + PathUtf8(run.outputFile) + ".";
  return text + "The traffic compiler ended with exit status " + N(run.compiler.exitCode) + "; " +
         PathUtf8(run.outputFile) + " was NOT written.";
}

}

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

StartupSequenceResult MainSheet::Open(const StartupSteps& steps, PageId first, bool buildTrees) {
  StartupSequenceResult result = RunStartupSequence(session_, steps);
  for (const PageId tree : {PageId::kPlanes, PageId::kAirports}) {
    if (buildTrees && !result.stoppedByDamage) Create(tree);
  }
  ShowPage(first);
  return result;
}

SheetPage& MainSheet::Page(PageId page) {
  return const_cast<SheetPage&>(std::as_const(*this).Page(page));
}

const SheetPage& MainSheet::Page(PageId page) const {
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

void MainSheet::Create(PageId page) {
  if (created_[static_cast<int>(page)]) return;
  created_[static_cast<int>(page)] = true;
  Page(page).OnInitDialog();
}

void MainSheet::ShowPage(PageId page) {
  Create(page);
  active_ = page;
}

bool MainSheet::ApplyEnabled() const {
  return !PagesWithEdits().empty();
}

std::string MainSheet::GenerateBlockedReason() const {
  return generateEnabled_ ? std::string() : "The airport and aircraft databases are not loaded yet.";
}

std::vector<PageId> MainSheet::PagesWithEdits(std::optional<PageId> only) const {
  std::vector<PageId> pages;
  for (int i = 0; i < kPageCount; ++i) {
    const auto page = static_cast<PageId>(i);
    if ((!only || page == *only) && Page(page).IsModified()) pages.push_back(page);
  }
  return pages;
}

EditsDecision MainSheet::AskAboutEdits(std::optional<PageId> only) {
  const std::vector<PageId> pages = PagesWithEdits(only);
  if (pages.empty()) return EditsDecision::kGoOn;
  std::string items;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    std::string item = Page(pages[i]).EditedItem();
    if (item.empty()) item = "the " + std::string(kPageTitles[static_cast<int>(pages[i])]) + " page";
    items += (i == 0 ? "" : i + 1 == pages.size() ? " and " : ", ") + item;
  }
  switch (session_.prompter->AskYesNoCancel("Apply the changes to " + items + "?")) {
    case Answer::kYes:
      return EditsDecision::kApplyFirst;
    case Answer::kNo:
      for (const PageId page : pages) Page(page).DropEdits();
      return EditsDecision::kGoOn;
    default:
      return EditsDecision::kStay;
  }
}

bool MainSheet::Apply() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!created_[i]) continue;
    const std::string problem = Page(static_cast<PageId>(i)).Problem();
    if (!problem.empty()) {
      session_.prompter->Message(problem, MessageIcon::kStop);
      return false;
    }
  }
  const std::filesystem::path simFolder = session_.simFolder;
  bool applied = true;
  for (int i = 0; i < kPageCount; ++i) {
    const auto page = static_cast<PageId>(i);
    if (created_[i] || page == PageId::kCollect) applied = Page(page).OnApply() && applied;
  }
  if (session_.simFolder != simFolder && IsCreated(PageId::kCollect)) collect.OnSimFolderChanged(simFolder);
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

FlightplanGeneration MainSheet::GenerateFlightplan(bool compile, CompilerReport report) {
  const auto start = std::chrono::steady_clock::now();
  FlightplanGeneration generation;
  generation.run = RunTrafficGeneration(session_, compile, report);
  generation.summary = GenerationSummary(generation.run);
  lastGeneration_ = GenerationTime{
      LocalClockNow(), std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
  return generation;
}

SheetStatus MainSheet::Status() const {
  SheetStatus status;
  status.workFolder = PathUtf8(session_.workFolder);
  std::size_t used = 0;
  for (const auto& [icao, airport] : session_.world.airportIndex)
    used += airport->useAirport != 0 && TakesPartInTraffic(*airport) ? 1 : 0;
  status.airports = "Airports: " + N(used) + "/" + N(session_.world.airportIndex.size()) + " used";
  std::size_t models = 0, variations = 0;
  for (const auto& [name, model] : session_.world.aircraftTypes)
    models += planes.ModelImage(*model) == kImageUsable ? 1 : 0;
  for (const auto& [title, variation] : session_.world.aircraftNames)
    variations += planes.VariationImage(*variation) == kImageUsable ? 1 : 0;
  status.aircraft = "Usable: " + N(models) + "/" + N(session_.world.aircraftTypes.size()) + " models, " +
                    N(variations) + "/" + N(session_.world.aircraftNames.size()) + " variations";
  if (!lastGeneration_) {
    status.lastGeneration = "No generation since the start";
    return status;
  }
  const ClockFields& at = lastGeneration_->ended;
  status.lastGeneration = "Generated " + FormatWhole(at.hour, 2) + ":" + FormatWhole(at.minute, 2) + " (" +
                          N(std::llround(lastGeneration_->seconds)) + " s): ";
  const GenerationResult* generation = session_.lastGeneration.get();
  status.lastGeneration += generation != nullptr ? N(generation->fleet.planes) + " planes, " +
                                                       N(generation->flightLines) + " flights"
                                                 : "nothing written";
  return status;
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
