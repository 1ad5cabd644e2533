#pragma once
// The "Planes" page: the tree of models and their variations on the left, with an image for usable,
// switched-off and unusable entries, under a filter field that keeps the models and variations whose
// name holds what is typed; on the right the values of the selected node, the usage and type check
// boxes, and "Make AI plane".
#include <array>

#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/planes_page.h"

class QLineEdit;
class QPushButton;

namespace wf::gui {

class PlanesView final : public TreePageView {
  Q_OBJECT

 public:
  PlanesView(ui::CPPlanes& page, LongWork& work, QWidget* parent = nullptr);
  void Refresh() override;

  const PageTreeItemModel<ui::PlaneNodeObject>& treeModel() const { return model_; }
  QLineEdit* filterField() const { return filterField_; }

 private:
  QModelIndex IndexOf(ui::NodeId node) const override { return model_.IndexOf(node); }
  // "Make AI plane": the dialog for the selected model, then the copy into the database.
  void MakeAIPlane();
  // Hides the rows that the filter field's text does not keep.
  void Filter();

  ui::CPPlanes& page_;
  std::array<QIcon, 5> icons_;
  PageTreeItemModel<ui::PlaneNodeObject> model_;
  QLineEdit* filterField_;
  QPushButton* makeAIPlane_;
};

}
