#pragma once
// Long operations (the scan, the aircraft collection, the traffic generation, saves of the whole
// airport database, the AI conversion) run on a thread of their own, so that the windows keep
// painting and the progress box keeps moving while they work.
//
// While one runs, the window that started it takes no input (clicks, keys and closing are dropped)
// and shows a busy cursor; the operation's own questions and messages come up as boxes that do take
// answers. So the session is touched by the operation alone until it has ended: the window's
// handlers cannot run in between.
#include <functional>

class QWidget;

namespace wf::gui {

// Runs `job` to its end on a worker thread while the event loop of the calling (window) thread
// runs; input to `window` and its children is dropped meanwhile. An exception thrown by `job` is
// thrown again here.
void RunLongOperation(QWidget* window, const std::function<void()>& job);

// Whether a long operation is running.
bool LongOperationRunning();

}
