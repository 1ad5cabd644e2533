#include "gui/long_work.h"

#include <QApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <utility>

#include "app/session.h"
#include "gui/progress_box.h"

namespace wf::gui {

LongWork::LongWork(ProgressBox& box, Session& session, QObject* parent)
    : QObject(parent), box_(box), session_(session) {
  connect(&watcher_, &QFutureWatcher<std::optional<std::string>>::finished, this, &LongWork::Finish);
}

LongWork::~LongWork() {
  if (busy_) watcher_.waitForFinished();
}

bool LongWork::Run(QWidget* window, std::function<void()> job, std::function<void(bool done)> then) {
  if (busy_) return false;
  busy_ = true;
  then_ = std::move(then);
  box_.BeginWork(window);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  watcher_.setFuture(QtConcurrent::run([job = std::move(job)]() -> std::optional<std::string> {
    try {
      job();
      return std::nullopt;
    } catch (const std::exception& e) {
      return e.what();
    }
  }));
  return true;
}

void LongWork::Finish() {
  const std::optional<std::string> failure = watcher_.result();
  QApplication::restoreOverrideCursor();
  box_.EndWork();
  busy_ = false;
  const std::function<void(bool)> then = std::exchange(then_, {});
  if (failure) session_.prompter->Message(*failure, MessageIcon::kStop);
  Q_EMIT finished(!failure);
  if (then) then(!failure);
}

}
