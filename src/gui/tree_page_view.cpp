#include "gui/tree_page_view.h"

#include <QHBoxLayout>
#include <QTreeView>
#include <QVBoxLayout>

namespace wf::gui {

TreePageView::TreePageView(ui::SheetPage& page, LongWork& work, QWidget* parent)
    : PageView(page, work, parent), tree_(new QTreeView(this)) {
  tree_->setObjectName("m_tree");
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
}

void TreePageView::BindTree(QAbstractItemModel& model, std::function<void(ui::NodeId)> select) {
  select_ = std::move(select);
  tree_->setModel(&model);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            // Each index of a page's tree model carries its node.
            if (!showingSelection_)
              RequestNode(current.isValid() ? static_cast<ui::NodeId>(current.internalId()) : ui::kNoNode);
          });
}

void TreePageView::RequestNode(ui::NodeId node) {
  if (!page().IsModified()) return SelectNode(node);
  Refresh();                                           // the tree shows the page's node again
  if (IndexOf(node) == tree_->currentIndex()) return;  // the node whose edits these are
  // Asked once the event that led here has been handled: the question is a modal box.
  QMetaObject::invokeMethod(
      this, [this, node] { Q_EMIT nodeWanted(node); }, Qt::QueuedConnection);
}

void TreePageView::SelectNode(ui::NodeId node) {
  Edit([this, node] { select_(node); });
}

QStringList TreePageView::PathOf(ui::NodeId node) const {
  QStringList path;
  for (QModelIndex index = IndexOf(node); index.isValid(); index = index.parent())
    path.prepend(index.data().toString());
  return path;
}

void TreePageView::SelectPath(const QStringList& path) {
  Refresh();  // the model shows the page's tree as it is now
  const QAbstractItemModel* model = tree_->model();
  QModelIndex index;
  for (const QString& label : path) {
    const QModelIndexList found = model->match(model->index(0, 0, index), Qt::DisplayRole, label, 1,
                                               Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty()) return;
    index = found[0];
  }
  if (index.isValid()) SelectNode(static_cast<ui::NodeId>(index.internalId()));
}

void TreePageView::PlaceValues(QLayout* values, QWidget* above) {
  auto* left = new QVBoxLayout;
  if (above != nullptr) left->addWidget(above);
  left->addWidget(tree_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 3);
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
