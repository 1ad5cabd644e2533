#include "gui/progress_box.h"

#include <QHideEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "gui/texts.h"

namespace wf::gui {

namespace {

// The bar counts in ints; larger counts are scaled down to keep their ratio.
int BarUnits(std::size_t count, std::size_t total) {
  if (total <= static_cast<std::size_t>(INT_MAX)) return static_cast<int>(count);
  return static_cast<int>(static_cast<double>(count) / static_cast<double>(total) * INT_MAX);
}

}

ProgressBox::ProgressBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      owner_(parent),
      line_(new QLineEdit(this)),
      bar_(new QProgressBar(this)) {
  setObjectName("progressBox");
  setWindowTitle(kProgressCaption);
  setModal(false);
  line_->setObjectName("progressText");
  line_->setReadOnly(true);
  line_->setFocusPolicy(Qt::NoFocus);
  line_->setMinimumWidth(line_->fontMetrics().averageCharWidth() * 60);
  bar_->setObjectName("progressBar");
  bar_->setTextVisible(true);
  bar_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line_);
  layout->addWidget(bar_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

template <class Change>
void ProgressBox::Update(Change change) {
  const bool onWindowThread = QThread::currentThread() == thread();
  {
    std::lock_guard lock(mutex_);
    change(state_);
    if (!onWindowThread) {
      if (showPending_) return;
      showPending_ = true;
    }
  }
  if (onWindowThread) {
    ShowState();
  } else {
    QMetaObject::invokeMethod(
        this, [this] { ShowState(); }, Qt::QueuedConnection);
  }
}

void ProgressBox::SetText(const std::string& text) {
  Update([&text](State& s) {
    s.text = text;
    s.shown = true;
  });
}

void ProgressBox::Hide() {
  Update([](State& s) {
    s.shown = false;
    s.done = s.total = 0;
    s.caption = kProgressCaption;
  });
}

void ProgressBox::SetCaption(const std::string& caption) {
  Update([&caption](State& s) { s.caption = caption; });
}

void ProgressBox::SetSteps(std::size_t done, std::size_t total) {
  Update([done, total](State& s) {
    s.done = std::min(done, total);
    s.total = total;
  });
}

void ProgressBox::BeginWork(QWidget* window) {
  {
    std::lock_guard lock(mutex_);
    state_ = State{};
  }
  showingState_ = true;
  hide();
  showingState_ = false;
  if (window != nullptr && window != parentWidget()) setParent(window, windowFlags());
  setWindowModality(Qt::WindowModal);
  working_ = true;
  ShowState();
}

void ProgressBox::EndWork() {
  {
    std::lock_guard lock(mutex_);
    state_ = State{};
  }
  working_ = false;
  ShowState();
  setWindowModality(Qt::NonModal);
  if (parentWidget() != owner_) setParent(owner_, windowFlags());
}

void ProgressBox::ShowState() {
  State state;
  {
    std::lock_guard lock(mutex_);
    showPending_ = false;
    state = state_;
  }
  setWindowTitle(Q(state.caption));
  if (working_ && !state.shown) state.text.clear();
  if (!state.shown && !working_) {
    showingState_ = true;
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    hide();
    showingState_ = false;
    return;
  }
  line_->setText(Q(state.text));
  line_->setCursorPosition(0);
  bar_->setVisible(state.total > 0);
  if (state.total > 0) {
    bar_->setMaximum(BarUnits(state.total, state.total));
    bar_->setValue(BarUnits(state.done, state.total));
  }
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  if (!isVisible()) {
    show();
    raise();
  }
  repaint();
}

void ProgressBox::hideEvent(QHideEvent* event) {
  // Hidden by the program other than through Hide: the next SetText shows it again.
  if (!showingState_ && !event->spontaneous()) {
    std::lock_guard lock(mutex_);
    state_.shown = false;
  }
  QDialog::hideEvent(event);
}

QString ProgressBox::text() const {
  return line_->text();
}

bool ProgressBox::barShown() const {
  return !bar_->isHidden();
}

int ProgressBox::barValue() const {
  return bar_->value();
}

int ProgressBox::barMaximum() const {
  return bar_->maximum();
}

}
