#pragma once
// The "Airports" page: a search field over the airport tree on the left (Ctrl+F: FocusSearch), which
// lists the airports whose ident, name or city holds what is typed, as it is typed, and selects the
// one chosen; on the right the facts of the selected node and its four edits (use, military, airport
// type, landing fee). Typing an ident into "ICAO" selects that airport in the tree too.
#include <vector>

#include "gui/tree_model.h"
#include "gui/tree_page_view.h"
#include "ui/airports_page.h"

class QCompleter;
class QLineEdit;
class QStandardItemModel;

namespace wf::gui {

class AirportsView final : public TreePageView {
  Q_OBJECT

 public:
  AirportsView(ui::CPAirports& page, LongWork& work, QWidget* parent = nullptr);
  void Refresh() override;
  // Puts the cursor into the search field, its text selected.
  void FocusSearch();

  const PageTreeItemModel<ui::AirportNodeObject>& treeModel() const { return model_; }
  QLineEdit* searchField() const { return search_; }
  // The list of what the search found, as its popup shows it.
  QCompleter* searchList() const { return found_; }

 private:
  QModelIndex IndexOf(ui::NodeId node) const override { return model_.IndexOf(node); }
  void Search(const QString& text);
  // The airport of row `row` of the list chosen.
  void Choose(int row);

  ui::CPAirports& page_;
  PageTreeItemModel<ui::AirportNodeObject> model_;
  QLineEdit* search_;
  QStandardItemModel* matches_;
  QCompleter* found_;
  std::vector<ui::NodeId> nodes_;  // of the list's rows
};

}
