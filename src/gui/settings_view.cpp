#include "gui/settings_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace wf::gui {

SettingsView::SettingsView(ui::CPSettings& page, LongWork& work, QWidget* parent)
    : PageView(page, work, parent) {
  using S = ui::CPSettings;
  auto* layout = new QVBoxLayout(this);
  auto* percentLabel = new QLabel(Q(S::kPercentage.label), this);
  percentLabel->setBuddy(findChild<QWidget*>(S::kPercentage.name));
  layout->addWidget(percentLabel);
  layout->addWidget(FieldWidget(S::kPercentage));

  auto* paths = new QGroupBox("Path", this);
  auto* pathForm = new QFormLayout(paths);
  AddRow(pathForm, S::kToolsPath);
  AddRow(pathForm, S::kSimPath);
  layout->addWidget(paths);

  auto* aircraft = new QGroupBox("Aircraft", this);
  AddRow(new QFormLayout(aircraft), S::kMaxWeight);
  layout->addWidget(aircraft);
  layout->addStretch(1);
}

}
