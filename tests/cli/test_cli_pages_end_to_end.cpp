// The commands through the real binary; the rules behind each page are its model's tests.

#include "app/version.h"
#include "cli/cli_test.h"
#include "platform/ini_profile.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::CliTest;

class CliPagesTest : public test::CliTest {
 protected:
  void SetUp() override {
    // Names outside ASCII, stored as Windows-1252.
    bgl::AirportDesc bouake = test::SampleAirport("DIBK", "Bouak\xE9", "Bouak\xE9");
    bouake.region = "Africa";
    bouake.country = "C\xF4te d'Ivoire";
    bouake.state = "";
    WriteScenery("Scenery/Area", {test::AirportWithRamps("KAAA", 47.5, -122.3, 4, "Alpha Field", "Alpha"),
                                  test::SampleAirport("KBBB"), bouake});
    WriteSettings("[Path]\r\nFS2004=" + sim_.string() + "\r\n");
    ASSERT_EQ(Wingfold("collect --default").exitCode, 0);
  }
};

TEST_F(CliPagesTest, AirportEditsAreSavedAndRefusedOnesChangeNothing) {
  Run({
      {"airports", 0, "  United States\n    Alpha\n      KAAA  Alpha Field\n    Seattle\n"},
      {"--yes airport kaaa --use no --military yes --type \"Gras Strip\" --fee 0.5", 0,
       "is below the 'normal' landing fee"},
      // No terminal: a question would be answered No; a fee not given is not asked about.
      {"airport KAAA --military yes", 0,
       "Use:                  no\n  Military:             yes\n  Airport type:         Gras Strip (1)"},
      {"airport KAAA", 0, "Landing fees:         0.5\n"},
      {"airport KAAA --fee 0.4", 1, "a question was answered No"},  // the normal fee is stored
      // A refusal is an error, and the page is not shown as if the value had been taken.
      {"airport KAAA --use yes --fee cheap", 1,
       "error: Landing fees: \"cheap\" is not a number. Enter a number from 0 to 1000000000.", "objects.dat",
       "Airport Alpha Field"},
      {"country \"\" --use no", 2, "a name cannot be empty", "objects.dat"},
      {"country \"united states\" --use no", 0, "Country United States\n  Call Sign:      "},
      {"airports", 0,
       "  United States  [not used]\n    Alpha\n      KAAA  Alpha Field  [not used]  [military]\n"},
      {"world", 0, "World\n  Use:            yes"},
      {"fees assign", 0, "assigned to 3 airports"},  // KAAA lost its fixed fee to the No
  });
}

TEST_F(CliPagesTest, NamesAreFoundAsTypedAndMisspelledOnesGetSuggestions) {
  Run({
      {"airports \"C\xC3\xB4te d'Ivoire\"", 0,
       "C\xC3\xB4te d'Ivoire\n  Bouak\xC3\xA9\n    DIBK  Bouak\xC3\xA9\n"},
      {"find bouake", 0, "DIBK  Bouak\xC3\xA9  Bouak\xC3\xA9  C\xC3\xB4te d'Ivoire\n"},
      {"find zzz", 1, "no airport's ident, name or city contains \"zzz\""},
      {"airport bouak", 1,
       "no airport has the ICAO ident BOUAK; these contain \"bouak\":\nDIBK  Bouak\xC3\xA9  "},
      {"variation \"Trainer 152 Whyte\"", 1, "did you mean \"Trainer 152 White\"?"},
  });
}

TEST_F(CliPagesTest, PlaneEditsAreHandedDownAndSaved) {
  Run({
      {"planes", 0, "  Trainer_152  [usable]\n    Trainer 152 Flight School  [usable]\n"},
      // No terminal, no --yes: the question is answered No.
      {"plane trainer_152 --cruise 99 --usage taxi", 1, "a question was answered No"},
      {"--yes plane Trainer_152 --cruise 99 --usage taxi,club --money-flight 300", 0,
       "Useage:               Taxi, Club\n"},
      {"variation \"Trainer 152 White\"", 0, "Cruise Speed (kts):   99\n"},
      {"variation \"Trainer 152 White\" --probability 5 --usage none", 0,
       "state:                switched off\n"},
      // Refused, not silently stored as no.
      {"variation \"Trainer 152 White\" --use-ga yes", 1,
       "Use for GA: no category of \"Useage\" is ticked. Tick one."},
      {"variation \"Trainer 152 White\" --cruise 1", 2, "--cruise"},  // a model's own value
      {"plane Trainer_152 --money-week 1 --money-flight 1", 2, "excludes"},
  });
}

TEST_F(CliPagesTest, SettingsAndFlightPlanSettingsGoToTheSettingsFile) {
  Run({
      {"flightplan --category club --max-hours 3 --min-hours 1 --date 2006-06-04 --parking-fee "
       "large_gate=1500 "
       "--parking-fee \"small GA RAMP=3\"",
       0, "Month for Flightplan generation: 2006-06-11 (Sunday)"},
      {"flightplan --category club", 0,
       "Category Club\n  maximum Flight time:                3 hours\n  minimum Flight time:                "
       "1 hour\n"},
  });
  EXPECT_EQ(IniFile::Load(work_ / "Wingfold.ini").GetString("Flightplan", "Date"), "06/11/2006");

  Run({
      {"settings --ga-percentage 50 --max-weight 20000 --tools-path no-such-bin", 0,
       "warning: Binary path: there is no folder"},
      {"flightplan --max-hours 3 --date 2007-01-01 --parking-fee large_gate=100 --parking-fee "
       "small_ga_ramp=99999",
       1, "parking fees", "Wingfold.ini"},
      {"settings", 0, "Max GA weight (kg): 20000\n"},
      {"settings --fsx-cfg-folder \"" + work_.string() + "\"", 0,
       "No aircraft folder could be listed: " + (work_ / "fsx.cfg").string() + " was not found"},
      {"status", 0, "FSXcfg                          = " + work_.string() + "  (file)"},
      {"settings --fsx-cfg-folder \"\"", 0, "The installed aircraft were read again from "},
  });
  EXPECT_TRUE(fs::path(*IniFile::Load(work_ / "Wingfold.ini").GetString("Path", "TTools")).is_absolute());
}

// Without a settings file the simulator folder is unknown, and status goes on.
TEST_F(CliTest, StatusShowsFoldersAndSettingSourcesAndWritesNothing) {
  fs::remove_all(sim_);
  Check("status", 0, {"Please check the path of FS X in the Settings!"});  // once: SettingsFileTest's
  WriteSettings("[Settings]\r\nGA_Percentage=70\r\n[Path]\r\nFS2004=/opt/fsx\r\n");
  const auto before = fs::last_write_time(work_ / "Wingfold.ini");
  Check("status", 0,
        {"Work folder:      " + work_.string(), "Simulator folder: /opt/fsx  [file]",
         "GA_Percentage                   = 70  (file)", "Taxi_max                        = 2  (default)"});
  EXPECT_EQ(Wingfold("status").out.find("Please check the path"), std::string::npos);
  EXPECT_EQ(fs::last_write_time(work_ / "Wingfold.ini"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(work_), {}), 1);
}

TEST_F(CliTest, ExitStatuses) {
  Run({{"frobnicate", 2, "usage: wingfold"},
       {"--help", 0, "status"},
       {"--version", 0, std::string("wingfold ") + ProgramVersion() + "\n"},
       {"dump missing.dat", 1, "cannot open"}});
  EXPECT_NE(test::RunWingfold("-C /nonexistent/wingfold status").out.find("does not exist"),
            std::string::npos);
}

}
}
