// The page commands through the real binary: each edit is on disk afterwards and seen by the next
// start; a refused value changes nothing on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/ini_profile.h"
#include "scenery/bgl_test_support.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

class CliPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path scenery = sim_ / "Scenery" / "Area" / "scenery";
    fs::create_directories(scenery);
    bgl::AirportDesc field = test::SampleAirport("KAAA", "Alpha Field", "Alpha");
    bgl::ParkingListDesc parking;
    for (int i = 0; i < 4; ++i) parking.spaces.push_back(test::Space(2, 8.0f));
    field.parkingLists.push_back(parking);
    // Names outside ASCII, stored as Windows-1252.
    bgl::AirportDesc bouake = test::SampleAirport("DIBK", "Bouak\xE9", "Bouak\xE9");
    bouake.region = "Africa";
    bouake.country = "C\xF4te d'Ivoire";
    bouake.state = "";
    bgl::WriteBytes(
        scenery / "area.bgl",
        bgl::WriteAirportBgl(test::SampleFile(test::kDay0, {field, test::SampleAirport("KBBB"), bouake}))
            .bytes);
    fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "sim" / "SimObjects", sim_ / "SimObjects",
             fs::copy_options::recursive);
    std::ofstream(work_ / "Wingfold.ini", std::ios::binary) << "[Path]\r\nFS2004=" << sim_.string() << "\r\n";
    ASSERT_EQ(Wingfold("collect --default").exitCode, 0);
  }

  test::ProcessResult Wingfold(const std::string& arguments) {
    return test::RunWingfold("-C \"" + work_.string() + "\" " + arguments, true,
                             {{"APPDATA", WINGFOLD_SOURCE_DIR "/examples/appdata"}});
  }

  std::string File(const char* name) { return ReadFileBytes(work_ / name).value_or("(none)"); }

  test::TempFolder folder_;
  fs::path sim_ = folder_ / "FSX";
  fs::path work_ = [this] {
    fs::create_directories(folder_ / "work");
    return folder_ / "work";
  }();
};

#define EXPECT_SAYS(result, text) EXPECT_NE((result).out.find(text), std::string::npos) << (result).out

TEST_F(CliPagesTest, AirportEditsAreSavedAndRefusedOnesChangeNothing) {
  auto result = Wingfold("airports");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(
      result,
      "World\n  C\xC3\xB4te d'Ivoire\n    Bouak\xC3\xA9\n      DIBK  Bouak\xC3\xA9\n  United States\n    "
      "Alpha\n      KAAA  Alpha Field\n    Seattle\n      KBBB  Sample Field\n");

  result = Wingfold("--yes airport kaaa --use no --military yes --type \"Gras Strip\" --fee 0.5");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(result, "is below the 'normal' landing fee");
  result = Wingfold("airport KAAA --military yes");  // no terminal: a question would be answered No
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(
      result,
      "Use:                  no\n  Military:             yes\n  Airport type:         Gras Strip (1)");
  EXPECT_SAYS(result, "Landing fees:         0.5\n") << "the fixed fee is not asked about again";
  result = Wingfold("airport KAAA --fee 0.4");
  EXPECT_EQ(result.exitCode, 1) << "answered No: the normal fee is stored, not the one given";
  EXPECT_SAYS(result, "a question was answered No");

  const std::string saved = File("objects.dat");
  result = Wingfold("airport KAAA --use yes --fee cheap");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_SAYS(result, "Landing fees: \"cheap\" is not a number. Enter a number from 0 to 1000000000.");
  EXPECT_EQ(File("objects.dat"), saved);
  for (const char* blank : {"country \"\" --use no", "country \" \" --use no", "airport \"\" --use no",
                            "airports \"\"", "plane \" \" --probability 1", "variation \"\" --use-ga no"}) {
    result = Wingfold(blank);
    EXPECT_EQ(result.exitCode, 2) << blank << "\n" << result.out;
    EXPECT_SAYS(result, "a name cannot be empty");
  }
  EXPECT_EQ(File("objects.dat"), saved);

  result = Wingfold("country \"united states\" --use no");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(Wingfold("airports"),
              "  United States  [not used]\n    Alpha\n      KAAA  Alpha Field  [not used]  [military]\n");
  EXPECT_SAYS(Wingfold("world"), "Use:        yes");
  EXPECT_SAYS(Wingfold("fees assign"), "assigned to 3 airports") << "KAAA lost its fixed fee to the No";
}

