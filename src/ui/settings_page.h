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
  // The page's fields, bound to the members below by Fields().
  static constexpr FieldInfo kPercentage{
      .kind = FieldKind::kSlider,
      .name = "percentStep",
      .label = "Percent of GA parking spaces used for GA Traffic generation",
      .max = 150,
      .step = 10,
      .unit = "%",
      .option = "--ga-percentage N",
      .help = "Percent of GA parking spaces used"};
  static constexpr FieldInfo kToolsPath{.kind = FieldKind::kText,
                                        .name = "toolsPath",
                                        .label = "Binary path",
                                        .option = "--tools-path DIR",
                                        .help = "Binary path (the traffic compiler's folder)"};
  static constexpr FieldInfo kSimPath{
      .kind = FieldKind::kText, .name = "simPath", .label = "FSX path", .option = "--sim-path DIR"};
  static constexpr FieldInfo kMaxWeight{.kind = FieldKind::kNumber,
                                        .name = "maxWeight",
                                        .label = "Max GA weight (kg)",
                                        .min = 5000,
                                        .max = 30000,
                                        .option = "--max-weight KG"};
  static constexpr int kMaxPercentStep = static_cast<int>(kPercentage.max / kPercentage.step);

  // Takes the values of the session's settings, as the program does before the sheet opens.
  explicit CPSettings(Session& session);

  std::int32_t percentStep = 0;  // the slider: the percentage in steps of 10, 0..15
  std::string simPath;
  std::string toolsPath;
  NumberField<std::uint32_t> maxWeight{kMaxWeight};

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  void OnInitDialog() override;
  // A refused percentage, a path holding a line break or another control character, or a refused
  // weight.
  std::string Problem() const override;
  // Stores a changed folder as an absolute path (a relative one taken from the current folder, as
  // a shell user means it) and shows it so; a folder that does not exist is stored with a warning.
  bool OnApply() override;

  // The slider moved to `step` (clamped to 0..15); the page is modified when step x 10 differs from
  // the applied percentage, and stays modified until the next apply.
  void OnPercentStepChanged(int step);
  // The percentage typed as a number of percent: a multiple of 10 from 0 to 150 moves the slider;
  // anything else is refused (Problem() says what to type) and marks the page.
  void OnPercentageText(const std::string& text);
  void OnToolsPathChanged(const std::string& text);
  void OnSimPathChanged(const std::string& text);
  void OnMaxWeightChanged(const std::string& text);

  std::int32_t Percentage() const { return percentStep * static_cast<std::int32_t>(kPercentage.step); }

 private:
  std::string percentageProblem_;
  void LoadFromSession();
  // Takes `typed` into `folder` when it names another folder; the warning when it does not exist.
  static std::string TakeFolder(const char* label, std::string& typed, std::filesystem::path& folder);
};

}
