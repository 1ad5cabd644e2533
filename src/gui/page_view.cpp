#include "gui/page_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "platform/numbers.h"
#include "ui/number_field.h"

namespace wf::gui {

namespace {

using ui::FieldKind;

// The check box of choice `choice` of a flag group.
QString FlagName(const char* choice) {
  return QString("m_b") + choice;
}

// A label as Qt shows it: an ampersand is no mnemonic.
QString Label(const char* text) {
  return Q(text).replace("&", "&&");
}

void ShowNumber(QLineEdit* edit, const ui::NumberBox& box) {
  const QString shown = Q(box.text());
  if (edit->text() != shown) edit->setText(shown);
  const QString problem = Q(box.Problem());
  if (edit->toolTip() == problem) return;
  edit->setToolTip(problem);
  edit->setStyleSheet(problem.isEmpty() ? QString() : QString("QLineEdit { background: #ffd0d0; }"));
}

void ShowText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return;
  const int cursor = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(cursor);
}

}

PageView::PageView(ui::SheetPage& page, LongWork& work, QWidget* parent)
    : QWidget(parent), work_(work), model_(page) {
  for (const ui::PageField& field : page.Fields()) Bind(field);
}

void PageView::Bind(const ui::PageField& field) {
  const ui::FieldInfo& info = *field.info;
  const ui::PageField* f = &field;
  Bound bound{f, nullptr, nullptr};
  switch (info.kind) {
    case FieldKind::kNumber:
    case FieldKind::kText: {
      auto* edit = new QLineEdit(this);
      edit->setReadOnly(!field.Editable());
      connect(edit, &QLineEdit::textEdited, this,
              [this, f](const QString& text) { Edit([this, f, &text] { f->typed(model_, Std(text)); }); });
      bound.input = edit;
      break;
    }
    case FieldKind::kCheck: {
      auto* check = new QCheckBox(Q(info.label), this);
      connect(check, &QCheckBox::clicked, this,
              [this, f](bool checked) { Edit([this, f, checked] { f->set(model_, checked ? 1 : 0); }); });
      bound.input = check;
      break;
    }
    case FieldKind::kChoice: {
      auto* choice = new QComboBox(this);
      for (const char* name : info.choices) choice->addItem(Q(name));
      connect(choice, &QComboBox::activated, this,
              [this, f](int index) { Edit([this, f, index] { f->set(model_, index); }); });
      bound.input = choice;
      break;
    }
    case FieldKind::kFlags: {
      auto* group = new QGroupBox(Q(info.label), this);
      auto* grid = new QGridLayout(group);
      // From the last choice to the first, in columns of three.
      for (std::size_t i = info.choices.size(), shown = 0; i-- > 0; ++shown) {
        auto* check = new QCheckBox(Q(info.choices[i]), group);
        check->setObjectName(FlagName(info.choices[i]));
        grid->addWidget(check, static_cast<int>(shown % 3), static_cast<int>(shown / 3));
        connect(check, &QCheckBox::clicked, this, [this, f, i](bool checked) {
          Edit([this, f, i, checked] {
            const std::int64_t bit = std::int64_t{1} << i;
            const std::int64_t mask = f->number(model_);
            f->set(model_, checked ? mask | bit : mask & ~bit);
          });
        });
      }
      bound.widget = bound.input = group;
      break;
    }
    case FieldKind::kDate: {
      auto* date = new QDateEdit(this);
      date->setCalendarPopup(true);
      date->setDisplayFormat("yyyy-MM-dd");
      connect(date, &QDateEdit::dateChanged, this, [this, f](const QDate& picked) {
        Edit([this, f, &picked] { f->set(model_, MakeTime(picked.year(), picked.month(), picked.day())); });
      });
      bound.input = date;
      break;
    }
    case FieldKind::kSlider: {
      auto* slider = new QSlider(Qt::Horizontal);
      slider->setRange(0, static_cast<int>((info.max - info.min) / info.step));
      slider->setPageStep(1);
      slider->setTickPosition(QSlider::TicksBelow);
      slider->setTickInterval(1);
      auto* shown = new QLabel;
      shown->setObjectName(QString(info.name) + "Shown");
      shown->setMinimumWidth(
          shown->fontMetrics().horizontalAdvance(Q(FormatNumber(info.max) + " " + info.unit + "  ")));
      bound.widget = new QWidget(this);
      auto* row = new QHBoxLayout(bound.widget);
      row->setContentsMargins(0, 0, 0, 0);
      row->addWidget(slider, 1);
      row->addWidget(shown);
      connect(slider, &QSlider::valueChanged, this,
              [this, f](int step) { Edit([this, f, step] { f->set(model_, step); }); });
      bound.input = slider;
      break;
    }
  }
  if (info.kind != FieldKind::kFlags) bound.input->setObjectName(info.name);
  if (bound.widget == nullptr) bound.widget = bound.input;
  bound_.push_back(bound);
}

