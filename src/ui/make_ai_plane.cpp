#include "ui/make_ai_plane.h"

#include <algorithm>

#include "aiconvert/air_files.h"
#include "aiconvert/aircraft_copy.h"
#include "aiconvert/textures.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace wf::ui {

MakeAI_Plane::MakeAI_Plane(CAircraft* aircraft, Session& session) : m_pAircraft(aircraft), session_(session) {
  const TextureMeasure measure = MeasureTextures(PathFromUtf8(m_pAircraft->folderPath));
  m_nTextureBytes = measure.textureBytes;
  m_dFolderSize = TextureMegabytes(m_nTextureBytes);
}

void MakeAI_Plane::OnInitDialog() {
  reduceTexturesEnabled_ = !IsAICopyName(m_pAircraft->name);
  if (!reduceTexturesEnabled_) m_bReduceTextures = 0;
  entries_ = {"no change", "Flyable"};
  m_airFileTitles = {"", ""};
  airFilePaths_ = {{}, {}};
  for (const AirFileEntry& entry : ListAirFileLibrary(session_.workFolder)) {
    entries_.push_back(entry.displayName);
    m_airFileTitles.push_back(entry.title);
    airFilePaths_.push_back(entry.path);
  }
  m_nAirFile = DefaultAirFileChoice(m_airFileTitles, m_pAircraft->cruiseSpeed, m_pAircraft->stallSpeed);
  m_strTargetFolder = PathUtf8(AITargetFolder(PathFromUtf8(m_pAircraft->folderPath)));
}

void MakeAI_Plane::OnSelchangeAirFile(int index) {
  if (index >= 0 && index < static_cast<int>(entries_.size())) m_nAirFile = index;
}

bool MakeAI_Plane::OnReduceTexturesClicked(bool checked) {
  if (!reduceTexturesEnabled_) return false;
  m_bReduceTextures = checked ? 1 : 0;
  return true;
}

std::string MakeAI_Plane::FolderSizeText() const {
  return FormatFixed(m_dFolderSize, 3) + " MB";
}

int MakeAI_Plane::OnOK() {
  AIConversionRequest request;
  request.aircraftName = m_pAircraft->name;
  request.sourceFolder = PathFromUtf8(m_pAircraft->folderPath);
  request.isAICopy = IsAICopyName(m_pAircraft->name);
  request.targetFolder = PathFromUtf8(m_strTargetFolder);
  request.airFileChoice = m_nAirFile;
  if (m_nAirFile >= kFirstLibraryAirFile && m_nAirFile < static_cast<int>(airFilePaths_.size())) {
    request.libraryAirFile = airFilePaths_[static_cast<std::size_t>(m_nAirFile)];
  }
  request.reduceTextures = m_bReduceTextures != 0 && reduceTexturesEnabled_;
  request.textureBytes = m_nTextureBytes;
  const TextureTools tools{session_.toolsFolder, *session_.progress, session_.prompter, pause_};
  report_ = RunAIConversion(request, tools);
  m_dScale = report_.scale;
  return report_.failure.empty() ? kDialogOK : kDialogCancel;
}

namespace {

// "  label:" and the value, in a column, on a line of its own.
std::string Line(const std::string& label, const std::string& value) {
  std::string line = "  " + label + ":";
  line.resize(std::max<std::size_t>(line.size() + 1, 23), ' ');
  return line + value + "\n";
}

std::string Failures(const std::vector<std::string>& failures) {
  std::string text;
  for (const std::string& failure : failures) text += "    " + failure + "\n";
  return text;
}

}

std::string MakeAI_Plane::ConversionSummary() const {
  const AIConversionReport& r = report_;
  std::string text = "Conversion:\n";
  if (r.copy && !r.copy->refused.empty()) {
    text += Line("folder", "NOT copied: " + r.copy->refused);
  } else if (r.copy) {
    const AircraftCopyReport& copy = *r.copy;
    text += Line("files copied", FormatWhole(static_cast<std::int64_t>(copy.copy.written.size())) +
                                     (copy.copy.aborted ? " (cancelled)" : ""));
    if (!copy.copy.kept.empty())
      text += Line("files kept",
                   FormatWhole(static_cast<std::int64_t>(copy.copy.kept.size())) + " (not replaced)");
    text += Failures(copy.copy.failures);
    text += Line("panel removed", copy.panel.removed.empty() ? "none found" : "yes");
    text +=
        Line("aircraft.cfg", !copy.configWritten     ? "NOT written: " + copy.configProblem
                             : copy.configFromSource ? "written; the flyable one is flyable_aircraft.cfg"
                                                     : "rebuilt from the flyable_aircraft.cfg already there");
  } else {
    text += Line("folder", "already an AI copy, not copied");
  }
  if (r.textures) {
    std::int64_t converted = 0;
    for (const TextureOutcome& t : r.textures->textures) converted += t.converted ? 1 : 0;
    text += Line("textures", FormatWhole(converted) + " of " +
                                 FormatWhole(static_cast<std::int64_t>(r.textures->textures.size())) +
                                 " reduced (scale " + TextureScaleText(r.scale) + ", " +
                                 FormatWhole(r.textures->folders) + " texture folders)");
  }
  for (const auto& file : r.flightModel.replaced) text += Line("flight model", PathUtf8(file) + " replaced");
  for (const auto& file : r.flightModel.restored) text += Line("flight model", PathUtf8(file) + " restored");
  text += Failures(r.flightModel.failures);
  // What did not work is for Problems() to say.
  for (const AirPatchResult& patch : r.patches) {
    if (patch.outcome == AirPatchOutcome::kPatched)
      text += "  " + PathUtf8(patch.file.filename()) + ": patched\n";
    if (patch.outcome == AirPatchOutcome::kNoRecord)
      text += "  " + PathUtf8(patch.file.filename()) + ": unchanged (no record 261)\n";
  }
  return text;
}

std::string MakeAI_Plane::FailureText() const {
  if (report_.failure.empty()) return {};
  if (!report_.copy) {
    return "The conversion of " + m_pAircraft->name + " failed: " + report_.failure +
           ". A flight model whose change failed is as it was.";
  }
  return "The AI copy of " + m_pAircraft->name + " was not made: " + report_.failure +
         ". Nothing was changed: the database and the aircraft folders are as they were.";
}

std::string MakeAI_Plane::Problems() const {
  if (!report_.failure.empty()) return {};
  std::string text;
  if (report_.textures) {
    for (const TextureOutcome& texture : report_.textures->textures) {
      if (!texture.converted)
        text += "\nTexture left as it was: " + PathUtf8(texture.file) + ": " + texture.reason;
    }
  }
  for (const AirPatchResult& patch : report_.patches) {
    if (patch.outcome != AirPatchOutcome::kPatched && patch.outcome != AirPatchOutcome::kNoRecord) {
      text += "\nFlight model not patched: " + PathUtf8(patch.file) + ": " + patch.detail;
    }
  }
  return text.empty() ? text : "The AI copy was made, but not everything worked:" + text;
}

}
