#pragma once
// The "Flightplan generation" page: the start date, the flight settings of one operator category at
// a time, the fee of one parking kind at a time, the other airport fees, and "Assign airport fees to
// all airports".
#include "gui/page_view.h"
#include "ui/flightplan_page.h"

namespace wf::gui {

class FlightplanView final : public PageView {
  Q_OBJECT

 public:
  FlightplanView(ui::CPFlightplan& page, LongWork& work, QWidget* parent = nullptr);

 private:
  void AssignFees();

  ui::CPFlightplan& page_;
};

}
