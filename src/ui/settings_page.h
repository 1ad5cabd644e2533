#pragma once
// The "Settings" page: the share of GA parking spaces used for traffic, the tools, simulator and
// fsx.cfg folders, and the maximum GA weight; applied into the session and saved to Wingfold.ini.
#include <array>
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
  static constexpr FieldInfo kFsxCfgPath{
      .kind = FieldKind::kText,
      .name = "fsxCfgPath",
      .label = "fsx.cfg folder",
      .option = "--fsx-cfg-folder DIR",
      .help = "fsx.cfg folder (where the simulator lists its aircraft folders; \"\" for the default place)"};
  static constexpr FieldInfo kMaxWeight{.kind = FieldKind::kNumber,
                                        .name = "maxWeight",
                                        .label = "Max GA weight (kg)",
                                        .min = 5000,
                                        .max = 30000,
                                        .option = "--max-weight KG"};
  static constexpr int kMaxPercentStep = static_cast<int>(kPercentage.max / kPercentage.step);
  // The folders, each with a "Browse" button.
  static constexpr std::array<const FieldInfo*, 3> kFolders = {&kToolsPath, &kSimPath, &kFsxCfgPath};

  // Takes the values of the session's settings, as the program does before the sheet opens.
  explicit CPSettings(Session& session);

  std::int32_t percentStep = 0;  // the slider: the percentage in steps of 10, 0..15
  std::string simPath;
  std::string toolsPath;
  std::string fsxCfgPath;  // empty: the platform's default place (DefaultFsxCfgFolder)
  NumberField<std::uint32_t> maxWeight{kMaxWeight};

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  void OnInitDialog() override;
  // A refused percentage, a path holding a line break or another control character, or a refused
  // weight.
  std::string Problem() const override;
  // Stores a changed folder as an absolute path (a relative one taken from the current folder, as
  // a shell user means it) and shows it so; a folder that does not exist is stored with a warning.
  // What the program reads from the simulator's folders at its start is read again at once when
  // they changed: a new simulator folder's default scenery when the database holds no airport, the
  // installed aircraft with a new simulator or fsx.cfg folder; a message says what was read.
  bool OnApply() override;

  // The slider moved to `step` (clamped to 0..15); the page is modified when step x 10 differs from
  // the applied percentage, and stays modified until the next apply.
  void OnPercentStepChanged(int step);
  // The percentage typed as a number of percent: a multiple of 10 from 0 to 150 moves the slider;
  // anything else is refused (Problem() says what to type) and marks the page.
  void OnPercentageText(const std::string& text);
  void OnToolsPathChanged(const std::string& text);
  void OnSimPathChanged(const std::string& text);
  void OnFsxCfgPathChanged(const std::string& text);
  // "Browse" beside the folder `folder` (one of kFolders): the folder chosen in the dialog, which
  // starts at the one shown, becomes the typed path; cancelling changes nothing.
  void OnBrowse(const FieldInfo& folder);
  // The fsx.cfg folder used while none is set, for the simulator folder shown; empty when unknown.
  std::string DefaultFsxCfgPath() const;
  void OnMaxWeightChanged(const std::string& text);

  std::int32_t Percentage() const { return percentStep * static_cast<std::int32_t>(kPercentage.step); }

 private:
  std::string percentageProblem_;
  void LoadFromSession();
  // Takes `typed` into `folder` when it names another folder; the warning when it does not exist.
  static std::string TakeFolder(const char* label, std::string& typed, std::filesystem::path& folder);
  // The collections a changed simulator or fsx.cfg folder calls for, and what they read.
  void ReadSimulatorAgain(bool simFolderChanged, bool aircraftFoldersChanged);
};

}
