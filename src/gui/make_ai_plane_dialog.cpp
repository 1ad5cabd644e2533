#include "gui/make_ai_plane_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/texts.h"

namespace wf::gui {

MakeAIPlaneDialog::MakeAIPlaneDialog(ui::MakeAI_Plane& model, LongWork& work, QWidget* parent)
    : QDialog(parent),
      model_(model),
      work_(work),
      airFile_(new QComboBox(this)),
      folderSize_(new QLineEdit(this)),
      targetFolder_(new QLineEdit(this)),
      reduceTextures_(new QCheckBox("Reduce texture size, to less than 1.5 MBytes", this)),
      ok_(new QPushButton(ui::kMakeAIPlaneTitle, this)),
      cancel_(new QPushButton("Cancel", this)) {
  setObjectName("makeAIPlane");
  setWindowTitle(ui::kMakeAIPlaneTitle);
  airFile_->setObjectName("m_nAirFile");
  folderSize_->setObjectName("m_dFolderSize");
  folderSize_->setReadOnly(true);
  targetFolder_->setObjectName("m_strTargetFolder");
  targetFolder_->setReadOnly(true);
  reduceTextures_->setObjectName("m_bReduceTextures");
  ok_->setObjectName("ok");
  ok_->setDefault(true);
  cancel_->setObjectName("cancel");
  for (const std::string& entry : model_.AirFileEntries()) airFile_->addItem(Q(entry));

  auto* form = new QFormLayout;
  form->addRow("Use air file from...", airFile_);
  form->addRow("Current folder size", folderSize_);
  form->addRow("AI copy", targetFolder_);
  auto* note = new QLabel(ui::kMakeAIPlaneNote, this);
  note->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_);
  buttons->addStretch(1);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(reduceTextures_);
  layout->addWidget(note);
  layout->addLayout(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 72);

  connect(airFile_, &QComboBox::activated, this, [this](int index) {
    model_.OnSelchangeAirFile(index);
    Refresh();
  });
  connect(reduceTextures_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.OnReduceTexturesClicked(checked);
    Refresh();
  });
  connect(ok_, &QPushButton::clicked, this, [this] { Convert(); });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    result_ = model_.OnCancel();
    reject();
  });
  Refresh();
}

void MakeAIPlaneDialog::Refresh() {
  airFile_->setCurrentIndex(model_.m_nAirFile);
  folderSize_->setText(Q(model_.FolderSizeText()));
  targetFolder_->setText(Q(model_.m_strTargetFolder));
  reduceTextures_->setEnabled(model_.ReduceTexturesEnabled());
  reduceTextures_->setChecked(model_.m_bReduceTextures != 0);
}

void MakeAIPlaneDialog::Convert() {
  result_ = ui::kDialogCancel;
  work_.Run(
      this, [this] { result_ = model_.OnOK(); },
      [this](bool done) {
        if (done && result_ == ui::kDialogOK) {
          work_.session().prompter->Message(model_.ConversionSummary(), MessageIcon::kInformation);
          accept();
        } else {
          result_ = ui::kDialogCancel;
          reject();
        }
      });
}

int MakeAIPlaneDialog::Run() {
  result_ = ui::kDialogCancel;
  exec();
  return result_;
}

}
