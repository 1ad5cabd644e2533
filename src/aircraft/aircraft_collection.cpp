#include "aircraft/aircraft_collection.h"

#include <exception>
#include <map>
#include <optional>
#include <system_error>
#include <unordered_map>

#include "aircraft/aircraft_cfg.h"
#include "aircraft/sim_object_paths.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/system.h"
#include "platform/text.h"

namespace wf {

namespace {

// Real aircraft.cfg files are tens of kilobytes; anything this large is not one.
constexpr std::uintmax_t kMaxCfgBytes = 16u << 20;

// The widest GA parking (large GA ramp), metres.
constexpr std::int32_t kWidestGAParking = 36;

struct CollectionRun {
  World& world;
  const Settings& settings;
  Progress& progress;
  AircraftCollectionResult& result;
  // The model of the file that last found each variation.
  std::unordered_map<CAI_Aircraft*, CAircraft*> foundIn;
  std::map<std::string, std::string> variationsNotForGA;
  // Model name (the folder's name) -> why that aircraft folder could not be read.
  std::map<std::string, std::string> unreadable;
};

// The text of a configuration file, or nothing with the reason: "missing", "too large" or "cannot
// be read: <why>" (also for a folder, pipe or device by that name, which is never opened as a file).
std::optional<std::string> ReadCfgText(const std::filesystem::path& path, std::string& reason) {
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) > kMaxCfgBytes && !ec) {
    reason = "too large";
    return std::nullopt;
  }
  FileReadFailure failure;
  std::optional<std::string> text = ReadFileBytes(path, &failure);
  if (!text) reason = failure.missing ? "missing" : "cannot be read: " + failure.reason;
  return text;
}

// The text of the folder's aircraft.cfg, or nothing with the reason in the result. An aircraft.cfg
// that is there but cannot be read keeps the folder's model as it is: that is no uninstall.
std::optional<std::string> ReadAircraftCfgFile(CollectionRun& run, const FolderEntry& folder) {
  std::string reason;
  std::optional<std::string> text = ReadCfgText(ResolvePathCase(folder.path, "aircraft.cfg"), reason);
  if (!text) {
    const bool missing = reason == "missing";
    run.result.skippedFolders.push_back(
        {PathUtf8(folder.path), missing ? "no aircraft.cfg" : "aircraft.cfg " + reason});
    if (!missing) run.unreadable.emplace(NativePathText(folder.path.filename()), "aircraft.cfg " + reason);
  }
  return text;
}

// The model step: the folder's model, found or newly derived; null when none can be made. The
// model's name is the folder's name as the database files store it (in the 8-bit code page), so
// that a model read back from them is found again under the same key.
CAircraft* FindOrCreateModel(CollectionRun& run, const FolderEntry& folder, std::string_view text) {
  const std::string folderPath = PathUtf8(folder.path);
  const std::string name = NativePathText(folder.path.filename());
  const AircraftCfgValues values = ReadAircraftCfgValues(text, run.progress);
  if (!HasSimLine(text)) {
    run.result.skippedFolders.push_back({folderPath, "no sim= line"});
    return nullptr;
  }
  if (CAircraft* known = run.world.aircraftTypes.Find(name)) {
    known->folderPath = folderPath;
    known->seen = 1;
    return known;
  }
  if (values.wingSpan == 0) {
    run.result.skippedFolders.push_back({folderPath, "wing span 0"});
    return nullptr;
  }
  run.result.newModels.push_back(name);
  return &run.world.aircraftTypes.Insert(name, DeriveAircraft(values, run.settings, name, folderPath));
}

void CollectVariations(CollectionRun& run, CAircraft& model, const std::string& folderPath,
                       std::string_view text) {
  for (const VariationLine& line : ReadVariationLines(text)) {
    CAI_Aircraft* variation = run.world.aircraftNames.Find(line.title);
    if (variation == nullptr) {
      auto created = std::make_unique<CAI_Aircraft>(model, run.world.aiAircraftCounter);
      created->title = line.title;
      variation = &run.world.aircraftNames.Insert(line.title, std::move(created));
      run.result.newVariations.push_back(line.title);
    } else if (variation->aircraft == nullptr) {
      // Its model was missing when the database was loaded; it belongs to this folder now.
      variation->aircraft = &model;
      variation->isAICopy = IsAICopyName(model.name) ? 1 : 0;
    }
    variation->seen = 1;
    variation->folderPath = folderPath;
    run.foundIn[variation] = &model;
    if (line.NotForGA()) {
      variation->useForGA = 0;
      run.variationsNotForGA[line.title] =
          line.commaInTitle ? "comma in the title" : "parking types " + line.parkingTypes;
    }
  }
}

