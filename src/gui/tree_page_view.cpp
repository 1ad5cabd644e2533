#include "gui/tree_page_view.h"

#include <QHBoxLayout>
#include <QTreeView>

namespace wf::gui {

TreePageView::TreePageView(ui::SheetPage& page, LongWork& work, QWidget* parent)
    : PageView(page, work, parent), tree_(new QTreeView(this)) {
  tree_->setObjectName("m_tree");
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
}

void TreePageView::BindTree(QAbstractItemModel& model, std::function<void(const QModelIndex&)> selected) {
  tree_->setModel(&model);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, selected = std::move(selected)](const QModelIndex& current) {
            if (!showingSelection_) Edit([&] { selected(current); });
          });
}

void TreePageView::PlaceValues(QLayout* values) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tree_, 3);
  layout->addLayout(values, 2);
}

void TreePageView::ShowSelection(const QModelIndex& index, QAbstractItemView::ScrollHint hint) {
  if (index == tree_->currentIndex()) return;
  showingSelection_ = true;
  if (index.isValid()) {
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, hint);
  } else {
    tree_->setCurrentIndex({});
    tree_->clearSelection();
  }
  showingSelection_ = false;
}

}