// Names are typed and shown in UTF-8, found without regard to case and accents, and a misspelled one
// gets the nearest names.
TEST_F(CliPagesTest, NamesAreFoundAsTypedAndMisspelledOnesGetSuggestions) {
  const struct {
    const char* arguments;
    int exitCode;
    const char* says;
  } cases[] = {
      {"airports \"C\xC3\xB4te d'Ivoire\"", 0,
       "C\xC3\xB4te d'Ivoire\n  Bouak\xC3\xA9\n    DIBK  Bouak\xC3\xA9\n"},
      {"country \"c\xC3\xB4te d'Ivoire\"", 0, "Country C\xC3\xB4te d'Ivoire\n"},
      {"find bouake", 0, "DIBK  Bouak\xC3\xA9  Bouak\xC3\xA9  C\xC3\xB4te d'Ivoire\n"},
      {"find FIELD", 0,
       "KAAA  Alpha Field   Alpha    United States\nKBBB  Sample Field  Seattle  United States\n"},
      {"find Field --limit 1", 0, "1 of 2 airports shown"},
      {"find zzz", 1, "no airport's ident, name or city contains \"zzz\""},
      {"airport bouak", 1,
       "no airport has the ICAO ident BOUAK; these contain \"bouak\":\nDIBK  Bouak\xC3\xA9  "},
      {"airports Bouake", 1, "did you mean \"Bouak\xC3\xA9\"?"},
      {"country Cote", 1, "did you mean \"C\xC3\xB4te d'Ivoire\"?"},
      {"plane Trainer_125", 1, "did you mean \"Trainer_152\"?"},
      {"variation \"Trainer 152 Whyte\"", 1, "did you mean \"Trainer 152 White\"?"},
  };
  for (const auto& c : cases) {
    const auto result = Wingfold(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.out;
    EXPECT_SAYS(result, c.says) << c.arguments;
  }
}

TEST_F(CliPagesTest, PlaneEditsAreHandedDownAndSaved) {
  auto result = Wingfold("planes");
  EXPECT_SAYS(result, "  Trainer_152  [usable]\n    Trainer 152 Flight School  [usable]\n");
  EXPECT_SAYS(result, "  Business_Jet_Heavy  [cannot fly GA]\n");

  result = Wingfold("plane trainer_152 --cruise 99 --usage taxi");
  EXPECT_EQ(result.exitCode, 1) << "no terminal, no --yes: the question is answered No";
  EXPECT_SAYS(result, "a question was answered No");
  EXPECT_SAYS(result, "Cruise Speed (kts):   107\n") << "answered No: the stored values";
  EXPECT_SAYS(Wingfold("plane Trainer_152"), "Cruise Speed (kts):   107\n");

  ASSERT_EQ(Wingfold("--yes plane Trainer_152 --cruise 99 --usage taxi,club --money-flight 300").exitCode, 0);
  result = Wingfold("variation \"Trainer 152 White\"");
  EXPECT_SAYS(result, "Cruise Speed (kts):   99\n");
  EXPECT_SAYS(result, "Money per week:       21000\n");
  EXPECT_SAYS(result, "Useage:               Taxi, Club\n");

  ASSERT_EQ(Wingfold("variation \"Trainer 152 White\" --probability 5 --usage none").exitCode, 0);
  result = Wingfold("variation \"Trainer 152 White\"");
  EXPECT_SAYS(result, "state:                switched off\n");
  EXPECT_SAYS(result, "Probability (%):      5\n");
  result = Wingfold("variation \"Trainer 152 White\" --use-ga yes");
  EXPECT_EQ(result.exitCode, 1) << "refused, not silently stored as no";
  EXPECT_SAYS(result, "Use for GA: no category of \"Useage\" is ticked. Tick one.");

  const std::string saved = File("AircraftTypes.dat");
  result = Wingfold("--yes plane Trainer_152 --stall 3001");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_SAYS(result, "Stall Speed (kts): \"3001\" is out of range. Enter a whole number from 0 to 3000.");
  EXPECT_EQ(File("AircraftTypes.dat"), saved);
}

TEST_F(CliPagesTest, SettingsAndFlightPlanSettingsGoToTheSettingsFile) {
  auto result = Wingfold(
      "flightplan --category club --max-hours 3 --date 2006-06-04 --parking-fee large_gate=1500 "
      "--parking-fee \"small GA RAMP=3\"");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(result, "Month for Flightplan generation: 2006-06-11 (Sunday)");
  ASSERT_EQ(Wingfold("flightplan --category taxi --ifr 51").exitCode, 0);
  const IniFile ini = IniFile::Load(work_ / "Wingfold.ini");
  EXPECT_EQ(ini.GetString("Flightplan", "Date"), "06/11/2006") << "only a picked date moves";
  EXPECT_EQ(ini.GetString("Flightplan", "Club_max"), "300");
  EXPECT_EQ(ini.GetString("Fees", "small_RAMP"), "300");

  result = Wingfold("settings --ga-percentage 50 --max-weight 20000 --tools-path no-such-bin");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_SAYS(result, "warning: Binary path: there is no folder");
  EXPECT_TRUE(fs::path(*IniFile::Load(work_ / "Wingfold.ini").GetString("Path", "TTools")).is_absolute());
  const std::string saved = File("Wingfold.ini");
  for (const char* refused :
       {"flightplan --parking-fee large_gate=6000", "flightplan --min-hours 3", "settings --max-weight 1",
        "flightplan --max-hours 3 --date 2007-01-01 --parking-fee large_gate=100 --parking-fee "
        "small_ga_ramp=99999",
        "settings --ga-percentage 35", "settings --sim-path \"x\n[Flightplan]\nTaxi_max=99999999\""}) {
    result = Wingfold(refused);
    EXPECT_EQ(result.exitCode, 1) << refused << "\n" << result.out;
    EXPECT_EQ(File("Wingfold.ini"), saved) << refused;
  }
  result = Wingfold("settings");
  EXPECT_SAYS(result, "Percent of GA parking spaces used for GA Traffic generation: 50\n");
  EXPECT_SAYS(result, "Max GA weight (kg): 20000\n");

  for (const char* command : {"airports", "airport", "country", "world", "planes", "plane", "variation",
                              "flightplan", "fees", "settings"}) {
    result = Wingfold(std::string(command) + " --help");
    EXPECT_EQ(result.exitCode, 0) << command;
    EXPECT_SAYS(result, std::string("wingfold ") + command);
  }
  EXPECT_EQ(Wingfold("flightplan --date 2006-02-30").exitCode, 2);
  EXPECT_EQ(Wingfold("plane Trainer_152 --usage pilots").exitCode, 2);
}

}
}
