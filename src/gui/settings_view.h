#pragma once
// The "Settings" page: the share of GA parking spaces used for traffic (a slider of steps of 10
// percent), the tools and simulator folders, and the maximum GA weight.
#include "gui/page_view.h"
#include "ui/settings_page.h"

class QLabel;
class QLineEdit;
class QSlider;

namespace wf::gui {

class SettingsView final : public PageView {
 public:
  SettingsView(ui::CPSettings& page, QWidget* parent = nullptr);
  void Refresh() override;

 private:
  ui::CPSettings& page_;
  QSlider* percentStep_;
  QLabel* percentShown_;
  QLineEdit* toolsPath_;
  QLineEdit* simPath_;
  QLineEdit* maxWeight_;
};

}
