#pragma once
// Loading the databases when the program opens: airport collection when no airport database exists,
// the airport database, the aircraft archives, the aircraft collection, the reference lists.
#include <optional>

#include "app/collection.h"
#include "app/databases.h"
#include "app/session.h"

namespace wf {

struct StartupSteps {
  // The airport collection of a first start (no database at all, or one without any airport while
  // the simulator's scenery is there). Off for the command that scans.
  bool collectAirportsWhenMissing = true;
  // The aircraft collection (when the simulator folder is known). Off for the command that collects.
  bool collectAircraft = true;
};

struct StartupSequenceResult {
  // When no database existed, or the one loaded held no airport (emptyDatabaseCollected).
  std::optional<AirportCollectionResult> firstCollection;
  bool emptyDatabaseCollected = false;
  LoadResult airports;
  LoadResult aircraft;
  std::optional<AircraftCollection> aircraftCollection;
  bool militaryListRead = false;
  bool notUseListRead = false;
  int militaryMarked = 0;
  int notUseMarked = 0;
  // A damaged or unreadable database stopped the sequence; the later steps did not run.
  bool stoppedByDamage = false;

  // A save of the sequence (the first collection's, the aircraft collection's) failed.
  bool SaveFailed() const {
    return (firstCollection && !firstCollection->saved) ||
           (aircraftCollection && aircraftCollection->result.keptBecause.empty() &&
            !aircraftCollection->saved);
  }
};

// Runs the loading sequence on a started session (see StartSession).
StartupSequenceResult RunStartupSequence(Session& session, const StartupSteps& steps = {});

}
