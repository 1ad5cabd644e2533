#include "gui/planes_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/make_ai_plane_dialog.h"
#include "gui/plane_icons.h"

namespace wf::gui {

PlanesView::PlanesView(ui::CPPlanes& page, LongWork& work, QWidget* parent)
    : TreePageView(page, work, parent),
      page_(page),
      icons_{PlaneIcon(0), PlaneIcon(1), PlaneIcon(2), PlaneIcon(3), PlaneIcon(4)},
      model_([this](int image) { return image >= 0 && image < 5 ? icons_[image] : QIcon(); }, this),
      makeAIPlane_(new QPushButton("Make AI plane", this)) {
  using P = ui::CPPlanes;
  BindTree(model_, [this](const QModelIndex& index) { page_.OnTreeSelectionChanged(model_.NodeAt(index)); });
  makeAIPlane_->setObjectName("makeAIPlane");

  auto* values = new QFormLayout;
  for (const ui::FieldInfo* info :
       {&P::kCruiseSpeed, &P::kStallSpeed, &P::kRange, &P::kFuel, &P::kUseForGA, &P::kIFREquipped,
        &P::kHasWheels, &P::kProbability, &P::kMoneyPerWeek, &P::kMoneyPerFlight}) {
    AddRow(values, *info, ":");
  }
  auto* type = new QGroupBox("Type", this);
  auto* typeLayout = new QVBoxLayout(type);
  for (const ui::FieldInfo* info : {&P::kBushplane, &P::kAmphibian, &P::kSkis})
    typeLayout->addWidget(FieldWidget(*info));
  auto* groups = new QHBoxLayout;
  groups->addWidget(FieldWidget(P::kUsage));
  groups->addWidget(type);

  auto* right = new QVBoxLayout;
  right->addLayout(values);
  right->addLayout(groups);
  right->addWidget(makeAIPlane_, 0, Qt::AlignLeft);
  right->addStretch(1);
  PlaceValues(right);
  connect(makeAIPlane_, &QPushButton::clicked, this, [this] { MakeAIPlane(); });
}

void PlanesView::Refresh() {
  // A rebuilt tree starts at the node that stays selected (the model that was selected, or its AI
  // copy), else at the root.
  if (model_.Show(page_.m_tree)) tree()->expand(model_.index(0, 0));
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtTop);
  TreePageView::Refresh();
  makeAIPlane_->setEnabled(page_.m_pAircraft != nullptr);
}

void PlanesView::MakeAIPlane() {
  page_.OnMakeAIPlane(
      [this](ui::MakeAI_Plane& model) { return MakeAIPlaneDialog(model, work_, this).Run(); });
  Refresh();
  Q_EMIT edited();
}

}
