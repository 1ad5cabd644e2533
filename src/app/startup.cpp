#include "app/startup.h"

#include "platform/ini_profile.h"
#include "platform/system.h"

namespace wf {

int ReadSimFolderFromRegistry(std::filesystem::path& simFolder) {
  const auto value =
      ReadMachineRegistryString("SOFTWARE\\Microsoft\\Microsoft Games\\Flight simulator\\10.0", "SetupPath");
  if (!value) return 13;
  simFolder = NativePath(*value);
  return 0;
}

StartupReport StartSession(Session& session, const std::filesystem::path& workFolder) {
  StartupReport report;
  session.workFolder = workFolder;
  report.simFolderFromRegistry = ReadSimFolderFromRegistry(session.simFolder) == 0;

  const IniFile ini = IniFile::Load(session.SettingsPath());
  report.settingsFileFound = ini.exists();
  ReadSettings(ini, session.settings, session.random, &report.settings);
  ReadPathSettings(ini, session.workFolder, session.toolsFolder, session.simFolder, &report.settings);

  if (session.simFolder.empty()) {
    session.prompter->Message(kSimFolderMissingMessage, MessageIcon::kStop);
  }
  return report;
}

}