QWidget* PageView::FieldWidget(const ui::FieldInfo& info) const {
  for (const Bound& bound : bound_) {
    if (bound.field->info == &info) return bound.widget;
  }
  return nullptr;
}

void PageView::AddRow(QFormLayout* form, const ui::FieldInfo& info, const char* suffix) {
  QWidget* widget = FieldWidget(info);
  const bool titled = info.kind == FieldKind::kCheck || info.kind == FieldKind::kFlags;
  const QString label = titled ? QString() : Label(info.label) + suffix;
  if (*info.unit == '\0' || info.kind == FieldKind::kSlider) {
    form->addRow(label, widget);
    return;
  }
  auto* row = new QHBoxLayout;
  row->addWidget(widget, 1);
  row->addWidget(new QLabel(Q(info.unit), this));
  form->addRow(label, row);
}

void PageView::Edit(const std::function<void()>& edit) {
  edit();
  Refresh();
  Q_EMIT edited();
}

void PageView::Refresh() {
  for (std::size_t i : watch_.Changed(model_, model_.Fields())) Show(bound_[i]);
}

void PageView::Show(const Bound& bound) {
  const ui::PageField& field = *bound.field;
  bound.widget->setEnabled(field.Editable() && ui::FieldApplies(model_, field));
  if (field.box != nullptr) {
    ShowNumber(static_cast<QLineEdit*>(bound.input), *field.box(model_));
    return;
  }
  if (field.text != nullptr && field.info->kind == FieldKind::kText) {
    ShowText(static_cast<QLineEdit*>(bound.input), Q(field.text(model_)));
    return;
  }
  const QSignalBlocker quiet(bound.input);
  const std::int64_t value = field.number(model_);
  switch (field.info->kind) {
    case FieldKind::kCheck:
      static_cast<QCheckBox*>(bound.input)->setChecked(value != 0);
      break;
    case FieldKind::kChoice:
      static_cast<QComboBox*>(bound.input)
          ->setCurrentIndex(value >= 0 && value < static_cast<int>(field.info->choices.size())
                                ? static_cast<int>(value)
                                : -1);
      break;
    case FieldKind::kFlags:
      for (std::size_t i = 0; i < field.info->choices.size(); ++i) {
        bound.input->findChild<QCheckBox*>(FlagName(field.info->choices[i]))->setChecked((value >> i) & 1);
      }
      break;
    case FieldKind::kDate: {
      const CalendarFields day = SplitTime(value);
      static_cast<QDateEdit*>(bound.input)->setDate(QDate(day.year, day.month, day.day));
      break;
    }
    case FieldKind::kSlider:
      static_cast<QSlider*>(bound.input)->setValue(static_cast<int>(value));
      bound.widget->findChild<QLabel*>()->setText(Q(ui::FieldText(model_, field)));
      break;
    default:
      break;
  }
}

}
