#pragma once
// The wingfold command line: parses the global options and the command, runs it, and returns the
// process exit status (0 done, 1 the command could not do its job, 2 usage error).
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace wf {
struct Session;
struct StartupReport;
}

namespace wf::cli {

struct GlobalOptions {
  bool verbose = false;
  bool yes = false;
  std::string workFolder;  // -C; empty means the current directory
};

// What a command runs with: the options, the streams, and a way to open a session.
class CommandContext {
 public:
  CommandContext(const GlobalOptions& options, std::istream& in, std::ostream& out, std::ostream& err);
  ~CommandContext();

  const GlobalOptions& options() const { return options_; }
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  std::filesystem::path WorkFolder() const;
  // A session with the terminal's progress and prompts, started from the work folder's settings.
  Session& StartSession();
  // The same for a command that writes into the work folder: first takes the work folder's lock
  // (app/work_folder_lock.h) for `command`, held until the context ends. Throws WorkFolderBusy (a
  // FileError) when another process keeps the folder.
  Session& StartWritingSession(std::string_view command);
  // What the last StartSession read, key by key.
  const StartupReport& startupReport() const;
  // For a process that exits right after the command: the session (with its world of a hundred
  // thousand records) is left to the system to take back with the process's memory, rather than
  // freed record by record. Builds with AddressSanitizer free it as usual, so leaks still show.
  void LeaveSessionToTheSystem();

 private:
  struct Impl;
  GlobalOptions options_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<Impl> impl_;
};

using CommandFn = std::function<int(CommandContext&)>;

// Each command adds its subcommand and says what runs when it is chosen.
struct CommandRegistration {
  CLI::App* subcommand;
  CommandFn run;
};

CommandRegistration AddStatusCommand(CLI::App& app);
CommandRegistration AddDumpCommand(CLI::App& app);
CommandRegistration AddLoadCommand(CLI::App& app);
CommandRegistration AddCollectCommand(CLI::App& app);
CommandRegistration AddAircraftCommand(CLI::App& app);
CommandRegistration AddRepairCommand(CLI::App& app);
CommandRegistration AddGenerateCommand(CLI::App& app);
CommandRegistration AddCheckCommand(CLI::App& app);
CommandRegistration AddReportCommand(CLI::App& app);
// The commands over the page models.
std::vector<CommandRegistration> AddAirportPageCommands(CLI::App& app);
std::vector<CommandRegistration> AddPlanePageCommands(CLI::App& app);
std::vector<CommandRegistration> AddSettingsPageCommands(CLI::App& app);
CommandRegistration AddMakeAICommand(CLI::App& app);

int Run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);
// Over the process's standard streams, where what is printed shows as UTF-8 (platform/console.h).
int Run(int argc, const char* const* argv);

}
