#pragma once
// The "Flightplan generation" page: the start date, the flight settings of one operator category at
// a time, the fee of one parking kind at a time, the other airport fees, and "Assign airport fees to
// all airports".
#include "gui/page_view.h"
#include "ui/flightplan_page.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace wf::gui {

class FlightplanView final : public PageView {
 public:
  FlightplanView(ui::CPFlightplan& page, Session& session, QWidget* parent = nullptr);
  void Refresh() override;

 private:
  void BindNumber(QLineEdit* edit, void (ui::CPFlightplan::*handler)(const std::string&));
  void AssignFees();

  ui::CPFlightplan& page_;
  Session& session_;
  QDateEdit* pickedDate_;
  QComboBox* category_;
  QLineEdit* maxHours_;
  QLineEdit* minHours_;
  QLineEdit* ifr_;
  QLineEdit* touchAndGo_;
  QLineEdit* night_;
  QComboBox* parkingKind_;
  QLineEdit* parkingFee_;
  QLineEdit* ils_;
  QLineEdit* lights_;
  QLineEdit* crossCountry_;
  QLineEdit* runway_;
  QPushButton* assignFees_;
};

}
