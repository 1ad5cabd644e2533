// The progress box, and long work with the questions it brings from its worker thread.
#include <QMessageBox>
#include <stdexcept>

#include "gui/gui_prompter.h"
#include "gui/gui_test_support.h"

namespace wf::gui {
namespace {

TEST(ProgressBoxTest, ShowsTheLastTextUntilHiddenAndComesBackRestored) {
  QWidget owner;
  owner.show();
  ProgressBox box(&owner);
  box.SetText("Read Aircraft Types...");
  box.SetText("Read Aircraft Names...");
  EXPECT_EQ(std::tuple(box.isVisible(), box.text()), std::tuple(true, QString("Read Aircraft Names...")));
  box.SetSteps(3, 10);
  EXPECT_EQ(std::make_tuple(box.barShown(), box.barValue(), box.barMaximum()), std::make_tuple(true, 3, 10));
  box.SetCaption("Init Airport Data");
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_TRUE(box.isVisible()) << "the box takes no input";

  box.Hide();
  EXPECT_FALSE(box.isVisible());
  box.showMinimized();
  box.SetText("Read plane Trainer red");
  EXPECT_TRUE(box.isVisible() && !box.isMinimized());
  EXPECT_FALSE(box.barShown()) << "Hide ends the count";
  EXPECT_EQ(box.windowTitle(), "FSX Wingfold working") << "and the caption";
}

// The box stays open however the work hides it; one work runs at a time; a failure is shown.
TEST(LongWorkTest, RunsBehindTheModalBoxAsksFromTheWorkerAndGoesOnAfterwards) {
  QWidget window;
  window.show();
  ProgressBox box(&window);
  wf::test::RecordingPrompter messages;
  Session session;
  session.prompter = &messages;
  LongWork work(box, session);
  GuiPrompter prompter;
  QTimer answer;  // answers the question as a user does: by clicking its No button
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      QTest::mouseClick(question->button(QMessageBox::No), Qt::LeftButton);
  });
  answer.start(10);

  QSignalSpy finished(&work, &LongWork::finished);
  bool onWorker = false, modal = false, answered = true;
  std::vector<bool> continued;
  ASSERT_TRUE(work.Run(
      &window,
      [&] {
        onWorker = QThread::currentThread() != window.thread();
        for (std::size_t i = 0; i < 500; ++i) {
          box.SetText("Read and process file" + std::to_string(i) + ".bgl");
          box.SetSteps(i + 1, 500);
        }
        box.Hide();
        QMetaObject::invokeMethod(
            qApp,
            [&] { modal = box.isVisible() && QApplication::activeModalWidget() == &box && box.isModal(); },
            Qt::BlockingQueuedConnection);
        answered = prompter.AskYesNo("Is this correct?");
      },
      [&](bool done) { continued.push_back(done); }));
  EXPECT_FALSE(work.Run(&window, [] {})) << "one work at a time";
  ASSERT_TRUE(finished.wait(30000));
  // On the worker, behind the modal box, answered No, the box hidden at the end.
  EXPECT_EQ(std::tuple(onWorker, modal, answered, box.isVisible()), std::tuple(true, true, false, false));

  ASSERT_TRUE(work.Run(
      &window, [] { throw std::runtime_error("disk full"); }, [&](bool done) { continued.push_back(done); }));
  ASSERT_TRUE(finished.wait(30000));
  EXPECT_EQ(continued, (std::vector<bool>{true, false}));
  EXPECT_EQ(messages.messages, std::vector<std::string>{"disk full"});
  EXPECT_FALSE(work.Busy());
}

// Escape is Cancel.
TEST(GuiPrompterTest, AsksYesNoCancelAndShowsAReportBehindDetails) {
  QWidget window;
  window.show();
  GuiPrompter prompter;
  QString details;
  for (const auto& c : {std::pair{QMessageBox::Yes, Answer::kYes},
                        {QMessageBox::No, Answer::kNo},
                        {QMessageBox::Cancel, Answer::kCancel},
                        {QMessageBox::NoButton, Answer::kCancel}}) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      c.first == QMessageBox::NoButton ? QTest::keyClick(box, Qt::Key_Escape)
                                       : QTest::mouseClick(box->button(c.first), Qt::LeftButton);
    });
    EXPECT_EQ(prompter.AskYesNoCancel("Apply the changes to KPDX?"), c.second);
  }
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    details = box->detailedText();
    QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
  });
  EXPECT_FALSE(prompter.AskYesNoWithDetails("Show the traffic report?", "compiled 3 airports"));
  EXPECT_EQ(details, "compiled 3 airports");
}

}
}
