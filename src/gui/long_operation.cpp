#include "gui/long_operation.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <exception>

namespace wf::gui {

namespace {

int runningOperations = 0;

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

// Drops input to one window and its children; everything else (painting, other windows such as the
// question boxes) goes on.
class InputBlocker final : public QObject {
 public:
  explicit InputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~InputBlocker() override { qApp->removeEventFilter(this); }
  InputBlocker(const InputBlocker&) = delete;
  InputBlocker& operator=(const InputBlocker&) = delete;

  bool eventFilter(QObject* receiver, QEvent* event) override {
    // Input reaches a widget through the application, after its native window has had it.
    if (window_ == nullptr || !receiver->isWidgetType() || !IsUserInput(event->type())) return false;
    const auto* target = static_cast<QWidget*>(receiver);
    if (target != window_ && !window_->isAncestorOf(target)) return false;
    event->ignore();
    return true;
  }

 private:
  QWidget* window_;
};

}

bool LongOperationRunning() {
  return runningOperations > 0;
}

void RunLongOperation(QWidget* window, const std::function<void()>& job) {
  InputBlocker blocker(window);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  ++runningOperations;

  std::exception_ptr failure;
  QEventLoop loop;
  QThread* worker = QThread::create([&job, &failure] {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  worker->start();
  loop.exec();
  worker->wait();
  delete worker;

  --runningOperations;
  QApplication::restoreOverrideCursor();
  if (failure) std::rethrow_exception(failure);
}

}
