#pragma once
// The main window: the sheet's five pages as tabs (Planes, Airports, Collect data, Settings,
// Flightplan generation; a page with unapplied edits is marked), "Generate Flightplan" in the lower
// left, "Exit" and the sheet's Apply in the lower right, a File menu (Apply Ctrl+S, Generate
// Flightplan Ctrl+G, Find airport Ctrl+F, Collect Airports, Show traffic report, Exit Ctrl+Q), a Help
// menu with the About box, a status bar with the main sheet's figures (ui::SheetStatus), and the
// progress box.
//
// A step that would lose unapplied edits (another node of a tree, Generate Flightplan, closing the
// window) asks about them first (LeaveEdits).
//
// The window's size, position and last page are kept in the user's QSettings (organization and
// application names as the program sets them): they are restored as the window is made and once
// the loading sequence has ended, and written as it closes.
//
// The window installs its progress box as the session's Progress while it lives. Messages and
// questions go through the session's Prompter, which the caller sets (the GuiPrompter in the
// program, a recording one in tests). Long work runs through the window's LongWork; the buttons
// that start it return at once, and what follows the work runs when it has ended.
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "gui/long_work.h"
#include "gui/progress_box.h"
#include "ui/main_sheet.h"

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QUrl;

namespace wf::gui {

class AirportsView;
class CollectView;
class FlightplanView;
class GuiPrompter;
class PageView;
class PlanesView;
class SettingsView;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // `prompter`: the program's GuiPrompter, when the session's prompter is one (the Collect data
  // page tells it where "Browse" starts); null in tests.
  explicit MainWindow(Session& session, GuiPrompter* prompter = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The loading sequence, run as long work as the window opens (the first airport collection when
  // there is no database, the databases, the installed aircraft, the reference lists), then the
  // Settings page; opened() follows. A damaged database stops it, as on the command line: the window
  // offers the repair (Yes runs it and loads again), and otherwise closes without writing anything.
  void Open(const StartupSteps& steps = {});
  // What the last loading sequence gave.
  const StartupSequenceResult& startup() const { return startup_; }

  // "Generate Flightplan", when it can run: after LeaveEdits, the main sheet's generation as long work;
  // its summary then offers the traffic report, or its failure is shown, each with the compiler's
  // report behind "Show Details...".
  void GenerateFlightplan();
  // "Show traffic report": writes the report into the work folder and opens it in the browser.
  void ShowTrafficReport();
  // How the report is opened (QDesktopServices::openUrl unless set); false when it could not be.
  void SetUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }
  // The sheet's Apply.
  void Apply();
  // Goes on with `next` once the unapplied edits (of page `only`, or of any page) may be left: at
  // once when there are none; otherwise after the question the main sheet asks (AskAboutEdits):
  // Yes applies the sheet and goes on only when that applied everything, No drops them, Cancel
  // stays.
  void LeaveEdits(std::function<void()> next, std::optional<ui::PageId> only = std::nullopt);
  // Find an airport (Ctrl+F): the Airports page with the cursor in its search field.
  void FindAirport();
  QAction* findAction() const { return find_; }
  // The About box.
  void ShowAbout();
  // "Collect Airports" of the File menu: the Collect data page, and its collection.
  void CollectAirports();

  ui::MainSheet& sheet() { return sheet_; }
  ProgressBox& progressBox() { return *progress_; }
  LongWork& work() { return *work_; }
  QTabWidget* tabs() const { return tabs_; }
  QPushButton* applyButton() const { return apply_; }
  QPushButton* exitButton() const { return exit_; }
  QPushButton* generateButton() const { return generate_; }
  PageView& View(ui::PageId page) const { return *views_[static_cast<int>(page)]; }
  // The status bar's parts, in the order of ui::SheetStatus.
  const std::array<QLabel*, 4>& statusLabels() const { return status_; }

 Q_SIGNALS:
  // The loading sequence has ended, with the repair when one was chosen: `ok` false when a damaged
  // database stopped it and the window closed.
  void opened(bool ok);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowPage(ui::PageId page);
  // The repair after a damaged start, then the loading sequence again.
  void RepairAndOpen(const StartupSteps& steps);
  void Opened(bool ok);
  // The buttons and tabs follow the pages: Apply while a page has changes, which marks its tab;
  // "Generate Flightplan" while it can run, its tooltip saying why not.
  void UpdateButtons();
  // The sheet's Apply as long work; then `next` when it applied everything.
  void ApplyThen(std::function<void()> next);
  void RunGeneration();
  void RefreshPages();
  void UpdateStatus();
  void AddMenus();
  // The page, size and position of the last window, as the user left them.
  void SaveWindowState() const;

  Session& session_;
  Progress* previousProgress_;
  ProgressBox* progress_;
  LongWork* work_;
  ui::MainSheet sheet_;
  StartupSequenceResult startup_;
  QTabWidget* tabs_;
  std::array<PageView*, ui::kPageCount> views_{};
  QPushButton* generate_;
  QPushButton* exit_;
  QPushButton* apply_;
  QAction* find_;
  QAction* applyAction_ = nullptr;
  QAction* generateAction_ = nullptr;
  std::array<QLabel*, 4> status_{};
  bool opened_ = false;
  std::function<bool(const QUrl&)> openUrl_;
};

}
