#include "gui/airports_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/numbers.h"

namespace wf::gui {

namespace {

QString Count(std::uint64_t count) {
  return QString::number(count);
}

}

AirportsView::AirportsView(ui::CPAirports& page, QWidget* parent)
    : TreePageView(parent),
      page_(page),
      model_({}, this),
      callSign_(MakeEdit(this, "m_strCallSign", true)),
      icao_(MakeEdit(this, "m_strICAO")),
      hasIFR_(MakeCheck(this, "m_bHasIFR", "has IFR")),
      runwayType_(MakeEdit(this, "m_strRunwayType", true)),
      use_(MakeCheck(this, "m_bUse", "Use")),
      military_(MakeCheck(this, "m_bMilitary", "Military")),
      type_(new QComboBox(this)),
      gates_(MakeEdit(this, "m_nGates", true)),
      ramp_(MakeEdit(this, "m_nRamp", true)),
      cargo_(MakeEdit(this, "m_nCargo", true)),
      mil_(MakeEdit(this, "m_nMil", true)),
      dock_(MakeEdit(this, "m_nDock", true)),
      towerFrequency_(MakeEdit(this, "m_fTowerFrequency", true)),
      landingFee_(MakeEdit(this, "m_fLandingFee")) {
  BindTree(model_, [this](const QModelIndex& index) { page_.OnTreeSelectionChanged(model_.NodeAt(index)); });
  hasIFR_->setEnabled(false);
  type_->setObjectName("m_comboType");
  for (int type = 0; type < kAirportTypeCount; ++type) type_->addItem(AirportTypeName(AirportType{type}));

  auto* facts = new QFormLayout;
  facts->addRow("Call Sign", callSign_);
  facts->addRow("ICAO", icao_);
  facts->addRow(QString(), hasIFR_);
  facts->addRow("longest Runway type", runwayType_);
  auto* checks = new QHBoxLayout;
  checks->addWidget(use_);
  checks->addWidget(military_);
  checks->addStretch(1);
  facts->addRow(QString(), checks);
  facts->addRow("Airport type", type_);

  auto* parking = new QGroupBox("Parking places", this);
  auto* parkingForm = new QFormLayout(parking);
  parkingForm->addRow("Gates", gates_);
  parkingForm->addRow("Ramp", ramp_);
  parkingForm->addRow("Cargo", cargo_);
  parkingForm->addRow("Mil.", mil_);
  parkingForm->addRow("Dock", dock_);

  auto* money = new QFormLayout;
  money->addRow("Tower Frequency", towerFrequency_);
  money->addRow("Landing fees", landingFee_);

  auto* right = new QVBoxLayout;
  right->addLayout(facts);
  right->addWidget(parking);
  right->addLayout(money);
  right->addStretch(1);
  PlaceValues(right);

  connect(icao_, &QLineEdit::textEdited, this, [this](const QString& text) {
    page_.OnICAOChanged(Std(text));
    Refresh();
    Edited();
  });
  connect(use_, &QCheckBox::clicked, this, [this](bool checked) {
    page_.OnUseClicked(checked);
    Edited();
  });
  connect(military_, &QCheckBox::clicked, this, [this](bool checked) {
    page_.OnMilitaryClicked(checked);
    Edited();
  });
  connect(type_, &QComboBox::activated, this, [this](int index) {
    page_.OnTypeSelected(index);
    Edited();
  });
  connect(landingFee_, &QLineEdit::textEdited, this, [this](const QString& text) {
    page_.OnLandingFeeChanged(Std(text));
    ShowNumber(landingFee_, page_.m_fLandingFee);
    Edited();
  });
}

void AirportsView::Refresh() {
  if (model_.Show(page_.m_tree)) {
    // The World node open: the countries are what one looks for first.
    tree()->expand(model_.index(0, 0));
  }
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtCenter);
  ShowText(callSign_, page_.m_strCallSign);
  if (icao_->text() != Q(page_.m_strICAO)) {
    const int cursor = icao_->cursorPosition();
    icao_->setText(Q(page_.m_strICAO));
    icao_->setCursorPosition(cursor);
  }
  ShowCheck(hasIFR_, page_.m_bHasIFR);
  ShowText(runwayType_, page_.m_strRunwayType);
  ShowCheck(use_, page_.m_bUse);
  ShowCheck(military_, page_.m_bMilitary);
  type_->setCurrentIndex(page_.m_comboType >= 0 && page_.m_comboType < kAirportTypeCount ? page_.m_comboType
                                                                                         : -1);
  gates_->setText(Count(page_.m_nGates));
  ramp_->setText(Count(page_.m_nRamp));
  cargo_->setText(Count(page_.m_nCargo));
  mil_->setText(Count(page_.m_nMil));
  dock_->setText(Count(page_.m_nDock));
  towerFrequency_->setText(Q(FormatNumber(page_.m_fTowerFrequency)));
  ShowNumber(landingFee_, page_.m_fLandingFee);
}

}
