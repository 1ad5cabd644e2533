#include "gui/airports_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/numbers.h"

namespace wf::gui {

AirportsView::AirportsView(ui::CPAirports& page, LongWork& work, QWidget* parent)
    : TreePageView(page, work, parent), page_(page), model_({}, this) {
  using A = ui::CPAirports;
  BindTree(model_, [this](const QModelIndex& index) { page_.OnTreeSelectionChanged(model_.NodeAt(index)); });

  auto* facts = new QFormLayout;
  for (const ui::FieldInfo* info : {&A::kCallSign, &A::kICAO, &A::kHasIFR, &A::kRunwayType})
    AddRow(facts, *info);
  auto* checks = new QHBoxLayout;
  checks->addWidget(FieldWidget(A::kUse));
  checks->addWidget(FieldWidget(A::kMilitary));
  checks->addStretch(1);
  facts->addRow(QString(), checks);
  AddRow(facts, A::kType);

  auto* parking = new QGroupBox("Parking places", this);
  auto* parkingForm = new QFormLayout(parking);
  for (const ui::FieldInfo* info : {&A::kGates, &A::kRamp, &A::kCargo, &A::kMil, &A::kDock}) {
    AddRow(parkingForm, *info);
  }
  auto* money = new QFormLayout;
  AddRow(money, A::kTowerFrequency);
  AddRow(money, A::kLandingFee);

  auto* right = new QVBoxLayout;
  right->addLayout(facts);
  right->addWidget(parking);
  right->addLayout(money);
  right->addStretch(1);
  PlaceValues(right);
}

void AirportsView::Refresh() {
  // A rebuilt tree opens the World node: the countries are what one looks for first.
  if (model_.Show(page_.m_tree)) tree()->expand(model_.index(0, 0));
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtCenter);
  TreePageView::Refresh();
}

}
