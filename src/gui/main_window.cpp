#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/repair.h"
#include "app/traffic_run.h"
#include "app/version.h"
#include "gui/airports_view.h"
#include "gui/collect_view.h"
#include "gui/flightplan_view.h"
#include "gui/plane_icons.h"
#include "gui/planes_view.h"
#include "gui/settings_view.h"
#include "gui/texts.h"
#include "platform/text.h"

namespace wf::gui {

namespace {

constexpr const char* kCaption = "FSX Wingfold";

constexpr const char* kRepairQuestion =
    "Wingfold cannot go on with a damaged database. Repair it now?\n\nYes sets the damaged files aside "
    "(they are kept as .damaged copies), rebuilds them from the simulator's scenery and aircraft, as "
    "\"wingfold repair\" does, and loads the databases again; collect your add-on scenery afterwards. "
    "No ends the program without writing anything.";

// Where the window's state is kept in the user's settings.
constexpr const char* kGeometryKey = "window/geometry";
constexpr const char* kPageKey = "window/page";

// A label that shows what fits of its text, cut in the middle, rather than widening the window; its
// tooltip shows the whole text.
class ElidedLabel final : public QLabel {
 public:
  using QLabel::QLabel;
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width()));
  }
};

}

MainWindow::MainWindow(Session& session, GuiPrompter* prompter, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      previousProgress_(session.progress),
      progress_(new ProgressBox(this)),
      work_(new LongWork(*progress_, session, this)),
      sheet_(session),
      tabs_(new QTabWidget(this)),
      generate_(new QPushButton("&Generate Flightplan", this)),
      exit_(new QPushButton("E&xit", this)),
      apply_(new QPushButton("&Apply", this)),
      find_(new QAction("Find airport...", this)),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  session_.progress = progress_;
  session_.rebuildAdvice = " Wingfold offers to repair it next.";
  setWindowTitle(kCaption);
  setWindowIcon(ProgramIcon());
  tabs_->setObjectName("pages");
  generate_->setObjectName("generateFlightplan");
  exit_->setObjectName("exit");
  apply_->setObjectName("apply");

  views_[static_cast<int>(ui::PageId::kPlanes)] = new PlanesView(sheet_.planes, *work_, this);
  views_[static_cast<int>(ui::PageId::kAirports)] = new AirportsView(sheet_.airports, *work_, this);
  views_[static_cast<int>(ui::PageId::kCollect)] = new CollectView(sheet_.collect, *work_, prompter, this);
  views_[static_cast<int>(ui::PageId::kSettings)] = new SettingsView(sheet_.settings, *work_, this);
  views_[static_cast<int>(ui::PageId::kFlightplan)] = new FlightplanView(sheet_.flightplan, *work_, this);
  for (int i = 0; i < ui::kPageCount; ++i) {
    connect(views_[i], &PageView::edited, this, &MainWindow::UpdateButtons);
    tabs_->addTab(views_[i], ui::kPageTitles[i]);
  }
  for (const ui::PageId page : {ui::PageId::kPlanes, ui::PageId::kAirports}) {
    auto* view = static_cast<TreePageView*>(&View(page));
    connect(view, &TreePageView::nodeWanted, this, [this, view, page](ui::NodeId node) {
      LeaveEdits([view, path = view->PathOf(node)] { view->SelectPath(path); }, page);
    });
  }
  find_->setObjectName("findAirport");
  find_->setShortcut(QKeySequence::Find);
  connect(find_, &QAction::triggered, this, &MainWindow::FindAirport);
  addAction(find_);
  // Long work may change any page.
  connect(work_, &LongWork::finished, this, &MainWindow::RefreshPages);
  tabs_->setCurrentIndex(static_cast<int>(ui::PageId::kSettings));
  View(ui::PageId::kSettings).Refresh();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(generate_);
  buttons->addStretch(1);
  buttons->addWidget(exit_);
  buttons->addWidget(apply_);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  setCentralWidget(central);

  AddMenus();
  const char* statusNames[] = {"statusWorkFolder", "statusAirports", "statusAircraft", "statusGeneration"};
  for (std::size_t i = 0; i < status_.size(); ++i) {
    status_[i] = i == 0 ? new ElidedLabel(this) : new QLabel(this);
    status_[i]->setObjectName(statusNames[i]);
    if (i == 0) {
      statusBar()->addWidget(status_[i], 1);
    } else {
      statusBar()->addPermanentWidget(status_[i]);
    }
  }
  UpdateStatus();

  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && index < ui::kPageCount) ShowPage(static_cast<ui::PageId>(index));
  });
  connect(generate_, &QPushButton::clicked, this, &MainWindow::GenerateFlightplan);
  connect(exit_, &QPushButton::clicked, this, &QWidget::close);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  UpdateButtons();
  resize(sizeHint().expandedTo(QSize(920, 620)));
  restoreGeometry(QSettings().value(kGeometryKey).toByteArray());
}

