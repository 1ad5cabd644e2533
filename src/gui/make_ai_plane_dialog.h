#pragma once
// The "Make AI Plane" dialog over its model (ui/make_ai_plane.h): the flight model to use, the
// average texture size, the folder of the copy, texture reduction (not for an AI copy), the note, and
// the buttons "Make AI Plane" and "Cancel". "Make AI Plane" runs the conversion as long work of the
// dialog, shows what it did (MakeAI_Plane::ConversionSummary) and closes the dialog with the model's
// result.
#include <QDialog>

#include "gui/long_work.h"
#include "ui/make_ai_plane.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace wf::gui {

class MakeAIPlaneDialog final : public QDialog {
  Q_OBJECT

 public:
  // `work` runs the conversion.
  MakeAIPlaneDialog(ui::MakeAI_Plane& model, LongWork& work, QWidget* parent = nullptr);

  // Shows the dialog modally; ui::kDialogOK after a conversion, ui::kDialogCancel when cancelled or
  // when the conversion failed.
  int Run();

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  void Refresh();
  void Convert();

  ui::MakeAI_Plane& model_;
  LongWork& work_;
  QComboBox* airFile_;
  QLineEdit* folderSize_;
  QLineEdit* targetFolder_;
  QCheckBox* reduceTextures_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int result_ = ui::kDialogCancel;
};

}
