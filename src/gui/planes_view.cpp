#include "gui/planes_view.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/make_ai_plane_dialog.h"
#include "gui/plane_icons.h"
#include "ui/search_text.h"

namespace wf::gui {

PlanesView::PlanesView(ui::CPPlanes& page, LongWork& work, QWidget* parent)
    : TreePageView(page, work, parent),
      page_(page),
      icons_{PlaneIcon(0), PlaneIcon(1), PlaneIcon(2), PlaneIcon(3), PlaneIcon(4)},
      model_([this](int image) { return image >= 0 && image < 5 ? icons_[image] : QIcon(); }, this),
      filterField_(new QLineEdit(this)),
      makeAIPlane_(new QPushButton("Make AI plane", this)) {
  using P = ui::CPPlanes;
  BindTree(model_, [this](ui::NodeId node) { page_.OnTreeSelectionChanged(node); });
  makeAIPlane_->setObjectName("makeAIPlane");
  filterField_->setObjectName("planeFilter");
  filterField_->setPlaceholderText("Show the models and variations whose name holds...");
  filterField_->setClearButtonEnabled(true);
  connect(filterField_, &QLineEdit::textChanged, this, &PlanesView::Filter);

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
  PlaceValues(right, filterField_);
  connect(makeAIPlane_, &QPushButton::clicked, this, [this] { MakeAIPlane(); });
}

void PlanesView::Refresh() {
  // A rebuilt tree starts at the node that stays selected (the model that was selected, or its AI
  // copy), else at the root.
  if (model_.Show(page_.m_tree)) {
    tree()->expand(model_.index(0, 0));
    Filter();
  }
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtTop);
  TreePageView::Refresh();
  makeAIPlane_->setEnabled(page_.m_pAircraft != nullptr);
}

void PlanesView::Filter() {
  const ui::NameFilter filter(Stored(filterField_->text()));
  const ui::PlaneTree& tree = model_.shown();
  tree.Walk(ui::kNoNode, [&](const ui::PlaneTree::Node& node, int depth) {
    if (depth == 0) return;
    const QModelIndex index = model_.IndexOf(node.id);
    this->tree()->setRowHidden(index.row(), index.parent(), !page_.ShownBy(filter, node.id));
  });
  // The models whose variations are kept open while a filter is set.
  if (!filter.empty()) this->tree()->expandAll();
}

void PlanesView::MakeAIPlane() {
  page_.OnMakeAIPlane(
      [this](ui::MakeAI_Plane& model) { return MakeAIPlaneDialog(model, work_, this).Run(); });
  Refresh();
  Q_EMIT edited();
}

}
