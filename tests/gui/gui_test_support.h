#pragma once
// The window opened on a small installation: three airports (a city name in Windows-1252) and an
// add-on pack, the demo aircraft, the stand-in traffic compiler; questions go to a recording prompter.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/startup.h"
#include "gui/airports_view.h"
#include "gui/main_window.h"
#include "gui/planes_view.h"
#include "gui/tree_model.h"
#include "platform/text.h"
#include "scenery/bgl_test_support.h"
#include "support/file_fixtures.h"
#include "support/os.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf::gui::test {

namespace fs = std::filesystem;
using wf::test::Read;
using wf::test::RecordingPrompter;
using wf::test::TempFolder;

class GuiTest : public ::testing::Test {
 protected:
  GuiTest() {
    QSettings().clear();  // each window starts as on a new machine
    fs::create_directories(work);
    fs::create_directories(sim / "Scenery" / "World" / "scenery");
    fs::create_directories(sim / "Scenery" / "Area" / "scenery");
    fs::create_directories(sim / "Addon Scenery" / "Pack" / "scenery");
    const auto airport = [](const std::string& ident, const std::string& city, double latitude,
                            int smallRamps) {
      return wf::test::AirportWithRamps(ident, latitude, -122.3, smallRamps, ident + " Field", city);
    };
    const auto write = [](const fs::path& file, const std::vector<bgl::AirportDesc>& airports) {
      bgl::WriteBytes(file, bgl::WriteAirportBgl(wf::test::SampleFile(wf::test::kDay0, airports)).bytes);
    };
    write(sim / "Scenery" / "Area" / "scenery" / "area.bgl",
          {airport("KAAA", "Seattle", 47.5, 4), airport("KBBB", "Seattle", 48.6, 2),
           airport("KCCC", "Coeur d'Al\xE8ne", 46.2, 3)});
    write(sim / "Addon Scenery" / "Pack" / "scenery" / "pack.bgl", {airport("KNEW", "Olympia", 47.0, 2)});
    fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "sim" / "SimObjects", sim / "SimObjects",
             fs::copy_options::recursive);
#ifdef WINGFOLD_STANDIN_BIN
    fs::create_directories(work / "Bin");
    fs::copy_file(WINGFOLD_STANDIN_BIN, work / "Bin" / fs::path(WINGFOLD_STANDIN_BIN).filename());
#endif
  }

  // Starts the session on the work folder, shows the window and runs its loading sequence.
  MainWindow& Open(bool withSimulator = true) {
    if (withSimulator && !fs::exists(work / "Wingfold.ini")) {
      std::ofstream(work / "Wingfold.ini", std::ios::binary)
          << "[Path]\r\nFS2004=" + sim.string() + "\r\nTTools=" + (work / "Bin").string() + "\r\n";
    }
    session.prompter = &prompter;
    StartSession(session, work);
    window = std::make_unique<MainWindow>(session);
    window->show();
    OpenAndWait(*window);
    return *window;
  }

  // Runs the window's loading sequence to its end; whether it opened.
  static bool OpenAndWait(MainWindow& w) {
    QSignalSpy opened(&w, &MainWindow::opened);
    w.Open();
    EXPECT_TRUE(opened.wait(60000));
    return !opened.empty() && opened[0][0].toBool();
  }

  void WaitForWork() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->work().Busy(); }, 60000));
  }

  // Clicks `widget` as a user does, then waits for the long work it started.
  void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    WaitForWork();
  }

  template <class Widget>
  Widget* Find(const char* name) {
    auto* widget = window->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void ShowPage(ui::PageId page) {
    window->tabs()->setCurrentIndex(static_cast<int>(page));
    WaitForWork();
  }
  PlanesView& ShowPlanes() {
    ShowPage(ui::PageId::kPlanes);
    return static_cast<PlanesView&>(window->View(ui::PageId::kPlanes));
  }
  QModelIndex AirportRow(const char* icao) {
    const auto& model = static_cast<AirportsView&>(window->View(ui::PageId::kAirports)).treeModel();
    return model.IndexOf(static_cast<ui::NodeId>(session.world.airportIndex.Find(icao)->treeItem));
  }

  static void ClickRow(QAbstractItemView* tree, const QModelIndex& index) {
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
  }

  // Replaces the text of an edit box by typing `text`.
  static void Type(QWidget* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  wf::test::ScopedEnvironment appData{"APPDATA", WINGFOLD_SOURCE_DIR "/examples/appdata"};
  TempFolder folder;
  fs::path work = folder / "work";
  fs::path sim = folder / "FSX";
  RecordingPrompter prompter;
  Session session;
  std::unique_ptr<MainWindow> window;
};

}
