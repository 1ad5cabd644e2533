#pragma once
// The scenery scan: walks the simulator's scenery folders and hands every BGL file found to the
// BGL airport reader, building or extending the airport database.
//
// A folder sweep over a root lists the root's folders whose names have no extension, looks in each
// for a subfolder named Scenery (no extension, any case) and reads the *.bgl files (any case) in it,
// in name order without regard to case. It goes exactly one level deep: files directly in the
// root's folders, or deeper below Scenery, are not read. A root that does not exist contributes
// nothing. A file reached twice is read twice.
//
// The scan lists the files of all its sweeps before it reads them, so that the progress shows how many
// of them are read. It does not save the database; the caller does, after it.
#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

#include "scenery/airport_bgl.h"

namespace wf {

enum class ScanMode {
  kDefaultScenery,  // simFolder/Scenery: every area folder's Scenery subfolder
  kAddOn,           // the add-on root, then every top-level folder of the simulator
};

struct SceneryFileProblem {
  std::filesystem::path file;
  std::string reason;  // the first message shown for the file, with the number of further ones
};

struct ScanSummary {
  std::size_t bglFilesRead = 0;      // BGL files handed to the reader; a file reached twice counts twice
  std::size_t airportFilesRead = 0;  // of those, files with the airport layout (also those with errors)
  std::size_t filesLeftAlone = 0;    // of those, files that are not airport files
  std::vector<SceneryFileProblem> filesWithErrors;  // in reading order
  std::size_t airportsAdded = 0;                    // airports that did not exist before the scan
  std::size_t airportsUpdated = 0;     // airports that existed before the scan and took a file's data
  std::size_t airportsInDatabase = 0;  // airports in the tree after the scan
};

// The BGL files that the folder sweep of `root` reads, in reading order.
std::vector<std::filesystem::path> SweepFiles(const std::filesystem::path& root);

// One scan's state: the sweeps run through it and it adds up their results.
class SceneryScan {
 public:
  explicit SceneryScan(const SceneryContext& context);

  // The folder sweep of `root` (see above).
  void Sweep(const std::filesystem::path& root);
  // Reads one BGL file and adds its result.
  void ReadFile(const std::filesystem::path& file);
  // The totals so far; airportsInDatabase is counted now.
  ScanSummary Summary() const;

 private:
  SceneryContext context_;
  ScanSummary summary_;
  std::unordered_set<const CAirport*> added_;
  std::unordered_set<const CAirport*> updated_;
  std::vector<std::uint8_t> readBuffer_;  // each file in turn
};

// The scan of the simulator at `simFolder`. Default-scenery mode sweeps simFolder/Scenery. Add-on
// mode sweeps `airportPath` (when empty: simFolder/Addon Scenery), then simFolder itself. Folder
// names below simFolder are found in any case ("scenery", "ADDON SCENERY").
ScanSummary Scan(ScanMode mode, const std::filesystem::path& simFolder,
                 const std::filesystem::path& airportPath, const SceneryContext& context);

}
