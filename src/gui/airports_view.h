#pragma once
// The "Airports" page: the airport tree on the left; on the right the facts of the selected node and
// its four edits (use, military, airport type, landing fee). Typing an ident into "ICAO" selects that
// airport in the tree.
#include "gui/page_view.h"
#include "gui/tree_model.h"
#include "ui/airports_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeView;

namespace wf::gui {

class AirportsView final : public PageView {
 public:
  AirportsView(ui::CPAirports& page, QWidget* parent = nullptr);
  void Refresh() override;

  QTreeView* tree() const { return tree_; }
  const PageTreeItemModel<ui::AirportNodeObject>& treeModel() const { return model_; }

 private:
  // Selects the page's selected node in the tree view (its branch opened and scrolled into view)
  // without calling the page's handler.
  void ShowSelection();

  ui::CPAirports& page_;
  PageTreeItemModel<ui::AirportNodeObject> model_;
  QTreeView* tree_;
  QLineEdit* callSign_;
  QLineEdit* icao_;
  QCheckBox* hasIFR_;
  QLineEdit* runwayType_;
  QCheckBox* use_;
  QCheckBox* military_;
  QComboBox* type_;
  QLineEdit* gates_;
  QLineEdit* ramp_;
  QLineEdit* cargo_;
  QLineEdit* mil_;
  QLineEdit* dock_;
  QLineEdit* towerFrequency_;
  QLineEdit* landingFee_;
  bool showingSelection_ = false;
};

}
