#pragma once
// A page whose left side is its tree (Airports, Planes): the tree view, the values beside it, and the
// forwarding of the user's selections to the page.
//
// A node the user selects (in the tree, or found otherwise) is shown at once, unless the page holds
// unapplied edits: then the tree keeps showing the page's node and nodeWanted() asks for the node;
// whoever answers it (the window, after asking about the edits) calls SelectNode.
#include <QAbstractItemView>
#include <QStringList>
#include <functional>

#include "gui/page_view.h"
#include "ui/page_tree.h"

class QLayout;
class QTreeView;

namespace wf::gui {

class TreePageView : public PageView {
  Q_OBJECT

 public:
  QTreeView* tree() const { return tree_; }

  // The user asks for `node`.
  void RequestNode(ui::NodeId node);
  // Shows `node` on the page, as the user's selection.
  void SelectNode(ui::NodeId node);
  // The labels from the top of the tree down to `node`: they find the node again after an apply
  // has built the tree anew (SelectPath), where its id has gone.
  QStringList PathOf(ui::NodeId node) const;
  // SelectNode of the node that `path` leads to in the page's tree as it is now; nothing when there
  // is no such node any more.
  void SelectPath(const QStringList& path);

 Q_SIGNALS:
  // The user asked for `node` while the page holds unapplied edits.
  void nodeWanted(ui::NodeId node);

 protected:
  TreePageView(ui::SheetPage& page, LongWork& work, QWidget* parent);

  // The index of `node` in the tree's model.
  virtual QModelIndex IndexOf(ui::NodeId node) const = 0;
  // Shows `model` (a PageTreeItemModel) in the tree; `select` shows a node on the page.
  void BindTree(QAbstractItemModel& model, std::function<void(ui::NodeId)> select);
  // Lays the page out: `above` (if any) over the tree on the left, `values` on the right.
  void PlaceValues(QLayout* values, QWidget* above = nullptr);
  // Makes `index` the selected node (none when invalid), its branch opened and scrolled into view as
  // `hint` says.
  void ShowSelection(const QModelIndex& index, QAbstractItemView::ScrollHint hint);

 private:
  QTreeView* tree_;
  std::function<void(ui::NodeId)> select_;
  bool showingSelection_ = false;
};

}
