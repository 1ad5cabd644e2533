// The window as it opens, its long work, and the traffic run behind "Generate Flightplan".
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QUrl>
#include <atomic>
#include <thread>
#include <vector>

#include "app/version.h"
#include "gui/gui_test_support.h"

namespace wf::gui {
namespace {

using test::GuiTest;
namespace fs = std::filesystem;

// Both trees are built at the first start, so that "Generate Flightplan" can run at once.
TEST_F(GuiTest, OpensWithTheDatabaseCollectedAndCannotBeClosedWhileItWorks) {
  MainWindow& w = Open();
  EXPECT_EQ(w.tabs()->currentIndex(), static_cast<int>(ui::PageId::kSettings));
  EXPECT_TRUE(w.generateButton()->isEnabled());
  EXPECT_FALSE(w.progressBox().isVisible());
  EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();

  std::atomic<bool> tried = false;
  bool modal = false, closed = true;
  QTimer::singleShot(0, [&] {
    modal = QApplication::activeModalWidget() == &w.progressBox();
    w.exitButton()->click();
    closed = w.close();
    tried = true;
  });
  w.work().Run(&w, [&] {
    while (!tried) std::this_thread::yield();
  });
  WaitForWork();
  // The progress box is window-modal over the window, which stays open.
  EXPECT_EQ(std::tuple(modal, closed, w.isVisible()), std::tuple(true, false, true));
}

// The folder chosen with "Browse" and applied has its scenery and aircraft read at once.
TEST_F(GuiTest, WithoutASimulatorFolderTheUserIsSentToTheSettings) {
  MainWindow& w = Open(false);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{kSimFolderMissingMessage});
  EXPECT_EQ(w.tabs()->currentIndex(), static_cast<int>(ui::PageId::kSettings));
  EXPECT_FALSE(fs::exists(work / "objects.dat"));
  ShowPage(ui::PageId::kCollect);
  ShowPage(ui::PageId::kSettings);
  prompter.chosenFolder = PathUtf8(sim);
  QTest::mouseClick(Find<QPushButton>("simPathBrowse"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>("simPath")->text(), Q(PathUtf8(sim)));
  Click(w.applyButton());
  EXPECT_EQ(Find<QLineEdit>("airportPath")->text(), Q(PathUtf8(sim / "Addon Scenery" / "")));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_TRUE(prompter.messages[1].starts_with("The simulator's scenery was collected"))
      << prompter.messages[1];
  EXPECT_TRUE(AirportRow("KAAA").isValid());
}

// No ends the program without writing anything (but the one copy of the damaged file).
TEST_F(GuiTest, ADamagedDatabaseIsRepairedOrLeftAsItIs) {
  Open();
  window.reset();
  std::ofstream(work / "AircraftTypes.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  const std::string damaged = wf::test::Read(work / "AircraftTypes.dat");
  for (const bool repair : {false, true}) {
    SCOPED_TRACE(repair ? "Yes" : "No");
    Session restarted;
    wf::test::RecordingPrompter answers;
    answers.answer = repair;
    restarted.prompter = &answers;
    StartSession(restarted, work);
    MainWindow w(restarted);
    w.show();
    EXPECT_FALSE(w.generateButton()->isEnabled());
    EXPECT_TRUE(w.generateButton()->toolTip().contains("not loaded yet")) << "the tooltip says why";
    EXPECT_EQ(OpenAndWait(w), repair);
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_NE(answers.questions[0].find("Repair it now?"), std::string::npos);
    EXPECT_EQ(w.isVisible(), repair);
    EXPECT_EQ(wf::test::Read(work / "AircraftTypes.dat") == damaged, !repair);
    EXPECT_EQ(
        !answers.messages.empty() && answers.messages.back().starts_with("The damaged files were set aside"),
        repair);
  }
}

// The File menu's keys run what the buttons run; About names the version; the generation's summary
// offers the traffic report, with the compiler's report behind Show Details.
TEST_F(GuiTest, FileMenuAndStatusBarFollowTheWorkAndTheWindowComesBackAsItWasLeft) {
  MainWindow& w = Open();
  std::vector<QUrl> opened;
  bool browserStarts = true;
  w.SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return browserStarts;
  });
  const auto status = [&w] {
    QStringList texts;
    for (const QLabel* label : w.statusLabels()) texts << label->text();
    return texts.join(" | ").toStdString();
  };
  EXPECT_EQ(status(), PathUtf8(work) +
                          " | Airports: 3/3 used | Usable: 10/14 models, 15/22 variations | "
                          "No generation since the start");
  EXPECT_FALSE(Find<QAction>("applyAction")->isEnabled());
  QString about;
  QTimer::singleShot(0, [&about] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      about = box->text();
      box->accept();
    }
  });
  w.menuBar()->actions().at(1)->menu()->actions().at(0)->trigger();  // Help, About
  EXPECT_TRUE(about.contains(ProgramVersion())) << about.toStdString();
  ShowPage(ui::PageId::kAirports);
  prompter.answer = true;
  QApplication::setActiveWindow(&w);
  QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
  WaitForWork();  // the report, after the question
  EXPECT_TRUE(fs::exists(sim / "Scenery" / "World" / "scenery" / "Traffic-GA.BGL"));
  for (const char* says : {"Generated ", " s): 8 planes, 120 flights"})
    EXPECT_NE(status().find(says), std::string::npos) << status();
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_NE(prompter.questions[0].find("The traffic compiler wrote"), std::string::npos)
      << prompter.questions[0];
  ASSERT_EQ(prompter.details.size(), 1u);
  EXPECT_NE(prompter.details[0].find("stand-in for the SDK traffic compiler"), std::string::npos);
  EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(
                        QString::fromStdString((work / "Traffic-report.html").string()))});
  browserStarts = false;
  Find<QAction>("reportAction")->trigger();
  WaitForWork();
  EXPECT_EQ(opened.size(), 2u);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].find("no browser could be started"), std::string::npos);

  // Collect Airports reads the add-on folder and builds the Airports page's tree anew.
  Find<QAction>("collectAction")->trigger();
  WaitForWork();
  EXPECT_EQ(w.tabs()->currentIndex(), static_cast<int>(ui::PageId::kCollect));
  EXPECT_NE(status().find("Airports: 4/4 used"), std::string::npos) << status();
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_NE(prompter.messages[1].find("1 airports added"), std::string::npos) << prompter.messages[1];
  EXPECT_TRUE(AirportRow("KNEW").isValid());
  w.resize(1000, 700);
  QApplication::setActiveWindow(&w);  // the progress box was
  QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(w.isVisible());

  Session restarted;
  restarted.prompter = &prompter;
  StartSession(restarted, work);
  MainWindow again(restarted);
  again.show();
  EXPECT_TRUE(OpenAndWait(again));
  EXPECT_EQ(again.tabs()->currentIndex(), static_cast<int>(ui::PageId::kCollect));
  EXPECT_EQ(again.size(), QSize(1000, 700));
}

}
}
