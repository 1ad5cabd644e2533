// wingfold_screenshots OUT WORK [AIRPORT] [MODEL]: opens the window on the work folder WORK (a copy of
// the demo world's, whose settings name the demo simulator folder), generates the flight plans
// (without the compiler, so that the simulator folder stays as it is), draws each page, the window
// with its status bar and the Make AI Plane dialog of MODEL (default: the demo's AI copy) into OUT as
// PNG files, with AIRPORT (default EDDF) found on the Airports page, and ends. The folders shown are
// those a user of the simulator would see, not this machine's. The window's remembered size and
// page are kept in a folder of the run, so the pictures are drawn at the default size.
// scripts/screenshots runs it offscreen.
#include <QtCore/qtestsupport_core.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <iostream>

#include "app/startup.h"
#include "gui/airports_view.h"
#include "gui/gui_prompter.h"
#include "gui/main_window.h"
#include "gui/make_ai_plane_dialog.h"
#include "gui/planes_view.h"

namespace {

// Answers every question with No and keeps the messages for the end.
class QuietPrompter final : public wf::Prompter {
 public:
  void Message(const std::string& text, wf::MessageIcon) override { std::cerr << text << "\n"; }
  bool AskYesNo(const std::string&) override { return false; }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return {}; }
};

// The folders a user of the simulator recognises, in place of the demo's.
void ShowNeutralFolders(QWidget& window) {
  const QString sim = R"(C:\Program Files (x86)\Microsoft Games\Microsoft Flight Simulator X)";
  const std::pair<const char*, QString> shown[] = {
      {"toolsPath", R"(C:\Wingfold\Bin)"},
      {"simPath", sim},
      {"airportPath", sim + R"(\Addon Scenery\)"},
  };
  for (const auto& [name, text] : shown) {
    if (auto* edit = window.findChild<QLineEdit*>(name)) edit->setText(text);
  }
  if (auto* edit = window.findChild<QLineEdit*>("fsxCfgPath"))
    edit->setPlaceholderText(R"(C:\Users\Pilot\AppData\Roaming\Microsoft\FSX)");
  if (auto* label = window.findChild<QLabel*>("statusWorkFolder"))
    label->setText(R"(C:\Users\Pilot\Documents\Wingfold)");
}

bool Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  if (widget.grab().save(file)) return true;
  std::cerr << "cannot write " << file.toStdString() << "\n";
  return false;
}

// The window's picture with a separate top-level widget of it (a popup list, a message box) drawn
// where it stands, as the screen shows them together.
bool SaveWith(QWidget& window, QWidget& top, const QString& file) {
  QApplication::processEvents();
  QPixmap shot = window.grab();
  QPainter(&shot).drawPixmap(window.mapFromGlobal(top.mapToGlobal(QPoint(0, 0))), top.grab());
  if (shot.save(file)) return true;
  std::cerr << "cannot write " << file.toStdString() << "\n";
  return false;
}

