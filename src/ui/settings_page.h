#pragma once
// The "Settings" page: the share of GA parking spaces used for traffic, the tools and simulator
// folders, and the maximum GA weight; applied into the session and saved to Wingfold.ini.
#include <cstdint>
#include <filesystem>
#include <string>

#include "ui/sheet_page.h"

namespace wf::ui {

class CPSettings final : public SheetPage {
 public:
  static constexpr int kMaxPercentStep = 15;  // 150 percent

  // Takes the values of the session's settings, as the program does before the sheet opens.
  explicit CPSettings(Session& session);

  // Slider "Percent of GA parking spaces used for GA Traffic generation": percent / 10, 0..15.
  std::int32_t percentStep = 0;
  std::string simPath;    // "FSX path"
  std::string toolsPath;  // "Binary path"
  NumberField<std::uint32_t> maxWeight{"Max GA weight (kg)", 5000, 30000};

  void OnInitDialog() override;
  // A path holding a line break or another control character, or a refused weight.
  std::string Problem() const override;
  // Stores a changed folder as an absolute path (a relative one taken from the current folder, as
  // a shell user means it) and shows it so; a folder that does not exist is stored with a warning.
  bool OnApply() override;

  // The slider moved to `step` (clamped to 0..15); the page is modified when step x 10 differs from
  // the applied percentage, and stays modified until the next apply.
  void OnPercentStepChanged(int step);
  // The percentage as a number of percent: a multiple of 10 from 0 to 150 moves the slider; anything
  // else is refused and the message says what to type (empty when taken).
  std::string OnPercentageText(const std::string& text);
  void OnToolsPathChanged(const std::string& text);
  void OnSimPathChanged(const std::string& text);
  void OnMaxWeightChanged(const std::string& text);

  std::int32_t Percentage() const { return percentStep * 10; }

 private:
  void LoadFromSession();
  // Takes `typed` into `folder` when it names another folder; the warning when it does not exist.
  static std::string TakeFolder(const char* label, std::string& typed, std::filesystem::path& folder);
};

}
