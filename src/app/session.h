#pragma once
// The program's process-wide state in one object: folders, settings, the databases, the random
// sequence, and the user-facing interfaces. Tests make as many independent sessions as they like.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/crt_random.h"
#include "platform/progress.h"
#include "platform/prompter.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf {

struct GenerationResult;

// Ways for lower layers to make the GUI's pages refresh; the CLI leaves them empty.
class PageHooks {
 public:
  virtual ~PageHooks() = default;
  virtual void InitAirportData() {}
  virtual void BuildPlaneTree() {}
  virtual bool PlanesPageHasUnsavedEdits() { return false; }
  // The aircraft files were written with the Planes page's edits.
  virtual void PlanesPageEditsWritten() {}
};

struct Session {
  Session();

  // Every file the program reads or writes as its own lives here.
  std::filesystem::path workFolder;
  // The simulator's install folder; empty when unknown.
  std::filesystem::path simFolder;
  // The external compiler's and image tools' folder.
  std::filesystem::path toolsFolder;
  // The folder of the simulator's fsx.cfg, which lists the aircraft folders; empty for the
  // platform's own place (FsxCfgFile).
  std::filesystem::path fsxCfgFolder;

  Settings settings;
  World world;
  Random random;

  // The Collect data page's "database saved" flag, inverted: set when a scan starts, cleared only
  // by that page's apply once it has saved the airport database.
  bool airportDatabaseUnsaved = false;

  // The figures of the last traffic run that wrote Flightplans-GA.dat in this session, for the
  // traffic report; null before one.
  std::shared_ptr<const GenerationResult> lastGeneration;

  Progress* progress;
  Prompter* prompter;
  PageHooks* hooks;
  // The end of the message about a damaged database: how this front end rebuilds it.
  std::string rebuildAdvice = " Collect the data again to rebuild it.";

  std::filesystem::path SettingsPath() const { return workFolder / "Wingfold.ini"; }
  std::filesystem::path WorkFile(std::string_view name) const { return workFolder / name; }

 private:
  NullProgress nullProgress_;
  SilentPrompter silentPrompter_;
  PageHooks noHooks_;
};

}
