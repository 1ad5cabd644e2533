#pragma once
// The aircraft collection: finds every aircraft folder of the simulator, reads each folder's
// aircraft.cfg, and brings the world's aircraftTypes (models, one per folder) and aircraftNames
// (variations, one per title) in step with what is installed.
//
// Models already in aircraftTypes are not derived again: their stored values, edits included, are
// kept; only their folder path and found mark are refreshed. New folders get a derived model, new
// titles a variation of their folder's model. Models whose folder and variations whose title were
// not found are deleted; a folder whose aircraft.cfg is there but cannot be read keeps its model. Writing the
// aircraft files afterwards is the caller's job.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/progress.h"
#include "world/aircraft.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf {

// An aircraft folder that gave no model, and why: "no aircraft.cfg", "no sim= line", "wing span 0",
// "aircraft.cfg too large", "aircraft.cfg cannot be read: <why>".
struct SkippedAircraftFolder {
  std::string folderPath;
  std::string reason;
};

// A model kept as it was because its folder is there but could not be read.
struct KeptAircraftModel {
  std::string name;
  std::string reason;  // "aircraft.cfg cannot be read: <why>", "aircraft.cfg too large", ...
};

struct ModelNotForGA {
  std::string name;
  std::vector<std::string> reasons;  // see NotForGAReasons
};

struct VariationNotForGA {
  std::string title;
  std::string reason;  // "comma in the title" or "parking types <VALUE>"
};

struct AircraftCollectionResult {
  std::filesystem::path fsxCfgPath;  // the fsx.cfg read; empty when there was none
  std::string fsxCfgProblem;         // why an fsx.cfg that exists was not read ("<path> too large")
  // The entries' folders that exist, in processing order (the last entry first).
  std::vector<std::filesystem::path> simObjectFolders;
  // Set when no aircraft folder could be listed at all (no fsx.cfg, no entries, or every entry's
  // folder missing): why, for the user. The databases were then left exactly as they were, since
  // removing every model would lose the user's edits for what is most likely a setup problem.
  std::string keptBecause;
  std::size_t foldersRead = 0;  // aircraft folders whose aircraft.cfg was read

  std::size_t models = 0;                  // in aircraftTypes after the collection (all found)
  std::size_t variations = 0;              // in aircraftNames after the collection (all found)
  std::vector<std::string> newModels;      // names, in creation order
  std::vector<std::string> newVariations;  // titles, in creation order
  std::size_t keptModels = 0;
  std::size_t keptVariations = 0;
  std::vector<std::string> removedModels;      // names, in map order
  std::vector<std::string> removedVariations;  // titles, in removal order
  // One "Paintscheme <title> for Aircraft is no longer installed. It will be removed from the
  // list." per removed variation.
  std::vector<std::string> removalMessages;

  std::vector<ModelNotForGA> modelsNotForGA;          // of all models after the collection, by name
  std::vector<VariationNotForGA> variationsNotForGA;  // titles excluded by their own lines, by title
  std::vector<SkippedAircraftFolder> skippedFolders;
  std::vector<KeptAircraftModel> keptUnreadable;  // by name
};

// The texts of the summary.
std::string PaintschemeRemovedMessage(const std::string& title);

// Why `model` cannot fly GA traffic, empty when it can. Always "no wheels" and "wing span above
// 36 m" (no GA parking fits); for a model not used for GA its reasons "too heavy (N kg, GA limit
// M kg)", "no engine", "missing values (...)"; for a lottery weight of 0 "helicopter turbine" or
// "rocket engine"; "negative fuel capacity (N l)"; when none of these applies, "not used for GA" or
// "lottery weight 0".
std::vector<std::string> NotForGAReasons(const CAircraft& model, const Settings& settings);

// Collects the aircraft of the folders that `fsxCfg` (the simulator's fsx.cfg; empty when its place
// is unknown) lists. When not one aircraft folder can be listed,
// nothing is read or removed and `keptBecause` says why; otherwise models and variations that were
// not found are removed. The progress shows "Read plane <title>" for every title
// read. Folders that cannot be read are listed in the result and skipped, and the models they held
// are kept with their variations (a file that is there but cannot be read is no uninstall); nothing
// is thrown for what the files contain. Removing a variation discards the fleet (planes refer to variations).
AircraftCollectionResult CollectAircraft(World& world, const Settings& settings,
                                         const std::filesystem::path& simFolder,
                                         const std::filesystem::path& fsxCfg, Progress& progress);

}
