#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "app/session.h"
#include "app/startup.h"
#include "app/version.h"
#include "app/work_folder_lock.h"
#include "cli/terminal.h"
#include "platform/console.h"
#include "platform/errors.h"
#include "platform/record_memory.h"
#include "platform/system.h"

namespace wf::cli {

struct CommandContext::Impl {
  Impl(const GlobalOptions& options, std::istream& in, std::ostream& err)
      : progress(err, StderrIsTerminal(), options.verbose),
        prompter(in, err, StdinIsTerminal(), options.yes, &progress) {}
  TerminalProgress progress;
  TerminalPrompter prompter;
  std::optional<WorkFolderLock> lock;
  std::unique_ptr<Session> session;
  StartupReport report;
};

CommandContext::CommandContext(const GlobalOptions& options, std::istream& in, std::ostream& out,
                               std::ostream& err)
    : options_(options), in_(in), out_(out), err_(err), impl_(std::make_unique<Impl>(options, in, err)) {}

CommandContext::~CommandContext() = default;

std::filesystem::path CommandContext::WorkFolder() const {
  if (options_.workFolder.empty()) return std::filesystem::current_path();
  // "-C ." or "-C work/" name the folder as "/home/me/." and "/home/me/work/": shown in every
  // message, they read better as "/home/me" and "/home/me/work".
  std::filesystem::path folder = std::filesystem::absolute(UserPath(options_.workFolder)).lexically_normal();
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}

Session& CommandContext::StartSession() {
  impl_->session = std::make_unique<Session>();
  Session& session = *impl_->session;
  session.progress = &impl_->progress;
  session.prompter = &impl_->prompter;
  session.rebuildAdvice =
      " Run \"wingfold repair\" (with the same -C folder) to set it aside and rebuild it.";
  impl_->report = wf::StartSession(session, WorkFolder());
  return session;
}

Session& CommandContext::StartWritingSession(std::string_view command) {
  if (!impl_->lock) impl_->lock = WorkFolderLock::Acquire(WorkFolder(), "wingfold " + std::string(command));
  return StartSession();
}

const StartupReport& CommandContext::startupReport() const {
  return impl_->report;
}

void CommandContext::LeaveSessionToTheSystem() {
  if (!MemoryIsChecked()) static_cast<void>(impl_->session.release());
}

namespace {

// Runs the chosen command; `exiting`: the process ends when it returns.
int RunCommands(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
                bool exiting) {
  CLI::App app{"Wingfold: general-aviation AI traffic for FSX", "wingfold"};
  app.require_subcommand(1);
  GlobalOptions options;
  app.add_flag("--verbose", options.verbose, "Show every progress text");
  app.add_option("-C", options.workFolder, "Work folder (default: the current directory)");
  app.add_flag("--yes", options.yes, "Answer the program's Yes/No questions with Yes");
  app.set_version_flag("--version", std::string("wingfold ") + ProgramVersion());

  std::vector<CommandRegistration> commands;
  commands.push_back(AddStatusCommand(app));
  commands.push_back(AddDumpCommand(app));
  commands.push_back(AddLoadCommand(app));
  commands.push_back(AddCollectCommand(app));
  commands.push_back(AddAircraftCommand(app));
  commands.push_back(AddRepairCommand(app));
  commands.push_back(AddGenerateCommand(app));
  commands.push_back(AddCheckCommand(app));
  commands.push_back(AddReportCommand(app));
  commands.push_back(AddMakeAICommand(app));
  for (auto add : {AddAirportPageCommands, AddPlanePageCommands, AddSettingsPageCommands}) {
    for (auto& command : add(app)) commands.push_back(std::move(command));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "wingfold: " << e.what() << '\n';
    err << "usage: wingfold [--verbose] [-C DIR] [--yes] COMMAND ...   (wingfold --help lists the "
           "commands)\n";
    return 2;
  }

  if (!options.workFolder.empty() && !std::filesystem::is_directory(UserPath(options.workFolder))) {
    err << "wingfold: the work folder " << options.workFolder
        << " does not exist; create it or pass an existing folder with -C\n";
    return 1;
  }

  CommandContext context(options, in, out, err);
  for (const auto& command : commands) {
    if (!command.subcommand->parsed()) continue;
    try {
      const int status = command.run(context);
      if (exiting) context.LeaveSessionToTheSystem();
      return status;
    } catch (const FileError& e) {
      err << "wingfold: " << e.what() << '\n';
      return 1;
    } catch (const std::exception& e) {
      err << "wingfold: " << command.subcommand->get_name() << " failed: " << e.what() << '\n';
      return 1;
    }
  }
  return 2;
}

}

int Run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err) {
  return RunCommands(argc, argv, in, out, err, false);
}

int Run(int argc, const char* const* argv) {
  // Names from the databases are Windows-1252: shown as UTF-8, or as letters of a Windows console.
  DisplayStreamBuf outBuffer(StandardStream::kOutput), errBuffer(StandardStream::kError);
  std::ostream out(&outBuffer), err(&errBuffer);
  return RunCommands(argc, argv, std::cin, out, err, true);
}

}
