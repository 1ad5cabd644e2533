#include "gui/settings_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wf::gui {

SettingsView::SettingsView(ui::CPSettings& page, LongWork& work, QWidget* parent)
    : PageView(page, work, parent), page_(page) {
  using S = ui::CPSettings;
  auto* layout = new QVBoxLayout(this);
  auto* percentLabel = new QLabel(Q(S::kPercentage.label), this);
  percentLabel->setBuddy(findChild<QWidget*>(S::kPercentage.name));
  layout->addWidget(percentLabel);
  layout->addWidget(FieldWidget(S::kPercentage));

  auto* paths = new QGroupBox("Path", this);
  auto* pathForm = new QFormLayout(paths);
  for (const ui::FieldInfo* folder : S::kFolders) {
    auto* browse = new QPushButton("Browse", this);
    browse->setObjectName(QString(folder->name) + "Browse");
    connect(browse, &QPushButton::clicked, this,
            [this, folder] { Edit([this, folder] { page_.OnBrowse(*folder); }); });
    auto* row = new QHBoxLayout;
    row->addWidget(FieldWidget(*folder), 1);
    row->addWidget(browse);
    pathForm->addRow(Q(folder->label), row);
  }
  layout->addWidget(paths);

  auto* aircraft = new QGroupBox("Aircraft", this);
  AddRow(new QFormLayout(aircraft), S::kMaxWeight);
  layout->addWidget(aircraft);
  layout->addStretch(1);
}

void SettingsView::Refresh() {
  PageView::Refresh();
  auto* fsxCfg = static_cast<QLineEdit*>(FieldWidget(ui::CPSettings::kFsxCfgPath));
  fsxCfg->setPlaceholderText(Q(page_.DefaultFsxCfgPath()));
}

}
