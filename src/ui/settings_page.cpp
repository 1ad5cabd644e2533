#include "ui/settings_page.h"

#include <algorithm>

#include "app/settings_file.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf::ui {

CPSettings::CPSettings(Session& session) : SheetPage(session) {
  LoadFromSession();
}

void CPSettings::LoadFromSession() {
  percentStep = session_.settings.gaPercentage / 10;
  simPath = PathUtf8(session_.simFolder);
  toolsPath = PathUtf8(session_.toolsFolder);
  maxWeight.Show(static_cast<std::uint32_t>(session_.settings.maxWeightGA));
}

void CPSettings::OnInitDialog() {
  LoadFromSession();
  SetModified(false);
}

std::string CPSettings::Problem() const {
  return FirstProblem({&maxWeight});
}

void CPSettings::OnPercentStepChanged(int step) {
  percentStep = std::clamp(step, 0, kMaxPercentStep);
  if (percentStep * 10 != session_.settings.gaPercentage) SetModified();
}

std::string CPSettings::OnPercentageText(const std::string& text) {
  const std::optional<std::int64_t> percent = ParseWhole(TypedNumber(text));
  if (!percent || *percent < 0 || *percent > kMaxPercentStep * 10 || *percent % 10 != 0) {
    return "Percent of GA parking spaces: \"" + text + "\" is not one of 0, 10, 20, ... 150. Enter a " +
           "multiple of 10 from 0 to 150.";
  }
  OnPercentStepChanged(static_cast<int>(*percent / 10));
  return {};
}

void CPSettings::OnToolsPathChanged(const std::string& text) {
  toolsPath = text;
  SetModified();
}

void CPSettings::OnSimPathChanged(const std::string& text) {
  simPath = text;
  SetModified();
}

void CPSettings::OnMaxWeightChanged(const std::string& text) {
  maxWeight.SetText(text);
  SetModified();
}

bool CPSettings::OnApply() {
  if (!CheckBoxes({&maxWeight})) return false;
  session_.settings.gaPercentage = percentStep * 10;
  session_.toolsFolder = UserPath(toolsPath);
  session_.simFolder = UserPath(simPath);
  session_.settings.maxWeightGA = static_cast<std::int32_t>(maxWeight.value);
  session_.hooks->BuildPlaneTree();

  const bool saved = SaveSettingsFile(session_, [this](IniFile& ini) {
    WriteTuningSettings(ini, session_.settings, session_.toolsFolder, session_.simFolder);
  });
  SetModified(false);
  return saved;
}

}
