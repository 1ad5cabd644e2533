// Not a test: with WINGFOLD_SCREENSHOTS=DIR and WINGFOLD_SCREENSHOT_WORK=WORKFOLDER (a copy of the
// demo world's work folder, whose settings name the demo simulator folder), draws each page and the
// Make AI Plane dialog into DIR as PNG files. scripts/screenshots runs it; otherwise it is skipped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>

#include "app/startup.h"
#include "gui/airports_view.h"
#include "gui/main_window.h"
#include "gui/make_ai_plane_dialog.h"
#include "gui/planes_view.h"
#include "support/recording.h"

namespace wf::gui {
namespace {

TEST(Screenshots, EveryPageWithTheDemoWorld) {
  const QString out = qEnvironmentVariable("WINGFOLD_SCREENSHOTS");
  const QString work = qEnvironmentVariable("WINGFOLD_SCREENSHOT_WORK");
  if (out.isEmpty() || work.isEmpty())
    GTEST_SKIP() << "set WINGFOLD_SCREENSHOTS and WINGFOLD_SCREENSHOT_WORK";
  std::filesystem::create_directories(out.toStdString());

  test::RecordingPrompter prompter;
  Session session;
  session.prompter = &prompter;
  StartSession(session, work.toStdString());
  MainWindow window(session);
  window.show();
  window.Open();

  const auto save = [&](QWidget& widget, const char* name) {
    QApplication::processEvents();
    ASSERT_TRUE(widget.grab().save(out + "/" + name + ".png")) << name;
  };
  const char* names[ui::kPageCount] = {"planes", "airports", "collect-data", "settings",
                                       "flightplan-generation"};
  for (int i = 0; i < ui::kPageCount; ++i) {
    window.tabs()->setCurrentIndex(i);
    if (i == static_cast<int>(ui::PageId::kAirports)) {
      auto* icao = window.findChild<QLineEdit*>("m_strICAO");
      QTest::keyClicks(icao, qEnvironmentVariable("WINGFOLD_SCREENSHOT_AIRPORT", "EDDF"));
    }
    if (i == static_cast<int>(ui::PageId::kPlanes)) {
      auto& planes = static_cast<PlanesView&>(window.View(ui::PageId::kPlanes));
      const QModelIndex root = planes.treeModel().index(0, 0);
      planes.tree()->setCurrentIndex(planes.treeModel().index(0, 0, planes.treeModel().index(1, 0, root)));
    }
    save(window, names[i]);
  }

  // The dialog of the demo's AI copy (its textures measured, the nearest flight model chosen),
  // closed with Cancel.
  window.tabs()->setCurrentIndex(static_cast<int>(ui::PageId::kPlanes));
  auto& planes = static_cast<PlanesView&>(window.View(ui::PageId::kPlanes));
  const QString model = qEnvironmentVariable("WINGFOLD_SCREENSHOT_MODEL", "Wingfold Tourer_172");
  const QModelIndex root = planes.treeModel().index(0, 0);
  for (int row = 0; row < planes.treeModel().rowCount(root); ++row) {
    const QModelIndex node = planes.treeModel().index(row, 0, root);
    if (node.data().toString() == model) planes.tree()->setCurrentIndex(node);
  }
  bool grabbed = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<MakeAIPlaneDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    save(*dialog, "make-ai-plane");
    grabbed = true;
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
  });
  QTest::mouseClick(planes.findChild<QPushButton*>("makeAIPlane"), Qt::LeftButton);
  EXPECT_TRUE(grabbed) << Std(model) << " has no Make AI Plane dialog";
}

}
}
