#pragma once
// The way out of a damaged database, for `wingfold repair` and the window's offer after a start
// that met damage: the damaged files are kept aside and rebuilt from the simulator.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/collection.h"
#include "app/session.h"

namespace wf {

// The suffix of the copies of intact database files that a repair writes again.
inline constexpr std::string_view kBeforeRepairSuffix = ".before-repair";

struct RepairResult {
  // The damaged database files: objects.dat, AircraftTypes.dat, AircraftNames.dat, and the
  // delivered stock_objects.dat when it is the airport database (objects.dat missing or damaged).
  std::vector<std::filesystem::path> damaged;
  // The copies that keep the damaged files of the work folder (<name>.<time>.damaged), which are
  // then removed; the delivered stock_objects.dat is never touched (objects.dat wins over it).
  std::vector<std::filesystem::path> keptAs;
  // When an aircraft file is damaged, copies of the intact one, which the next aircraft collection
  // writes again without what it held (<name>.<time>.before-repair).
  std::vector<std::filesystem::path> copies;
  // objects.dat rebuilt from the simulator's own scenery (on the delivered database when that is
  // intact), when the airport database was damaged.
  std::optional<AirportCollectionResult> airports;
  // Why nothing was changed although something is damaged; empty when the repair went ahead.
  std::string refused;
};

// Finds the damaged database files. When the simulator can rebuild them (its scenery has airports
// for a damaged airport database, an aircraft folder can be listed for a damaged aircraft file), it
// keeps each damaged file as a copy and removes it, copies an intact aircraft file beside a damaged
// one, and rebuilds objects.dat; otherwise, or when nothing is damaged, nothing is changed. The aircraft
// files are rebuilt by the aircraft collection of the start-up sequence, which the caller runs next. The
// session's world is empty afterwards, ready for that start-up.
RepairResult RepairDatabases(Session& session);

}
