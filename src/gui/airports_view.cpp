#include "gui/airports_view.h"

#include <QAbstractProxyModel>
#include <QCompleter>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/numbers.h"

namespace wf::gui {

namespace {

// The airports the list shows at most; a line below them says how many more there are.
constexpr std::size_t kListed = 50;

}

AirportsView::AirportsView(ui::CPAirports& page, LongWork& work, QWidget* parent)
    : TreePageView(page, work, parent),
      page_(page),
      model_({}, this),
      search_(new QLineEdit(this)),
      matches_(new QStandardItemModel(this)),
      found_(new QCompleter(matches_, this)) {
  using A = ui::CPAirports;
  BindTree(model_, [this](ui::NodeId node) { page_.OnTreeSelectionChanged(node); });

  search_->setObjectName("airportSearch");
  search_->setPlaceholderText("Find an airport by ident, name or city (Ctrl+F)");
  search_->setClearButtonEnabled(true);
  auto* list = new QTreeView;
  list->setObjectName("airportsFound");
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->header()->hide();
  list->header()->setStretchLastSection(false);
  found_->setPopup(list);
  found_->setWidget(search_);
  found_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  found_->setMaxVisibleItems(12);
  connect(search_, &QLineEdit::textEdited, this, &AirportsView::Search);
  // Return chooses the airport highlighted in the list, else the first.
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (!found_->popup()->isVisible()) Choose(0);
  });
  connect(found_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) {
            Choose(static_cast<QAbstractProxyModel*>(found_->completionModel())->mapToSource(index).row());
          });

  auto* facts = new QFormLayout;
  for (const ui::FieldInfo* info :
       {&A::kCallSign, &A::kICAO, &A::kHasIFR, &A::kRunwayType, &A::kAirportCount})
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
  PlaceValues(right, search_);
  // An ident typed into "ICAO" while the page holds edits asks first, as a node chosen in the tree.
  connect(static_cast<QLineEdit*>(FieldWidget(A::kICAO)), &QLineEdit::textEdited, this, [this] {
    if (const ui::NodeId wanted = page_.TakeWantedNode(); wanted != ui::kNoNode) RequestNode(wanted);
  });
}

void AirportsView::Refresh() {
  // A rebuilt tree opens the World node: the countries are what one looks for first.
  if (model_.Show(page_.m_tree)) {
    tree()->expand(model_.index(0, 0));
    Search({});
  }
  ShowSelection(model_.IndexOf(page_.m_hSelectedItem), QAbstractItemView::PositionAtCenter);
  TreePageView::Refresh();
}

void AirportsView::FocusSearch() {
  search_->setFocus(Qt::ShortcutFocusReason);
  search_->selectAll();
}

void AirportsView::Search(const QString& text) {
  matches_->clear();
  nodes_.clear();
  const ui::AirportSearch* search = page_.Search();
  const ui::AirportSearchResult result =
      search != nullptr ? search->Find(Stored(text), kListed) : ui::AirportSearchResult{};
  for (const ui::AirportMatch& match : result.matches) {
    QList<QStandardItem*> row;
    for (const std::string* field : {&match.ident, &match.name, &match.city, &match.country})
      row.append(new QStandardItem(Q(*field)));
    matches_->appendRow(row);
    nodes_.push_back(page_.NodeOf(*match.airport));
  }
  if (result.total > result.matches.size()) {
    auto* more = new QStandardItem(
        Q("... and " + FormatWhole(static_cast<std::int64_t>(result.total - result.matches.size())) +
          " more: type more of the name"));
    more->setFlags(Qt::NoItemFlags);
    matches_->appendRow(more);
  }
  if (result.matches.empty()) {
    found_->popup()->hide();
    return;
  }
  // The list as wide as its columns need, with a gap after each.
  auto* list = static_cast<QTreeView*>(found_->popup());
  int width = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < matches_->columnCount(); ++column) {
    list->resizeColumnToContents(column);
    list->setColumnWidth(column, list->columnWidth(column) + 3 * list->fontMetrics().averageCharWidth());
    width += list->columnWidth(column);
  }
  found_->complete(QRect(0, 0, std::max(width, search_->width()), search_->height()));
  list->setCurrentIndex(found_->completionModel()->index(0, 0));
}

void AirportsView::Choose(int row) {
  if (row < 0 || row >= static_cast<int>(nodes_.size())) return;
  found_->popup()->hide();
  RequestNode(nodes_[static_cast<std::size_t>(row)]);
}

}
