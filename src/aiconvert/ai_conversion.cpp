#include "aiconvert/ai_conversion.h"

namespace wf {

namespace {

namespace fs = std::filesystem;

// `path` with the folder `from` at its start replaced by `to`.
fs::path Moved(const fs::path& path, const fs::path& from, const fs::path& to) {
  const fs::path relative = path.lexically_relative(from);
  if (relative.empty() || *relative.begin() == "..") return path;
  return to / relative;
}

// The report's files as they are named once the staged copy is in place.
void MoveReport(AIConversionReport& report, const fs::path& from, const fs::path& to) {
  if (report.textures) {
    for (TextureOutcome& texture : report.textures->textures) texture.file = Moved(texture.file, from, to);
  }
  for (auto* files : {&report.flightModel.replaced, &report.flightModel.restored}) {
    for (fs::path& file : *files) file = Moved(file, from, to);
  }
  for (AirPatchResult& patch : report.patches) patch.file = Moved(patch.file, from, to);
}

}

AIConversionReport RunAIConversion(const AIConversionRequest& request, const TextureTools& tools) {
  AIConversionReport report;
  // A new copy is made in a staging folder and enters its place only when it is complete; an AI
  // copy is changed in place, a flight model at a time.
  fs::path folder = request.targetFolder;
  if (!request.isAICopy) {
    report.copy = StageCopy(request.sourceFolder, request.targetFolder, tools.owner);
    report.failure = report.copy->Incomplete();
    folder = report.copy->folder;
  }
  if (report.failure.empty() && request.reduceTextures && !request.isAICopy) {
    report.scale = TextureScale(request.textureBytes);
    report.textures = ReduceTextures(request.aircraftName, folder, report.scale, tools);
  }
  if (report.failure.empty() && request.airFileChoice == kAirFileFlyable) {
    report.flightModel = RestoreFlightModels(folder, tools.owner);
  } else if (report.failure.empty() && request.airFileChoice >= kFirstLibraryAirFile &&
             !request.libraryAirFile.empty()) {
    report.flightModel = ReplaceFlightModels(folder, request.libraryAirFile, tools.owner);
  }
  if (report.failure.empty() && !report.flightModel.failures.empty())
    report.failure = "the flight model was not changed: " + report.flightModel.failures.front();
  if (request.isAICopy) {
    report.patches = PatchAirFiles(folder);
    return report;
  }
  if (report.failure.empty()) {
    report.patches = PatchAirFiles(folder);
    report.failure = CommitCopy(folder, request.targetFolder);
  }
  if (!report.failure.empty()) {
    if (!folder.empty()) DiscardCopy(folder);
    return report;
  }
  MoveReport(report, folder, request.targetFolder);
  return report;
}

}
