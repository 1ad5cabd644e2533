#include "gui/flightplan_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "platform/numbers.h"

namespace wf::gui {

FlightplanView::FlightplanView(ui::CPFlightplan& page, LongWork& work, QWidget* parent)
    : PageView(page, work, parent), page_(page) {
  using F = ui::CPFlightplan;
  auto* date = new QFormLayout;
  AddRow(date, F::kPickedDate);

  auto* aircraft = new QGroupBox("Aircraft", this);
  auto* aircraftForm = new QFormLayout(aircraft);
  aircraftForm->addRow(FieldWidget(F::kCategory));
  for (const ui::FieldInfo* info : {&F::kMaxHours, &F::kMinHours, &F::kIfr, &F::kTouchAndGo, &F::kNight}) {
    AddRow(aircraftForm, *info);
  }

  auto* fees = new QGroupBox("Airport fees", this);
  auto* feesLayout = new QVBoxLayout(fees);
  auto* parking = new QGroupBox(Q(F::kParkingKind.label), fees);
  auto* parkingForm = new QFormLayout(parking);
  parkingForm->addRow(FieldWidget(F::kParkingKind));
  AddRow(parkingForm, F::kParkingFee);
  feesLayout->addWidget(parking);
  auto* feeForm = new QFormLayout;
  for (const ui::FieldInfo* info : {&F::kIlsFee, &F::kLightsFee, &F::kCrossCountryFee, &F::kRunwayFee}) {
    AddRow(feeForm, *info);
  }
  feesLayout->addLayout(feeForm);
  auto* assignFees = new QPushButton("Assign airport fees to all airports", fees);
  assignFees->setObjectName("assignFees");
  feesLayout->addWidget(assignFees, 0, Qt::AlignLeft);

  auto* groups = new QHBoxLayout;
  groups->addWidget(aircraft, 1, Qt::AlignTop);
  groups->addWidget(fees, 1, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(date);
  layout->addLayout(groups);
  layout->addStretch(1);
  connect(assignFees, &QPushButton::clicked, this, [this] { AssignFees(); });
}

void FlightplanView::AssignFees() {
  auto assignment = std::make_shared<ui::CPFlightplan::FeeAssignment>();
  work_.Run(
      window(), [this, assignment] { *assignment = page_.OnAssignFees(); },
      [this, assignment](bool done) {
        if (!done || !assignment->saved) return;
        work_.session().prompter->Message("The normal landing fee was given to " +
                                              FormatWhole(assignment->airports) +
                                              " airports whose fee was not set by hand.",
                                          MessageIcon::kInformation);
      });
}

}
