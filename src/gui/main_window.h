#pragma once
// The main window: the sheet's five pages as tabs (Planes, Airports, Collect data, Settings,
// Flightplan generation), "Generate Flightplan" in the lower left, "Exit" and the sheet's Apply in
// the lower right, a File menu with "Show traffic report", a Help menu with the About box, and the
// progress box.
//
// The window installs its progress box as the session's Progress while it lives. Messages and
// questions go through the session's Prompter, which the caller sets (the GuiPrompter in the
// program, a recording one in tests).
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "gui/progress_box.h"
#include "ui/main_sheet.h"

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
 public:
  // `prompter`: the program's GuiPrompter, when the session's prompter is one (the Collect data
  // page tells it where "Browse" starts); null in tests.
  explicit MainWindow(Session& session, GuiPrompter* prompter = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The loading sequence, run as the window opens (the first airport collection when there is no
  // database, the databases, the installed aircraft, the reference lists), then the Settings page.
  // A damaged database stops it, as on the command line: the window offers the repair (Yes runs it
  // and loads again), and otherwise closes without writing anything; the result then says
  // stoppedByDamage.
  StartupSequenceResult Open(const StartupSteps& steps = {});

  // Runs `job` as a long operation of `window` (long_operation.h; this window when null): the
  // progress box moves, the windows repaint but `window` takes no input. Afterwards every page shows
  // its values again. A failure of the job is shown as a message and gives false.
  bool RunLong(const std::function<void()>& job, QWidget* window = nullptr);

  // "Generate Flightplan": the fleet, the week of flight plans and the traffic compiler; after a
  // run without failure, a question offers the traffic report.
  void GenerateFlightplan();
  // "Show traffic report": writes the report into the work folder and opens it in the browser.
  void ShowTrafficReport();
  // How the report is opened (QDesktopServices::openUrl unless set); false when it could not be.
  void SetUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }
  // The sheet's Apply.
  void Apply();
  // The About box.
  void ShowAbout();

  ui::MainSheet& sheet() { return sheet_; }
  ProgressBox& progressBox() { return *progress_; }
  QTabWidget* tabs() const { return tabs_; }
  QPushButton* applyButton() const { return apply_; }
  QPushButton* exitButton() const { return exit_; }
  QPushButton* generateButton() const { return generate_; }
  PageView& View(ui::PageId page) const { return *views_[static_cast<int>(page)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowPage(ui::PageId page);
  // The repair after a damaged start, then the loading sequence again into `result`; false when
  // the repair was refused or the databases still cannot be loaded (the user was told).
  bool RepairAndOpen(const StartupSteps& steps, StartupSequenceResult& result);
  // The buttons follow the pages: Apply while a page has changes, "Generate Flightplan" once a tree
  // page has been shown.
  void UpdateButtons();
  void RefreshPages();

  Session& session_;
  Progress* previousProgress_;
  ProgressBox* progress_;
  ui::MainSheet sheet_;
  QTabWidget* tabs_;
  std::array<PageView*, ui::kPageCount> views_{};
  QPushButton* generate_;
  QPushButton* exit_;
  QPushButton* apply_;
  bool opened_ = false;
  std::function<bool(const QUrl&)> openUrl_;
};

}
