#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/session.h"
#include "app/startup.h"
#include "platform/system.h"
#include "support/recording.h"
#include "support/registry_windows.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

TEST(WindowsStartupTest, TheSimulatorFolderComesFromTheBoxedEditionElseTheSteamEdition) {
  WF_SKIP_UNLESS_REGISTRY_WRITABLE();
  struct Case {
    const char* name;
    const char* boxed;  // nullptr: no key
    const char* steam;
    bool boxedIn64BitViewOnly;
    int result;
    const char* simFolder;
  };
  const Case cases[] = {{"boxed", R"(C:\Program Files (x86)\Microsoft Games\FSX)", R"(D:\Steam\FSX)", false,
                         0, R"(C:\Program Files (x86)\Microsoft Games\FSX)"},
                        {"steam when boxed is missing", nullptr, R"(D:\Steam\steamapps\common\FSX\)", false,
                         0, R"(D:\Steam\steamapps\common\FSX)"},
                        {"steam when boxed is empty", "", R"(D:\Steam\FSX)", false, 0, R"(D:\Steam\FSX)"},
                        {"a drive's root keeps its separator", R"(E:\)", nullptr, false, 0, R"(E:\)"},
                        {"the 64-bit view is not read", R"(C:\FSX)", nullptr, true, 13, "unchanged"},
                        {"neither", nullptr, nullptr, false, 13, "unchanged"}};
  for (const Case& c : cases) {
    test::ScopedMachineKeys keys;
    if (c.boxed)
      keys.SetString(kBoxedEditionKey, "SetupPath", c.boxed,
                     c.boxedIn64BitViewOnly ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
    if (c.steam) keys.SetString(kSteamEditionKey, "SetupPath", c.steam, KEY_WOW64_32KEY);
    fs::path simFolder = "unchanged";
    EXPECT_EQ(ReadSimFolderFromRegistry(simFolder), c.result) << c.name;
    EXPECT_EQ(simFolder, fs::path(c.simFolder)) << c.name;
  }
}

TEST(WindowsStartupTest, TheSettingsFileStillNamesTheSimulatorFolderOverTheRegistry) {
  WF_SKIP_UNLESS_REGISTRY_WRITABLE();
  test::ScopedMachineKeys keys;
  keys.SetString(kSteamEditionKey, "SetupPath", R"(D:\Steam\FSX)", KEY_WOW64_32KEY);
  test::RecordingPrompter prompter;
  for (const bool named : {false, true}) {
    test::TempFolder folder;
    if (named) std::ofstream(folder / "Wingfold.ini") << "[Path]\r\nFS2004=E:\\My FSX\r\n";
    Session session;
    session.prompter = &prompter;
    const StartupReport report = StartSession(session, folder.path());
    EXPECT_TRUE(report.simFolderFromRegistry);
    EXPECT_EQ(session.simFolder, fs::path(named ? R"(E:\My FSX)" : R"(D:\Steam\FSX)"));
  }
  EXPECT_TRUE(prompter.messages.empty());
}

}
}
