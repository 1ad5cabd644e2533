#pragma once
// The "Airports" page: the airport tree on the left; on the right the facts of the selected node and
// its four edits (use, military, airport type, landing fee). Typing an ident into "ICAO" selects that
// airport in the tree.
#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/airports_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace wf::gui {

class AirportsView final : public TreePageView {
 public:
  AirportsView(ui::CPAirports& page, QWidget* parent = nullptr);
  void Refresh() override;

  const PageTreeItemModel<ui::AirportNodeObject>& treeModel() const { return model_; }

 private:
  ui::CPAirports& page_;
  PageTreeItemModel<ui::AirportNodeObject> model_;
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
};

}
