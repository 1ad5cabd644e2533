#pragma once
// The "Make AI Plane" dialog over its model (ui/make_ai_plane.h): the flight model to use, the
// average texture size, texture reduction (not for an AI copy), the note, and the buttons "Make AI
// Plane" and "Cancel". "Make AI Plane" runs the conversion as a long operation of the dialog and
// closes it with the model's result.
#include <QDialog>
#include <functional>
#include <string>

#include "ui/make_ai_plane.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace wf::gui {

class MakeAIPlaneDialog final : public QDialog {
 public:
  // A long operation of a window, false when it failed (see MainWindow::RunLong).
  using LongOperation = std::function<bool(QWidget* window, const std::function<void()>& job)>;

  // `runLong` runs the conversion as a long operation of the dialog.
  MakeAIPlaneDialog(ui::MakeAI_Plane& model, LongOperation runLong, QWidget* parent = nullptr);

  // Shows the dialog modally; ui::kDialogOK after a conversion, ui::kDialogCancel when cancelled or
  // when the conversion failed.
  int Run();

  // What did not work in a conversion that did not fail (textures left as they were, flight models
  // not patched), one line each, for the user; empty when everything worked.
  static std::string Problems(const AIConversionReport& report);

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  void Refresh();
  void Convert();

  ui::MakeAI_Plane& model_;
  LongOperation runLong_;
  QComboBox* airFile_;
  QLineEdit* folderSize_;
  QCheckBox* reduceTextures_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int result_ = ui::kDialogCancel;
};

}