void MainWindow::AddMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  const auto add = [this, file](const char* name, const char* text, const char* keys, auto slot) {
    QAction* action = file->addAction(text);
    action->setObjectName(name);
    if (keys != nullptr) action->setShortcut(QKeySequence(keys));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  applyAction_ = add("applyAction", "&Apply", "Ctrl+S", [this] { Apply(); });
  generateAction_ = add("generateAction", "&Generate Flightplan", "Ctrl+G", [this] { GenerateFlightplan(); });
  file->addAction(find_);
  add("collectAction", "&Collect Airports", nullptr, [this] { CollectAirports(); });
  add("reportAction", "Show traffic &report", nullptr, [this] { ShowTrafficReport(); });
  file->addSeparator();
  add("exitAction", "E&xit", "Ctrl+Q", [this] { close(); });
  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("&About FSX Wingfold...", this, [this] { ShowAbout(); });
}

MainWindow::~MainWindow() {
  // Work still running uses the sheet, which goes before the window's children: it ends first.
  delete work_;
  session_.progress = previousProgress_;
}

void MainWindow::Open(const StartupSteps& steps) {
  tabs_->setCurrentIndex(static_cast<int>(ui::PageId::kSettings));
  work_->Run(
      this, [this, steps] { startup_ = sheet_.Open(steps, ui::PageId::kSettings, true); },
      [this, steps](bool) {
        if (!startup_.stoppedByDamage) return Opened(true);
        // Half a database is never shown, edited or saved over. A file that cannot be read is the
        // user's to mend; a damaged one can be rebuilt.
        const bool damaged = startup_.airports.outcome == LoadOutcome::kDamaged ||
                             startup_.aircraft.outcome == LoadOutcome::kDamaged;
        if (!damaged || !session_.prompter->AskYesNo(kRepairQuestion)) return Opened(false);
        RepairAndOpen(steps);
      });
}

void MainWindow::RepairAndOpen(const StartupSteps& steps) {
  auto repair = std::make_shared<RepairResult>();
  const auto job = [this, repair, steps] {
    *repair = RepairDatabases(session_);
    if (repair->refused.empty()) startup_ = sheet_.Open(steps, ui::PageId::kSettings, true);
  };
  work_->Run(this, job, [this, repair](bool done) {
    if (done && !repair->refused.empty()) session_.prompter->Message(repair->refused, MessageIcon::kStop);
    if (!done || !repair->refused.empty() || startup_.stoppedByDamage) return Opened(false);
    std::string text = "The damaged files were set aside:";
    for (const auto& file : repair->keptAs) text += "\n  " + PathUtf8(file.filename());
    if (!repair->copies.empty()) text += "\nCopies of the other aircraft files were kept:";
    for (const auto& file : repair->copies) text += "\n  " + PathUtf8(file.filename());
    text += "\nThe databases were rebuilt from the simulator.";
    if (repair->airports) text += " Collect your add-on scenery again on the Collect data page.";
    session_.prompter->Message(text, MessageIcon::kInformation);
    Opened(true);
  });
}

void MainWindow::Opened(bool ok) {
  if (ok) {
    opened_ = true;
    RefreshPages();
    // The last page, unless the simulator folder is still to be set on the Settings page.
    const int page = QSettings().value(kPageKey, tabs_->currentIndex()).toInt();
    std::error_code error;
    if (page >= 0 && page < ui::kPageCount && std::filesystem::is_directory(session_.simFolder, error))
      tabs_->setCurrentIndex(page);
  } else {
    close();
  }
  Q_EMIT opened(ok);
}

void MainWindow::ShowPage(ui::PageId page) {
  if (!opened_) return;
  if (!sheet_.IsCreated(page)) {
    // A tree page builds its tree from the whole database when it is first shown.
    work_->Run(this, [this, page] { sheet_.ShowPage(page); });
    return;
  }
  sheet_.ShowPage(page);
  View(page).Refresh();
  UpdateButtons();
}

void MainWindow::RefreshPages() {
  for (int i = 0; i < ui::kPageCount; ++i) {
    if (sheet_.IsCreated(static_cast<ui::PageId>(i))) views_[i]->Refresh();
  }
  UpdateButtons();
  UpdateStatus();
}

