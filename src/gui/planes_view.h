#pragma once
// The "Planes" page: the tree of models and their variations on the left, with an image for usable,
// switched-off and unusable entries; on the right the values of the selected node, the usage and
// type check boxes, and "Make AI plane".
#include <array>

#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/planes_page.h"

class QPushButton;

namespace wf::gui {

class PlanesView final : public TreePageView {
  Q_OBJECT

 public:
  PlanesView(ui::CPPlanes& page, LongWork& work, QWidget* parent = nullptr);
  void Refresh() override;

  const PageTreeItemModel<ui::PlaneNodeObject>& treeModel() const { return model_; }

 private:
  // "Make AI plane": the dialog for the selected model, then the copy into the database.
  void MakeAIPlane();

  ui::CPPlanes& page_;
  std::array<QIcon, 5> icons_;
  PageTreeItemModel<ui::PlaneNodeObject> model_;
  QPushButton* makeAIPlane_;
};

}
