#include "gui/planes_view.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>

#include "gui/make_ai_plane_dialog.h"
#include "gui/plane_icons.h"

namespace wf::gui {

PlanesView::PlanesView(ui::CPPlanes& page, Session& session, QWidget* parent)
    : TreePageView(parent),
      page_(page),
      session_(session),
      icons_{PlaneIcon(0), PlaneIcon(1), PlaneIcon(2), PlaneIcon(3), PlaneIcon(4)},
      model_([this](int image) { return image >= 0 && image < 5 ? icons_[image] : QIcon(); }, this),
      cruiseSpeed_(MakeEdit(this, "m_nCruiseSpeed")),
      stallSpeed_(MakeEdit(this, "m_nStallSpeed")),
      range_(MakeEdit(this, "m_nRange")),
      fuel_(MakeEdit(this, "m_nFuel")),
      useForGA_(MakeCheck(this, "m_bUseForGA", "Use for GA:")),
      ifrEquipped_(MakeCheck(this, "m_bIFREquipped", "has IFR equipment:")),
      hasWheels_(MakeCheck(this, "m_bHasWheels", "has Wheels:")),
      probability_(MakeEdit(this, "m_fProbability")),
      moneyPerWeek_(MakeEdit(this, "m_fMoneyPerWeek")),
      moneyPerFlight_(MakeEdit(this, "m_fMoneyPerFlight")),
      usage_{MakeCheck(this, "m_bPrivat", "Privat"),     MakeCheck(this, "m_bClub", "Club"),
             MakeCheck(this, "m_bStudent", "Student"),   MakeCheck(this, "m_bRental", "Rental"),
             MakeCheck(this, "m_bBusiness", "Business"), MakeCheck(this, "m_bTaxi", "Taxi")},
      bushplane_(MakeCheck(this, "m_bBushplane", "Bushplane:")),
      amphibian_(MakeCheck(this, "m_bAmphibian", "Amphibian:")),
      skis_(MakeCheck(this, "m_bSkis", "has Skis:")),
      makeAIPlane_(new QPushButton("Make AI plane", this)) {
  BindTree(model_, [this](const QModelIndex& index) { page_.OnTreeSelectionChanged(model_.NodeAt(index)); });
  hasWheels_->setEnabled(false);
  makeAIPlane_->setObjectName("makeAIPlane");

  auto* values = new QFormLayout;
  values->addRow("Cruise Speed (kts):", cruiseSpeed_);
  values->addRow("Stall Speed (kts):", stallSpeed_);
  values->addRow("Range (nm):", range_);
  values->addRow("Fuel (l):", fuel_);
  values->addRow(QString(), useForGA_);
  values->addRow(QString(), ifrEquipped_);
  values->addRow(QString(), hasWheels_);
  values->addRow("Probability (%):", probability_);
  auto* money = new QHBoxLayout;
  money->addWidget(moneyPerWeek_);
  money->addWidget(moneyPerFlight_);
  values->addRow("Money per week/flight:", money);

  // "Useage" as the boxes stand: Taxi, Business, Rental on the left, Student, Club, Privat beside.
  auto* usage = new QGroupBox("Useage", this);
  auto* usageGrid = new QGridLayout(usage);
  const Category order[kCategoryCount] = {kTaxi, kBusiness, kRental, kTraining, kClub, kPrivate};
  for (int i = 0; i < kCategoryCount; ++i) usageGrid->addWidget(usage_[order[i]], i % 3, i / 3);
  auto* type = new QGroupBox("Type", this);
  auto* typeLayout = new QVBoxLayout(type);
  typeLayout->addWidget(bushplane_);
  typeLayout->addWidget(amphibian_);
  typeLayout->addWidget(skis_);
  auto* groups = new QHBoxLayout;
  groups->addWidget(usage);
  groups->addWidget(type);

  auto* right = new QVBoxLayout;
  right->addLayout(values);
  right->addLayout(groups);
  right->addWidget(makeAIPlane_, 0, Qt::AlignLeft);
  right->addStretch(1);
  PlaceValues(right);

  BindNumber(cruiseSpeed_, &ui::CPPlanes::OnCruiseSpeedChanged);
  BindNumber(stallSpeed_, &ui::CPPlanes::OnStallSpeedChanged);
  BindNumber(range_, &ui::CPPlanes::OnRangeChanged);
  BindNumber(fuel_, &ui::CPPlanes::OnFuelChanged);
  BindNumber(probability_, &ui::CPPlanes::OnProbabilityChanged);
  BindNumber(moneyPerWeek_, &ui::CPPlanes::OnMoneyPerWeekChanged);
  BindNumber(moneyPerFlight_, &ui::CPPlanes::OnMoneyPerFlightChanged);
  BindCheck(useForGA_, &ui::CPPlanes::OnUseForGAClicked);
  BindCheck(ifrEquipped_, &ui::CPPlanes::OnIFREquippedClicked);
  BindCheck(bushplane_, &ui::CPPlanes::OnBushplaneClicked);
  BindCheck(amphibian_, &ui::CPPlanes::OnAmphibianClicked);
  BindCheck(skis_, &ui::CPPlanes::OnSkisClicked);
  connect(makeAIPlane_, &QPushButton::clicked, this, [this] { MakeAIPlane(); });
  for (int c = 0; c < kCategoryCount; ++c) {
    connect(usage_[c], &QCheckBox::clicked, this, [this, c](bool checked) {
      page_.OnUsageClicked(static_cast<Category>(c), checked);
      Edited();
    });
  }
}

void PlanesView::BindNumber(QLineEdit* edit, void (ui::CPPlanes::*handler)(const std::string&)) {
  connect(edit, &QLineEdit::textEdited, this, [this, handler](const QString& text) {
    std::invoke(handler, page_, Std(text));
    Refresh();
    Edited();
  });
}

void PlanesView::BindCheck(QCheckBox* check, void (ui::CPPlanes::*handler)(bool)) {
  connect(check, &QCheckBox::clicked, this, [this, handler](bool checked) {
    std::invoke(handler, page_, checked);
    Edited();
  });
}

void PlanesView::Refresh() {
  // A rebuilt tree starts at the node that stays selected (the model that was selected, or its AI
  // copy), else at the root.
  if (model_.Show(page_.m_tree)) tree()->expand(model_.index(0, 0));
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtTop);
  ShowNumber(cruiseSpeed_, page_.m_nCruiseSpeed);
  ShowNumber(stallSpeed_, page_.m_nStallSpeed);
  ShowNumber(range_, page_.m_nRange);
  ShowNumber(fuel_, page_.m_nFuel);
  ShowCheck(useForGA_, page_.m_bUseForGA);
  ShowCheck(ifrEquipped_, page_.m_bIFREquipped);
  ShowCheck(hasWheels_, page_.m_bHasWheels);
  ShowNumber(probability_, page_.m_fProbability);
  ShowNumber(moneyPerWeek_, page_.m_fMoneyPerWeek);
  ShowNumber(moneyPerFlight_, page_.m_fMoneyPerFlight);
  for (int c = 0; c < kCategoryCount; ++c) ShowCheck(usage_[c], page_.UsageBox(static_cast<Category>(c)));
  ShowCheck(bushplane_, page_.m_bBushplane);
  ShowCheck(amphibian_, page_.m_bAmphibian);
  ShowCheck(skis_, page_.m_bSkis);
  for (QWidget* box : std::initializer_list<QWidget*>{cruiseSpeed_, stallSpeed_, range_, fuel_, ifrEquipped_,
                                                      bushplane_, amphibian_, skis_}) {
    box->setEnabled(page_.m_bModelBoxesEnabled);
  }
  makeAIPlane_->setEnabled(page_.m_pAircraft != nullptr);
}

void PlanesView::MakeAIPlane() {
  std::string problems, failure;
  page_.OnMakeAIPlane([this, &problems, &failure](ui::MakeAI_Plane& model) {
    MakeAIPlaneDialog dialog(model, runLong, this);
    const int result = dialog.Run();
    failure = model.FailureText();
    if (result == ui::kDialogOK) problems = MakeAIPlaneDialog::Problems(model.Report());
    return result;
  });
  Refresh();
  Edited();
  if (!failure.empty()) {
    session_.prompter->Message(failure + ".", MessageIcon::kStop);
  } else if (!problems.empty()) {
    session_.prompter->Message("The AI copy was made, but not everything worked:\n" + problems,
                               MessageIcon::kWarning);
  }
}

}