void MainWindow::UpdateButtons() {
  const std::vector<ui::PageId> edited = sheet_.PagesWithEdits();
  apply_->setEnabled(!edited.empty());
  applyAction_->setEnabled(apply_->isEnabled());
  for (int i = 0; i < ui::kPageCount; ++i) {
    const bool marked = std::find(edited.begin(), edited.end(), static_cast<ui::PageId>(i)) != edited.end();
    tabs_->setTabText(i, QString(ui::kPageTitles[i]) + (marked ? " *" : ""));
    tabs_->setTabToolTip(i, marked ? "Changes not applied yet" : QString());
  }
  const std::string blocked = sheet_.GenerateBlockedReason();
  generate_->setEnabled(blocked.empty());
  generateAction_->setEnabled(generate_->isEnabled());
  generate_->setToolTip(blocked.empty() ? "Generate the fleet and a week of flight plans, and compile them"
                                        : Q(blocked));
}

void MainWindow::UpdateStatus() {
  const ui::SheetStatus status = sheet_.Status();
  const std::string* texts[] = {&status.workFolder, &status.airports, &status.aircraft,
                                &status.lastGeneration};
  for (std::size_t i = 0; i < status_.size(); ++i) status_[i]->setText(Q(*texts[i]));
  status_[0]->setToolTip("Work folder: " + status_[0]->text());
}

void MainWindow::CollectAirports() {
  auto& view = static_cast<CollectView&>(View(ui::PageId::kCollect));
  tabs_->setCurrentIndex(static_cast<int>(ui::PageId::kCollect));
  // The page's first showing is long work of its own; the collection follows it.
  if (!work_->Busy()) return view.Collect();
  connect(
      work_, &LongWork::finished, &view,
      [&view](bool done) {
        if (done) view.Collect();
      },
      Qt::SingleShotConnection);
}

void MainWindow::Apply() {
  ApplyThen({});
}

void MainWindow::ApplyThen(std::function<void()> next) {
  auto applied = std::make_shared<bool>(false);
  work_->Run(
      this, [this, applied] { *applied = sheet_.Apply(); },
      [applied, next = std::move(next)](bool done) {
        if (done && *applied && next) next();
      });
}

void MainWindow::LeaveEdits(std::function<void()> next, std::optional<ui::PageId> only) {
  switch (sheet_.AskAboutEdits(only)) {
    case ui::EditsDecision::kGoOn:
      RefreshPages();
      next();
      break;
    case ui::EditsDecision::kApplyFirst:
      ApplyThen(std::move(next));
      break;
    case ui::EditsDecision::kStay:
      break;
  }
}

void MainWindow::FindAirport() {
  auto& airports = static_cast<AirportsView&>(View(ui::PageId::kAirports));
  tabs_->setCurrentWidget(&airports);
  airports.FocusSearch();
}

void MainWindow::GenerateFlightplan() {
  if (sheet_.GenerateEnabled()) LeaveEdits([this] { RunGeneration(); });
}

void MainWindow::RunGeneration() {
  auto generation = std::make_shared<ui::FlightplanGeneration>();
  work_->Run(
      this, [this, generation] { *generation = sheet_.GenerateFlightplan(true, CompilerReport::kKept); },
      [this, generation](bool done) {
        if (!done) return;
        const std::string& report = generation->run.compilerReport;
        if (!generation->run.failure.empty()) {
          session_.prompter->MessageWithDetails(generation->run.failure, MessageIcon::kStop, report);
        } else if (session_.prompter->AskYesNoWithDetails(
                       generation->summary + "\n\nShow the traffic report?", report)) {
          ShowTrafficReport();
        }
      });
}

void MainWindow::ShowTrafficReport() {
  auto report = std::make_shared<std::optional<std::filesystem::path>>();
  work_->Run(
      this, [this, report] { *report = sheet_.WriteTrafficReport(); },
      [this, report](bool done) {
        if (!done || !*report) return;
        if (!openUrl_(QUrl::fromLocalFile(QString::fromStdString(PathUtf8(**report))))) {
          session_.prompter->Message("The traffic report was written to " + PathUtf8(**report) +
                                         ", but no browser could be started to show it.",
                                     MessageIcon::kWarning);
        }
      });
}

void MainWindow::ShowAbout() {
  QMessageBox::about(this, "About FSX Wingfold",
                     QString("<p><b>FSX Wingfold</b> %1</p>"
                             "<p>General-aviation AI traffic for Microsoft Flight Simulator X: airports "
                             "from your scenery, aircraft from your SimObjects folders, a fleet of "
                             "registered planes and a week of flight plans for the traffic "
                             "compiler.</p>")
                         .arg(ProgramVersion()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (work_->Busy()) {
    event->ignore();
    return;
  }
  if (sheet_.PagesWithEdits().empty()) {
    SaveWindowState();
    QMainWindow::closeEvent(event);
    return;
  }
  // Closed again once the edits are applied or dropped, after this close has ended.
  event->ignore();
  LeaveEdits([this] { QTimer::singleShot(0, this, &QWidget::close); });
}

void MainWindow::SaveWindowState() const {
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  // A window closed before its databases were loaded was not used.
  if (opened_) settings.setValue(kPageKey, tabs_->currentIndex());
}

}
