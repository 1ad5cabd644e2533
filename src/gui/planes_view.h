#pragma once
// The "Planes" page: the tree of models and their variations on the left, with an image for usable,
// switched-off and unusable entries; on the right the values of the selected node, the usage and
// type check boxes, and "Make AI plane".
#include <array>

#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/planes_page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace wf::gui {

class PlanesView final : public TreePageView {
 public:
  PlanesView(ui::CPPlanes& page, Session& session, QWidget* parent = nullptr);
  void Refresh() override;

  const PageTreeItemModel<ui::PlaneNodeObject>& treeModel() const { return model_; }

 private:
  // "Make AI plane": the dialog for the selected model, then the copy into the database.
  void MakeAIPlane();
  // Connects a number box: typing calls `handler` on the page, then the boxes are shown again.
  void BindNumber(QLineEdit* edit, void (ui::CPPlanes::*handler)(const std::string&));
  void BindCheck(QCheckBox* check, void (ui::CPPlanes::*handler)(bool));

  ui::CPPlanes& page_;
  Session& session_;
  std::array<QIcon, 5> icons_;
  PageTreeItemModel<ui::PlaneNodeObject> model_;
  QLineEdit* cruiseSpeed_;
  QLineEdit* stallSpeed_;
  QLineEdit* range_;
  QLineEdit* fuel_;
  QCheckBox* useForGA_;
  QCheckBox* ifrEquipped_;
  QCheckBox* hasWheels_;
  QLineEdit* probability_;
  QLineEdit* moneyPerWeek_;
  QLineEdit* moneyPerFlight_;
  std::array<QCheckBox*, kCategoryCount> usage_;  // by category
  QCheckBox* bushplane_;
  QCheckBox* amphibian_;
  QCheckBox* skis_;
  QPushButton* makeAIPlane_;
};

}
