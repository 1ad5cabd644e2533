#include "app/startup.h"

#include <optional>
#include <string>

#include "platform/ini_profile.h"
#include "platform/system.h"

namespace wf {

int ReadSimFolderFromRegistry(std::filesystem::path& simFolder) {
  for (const char* key : {kBoxedEditionKey, kSteamEditionKey}) {
    std::optional<std::string> value = ReadMachineRegistryString(key, "SetupPath");
    if (!value) continue;
    // The folder is kept without a final separator, as the boxed edition writes it; a drive's root
    // keeps its own.
    while (value->size() > 3 && (value->back() == '\\' || value->back() == '/')) value->pop_back();
    if (value->empty()) continue;
    simFolder = NativePath(*value);
    return 0;
  }
  return 13;
}

StartupReport StartSession(Session& session, const std::filesystem::path& workFolder) {
  StartupReport report;
  session.workFolder = workFolder;
  report.simFolderFromRegistry = ReadSimFolderFromRegistry(session.simFolder) == 0;

  const IniFile ini = IniFile::Load(session.SettingsPath());
  report.settingsFileFound = ini.exists();
  ReadSettings(ini, session.settings, session.random, &report.settings);
  ReadPathSettings(ini, session, &report.settings);

  if (session.simFolder.empty()) {
    session.prompter->Message(kSimFolderMissingMessage, MessageIcon::kStop);
  }
  return report;
}

}
