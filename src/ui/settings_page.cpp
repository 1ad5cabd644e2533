#include "ui/settings_page.h"

#include <algorithm>

#include "app/collection.h"
#include "app/settings_file.h"
#include "platform/system.h"
#include "platform/text.h"
#include "ui/collect_page.h"

namespace wf::ui {

namespace {

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

// The folder a typed path names, as a shell user means it: a relative path is taken from the current
// folder, and a final separator is dropped. An empty path stays empty (no folder).
std::filesystem::path AbsoluteFolder(const std::string& typed) {
  const std::filesystem::path path = UserPath(typed);
  std::error_code error;
  std::filesystem::path absolute = path.empty() ? path : std::filesystem::absolute(path, error);
  if (error) return path;
  absolute = absolute.lexically_normal();
  if (!absolute.has_filename() && absolute != absolute.root_path()) absolute = absolute.parent_path();
  return absolute;
}

using S = CPSettings;
const PageField kFields[] = {
    [] {
      PageField percentage = ValueField<&S::percentStep, &S::OnPercentStepChanged>(S::kPercentage);
      percentage.text = [](const SheetPage& page) {
        return FormatWhole(static_cast<const CPSettings&>(page).Percentage());
      };
      percentage.typed = [](SheetPage& page, const std::string& text) {
        static_cast<CPSettings&>(page).OnPercentageText(text);
      };
      return percentage;
    }(),
    TextField<&S::toolsPath, &S::OnToolsPathChanged>(S::kToolsPath),
    TextField<&S::simPath, &S::OnSimPathChanged>(S::kSimPath),
    TextField<&S::fsxCfgPath, &S::OnFsxCfgPathChanged>(S::kFsxCfgPath),
    NumberBoxField<&S::maxWeight, &S::OnMaxWeightChanged>(S::kMaxWeight),
};

}

CPSettings::CPSettings(Session& session) : SheetPage(session) {
  LoadFromSession();
}

std::span<const PageField> CPSettings::FieldTable() {
  return kFields;
}

void CPSettings::LoadFromSession() {
  percentStep = session_.settings.gaPercentage / 10;
  simPath = PathUtf8(session_.simFolder);
  toolsPath = PathUtf8(session_.toolsFolder);
  fsxCfgPath = PathUtf8(session_.fsxCfgFolder);
  maxWeight.Show(static_cast<std::uint32_t>(session_.settings.maxWeightGA));
}

void CPSettings::OnInitDialog() {
  LoadFromSession();
  percentageProblem_.clear();
  SetModified(false);
}

std::string CPSettings::Problem() const {
  if (!percentageProblem_.empty()) return percentageProblem_;
  for (const auto& [label, typed] :
       {std::pair{kToolsPath.label, &toolsPath}, std::pair{kSimPath.label, &simPath},
        std::pair{kFsxCfgPath.label, &fsxCfgPath}}) {
    if (HasControlCharacter(*typed)) {
      return std::string(label) +
             ": a folder's path cannot hold a line break, a tab or another control "
             "character. Enter the path without them.";
    }
  }
  return FirstProblem({&maxWeight});
}

std::string CPSettings::TakeFolder(const char* label, std::string& typed, std::filesystem::path& folder) {
  if (UserPath(typed) == folder) return {};
  folder = AbsoluteFolder(typed);
  typed = PathUtf8(folder);
  std::error_code error;
  if (folder.empty() || std::filesystem::is_directory(folder, error)) return {};
  return std::string(label) + ": there is no folder \"" + typed + "\"; the path is stored all the same.";
}

void CPSettings::OnPercentStepChanged(int step) {
  percentageProblem_.clear();
  percentStep = std::clamp(step, 0, kMaxPercentStep);
  if (Percentage() != session_.settings.gaPercentage) SetModified();
}

void CPSettings::OnPercentageText(const std::string& text) {
  const std::optional<std::int64_t> percent = ParseWhole(TypedNumber(text));
  const auto step = static_cast<std::int64_t>(kPercentage.step);
  if (percent && *percent >= 0 && *percent <= kMaxPercentStep * step && *percent % step == 0) {
    OnPercentStepChanged(static_cast<int>(*percent / step));
    return;
  }
  const std::string steps = FormatNumber(kPercentage.step);
  percentageProblem_ = std::string(kPercentage.label) + ": \"" + text + "\" is not one of 0, " + steps +
                       ", " + FormatNumber(2 * kPercentage.step) + ", ... " + FormatNumber(kPercentage.max) +
                       ". Enter a multiple of " + steps + " from 0 to " + FormatNumber(kPercentage.max) + ".";
  SetModified();
}

void CPSettings::OnToolsPathChanged(const std::string& text) {
  toolsPath = text;
  SetModified();
}

void CPSettings::OnSimPathChanged(const std::string& text) {
  simPath = text;
  SetModified();
}

void CPSettings::OnFsxCfgPathChanged(const std::string& text) {
  fsxCfgPath = text;
  SetModified();
}

void CPSettings::OnBrowse(const FieldInfo& folder) {
  const PageField* field = nullptr;
  for (const PageField& f : kFields) {
    if (f.info == &folder) field = &f;
  }
  if (field == nullptr || field->typed == nullptr) return;
  std::string start = field->text(*this);
  if (start.empty() && &folder == &kFsxCfgPath) start = DefaultFsxCfgPath();
  if (const std::optional<std::string> chosen = session_.prompter->ChooseFolder(folder.label, start))
    field->typed(*this, *chosen);
}

std::string CPSettings::DefaultFsxCfgPath() const {
  return PathUtf8(DefaultFsxCfgFolder(UserPath(simPath)));
}

void CPSettings::OnMaxWeightChanged(const std::string& text) {
  maxWeight.SetText(text);
  SetModified();
}

bool CPSettings::OnApply() {
  if (!Acceptable()) return false;
  session_.settings.gaPercentage = Percentage();
  const std::filesystem::path simBefore = session_.simFolder;
  const std::filesystem::path fsxCfgBefore = FsxCfgFile(session_);
  const std::string missing[] = {TakeFolder(kToolsPath.label, toolsPath, session_.toolsFolder),
                                 TakeFolder(kSimPath.label, simPath, session_.simFolder),
                                 TakeFolder(kFsxCfgPath.label, fsxCfgPath, session_.fsxCfgFolder)};
  session_.settings.maxWeightGA = static_cast<std::int32_t>(maxWeight.value);

  const bool saved = SaveSettingsFile(session_, [this](IniFile& ini) { WriteTuningSettings(ini, session_); });
  SetModified(false);
  for (const std::string& warning : missing) {
    if (!warning.empty()) session_.prompter->Message(warning, MessageIcon::kWarning);
  }
  const bool simChanged = session_.simFolder != simBefore;
  ReadSimulatorAgain(simChanged, simChanged || FsxCfgFile(session_) != fsxCfgBefore);
  session_.hooks->BuildPlaneTree();
  return saved;
}

void CPSettings::ReadSimulatorAgain(bool simFolderChanged, bool aircraftFoldersChanged) {
  if (session_.simFolder.empty()) return;
  std::string text;
  MessageIcon icon = MessageIcon::kInformation;
  // As at a start: a world without airports takes the simulator's own scenery.
  if (simFolderChanged && session_.world.airportIndex.empty()) {
    const AirportCollectionResult airports = CollectAirports(session_, ScanMode::kDefaultScenery);
    // A folder without scenery was reported by the collection.
    if (!airports.noScenery) text = "The simulator's scenery was collected: " + CollectionSummary(airports);
    if (!airports.saved) icon = MessageIcon::kWarning;
  }
  if (aircraftFoldersChanged) {
    const AircraftCollection aircraft = CollectAircraftAndSave(session_);
    const AircraftCollectionResult& r = aircraft.result;
    // A collection that listed no folder kept the database, and said why.
    if (r.keptBecause.empty()) {
      text += std::string(text.empty() ? "" : "\n") + "The installed aircraft were read again from " +
              PathUtf8(r.fsxCfgPath) + ": " + FormatWhole(static_cast<std::int64_t>(r.models)) + " models (" +
              FormatWhole(static_cast<std::int64_t>(r.newModels.size())) + " new, " +
              FormatWhole(static_cast<std::int64_t>(r.removedModels.size())) + " removed), " +
              FormatWhole(static_cast<std::int64_t>(r.variations)) + " variations.";
    }
  }
  if (!text.empty()) session_.prompter->Message(text, icon);
}

}
