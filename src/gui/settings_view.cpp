#include "gui/settings_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace wf::gui {

SettingsView::SettingsView(ui::CPSettings& page, QWidget* parent)
    : PageView(parent),
      page_(page),
      percentStep_(new QSlider(Qt::Horizontal, this)),
      percentShown_(new QLabel(this)),
      toolsPath_(MakeEdit(this, "toolsPath")),
      simPath_(MakeEdit(this, "simPath")),
      maxWeight_(MakeEdit(this, "maxWeight")) {
  percentStep_->setObjectName("percentStep");
  percentStep_->setRange(0, ui::CPSettings::kMaxPercentStep);
  percentStep_->setPageStep(1);
  percentStep_->setTickPosition(QSlider::TicksBelow);
  percentStep_->setTickInterval(1);
  percentShown_->setObjectName("percentShown");
  percentShown_->setMinimumWidth(percentShown_->fontMetrics().horizontalAdvance("150 %  "));

  auto* layout = new QVBoxLayout(this);
  auto* percentLabel = new QLabel("Percent of GA parking spaces used for GA Traffic generation", this);
  percentLabel->setBuddy(percentStep_);
  layout->addWidget(percentLabel);
  auto* percentRow = new QHBoxLayout;
  percentRow->addWidget(percentStep_, 1);
  percentRow->addWidget(percentShown_);
  layout->addLayout(percentRow);

  auto* paths = new QGroupBox("Path", this);
  auto* pathForm = new QFormLayout(paths);
  pathForm->addRow("Binary path", toolsPath_);
  pathForm->addRow("FSX path", simPath_);
  layout->addWidget(paths);

  auto* aircraft = new QGroupBox("Aircraft", this);
  auto* aircraftForm = new QFormLayout(aircraft);
  aircraftForm->addRow("Max GA weight (kg)", maxWeight_);
  layout->addWidget(aircraft);
  layout->addStretch(1);

  connect(percentStep_, &QSlider::valueChanged, this, [this](int step) {
    page_.OnPercentStepChanged(step);
    Refresh();
    Edited();
  });
  connect(toolsPath_, &QLineEdit::textEdited, this, [this](const QString& text) {
    page_.OnToolsPathChanged(Std(text));
    Edited();
  });
  connect(simPath_, &QLineEdit::textEdited, this, [this](const QString& text) {
    page_.OnSimPathChanged(Std(text));
    Edited();
  });
  connect(maxWeight_, &QLineEdit::textEdited, this, [this](const QString& text) {
    page_.OnMaxWeightChanged(Std(text));
    Refresh();
    Edited();
  });
}

void SettingsView::Refresh() {
  {
    const QSignalBlocker quiet(percentStep_);
    percentStep_->setValue(page_.percentStep);
  }
  percentShown_->setText(QString::number(page_.Percentage()) + " %");
  ShowText(toolsPath_, page_.toolsPath);
  ShowText(simPath_, page_.simPath);
  ShowNumber(maxWeight_, page_.maxWeight);
}

}
