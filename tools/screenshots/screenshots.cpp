// wingfold_screenshots OUT WORK [AIRPORT] [MODEL]: opens the window on the work folder WORK (a copy of
// the demo world's, whose settings name the demo simulator folder), draws each page and the Make AI
// Plane dialog of MODEL (default: the demo's AI copy) into OUT as PNG files, with AIRPORT (default
// EDDF) found on the Airports page, and ends. scripts/screenshots runs it offscreen.
#include <QtCore/qtestsupport_core.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <iostream>

#include "app/startup.h"
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

bool Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  if (widget.grab().save(file)) return true;
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
    saved = Save(window, out + "/" + names[i] + ".png") && saved;
  }

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
