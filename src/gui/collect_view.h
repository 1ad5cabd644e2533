#pragma once
// The "Collect data" page: the add-on scenery folder ("AFCAD files Path:") with its "Browse" button,
// and "Collect Airports", which scans it and the simulator's top-level folders.
#include "gui/page_view.h"
#include "ui/collect_page.h"

namespace wf::gui {

class GuiPrompter;

class CollectView final : public PageView {
  Q_OBJECT

 public:
  // `folderDialogs`: the window's prompter, told where "Browse" starts; may be null (tests that
  // answer the dialog themselves).
  CollectView(ui::CCollect& page, LongWork& work, GuiPrompter* folderDialogs, QWidget* parent = nullptr);

  // "Collect Airports": the collection as long work, and its summary.
  void Collect();

 private:
  ui::CCollect& page_;
  GuiPrompter* folderDialogs_;
};

}
