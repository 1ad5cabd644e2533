// The progress box, the questions and the long operations that bring them from a worker thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "gui/gui_prompter.h"
#include "gui/long_operation.h"
#include "gui/progress_box.h"

namespace wf::gui {
namespace {

TEST(ProgressBoxTest, ShowsTheLastTextUntilHiddenAndComesBackRestored) {
  QWidget owner;
  owner.show();
  ProgressBox box(&owner);
  EXPECT_FALSE(box.isVisible());
  box.SetText("Read Aircraft Types...");
  box.SetText("Read Aircraft Names...");
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(box.text(), "Read Aircraft Names...");
  EXPECT_EQ(box.windowTitle(), "FSX Wingfold working");
  EXPECT_FALSE(box.barShown());

  box.SetSteps(3, 10);
  EXPECT_TRUE(box.barShown());
  EXPECT_EQ(box.barValue(), 3);
  EXPECT_EQ(box.barMaximum(), 10);
  box.SetCaption("Init Airport Data");
  EXPECT_EQ(box.windowTitle(), "Init Airport Data");
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_TRUE(box.isVisible()) << "the box takes no input";

  box.Hide();
  EXPECT_FALSE(box.isVisible());
  box.showMinimized();
  box.SetText("Read plane Trainer red");
  EXPECT_TRUE(box.isVisible());
  EXPECT_FALSE(box.isMinimized());
  EXPECT_FALSE(box.barShown()) << "Hide ends the count";
  EXPECT_EQ(box.windowTitle(), "FSX Wingfold working");
}

TEST(LongOperationTest, WorkerReportsProgressAsksQuestionsAndTheWindowTakesNoInput) {
  QWidget window;
  auto* exit = new QPushButton("Exit", &window);
  window.show();
  ProgressBox box(&window);
  GuiPrompter prompter;
  int clicks = 0;
  QObject::connect(exit, &QPushButton::clicked, [&clicks] { ++clicks; });

  // The question box is answered as a user answers it: by clicking its No button.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      QTest::mouseClick(question->button(QMessageBox::No), Qt::LeftButton);
    }
  });
  answer.start(10);

  bool answered = true;
  bool onWorker = false;
  RunLongOperation(&window, [&] {
    onWorker = QThread::currentThread() != window.thread();
    for (std::size_t i = 0; i < 500; ++i) {
      box.SetText("Read and process file" + std::to_string(i) + ".bgl");
      box.SetSteps(i + 1, 500);
    }
    QMetaObject::invokeMethod(
        qApp, [exit] { QTest::mouseClick(exit, Qt::LeftButton); }, Qt::BlockingQueuedConnection);
    answered = prompter.AskYesNo("Is this correct?");
  });
  answer.stop();
  QApplication::processEvents();

  EXPECT_TRUE(onWorker);
  EXPECT_FALSE(answered);
  EXPECT_EQ(clicks, 0) << "a click during the operation is dropped";
  EXPECT_EQ(box.text(), "Read and process file499.bgl");
  EXPECT_EQ(box.barValue(), 500);
  EXPECT_FALSE(LongOperationRunning());

  QTest::mouseClick(exit, Qt::LeftButton);
  EXPECT_EQ(clicks, 1) << "and taken again afterwards";
  EXPECT_THROW(RunLongOperation(&window, [] { throw std::runtime_error("disk full"); }), std::runtime_error);
}

}
}
