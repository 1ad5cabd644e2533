#include "scenery/scenery_scan.h"

#include <algorithm>
#include <iterator>

#include "platform/folder_listing.h"

namespace wf {

SceneryScan::SceneryScan(const SceneryContext& context) : context_(context) {}

std::vector<std::filesystem::path> SweepFiles(const std::filesystem::path& root) {
  std::vector<std::filesystem::path> files;
  for (const FolderEntry& area : ListFolder(root, "*.")) {
    if (!area.isFolder) continue;
    // On a file system that tells case apart, the first of "Scenery", "scenery", ... is taken.
    const std::vector<FolderEntry> scenery = ListFolder(area.path, "Scenery.");
    const auto folder =
        std::find_if(scenery.begin(), scenery.end(), [](const FolderEntry& e) { return e.isFolder; });
    if (folder == scenery.end()) continue;
    for (const FolderEntry& file : ListFolder(folder->path, "*.bgl"))
      if (!file.isFolder) files.push_back(file.path);
  }
  return files;
}

void SceneryScan::Sweep(const std::filesystem::path& root) {
  for (const std::filesystem::path& file : SweepFiles(root)) ReadFile(file);
}

void SceneryScan::ReadFile(const std::filesystem::path& file) {
  CAirportBGL reader(file, context_);
  reader.UseReadBuffer(readBuffer_);
  const BglReadResult result = reader.Read();
  ++summary_.bglFilesRead;
  if (result.status == BglReadStatus::kLeftAlone) {
    ++summary_.filesLeftAlone;
  } else if (result.airportFile) {
    ++summary_.airportFilesRead;
  }
  if (!result.errors.empty()) {
    std::string reason = result.errors.front();
    if (result.errors.size() > 1) reason += " (and " + std::to_string(result.errors.size() - 1) + " more)";
    summary_.filesWithErrors.push_back({file, std::move(reason)});
  }
  added_.insert(result.added.begin(), result.added.end());
  updated_.insert(result.updated.begin(), result.updated.end());
}

ScanSummary SceneryScan::Summary() const {
  ScanSummary summary = summary_;
  summary.airportsAdded = added_.size();
  summary.airportsUpdated = 0;
  for (const CAirport* airport : updated_)
    if (!added_.contains(airport)) ++summary.airportsUpdated;
  for (auto& [name, region] : context_.world.regionMap)
    ForEachAirport(*region, [&](CAirport&) { ++summary.airportsInDatabase; });
  return summary;
}

ScanSummary Scan(ScanMode mode, const std::filesystem::path& simFolder,
                 const std::filesystem::path& airportPath, const SceneryContext& context) {
  std::vector<std::filesystem::path> files;
  const auto sweep = [&files](const std::filesystem::path& root) {
    std::vector<std::filesystem::path> found = SweepFiles(root);
    files.insert(files.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  };
  // An unknown simulator folder contributes nothing (rather than the current folder's).
  const bool simKnown = !simFolder.empty();
  if (mode == ScanMode::kDefaultScenery) {
    if (simKnown) sweep(ResolvePathCase(simFolder, "Scenery"));
  } else {
    if (!airportPath.empty()) {
      sweep(airportPath);
    } else if (simKnown) {
      sweep(ResolvePathCase(simFolder, "Addon Scenery"));
    }
    if (simKnown) sweep(simFolder);
  }

  SceneryScan scan(context);
  for (std::size_t i = 0; i < files.size(); ++i) {
    context.progress.SetSteps(i, files.size());
    scan.ReadFile(files[i]);
  }
  context.progress.SetSteps(files.size(), files.size());
  return scan.Summary();
}

}
