#pragma once
// A page's tree (ui/page_tree.h) as a Qt item model for a QTreeView. The model shows a copy of the
// page's tree taken by Show, so that painting never reads the page's own tree while long work
// rebuilds it on another thread. Each index carries its node id.
#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <unordered_map>
#include <utility>

#include "gui/texts.h"
#include "ui/page_tree.h"

namespace wf::gui {

template <class Data>
class PageTreeItemModel final : public QAbstractItemModel {
 public:
  using Tree = ui::PageTree<Data>;
  // `icon` gives the picture of a node image; none when empty.
  explicit PageTreeItemModel(std::function<QIcon(int)> icon = {}, QObject* parent = nullptr)
      : QAbstractItemModel(parent), icon_(std::move(icon)) {}

  // Takes the page's tree: a tree built anew resets the model and gives true; otherwise the nodes
  // the page changed since the last call bring their new images, and only they are reported changed.
  bool Show(Tree& tree) {
    if (shown_ && tree.build() == tree_.build()) {
      for (const ui::NodeId id : tree.TakeChanges()) {
        const typename Tree::Node* node = tree.Find(id);
        typename Tree::Node* copy = tree_.Find(id);
        if (node == nullptr || copy == nullptr) continue;
        copy->image = node->image;
        const QModelIndex index = IndexOf(id);
        Q_EMIT dataChanged(index, index, {Qt::DecorationRole});
      }
      return false;
    }
    beginResetModel();
    tree_ = tree;
    tree.TakeChanges();
    shown_ = true;
    rows_.clear();
    for (std::size_t i = 0; i < tree_.TopLevel().size(); ++i)
      rows_[tree_.TopLevel()[i]] = static_cast<int>(i);
    tree_.Walk(ui::kNoNode, [this](const typename Tree::Node& node, int) {
      for (std::size_t i = 0; i < node.children.size(); ++i) rows_[node.children[i]] = static_cast<int>(i);
    });
    endResetModel();
    return true;
  }

  QModelIndex IndexOf(ui::NodeId id) const {
    const auto row = rows_.find(id);
    if (row == rows_.end()) return {};
    return createIndex(row->second, 0, static_cast<quintptr>(id));
  }

  ui::NodeId NodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<ui::NodeId>(index.internalId()) : ui::kNoNode;
  }

  const Tree& shown() const { return tree_; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    const std::vector<ui::NodeId>* children = Children(parent);
    if (children == nullptr || column != 0 || row < 0 || row >= static_cast<int>(children->size())) return {};
    return createIndex(row, 0, static_cast<quintptr>((*children)[row]));
  }

  QModelIndex parent(const QModelIndex& child) const override {
    const typename Tree::Node* node = tree_.Find(NodeAt(child));
    return node != nullptr ? IndexOf(node->parent) : QModelIndex();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    const std::vector<ui::NodeId>* children = Children(parent);
    return children != nullptr ? static_cast<int>(children->size()) : 0;
  }

  int columnCount(const QModelIndex& = {}) const override { return 1; }

  QVariant data(const QModelIndex& index, int role) const override {
    const typename Tree::Node* node = tree_.Find(NodeAt(index));
    if (node == nullptr) return {};
    if (role == Qt::DisplayRole) return Q(node->label);
    if (role == Qt::DecorationRole && icon_) return icon_(node->image);
    return {};
  }

 private:
  const std::vector<ui::NodeId>* Children(const QModelIndex& parent) const {
    if (!parent.isValid()) return &tree_.TopLevel();
    const typename Tree::Node* node = tree_.Find(NodeAt(parent));
    return node != nullptr ? &node->children : nullptr;
  }

  std::function<QIcon(int)> icon_;
  Tree tree_;
  bool shown_ = false;
  std::unordered_map<ui::NodeId, int> rows_;
};

}