// Waits for the window's long work (the tree of a page shown for the first time).
bool Settle(wf::gui::MainWindow& window) {
  return QTest::qWaitFor([&window] { return !window.work().Busy(); }, 120000);
}

}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
    QSettings::setPath(QSettings::IniFormat, scope, settings.path());
  if (argc < 3) {
    std::cerr << "usage: wingfold_screenshots OUT WORK [AIRPORT] [MODEL]\n";
    return 2;
  }
  const QString out = argv[1];
  const QString airport = argc > 3 ? argv[3] : "EDDF";
  const QString model = argc > 4 ? argv[4] : "Wingfold Tourer_172";
  std::filesystem::create_directories(out.toStdString());

  QuietPrompter prompter;
  wf::Session session;
  session.prompter = &prompter;
  wf::StartSession(session, argv[2]);
  wf::gui::MainWindow window(session);
  window.show();
  bool opened = false;
  QObject::connect(&window, &wf::gui::MainWindow::opened, [&opened](bool ok) { opened = ok; });
  window.Open();
  if (!Settle(window) || !opened) return 1;
  window.work().Run(&window, [&window] { window.sheet().GenerateFlightplan(false); });
  if (!Settle(window)) return 1;

  using wf::ui::PageId;
  auto& planes = static_cast<wf::gui::PlanesView&>(window.View(PageId::kPlanes));
  const char* names[wf::ui::kPageCount] = {"planes", "airports", "collect-data", "settings",
                                           "flightplan-generation"};
  bool saved = true;
  for (int i = 0; i < wf::ui::kPageCount; ++i) {
    window.tabs()->setCurrentIndex(i);
    if (!Settle(window)) return 1;
    if (i == static_cast<int>(PageId::kAirports)) {
      auto* icao = window.findChild<QLineEdit*>("m_strICAO");
      icao->setText(airport);
      Q_EMIT icao->textEdited(airport);
    }
    if (i == static_cast<int>(PageId::kPlanes)) {
      const QModelIndex root = planes.treeModel().index(0, 0);
      planes.tree()->setCurrentIndex(planes.treeModel().index(0, 0, planes.treeModel().index(1, 0, root)));
    }
    ShowNeutralFolders(window);
    saved = Save(window, out + "/" + names[i] + ".png") && saved;
  }
  // The window with its File menu open, over the status bar of the generation.
  window.tabs()->setCurrentIndex(static_cast<int>(PageId::kFlightplan));
  ShowNeutralFolders(window);
  QAction* fileItem = window.menuBar()->actions().at(0);
  QMenu* file = fileItem->menu();
  file->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(fileItem).bottomLeft()));
  saved = SaveWith(window, *file, out + "/main-window.png") && saved;
  file->hide();

  // The airport search (Ctrl+F) with its list of matches for a name typed without its accent.
  auto& airports = static_cast<wf::gui::AirportsView&>(window.View(PageId::kAirports));
  window.tabs()->setCurrentWidget(&airports);
  airports.FocusSearch();
  airports.searchField()->setText("zurich");
  Q_EMIT airports.searchField()->textEdited("zurich");
  QAbstractItemView* matches = airports.searchList()->popup();
  saved = QTest::qWaitFor([matches] { return matches->isVisible(); }, 5000) &&
          SaveWith(window, *matches, out + "/airport-search.png") && saved;
  matches->hide();
  airports.searchField()->clear();

  // An edited probability, then another plane chosen: the question about the unapplied edits, with
  // its answer Cancel.
  window.tabs()->setCurrentIndex(static_cast<int>(PageId::kPlanes));
  wf::gui::GuiPrompter asking;
  session.prompter = &asking;
  auto* probability = planes.findChild<QLineEdit*>("m_fProbability");
  probability->setText("55");
  Q_EMIT probability->textEdited("55");
  bool asked = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    poll.stop();
    asked = SaveWith(window, *box, out + "/unsaved-edits.png");
    box->reject();
  });
  poll.start(50);
  planes.tree()->setCurrentIndex(planes.treeModel().index(1, 0, planes.treeModel().index(0, 0)));
  saved = QTest::qWaitFor([&asked] { return asked; }, 5000) && saved;
  poll.stop();
  session.prompter = &prompter;
  if (!asked) std::cerr << "no question about the unapplied edits\n";

  // The dialog of the AI copy (its textures measured, the nearest flight model chosen), closed with
  // Cancel.
  window.tabs()->setCurrentIndex(static_cast<int>(PageId::kPlanes));
  const QModelIndex root = planes.treeModel().index(0, 0);
  for (int row = 0; row < planes.treeModel().rowCount(root); ++row) {
    const QModelIndex node = planes.treeModel().index(row, 0, root);
    if (node.data().toString() == model) planes.tree()->setCurrentIndex(node);
  }
  bool grabbed = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<wf::gui::MakeAIPlaneDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    grabbed = Save(*dialog, out + "/make-ai-plane.png");
    dialog->cancelButton()->click();
  });
  planes.findChild<QPushButton*>("makeAIPlane")->click();
  if (!grabbed) std::cerr << model.toStdString() << " has no Make AI Plane dialog\n";
  return saved && grabbed ? 0 : 1;
}
