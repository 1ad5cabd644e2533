// wingfold status: the folders and every setting with where its value came from. Reads only.
#include <CLI/CLI.hpp>
#include <ostream>

#include "app/collection.h"
#include "app/session.h"
#include "app/startup.h"
#include "cli/cli_app.h"

namespace wf::cli {

namespace {

int RunStatus(CommandContext& context) {
  const Session& s = context.StartSession();
  const StartupReport& report = context.startupReport();
  bool simFromFile = false;
  for (const auto& e : report.settings) {
    if (e.key == "FS2004") simFromFile = e.fromFile;
  }

  std::ostream& out = context.out();
  out << "Work folder:      " << s.workFolder.string() << '\n';
  out << "Settings file:    " << s.SettingsPath().string()
      << (report.settingsFileFound ? "" : " (not found: every setting has its default)") << '\n';
  out << "Simulator folder: " << (s.simFolder.empty() ? "(unknown)" : s.simFolder.string())
      << (simFromFile                    ? "  [file]"
          : report.simFolderFromRegistry ? "  [registry]"
                                         : "")
      << '\n';
  out << "Tools folder:     " << s.toolsFolder.string() << '\n';
  const std::filesystem::path fsxCfg = FsxCfgFile(s);
  out << "fsx.cfg:          " << (fsxCfg.empty() ? "(unknown)" : fsxCfg.string())
      << (s.fsxCfgFolder.empty() ? "  [default]" : "  [file]") << '\n';
  out << "\nSettings:\n";
  std::string section;
  for (const auto& e : report.settings) {
    if (e.section != section) {
      section = e.section;
      out << "  [" << section << "]\n";
    }
    std::string key = e.key;
    if (key.size() < 32) key.append(32 - key.size(), ' ');
    out << "    " << key << "= " << e.value << "  (" << (e.fromFile ? "file" : "default") << ")\n";
  }
  return 0;
}

}

CommandRegistration AddStatusCommand(CLI::App& app) {
  auto* sub =
      app.add_subcommand("status", "Show the folders and every setting with its source; writes nothing");
  return {sub, RunStatus};
}

}
