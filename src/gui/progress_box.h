#pragma once
// The progress box "FSX Wingfold working": one small window with one read-only line of text and,
// while the work in progress knows its number of steps, a bar. It is the session's Progress. During
// long work (long_work.h) it stays open, window-modal over the window of the work; otherwise it shows
// while there is a text.
//
// Any thread may call it. A call on the window's thread shows the change at once (the box is
// repainted before the call returns, as such callers keep the thread busy). A call from a long
// operation's thread is noted and shown when the window's thread next runs its event loop, once
// however many calls came in between, so a scan of thousands of files costs a few repaints.
#include <QDialog>
#include <cstddef>
#include <mutex>
#include <string>

#include "platform/progress.h"

class QLineEdit;
class QProgressBar;

namespace wf::gui {

inline constexpr const char* kProgressCaption = "FSX Wingfold working";

class ProgressBox final : public QDialog, public Progress {
 public:
  explicit ProgressBox(QWidget* parent = nullptr);

  // Shows the box (restored if minimised) with `text`.
  void SetText(const std::string& text) override;
  // Hides the box, ends the bar and restores the caption; the next SetText shows it again.
  void Hide() override;
  void SetCaption(const std::string& caption) override;
  void SetSteps(std::size_t done, std::size_t total) override;

  // Long work begins: the box opens over `window`, window-modal, and stays open until EndWork (Hide
  // only clears its text). EndWork closes it and gives it back to its owner.
  void BeginWork(QWidget* window);
  void EndWork();

  QString text() const;
  // The bar while a count is known: its value and maximum; nothing while it is hidden.
  bool barShown() const;
  int barValue() const;
  int barMaximum() const;

  // The box never takes input: Escape does not close it.
  void reject() override {}

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  struct State {
    std::string text;
    std::string caption = kProgressCaption;
    bool shown = false;
    std::size_t done = 0;
    std::size_t total = 0;
  };
  // Records a change made by `change` and shows it (now, or from the event loop).
  template <class Change>
  void Update(Change change);
  // On the window's thread: puts the recorded state on the screen.
  void ShowState();

  QWidget* owner_;
  QLineEdit* line_;
  QProgressBar* bar_;
  mutable std::mutex mutex_;
  State state_;                // guarded by mutex_
  bool showPending_ = false;   // guarded by mutex_: a ShowState is queued
  bool showingState_ = false;  // window thread only: ShowState is hiding the window
  bool working_ = false;       // window thread only: between BeginWork and EndWork
};

}
