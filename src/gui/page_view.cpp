#include "gui/page_view.h"

#include <QCheckBox>
#include <QLineEdit>

namespace wf::gui {

QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  if (readOnly) edit->setEnabled(false);
  return edit;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* text) {
  auto* check = new QCheckBox(text, parent);
  check->setObjectName(name);
  return check;
}

void ShowText(QLineEdit* edit, const std::string& text) {
  const QString shown = Q(text);
  if (edit->text() != shown) edit->setText(shown);
}

void ShowNumber(QLineEdit* edit, const ui::NumberBox& box) {
  ShowText(edit, box.text());
  const QString problem = Q(box.Problem());
  if (edit->toolTip() == problem) return;
  edit->setToolTip(problem);
  edit->setStyleSheet(problem.isEmpty() ? QString() : QString("QLineEdit { background: #ffd0d0; }"));
}

void ShowCheck(QCheckBox* check, int value) {
  check->setChecked(value != 0);
}

}
