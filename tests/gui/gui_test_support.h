#pragma once
// The window opened on a small installation, as the program opens it: a simulator folder with one
// scenery area of three airports (a city name in Windows-1252, as scenery files hold them) and an
// add-on pack, the demo aircraft of examples/sim with fsx.cfg
// from examples/appdata, the stand-in traffic compiler as the tools folder, and an empty work folder.
// Questions and messages go to a recording prompter; the progress box is the window's own.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/startup.h"
#include "gui/main_window.h"
#include "gui/tree_model.h"
#include "scenery/bgl_test_support.h"
#include "support/os.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf::gui::test {

namespace fs = std::filesystem;
using wf::test::RecordingPrompter;
using wf::test::TempFolder;

inline bgl::AirportDesc Airport(const std::string& ident, const std::string& city, double latitude,
                                int smallRamps) {
  bgl::AirportDesc airport = wf::test::SampleAirport(ident, ident + " Field", city);
  airport.latitude = latitude;
  bgl::ParkingListDesc parking;
  for (int i = 0; i < smallRamps; ++i) parking.spaces.push_back(wf::test::Space(2, 8.0f));
  airport.parkingLists.push_back(parking);
  return airport;
}

inline std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class GuiTest : public ::testing::Test {
 protected:
  GuiTest() {
    fs::create_directories(work);
    fs::create_directories(sim / "Scenery" / "World" / "scenery");
    fs::create_directories(sim / "Scenery" / "Area" / "scenery");
    fs::create_directories(sim / "Addon Scenery" / "Pack" / "scenery");
    bgl::WriteBytes(sim / "Scenery" / "Area" / "scenery" / "area.bgl",
                    bgl::WriteAirportBgl(
                        wf::test::SampleFile(wf::test::kDay0, {Airport("KAAA", "Seattle", 47.5, 4),
                                                               Airport("KBBB", "Seattle", 48.6, 2),
                                                               Airport("KCCC", "Coeur d'Al\xE8ne", 46.2, 3)}))
                        .bytes);
    bgl::WriteBytes(
        sim / "Addon Scenery" / "Pack" / "scenery" / "pack.bgl",
        bgl::WriteAirportBgl(wf::test::SampleFile(wf::test::kDay0, {Airport("KNEW", "Olympia", 47.0, 2)}))
            .bytes);
    fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "sim" / "SimObjects", sim / "SimObjects",
             fs::copy_options::recursive);
#ifdef WINGFOLD_STANDIN_BIN
    fs::create_directories(work / "Bin");
    fs::copy_file(WINGFOLD_STANDIN_BIN, work / "Bin" / fs::path(WINGFOLD_STANDIN_BIN).filename());
#endif
  }

  ~GuiTest() override {
    window.reset();
  }

  void WriteSettings(const std::string& text) {
    std::ofstream(work / "Wingfold.ini", std::ios::binary) << text;
  }

  // Starts the session on the work folder, shows the window and runs its loading sequence.
  MainWindow& Open(bool withSimulator = true) {
    if (withSimulator && !fs::exists(work / "Wingfold.ini")) {
      WriteSettings("[Path]\r\nFS2004=" + sim.string() + "\r\nTTools=" + (work / "Bin").string() + "\r\n");
    }
    session.prompter = &prompter;
    StartSession(session, work);
    window = std::make_unique<MainWindow>(session);
    window->show();
    window->Open();
    return *window;
  }

  template <class Widget>
  Widget* Find(const char* name) {
    auto* widget = window->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void ShowPage(ui::PageId page) {
    window->tabs()->setCurrentIndex(static_cast<int>(page));
  }

  // Clicks the tree row of `index`, as a user selects a node.
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

  TempFolder folder;
  fs::path work = folder / "work";
  fs::path sim = folder / "FSX";
  RecordingPrompter prompter;
  Session session;
  std::unique_ptr<MainWindow> window;

 private:
  wf::test::ScopedEnvironment appData_{"APPDATA",
                                       (fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "appdata").string()};
};

}