void CollectFolder(CollectionRun& run, const FolderEntry& folder) {
  const std::optional<std::string> text = ReadAircraftCfgFile(run, folder);
  if (!text) return;
  ++run.result.foldersRead;
  CAircraft* model = FindOrCreateModel(run, folder, *text);
  if (model != nullptr) CollectVariations(run, *model, PathUtf8(folder.path), *text);
}

void RemoveVariation(CollectionRun& run, const std::string& title) {
  run.world.aircraftNames.Erase(title);
  run.result.removedVariations.push_back(title);
  run.result.removalMessages.push_back(PaintschemeRemovedMessage(title));
}

// Models of folders that are there but could not be read are kept with their variations, as found.
void KeepUnreadable(CollectionRun& run) {
  for (const auto& [name, reason] : run.unreadable) {
    CAircraft* model = run.world.aircraftTypes.Find(name);
    if (model == nullptr || model->seen == 1) continue;
    model->seen = 1;
    for (auto& [title, variation] : run.world.aircraftNames)
      if (variation->aircraft == model) variation->seen = 1;
    run.result.keptUnreadable.push_back({name, reason});
  }
}

void RemoveUninstalled(CollectionRun& run) {
  World& world = run.world;
  KeepUnreadable(run);
  std::vector<std::string> modelsToRemove;
  for (auto& [name, model] : world.aircraftTypes) {
    if (model->seen == 1) {
      model->seen = 0;
    } else {
      modelsToRemove.push_back(name);
    }
  }
  for (const std::string& name : modelsToRemove) {
    CAircraft* model = world.aircraftTypes.Find(name);
    std::vector<std::string> titles;
    for (auto& [title, variation] : world.aircraftNames) {
      if (variation->aircraft != model) continue;
      const auto found = run.foundIn.find(variation.get());
      if (variation->seen == 1 && found != run.foundIn.end()) {
        // Installed, but now in another folder (a renamed folder): it moves to that folder's model
        // instead of going with the old one.
        variation->aircraft = found->second;
        variation->isAICopy = IsAICopyName(found->second->name) ? 1 : 0;
      } else {
        titles.push_back(title);
      }
    }
    for (const std::string& title : titles) RemoveVariation(run, title);
    world.aircraftTypes.Erase(name);
    run.result.removedModels.push_back(name);
  }

  std::vector<std::string> unseen;
  for (const auto& [title, variation] : world.aircraftNames) {
    if (variation->seen == 0) unseen.push_back(title);
  }
  for (const std::string& title : unseen) RemoveVariation(run, title);

  if (!run.result.removedVariations.empty()) world.DiscardFleet();
}

// Why a collection listed no aircraft folder, with what the user can do about it.
std::string NoAircraftFolderReason(const std::filesystem::path& fsxCfg, const std::filesystem::path& read,
                                   const std::string& problem, const std::vector<std::string>& entries) {
  if (fsxCfg.empty())
    return "the folder of fsx.cfg is unknown (set the fsx.cfg folder in the settings, or APPDATA to the "
           "folder "
           "that holds Microsoft/FSX/fsx.cfg)";
  if (!problem.empty()) return problem;
  if (read.empty()) return PathUtf8(fsxCfg) + " was not found";
  if (entries.empty())
    return PathUtf8(read) + " names no aircraft folder (no SimObjectPaths entry in [Main])";
  return "none of the aircraft folders that " + PathUtf8(read) + " names exists below the simulator folder";
}

}

std::string PaintschemeRemovedMessage(const std::string& title) {
  return "Paintscheme " + title + " for Aircraft is no longer installed. It will be removed from the list.";
}

