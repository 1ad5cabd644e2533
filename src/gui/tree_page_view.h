#pragma once
// A page whose left side is its tree (Airports, Planes): the tree view, the values beside it, and the
// forwarding of the user's selections to the page.
#include <QAbstractItemView>
#include <functional>

#include "gui/page_view.h"

class QLayout;
class QTreeView;

namespace wf::gui {

class TreePageView : public PageView {
  Q_OBJECT

 public:
  QTreeView* tree() const { return tree_; }

 protected:
  TreePageView(ui::SheetPage& page, LongWork& work, QWidget* parent);

  // Shows `model` in the tree; `selected` is called with each node the user selects (not with those
  // ShowSelection selects), as an edit of the page.
  void BindTree(QAbstractItemModel& model, std::function<void(const QModelIndex&)> selected);
  // Lays the page out: the tree on the left, `values` on the right.
  void PlaceValues(QLayout* values);
  // Makes `index` the selected node (none when invalid), its branch opened and scrolled into view as
  // `hint` says.
  void ShowSelection(const QModelIndex& index, QAbstractItemView::ScrollHint hint);

 private:
  QTreeView* tree_;
  bool showingSelection_ = false;
};

}
