#pragma once
// The "Settings" page: the share of GA parking spaces used for traffic (a slider of steps of 10
// percent), the tools, simulator and fsx.cfg folders, each with a "Browse" button, and the maximum
// GA weight.
#include "gui/page_view.h"
#include "ui/settings_page.h"

namespace wf::gui {

class SettingsView final : public PageView {
  Q_OBJECT

 public:
  SettingsView(ui::CPSettings& page, LongWork& work, QWidget* parent = nullptr);

  // Also shows, in the empty fsx.cfg folder box, the folder used in its place.
  void Refresh() override;

 private:
  ui::CPSettings& page_;
};

}
