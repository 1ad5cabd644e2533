#pragma once
// Long work (loading the databases, the scan, the aircraft collection, the traffic generation,
// saves of the whole airport database, the AI conversion) runs on a worker thread
// (QtConcurrent::run), so that the windows keep painting and the progress box keeps moving.
//
// While it runs, the progress box is open, window-modal over the window that started the work:
// that window takes no input and cannot be closed, so no handler of it runs in between and the
// session is touched by the work alone until it has ended. The work's own questions and messages come
// up over the progress box (GuiPrompter carries them to the window's thread), and the work waits for
// their answers. When it has ended, the caller goes on in a continuation.
#include <QFutureWatcher>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace wf {
struct Session;
}

namespace wf::gui {

class ProgressBox;

class LongWork final : public QObject {
  Q_OBJECT

 public:
  // `box` is the session's progress; the failure of a job is shown through the session's prompter.
  LongWork(ProgressBox& box, Session& session, QObject* parent = nullptr);
  // Waits for work still running: it uses the session and the progress box.
  ~LongWork() override;

  // Starts `job` as the work of `window` and returns at once. When it has ended (the progress box
  // closed; an exception of the job shown as a message), finished is emitted and then `then` runs,
  // both with whether the job ran to its end. While other work runs nothing is started: false.
  bool Run(QWidget* window, std::function<void()> job, std::function<void(bool done)> then = {});
  bool Busy() const { return busy_; }
  // The session the work runs on; its prompter tells the user the results.
  Session& session() const { return session_; }

 Q_SIGNALS:
  void finished(bool done);

 private:
  void Finish();

  ProgressBox& box_;
  Session& session_;
  QFutureWatcher<std::optional<std::string>> watcher_;  // the job's failure, if any
  std::function<void(bool)> then_;
  bool busy_ = false;
};

}
