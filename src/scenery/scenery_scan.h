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
#include "scenery/scan_summary.h"

namespace wf {

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
