#pragma once
// What a scenery scan (scenery_scan.h) is asked to do and what it found, apart from the scan itself,
// so that those who only show a scan's result need not see the BGL reader.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

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

}
