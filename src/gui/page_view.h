#pragma once
// What every page's view shares. It makes a widget for each field of its page's field table
// (ui/page_fields.h): a number or text box, a check box, a choice list, a group of check boxes, a
// date, or a slider with its value; a field that only shows is read-only. An edit goes to the
// field's handler; then the view shows what changed on the page (the fields whose values changed,
// nothing else) and emits edited(), so that the window's buttons follow the pages. Long work goes
// through the window's LongWork.
//
// The page views lay the widgets out (FieldWidget, AddRow).
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "gui/long_work.h"
#include "gui/texts.h"
#include "ui/sheet_page.h"

class QFormLayout;

namespace wf::gui {

class PageView : public QWidget {
  Q_OBJECT

 public:
  PageView(ui::SheetPage& page, LongWork& work, QWidget* parent = nullptr);

  // Shows what changed on the page since the last call (everything the first time).
  virtual void Refresh();

 Q_SIGNALS:
  // The user changed something on the page.
  void edited();

 protected:
  ui::SheetPage& page() const { return model_; }
  // The widget of the field `info`: for a slider, the slider with its value beside it; for a flag
  // group, the titled group of its check boxes.
  QWidget* FieldWidget(const ui::FieldInfo& info) const;
  // A row of `form`: the field's label followed by `suffix` (none for a check box, whose label is
  // its own), its widget, and its unit after it.
  void AddRow(QFormLayout* form, const ui::FieldInfo& info, const char* suffix = "");
  // Hands the user's edit to the page (`edit` calls a handler), then shows what changed.
  void Edit(const std::function<void()>& edit);

  LongWork& work_;

 private:
  struct Bound {
    const ui::PageField* field;
    QWidget* widget;  // what FieldWidget gives
    QWidget* input;   // the widget the user edits
  };
  void Bind(const ui::PageField& field);
  void Show(const Bound& bound);

  ui::SheetPage& model_;
  std::vector<Bound> bound_;  // in the table's order
  ui::FieldWatch watch_;
};

}
