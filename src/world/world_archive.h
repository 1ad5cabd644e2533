#pragma once
// The world's database files as bytes: the region tree (objects.dat, stock_objects.dat), the
// aircraft models (AircraftTypes.dat) and the variations (AircraftNames.dat). Each file is the
// archive form of one string map, from its first byte to its last; reading and writing the files
// and reporting their errors is the caller's.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "archive/archive.h"
#include "platform/progress.h"
#include "platform/prompter.h"
#include "world/settings.h"

namespace wf {

struct World;

// What the records' Serialize needs besides the archive: the world (the airport index that loaded
// airports enter, the models that a variation's model name is looked up in, the variation counter),
// the fees for the normal landing fee, the progress line and the prompter for the missing-model
// warning. Nothing is owned; everything must outlive the archive that carries the context.
class WorldArchiveContext : public ArchiveContext {
 public:
  WorldArchiveContext(World& world, const Settings& settings, Progress* progress = nullptr,
                      Prompter* prompter = nullptr)
      : world(&world), settings(&settings), progress(progress), prompter(prompter) {}

  // The world context that `ar` carries, or null when it carries none or another kind.
  static WorldArchiveContext* Of(const CArchive& ar) {
    return dynamic_cast<WorldArchiveContext*>(ar.Context());
  }

  void ShowProgress(const std::string& text) const {
    if (progress != nullptr) progress->SetText(text);
  }

  World* world;              // never null
  const Settings* settings;  // never null
  Progress* progress;        // may be null: no progress texts
  Prompter* prompter;        // may be null: no messages
};

// The seven archived record classes, with their schema checks: CRegion 2, CCountry 2, CState 2 and
// CCity 1 must match; CAirport, CAircraft and CAI_Aircraft accept any schema. Creating a
// CAI_Aircraft takes its number from the context's variation counter, so it needs a
// WorldArchiveContext (without one the load fails with ArchiveError).
const ClassRegistry& WorldClassRegistry();

// Writes context.world->regionMap. Progress: "Save airport: " + name for each airport.
std::vector<std::uint8_t> SaveRegionMap(WorldArchiveContext& context);
// Reads a region map into context.world->regionMap: each entry replaces an earlier one under the
// same key, and every loaded airport enters airportIndex. The fleet is discarded first, since its
// planes refer to airports that the load may replace. Throws ArchiveError at the first fault, and
// for bytes left after the map; the entries read completely before it stay in the map.
void LoadRegionMap(std::span<const std::uint8_t> data, WorldArchiveContext& context);

// Writes context.world->aircraftTypes. Progress: "Save aircraft: " + name.
std::vector<std::uint8_t> SaveAircraftTypes(WorldArchiveContext& context);
// Reads models into context.world->aircraftTypes. A variation that referred to a model replaced
// under the same name now refers to the replacement. Throws as LoadRegionMap.
void LoadAircraftTypes(std::span<const std::uint8_t> data, WorldArchiveContext& context);

// Writes context.world->aircraftNames. Progress: "Save AI aircraft: " + title.
std::vector<std::uint8_t> SaveAircraftNames(WorldArchiveContext& context);
// Reads variations into context.world->aircraftNames, looking their models up in aircraftTypes
// (load those first). Each new variation takes the next number of the variation counter. The fleet
// is discarded first, since its planes refer to variations that the load may replace. Throws as
// LoadRegionMap.
void LoadAircraftNames(std::span<const std::uint8_t> data, WorldArchiveContext& context);

}