std::vector<std::string> NotForGAReasons(const CAircraft& model, const Settings& settings) {
  std::vector<std::string> reasons;
  if (model.hasWheels == 0) reasons.push_back("no wheels");
  // The reasons of a derived useForGA of 0; a model switched on by hand flies whatever they say.
  const bool switchedOff = model.useForGA == 0;
  if (switchedOff && model.maxWeight >= settings.maxWeightGA) {
    reasons.push_back("too heavy (" + std::to_string(model.maxWeight) + " kg, GA limit " +
                      std::to_string(settings.maxWeightGA) + " kg)");
  }
  if (switchedOff && model.engineType == EngineType::kNone) reasons.push_back("no engine");
  const bool weightless = !(model.probability > 0.0f);
  if (weightless && model.engineType == EngineType::kHelicopterTurbine)
    reasons.push_back("helicopter turbine");
  if (weightless && model.engineType == EngineType::kRocket) reasons.push_back("rocket engine");
  std::string missing;
  const auto addMissing = [&](std::int32_t value, const char* what) {
    if (value != 0) return;
    if (!missing.empty()) missing += ", ";
    missing += what;
  };
  addMissing(model.fuelCapacity, "fuel capacity");
  addMissing(model.cruiseSpeed, "cruise speed");
  addMissing(model.emptyWeight, "empty weight");
  addMissing(model.stallSpeed, "stall speed");
  if (switchedOff && !missing.empty()) reasons.push_back("missing values (" + missing + ")");
  if (switchedOff && model.fuelCapacity < 0)
    reasons.push_back("negative fuel capacity (" + std::to_string(model.fuelCapacity) + " l)");
  if (model.wingSpan > kWidestGAParking) {
    reasons.push_back("wing span above " + std::to_string(kWidestGAParking) + " m");
  }
  if (reasons.empty() && switchedOff) reasons.push_back("not used for GA");
  if (reasons.empty() && weightless) reasons.push_back("lottery weight 0");
  return reasons;
}

AircraftCollectionResult CollectAircraft(World& world, const Settings& settings,
                                         const std::filesystem::path& simFolder,
                                         const std::filesystem::path& fsxCfg, Progress& progress) {
  AircraftCollectionResult result;
  CollectionRun run{world, settings, progress, result, {}, {}, {}};

  // "Found" means found by this run, also when a collection runs again in the same session.
  for (auto& [name, model] : world.aircraftTypes) model->seen = 0;
  for (auto& [title, variation] : world.aircraftNames) variation->seen = 0;

  std::vector<std::string> entries;
  std::string unreadable;
  if (!fsxCfg.empty()) {
    if (std::optional<std::string> text = ReadCfgText(fsxCfg, unreadable)) {
      result.fsxCfgPath = fsxCfg;
      entries = ReadSimObjectPaths(*text);
    } else if (unreadable != "missing") {
      result.fsxCfgProblem = PathUtf8(fsxCfg) + " " + unreadable;
    }
  }

  // The last entry first: where two entries hold a folder of the same name, the first entry's
  // folder is read last and gives the model its folder path. The folders are listed before any is
  // read, so that the progress counts them.
  std::vector<FolderEntry> folders;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    const std::filesystem::path base = SimObjectFolder(simFolder, *entry);
    std::error_code ec;
    if (base.empty() || !std::filesystem::is_directory(base, ec)) continue;
    result.simObjectFolders.push_back(base);
    // Every sub-folder, names with a dot included: the simulator loads those too.
    for (FolderEntry& folder : ListFolder(base, "*"))
      if (folder.isFolder) folders.push_back(std::move(folder));
  }
  for (std::size_t i = 0; i < folders.size(); ++i) {
    progress.SetSteps(i, folders.size());
    try {
      CollectFolder(run, folders[i]);
    } catch (const std::exception& error) {
      result.skippedFolders.push_back({PathUtf8(folders[i].path), error.what()});
      run.unreadable.emplace(NativePathText(folders[i].path.filename()), error.what());
    }
  }
  progress.SetSteps(folders.size(), folders.size());

  if (result.simObjectFolders.empty()) {
    result.keptBecause = NoAircraftFolderReason(fsxCfg, result.fsxCfgPath, result.fsxCfgProblem, entries);
  } else {
    RemoveUninstalled(run);
  }

  result.models = world.aircraftTypes.size();
  result.variations = world.aircraftNames.size();
  result.keptModels = result.models - result.newModels.size();
  result.keptVariations = result.variations - result.newVariations.size();
  for (const auto& [name, model] : world.aircraftTypes) {
    std::vector<std::string> reasons = NotForGAReasons(*model, settings);
    if (!reasons.empty()) result.modelsNotForGA.push_back({name, std::move(reasons)});
  }
  for (auto& [title, reason] : run.variationsNotForGA) result.variationsNotForGA.push_back({title, reason});
  return result;
}

}
