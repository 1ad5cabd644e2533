#pragma once
// The "Collect data" page: the add-on scenery folder ("AFCAD files Path:") with its "Browse" button,
// and "Collect Airports", which scans it and the simulator's top-level folders.
#include "gui/page_view.h"
#include "ui/collect_page.h"

class QLineEdit;
class QPushButton;

namespace wf::gui {

class GuiPrompter;

class CollectView final : public PageView {
 public:
  // `folderDialogs`: the window's prompter, told where "Browse" starts; may be null (tests that
  // answer the dialog themselves).
  CollectView(ui::CCollect& page, Session& session, GuiPrompter* folderDialogs, QWidget* parent = nullptr);
  void Refresh() override;

  // What the last collection did, as told to the user.
  static std::string Summary(const AirportCollectionResult& result);

 private:
  void Collect();

  ui::CCollect& page_;
  Session& session_;
  GuiPrompter* folderDialogs_;
  QLineEdit* airportPath_;
  QPushButton* browse_;
  QPushButton* collect_;
};

}
