#pragma once
// What every page's view shares: it shows its page model's fields again on Refresh, forwards each
// user event to the page's handler, and tells the window through `edited` so that the sheet's
// buttons follow the pages. Long work goes through `runLong` (the window's RunLong).
//
// The helpers put a model's values into widgets without disturbing what the user is typing: a box
// whose text already says the same is left alone.
#include <QWidget>
#include <functional>
#include <string>

#include "gui/texts.h"
#include "ui/number_field.h"

class QCheckBox;
class QLineEdit;

namespace wf::gui {

class PageView : public QWidget {
 public:
  using QWidget::QWidget;

  // Shows the page model's values (and its tree) again.
  virtual void Refresh() = 0;

  std::function<void()> edited;
  // Runs a long operation of `window` (the main window when null); false when it failed (the
  // failure has been shown).
  std::function<bool(QWidget* window, const std::function<void()>&)> runLong;

 protected:
  void Edited() {
    if (edited) edited();
  }
  bool RunLong(const std::function<void()>& job) {
    if (runLong) return runLong(nullptr, job);
    job();
    return true;
  }
};

// An edit box named `name` (the model's field it shows), read-only when `readOnly`.
QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly = false);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* text);

void ShowText(QLineEdit* edit, const std::string& text);
// A number box: its text, and, while the model refuses it, a marked background and the model's
// message as the tool tip.
void ShowNumber(QLineEdit* edit, const ui::NumberBox& box);
void ShowCheck(QCheckBox* check, int value);

}
