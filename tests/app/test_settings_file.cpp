#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/session.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "platform/ini_profile.h"
#include "support/recording.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

using test::RecordingPrompter;
using test::TempFolder;

// Each setting keeping its default and showing so is the status command's end-to-end test's.
TEST(SettingsFileTest, DefaultsWithoutAFileAndNoFileIsCreated) {
  TempFolder folder;
  Session session;
  RecordingPrompter prompter;
  session.prompter = &prompter;
  const StartupReport report = StartSession(session, folder.path());

  EXPECT_FALSE(report.settingsFileFound);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Wingfold.ini"));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{kSimFolderMissingMessage});
}

TEST(SettingsFileTest, StoredFormsAndOtherLetterCase) {
  const IniFile ini = IniFile::Parse(
      "[FLIGHTPLAN]\n"
      "taxi_ifr=300\n"
      "TAXI_MAX=115\n"
      "date=07/04/2010\n"
      "[fees]\n"
      "runway=50\n"
      "[Path]\n"
      "TTools=C:\\FSX SDK\\Bin\n"
      "fs2004=D:\\Games\\FSX\n"
      "FSXcfg=C:\\Users\\Pilot\\AppData\\Roaming\\Microsoft\\FSX\n");
  Settings settings;
  Random random;
  ReadSettings(ini, settings, random);
  EXPECT_EQ(settings.ifrPercent[kTaxi], 44) << "300 keeps its low byte";
  EXPECT_FLOAT_EQ(settings.flightTimeMax[kTaxi], 1.15f);
  EXPECT_EQ(settings.startDate, 1278201600);  // 2010-07-04
  EXPECT_FLOAT_EQ(settings.runwayFee, 0.5f);

  Session session;
  session.simFolder = "from-registry";
  ReadPathSettings(ini, session);
#ifdef _WIN32
  EXPECT_EQ(session.simFolder.string(), "D:\\Games\\FSX");
#else
  EXPECT_EQ(session.simFolder.string(), "D:/Games/FSX");
  EXPECT_EQ(session.toolsFolder.string(), "C:/FSX SDK/Bin");
  EXPECT_EQ(session.fsxCfgFolder.string(), "C:/Users/Pilot/AppData/Roaming/Microsoft/FSX");
#endif
}

TEST(SettingsFileTest, DateIsCutAtFixedPositions) {
  const std::pair<const char*, TimeValue> cases[] = {
      {"01/01/2006", 1136073600},
      {"02/00/2006", 1138665600},  // day 0 rolls back to 31 January
      {"1/1/2006", kInvalidTime},  // the cut gives month 1, day "/2" (0), year "06" -> before 1970
      {"", kInvalidTime}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseStartDate(text), expected) << text;
  EXPECT_EQ(FormatStartDate(1278201600), "07/04/2010");
}

TEST(SettingsFileTest, HundredthsSurviveRepeatedApply) {
  TempFolder folder;
  const auto path = folder.path() / "Wingfold.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << "; my comment\r\n[Flightplan]\r\nTaxi_max=115\r\n[Mine]\r\nkeep=this\r\n";
  }
  for (int cycle = 0; cycle < 10; ++cycle) {
    IniFile ini = IniFile::Load(path);
    Session session;
    session.toolsFolder = folder.path() / "Bin";
    ReadSettings(ini, session.settings, session.random);
    WriteFlightplanSettings(ini, session.settings);
    WriteTuningSettings(ini, session);
    ini.Save(path);
  }
  const IniFile ini = IniFile::Load(path);
  EXPECT_EQ(ini.GetString("Flightplan", "Taxi_max"), "115");
  EXPECT_EQ(ini.GetString("Mine", "keep"), "this");
  EXPECT_FALSE(ini.GetString("Path", "FSXcfg")) << "no fsx.cfg folder set, none written";
  EXPECT_EQ(ini.GetString("Fees", "Runway"), "33");
  EXPECT_EQ(ini.GetString("Flightplan", "Date"), "01/01/2006");
  EXPECT_EQ(ini.Text().rfind("; my comment\r\n[Flightplan]\r\nTaxi_max=115\r\n", 0), 0u);
  EXPECT_EQ(StoredHundredths(1.15f), 115);
  EXPECT_EQ(StoredHundredths(0.33f), 33);
}

}
}
