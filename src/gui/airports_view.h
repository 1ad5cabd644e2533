#pragma once
// The "Airports" page: the airport tree on the left; on the right the facts of the selected node and
// its four edits (use, military, airport type, landing fee). Typing an ident into "ICAO" selects that
// airport in the tree.
#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/airports_page.h"

namespace wf::gui {

class AirportsView final : public TreePageView {
  Q_OBJECT

 public:
  AirportsView(ui::CPAirports& page, LongWork& work, QWidget* parent = nullptr);
  void Refresh() override;

  const PageTreeItemModel<ui::AirportNodeObject>& treeModel() const { return model_; }

 private:
  ui::CPAirports& page_;
  PageTreeItemModel<ui::AirportNodeObject> model_;
};

}
