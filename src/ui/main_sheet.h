#pragma once
// The main sheet: the five pages, which of them have been shown, the sheet's Apply, and the
// "Generate Flightplan" button. It is the session's PageHooks while it lives, so that the scan, the
// fee assignment and the Settings page reach the Airports and Planes pages.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/startup_sequence.h"
#include "app/traffic_run.h"
#include "platform/calendar.h"
#include "ui/airports_page.h"
#include "ui/collect_page.h"
#include "ui/flightplan_page.h"
#include "ui/planes_page.h"
#include "ui/settings_page.h"

namespace wf::ui {

// The pages in the sheet's order, and their titles.
enum class PageId { kPlanes, kAirports, kCollect, kSettings, kFlightplan };
inline constexpr int kPageCount = 5;
inline constexpr std::array<const char*, kPageCount> kPageTitles = {"Planes", "Airports", "Collect data",
                                                                    "Settings", "Flightplan generation"};

// What a step that would lose unapplied edits (another node, a generation, the end of the program)
// does about them.
enum class EditsDecision {
  kGoOn,        // there were none, or they were dropped
  kApplyFirst,  // apply the sheet (MainSheet::Apply); go on only when that applied everything
  kStay,        // leave everything as it is
};

// What "Generate Flightplan" did.
struct FlightplanGeneration {
  TrafficRunResult run;  // run.failure: what went wrong, for the front end to report
  // For the user: what was written (planes, airports, flights), the fleet's and the week's figures,
  // and what the compiler did.
  std::string summary;
};

// What the window's status bar shows, each part a text for people.
struct SheetStatus {
  std::string workFolder;      // the work folder's path
  std::string airports;        // "Airports: U/N used": used, in a used country and not military
  std::string aircraft;        // "Usable: M/N models, V/W variations", as the Planes page marks them
  std::string lastGeneration;  // "Generated 14:02 (6 s): P planes, F flights", or that there was none
};

class MainSheet final : public PageHooks {
 public:
  // Constructs the pages from the started session (the Settings page takes its values now).
  explicit MainSheet(Session& session);
  ~MainSheet() override;
  MainSheet(const MainSheet&) = delete;
  MainSheet& operator=(const MainSheet&) = delete;

  CPPlanes planes;
  CPAirports airports;
  CCollect collect;
  CPSettings settings;
  CPFlightplan flightplan;

  // The sheet opens: the loading sequence runs, then `first` becomes the active page (the program
  // opens on the Settings page). With `buildTrees`, the Planes and Airports pages are created at once
  // (their trees built, which enables "Generate Flightplan"), unless a damaged database stopped the
  // sequence.
  StartupSequenceResult Open(const StartupSteps& steps = {}, PageId first = PageId::kSettings,
                             bool buildTrees = false);

  // Makes `page` the active page; the first time, the page is created (its trees are built).
  void ShowPage(PageId page);
  PageId ActivePage() const { return active_; }
  bool IsCreated(PageId page) const { return created_[static_cast<int>(page)]; }
  SheetPage& Page(PageId page);
  const SheetPage& Page(PageId page) const;

  // The sheet's Apply button is enabled: some page has changes.
  bool ApplyEnabled() const;
  // "Generate Flightplan" is enabled once the Airports or the Planes page has built its tree:
  // GenerateBlockedReason() is empty.
  bool GenerateEnabled() const { return GenerateBlockedReason().empty(); }
  // Why "Generate Flightplan" cannot run, for the user; empty when it can.
  std::string GenerateBlockedReason() const;

  // The created pages that hold unapplied edits, in the sheet's order; with `only`, that page alone.
  std::vector<PageId> PagesWithEdits(std::optional<PageId> only = std::nullopt) const;
  // Before a step that would lose the edits of PagesWithEdits(only): without such edits kGoOn, and
  // nothing is asked; otherwise asks "Apply the changes to <item>?", naming what they change. Yes:
  // kApplyFirst; No drops them (the pages show what is stored) and gives kGoOn; Cancel: kStay.
  EditsDecision AskAboutEdits(std::optional<PageId> only = std::nullopt);

  // The sheet's Apply: when a page that has been created refuses a number, that message is shown and
  // nothing is applied; otherwise every created page applies, in the sheet's order, and the Collect
  // data page applies every time. False when something was refused or could not be saved.
  bool Apply();

  // "Generate Flightplan": the fleet, the week of flight plans and, with `compile`, the traffic
  // compiler, whose report goes where `report` says (app/traffic_run.h).
  FlightplanGeneration GenerateFlightplan(bool compile = true,
                                          CompilerReport report = CompilerReport::kPassedOn);

  // The figures of the status bar, counted now.
  SheetStatus Status() const;

  // "Show traffic report": writes the traffic report of the work folder (app/traffic_report.h) and
  // returns its path, for the front end to open; when no page could be written, shows why and
  // returns nothing.
  std::optional<std::filesystem::path> WriteTrafficReport();

  void InitAirportData() override;
  void BuildPlaneTree() override;
  bool PlanesPageHasUnsavedEdits() override;
  void PlanesPageEditsWritten() override;

 private:
  // Creates `page` as its first showing does: its trees are built.
  void Create(PageId page);

  Session& session_;
  PageHooks* previousHooks_;
  std::array<bool, kPageCount> created_{};
  PageId active_ = PageId::kSettings;
  bool generateEnabled_ = false;
  // When the last "Generate Flightplan" of this sheet ended, on this machine's clock, and how long
  // it took; none before one.
  struct GenerationTime {
    ClockFields ended;
    double seconds;
  };
  std::optional<GenerationTime> lastGeneration_;
};

}
