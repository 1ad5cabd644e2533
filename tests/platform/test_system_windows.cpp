#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/system.h"
#include "platform/text.h"
#include "support/os.h"
#include "support/registry_windows.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

TEST(WindowsSystemTest, RegistryStringsComeFromThe32BitViewOnly) {
  WF_SKIP_UNLESS_REGISTRY_WRITABLE();
  const std::string key = "SOFTWARE\\Wingfold Tests\\Registry";
  test::ScopedMachineKeys keys;
  keys.SetString(key, "Both", "32-bit", KEY_WOW64_32KEY);
  keys.SetString(key, "Both", "64-bit", KEY_WOW64_64KEY);
  keys.SetString(key, "Only64", "64-bit", KEY_WOW64_64KEY);
  keys.SetString(key, "Long", std::string(300, 'x'), KEY_WOW64_32KEY);
  keys.SetString(key, "Fits", std::string(255, 'y'), KEY_WOW64_32KEY);
  keys.SetNumber(key, "Number", 7, KEY_WOW64_32KEY);

  EXPECT_EQ(ReadMachineRegistryString(key, "Both"), "32-bit");
  EXPECT_EQ(ReadMachineRegistryString(key, "Only64"), std::nullopt);
  EXPECT_EQ(ReadMachineRegistryString(key, "Long"), std::nullopt) << "longer than the 256-byte buffer";
  EXPECT_EQ(ReadMachineRegistryString(key, "Fits"), std::string(255, 'y'));
  EXPECT_EQ(ReadMachineRegistryString(key, "Number"), std::nullopt);
  EXPECT_EQ(ReadMachineRegistryString(key, "Missing"), std::nullopt);
  EXPECT_EQ(ReadMachineRegistryString("SOFTWARE\\Wingfold Tests\\No such key", "Both"), std::nullopt);
}

TEST(WindowsSystemTest, PathsOfWindowsSideFilesKeepDrivesAndBackslashesAndUseTheCodePage) {
  const fs::path sim = NativePath("D:\\Games\\Microsoft Flight Simulator X");
  EXPECT_EQ(sim.root_name(), "D:");
  EXPECT_EQ(sim.filename(), "Microsoft Flight Simulator X");
  EXPECT_EQ(NativePathText(sim / "Scenery"), "D:\\Games\\Microsoft Flight Simulator X\\Scenery");
  EXPECT_EQ(UserPath("C:/FSX/SimObjects").parent_path(), fs::path("C:/FSX"));
  EXPECT_EQ(NativePath(""), fs::path());
  EXPECT_EQ(NativePathText(fs::path()), "");

  if (GetACP() != 1252)
    GTEST_SKIP() << "the byte checks below are for code page 1252; this system has " << GetACP();
  // 0x80 is the euro sign in the code page, where the C library's conversion would give U+0080.
  EXPECT_EQ(NativePath("C:\\Flugzeuge\\M\xFCller \x80").wstring(), L"C:\\Flugzeuge\\M\u00FCller \u20AC");
  EXPECT_EQ(NativePathText(PathFromUtf8("C:\\M\xC3\xBCller \xE2\x82\xAC")), "C:\\M\xFCller \x80");
  // Letters the code page lacks become the system's nearest letter or '?', without an exception.
  const std::string lacking = NativePathText(fs::path(L"Tourer \u0141\u00F3d\u017A"));
  ASSERT_EQ(lacking.size(), 11u) << lacking;
  EXPECT_EQ(lacking.substr(0, 7), "Tourer ");
  EXPECT_EQ(lacking.substr(8, 2),
            "\xF3"
            "d");
}

TEST(WindowsSystemTest, TheRoamingFolderIsAppDataWhateverItsLetters) {
  const std::string folder = "C:\\users\\\xC5\x81ukasz\\AppData\\Roaming";  // a letter outside 1252
  test::ScopedEnvironment appData("APPDATA", folder);
  EXPECT_EQ(RoamingAppDataFolder(), PathFromUtf8(folder));
  EXPECT_EQ(SimulatorAppDataFolder("D:\\FSX"), PathFromUtf8(folder));
}

}
}
