#include "gui/flightplan_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "platform/calendar.h"

namespace wf::gui {

FlightplanView::FlightplanView(ui::CPFlightplan& page, Session& session, QWidget* parent)
    : PageView(parent),
      page_(page),
      session_(session),
      pickedDate_(new QDateEdit(this)),
      category_(new QComboBox(this)),
      maxHours_(MakeEdit(this, "maxHours")),
      minHours_(MakeEdit(this, "minHours")),
      ifr_(MakeEdit(this, "ifrValue")),
      touchAndGo_(MakeEdit(this, "touchAndGoValue")),
      night_(MakeEdit(this, "nightValue")),
      parkingKind_(new QComboBox(this)),
      parkingFee_(MakeEdit(this, "parkingFeeValue")),
      ils_(MakeEdit(this, "ilsValue")),
      lights_(MakeEdit(this, "lightsValue")),
      crossCountry_(MakeEdit(this, "crossCountryValue")),
      runway_(MakeEdit(this, "runwayValue")),
      assignFees_(new QPushButton("Assign airport fees to all airports", this)) {
  pickedDate_->setObjectName("pickedDate");
  pickedDate_->setCalendarPopup(true);
  pickedDate_->setDisplayFormat("MM/dd/yyyy");
  category_->setObjectName("selectedCategory");
  for (const char* name : ui::kCategoryListNames) category_->addItem(name);
  parkingKind_->setObjectName("selectedParkingKind");
  for (const char* name : ui::kParkingKindNames) parkingKind_->addItem(name);
  assignFees_->setObjectName("assignFees");

  auto* date = new QFormLayout;
  date->addRow("Month for Flightplan generation", pickedDate_);

  auto* aircraft = new QGroupBox("Aircraft", this);
  auto* aircraftForm = new QFormLayout(aircraft);
  aircraftForm->addRow(category_);
  aircraftForm->addRow("maximum Flight time", maxHours_);
  aircraftForm->addRow("minimum Flight time", minHours_);
  aircraftForm->addRow("IFR percentage", ifr_);
  aircraftForm->addRow("T&&G percentage", touchAndGo_);
  aircraftForm->addRow("Night (NVFR/IFR) flight percentage", night_);

  auto* fees = new QGroupBox("Airport fees", this);
  auto* feesLayout = new QVBoxLayout(fees);
  auto* parking = new QGroupBox("parking space", fees);
  auto* parkingForm = new QFormLayout(parking);
  parkingForm->addRow(parkingKind_);
  parkingForm->addRow("parking fees", parkingFee_);
  feesLayout->addWidget(parking);
  auto* feeForm = new QFormLayout;
  feeForm->addRow("ILS", ils_);
  feeForm->addRow("Night equipment", lights_);
  feeForm->addRow("cross country", crossCountry_);
  feeForm->addRow("per1000 feet runway", runway_);
  feesLayout->addLayout(feeForm);
  feesLayout->addWidget(assignFees_, 0, Qt::AlignLeft);

  auto* groups = new QHBoxLayout;
  groups->addWidget(aircraft, 1, Qt::AlignTop);
  groups->addWidget(fees, 1, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(date);
  layout->addLayout(groups);
  layout->addStretch(1);

  connect(pickedDate_, &QDateEdit::dateChanged, this, [this](const QDate& picked) {
    page_.OnDateChanged(MakeTime(picked.year(), picked.month(), picked.day()));
    Edited();
  });
  connect(category_, &QComboBox::activated, this, [this](int index) {
    page_.OnCategorySelected(index);
    Refresh();
    Edited();
  });
  connect(parkingKind_, &QComboBox::activated, this, [this](int index) {
    page_.OnParkingKindSelected(index);
    Refresh();
    Edited();
  });
  BindNumber(maxHours_, &ui::CPFlightplan::OnMaxHoursChanged);
  BindNumber(minHours_, &ui::CPFlightplan::OnMinHoursChanged);
  BindNumber(ifr_, &ui::CPFlightplan::OnIfrChanged);
  BindNumber(touchAndGo_, &ui::CPFlightplan::OnTouchAndGoChanged);
  BindNumber(night_, &ui::CPFlightplan::OnNightChanged);
  BindNumber(parkingFee_, &ui::CPFlightplan::OnParkingFeeChanged);
  BindNumber(ils_, &ui::CPFlightplan::OnIlsFeeChanged);
  BindNumber(lights_, &ui::CPFlightplan::OnLightsFeeChanged);
  BindNumber(crossCountry_, &ui::CPFlightplan::OnCrossCountryFeeChanged);
  BindNumber(runway_, &ui::CPFlightplan::OnRunwayFeeChanged);
  connect(assignFees_, &QPushButton::clicked, this, [this] { AssignFees(); });
}

void FlightplanView::BindNumber(QLineEdit* edit, void (ui::CPFlightplan::*handler)(const std::string&)) {
  connect(edit, &QLineEdit::textEdited, this, [this, handler](const QString& text) {
    std::invoke(handler, page_, Std(text));
    Refresh();
    Edited();
  });
}

void FlightplanView::Refresh() {
  {
    const CalendarFields picked = SplitTime(page_.pickedDate);
    const QSignalBlocker quiet(pickedDate_);
    pickedDate_->setDate(QDate(picked.year, picked.month, picked.day));
  }
  category_->setCurrentIndex(page_.selectedCategory);
  ShowNumber(maxHours_, page_.maxHours);
  ShowNumber(minHours_, page_.minHours);
  ShowNumber(ifr_, page_.ifrValue);
  ShowNumber(touchAndGo_, page_.touchAndGoValue);
  ShowNumber(night_, page_.nightValue);
  parkingKind_->setCurrentIndex(page_.selectedParkingKind);
  ShowNumber(parkingFee_, page_.parkingFeeValue);
  ShowNumber(ils_, page_.ilsValue);
  ShowNumber(lights_, page_.lightsValue);
  ShowNumber(crossCountry_, page_.crossCountryValue);
  ShowNumber(runway_, page_.runwayValue);
}

void FlightplanView::AssignFees() {
  ui::CPFlightplan::FeeAssignment assignment;
  RunLong([this, &assignment] { assignment = page_.OnAssignFees(); });
  Refresh();
  Edited();
  if (assignment.saved) {
    session_.prompter->Message("The normal landing fee was given to " + std::to_string(assignment.airports) +
                                   " airports whose fee was not set by hand.",
                               MessageIcon::kInformation);
  }
}

}
