#pragma once
// The AI copy of an aircraft folder: its folder name, the copy with the cockpit panel left out, the
// AI configuration beside the flyable one, and the copy's entry in the aircraft database.
//
// The copy's aircraft.cfg is the flyable configuration (kept as flyable_aircraft.cfg) with every
// line lower-cased and every title marked: a line holding "title" with an "=" after it becomes
// "title=" + the AI prefix + the text after the "=" (leading white space removed), so
// "Title = My Plane" becomes "title=Wingfold my plane". Lines end in CR LF, as the simulator writes.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_operations.h"
#include "platform/prompter.h"
#include "world/world.h"

namespace wf {

inline constexpr const char* kFlyableConfigFile = "flyable_aircraft.cfg";
inline constexpr const char* kAircraftConfigFile = "aircraft.cfg";

// The AI copy's folder beside `folderPath`: its last component with the AI prefix before it, unless
// it already begins with the prefix (a copy is its own target). Trailing separators are ignored.
std::filesystem::path AITargetFolder(const std::filesystem::path& folderPath);

// One line of the AI configuration made from one line of the flyable one (without its line end).
std::string AIConfigLine(std::string_view line);

// The whole AI configuration made from the flyable one's text (any line ends).
std::string AIConfigText(std::string_view flyable);

struct AircraftCopyReport {
  std::string refused;            // why the copy was not even started (see StageCopy)
  std::filesystem::path folder;   // where the copy was made
  FileOperationResult copy;       // the folder copy
  FileOperationResult panel;      // deleting the panel from the copy
  bool configFromSource = false;  // the copy brought aircraft.cfg from the source in this run
  bool configWritten = false;     // aircraft.cfg was written from flyable_aircraft.cfg
  std::string configProblem;      // why it was not, when it was not

  // Why the copy is not a whole one (refused, cancelled, a file or folder not copied, no
  // aircraft.cfg); empty when it is.
  std::string Incomplete() const;
};

// Copies `source` to `target` (asking `owner` before replacing files), deletes the copy's panel.*,
// keeps the flyable configuration as flyable_aircraft.cfg and writes the AI aircraft.cfg.
// When the copy did not bring aircraft.cfg (the user kept an earlier copy's file, or the source has
// none), that file is not taken for the flyable one: an existing flyable_aircraft.cfg stays, and
// aircraft.cfg is rebuilt from it.
AircraftCopyReport CopyAndRewrite(const std::filesystem::path& source, const std::filesystem::path& target,
                                  Prompter* owner);

// A copy is made out of sight and put in place whole. The simulator and the aircraft collection take
// every folder beside the aircraft folders that holds an aircraft.cfg for an installed aircraft, so a
// copy is built one level deeper, in "<aircraft folders>/.wingfold-staging/<copy's name>", and enters
// by one rename once it is complete: an interrupted conversion never leaves a folder that looks like
// an installed aircraft, and the next conversion clears what it left and starts again.
inline constexpr const char* kStagingFolder = ".wingfold-staging";

// The folder in which the copy for `target` is made.
std::filesystem::path StagingFolderFor(const std::filesystem::path& target);

// Why `target` cannot take the AI copy of `source`, empty when it can: it is a symbolic link,
// something other than a folder, or the source, inside it or around it.
std::string TargetProblem(const std::filesystem::path& source, const std::filesystem::path& target);

// Starts the copy of `source` for `target` in StagingFolderFor(target) and runs CopyAndRewrite
// there. What an interrupted conversion left is cleared first (an earlier copy that a commit had set
// aside goes back in place when its target is missing). An existing target is copied in first, so
// that the source is merged onto the earlier copy, with the questions, as CopyAndRewrite on the
// target itself would. Nothing outside the staging folder changes; report.refused says why nothing
// was done.
AircraftCopyReport StageCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                             Prompter* owner);

// Puts the staged copy in place of `target` (an earlier copy there is replaced); empty when done,
// otherwise why not, and `target` is then as it was.
std::string CommitCopy(const std::filesystem::path& staged, const std::filesystem::path& target);

// Removes a staged copy that is not to be used.
void DiscardCopy(const std::filesystem::path& staged);

struct AICopyEntry {
  bool modelRenamed = false;
  std::string oldName;
  std::vector<std::string> variationsRenamed;  // the new titles
  // Keys already taken by other records (an earlier copy read from disk): those records stay as
  // they are, and the record that would have taken the key keeps its old one.
  std::vector<std::string> keysTaken;
};

// Enters the AI copy of `aircraft` (a model of `world`) into the database: its name gets the AI
// prefix and it is re-keyed in aircraftTypes; then every variation of it whose key lacks the prefix
// gets it before its title and is re-keyed in aircraftNames, each once. The title is the one the
// copy's aircraft.cfg holds (lower case after the prefix), so the next aircraft collection finds the
// variation under its key and keeps its values. An AI copy keeps its name, its variations' titles and
// all keys.
AICopyEntry EnterAICopy(World& world, CAircraft& aircraft);

}
