#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/process.h"
#include "support/temp_folder.h"
#include "traffic/compiler_inputs.h"
#include "traffic/compiler_parameters.h"

namespace wf {
namespace {

const char* const kAirports =
    "KAAA,47.500000,-122.250000, 12.3,D,2,0.70,United States\n"
    "{\n"
    "RUNWAY,3280,98,HARD\n"
    "PARKING,12.5,RAMP\n"
    "}\n"
    "KBB ,47.000000,-122.000000,100.0,G,0,0.70,Korea, Republic of\n"
    "{\n"
    "PARKING,10.0,DOCK\n"
    "}\n";

const char* const kAircraft =
    "AC1,Cessna 172, blue,122,70,140,160,640,2287,HARD | SOFT,5,RAMP,75,no,no\n"
    "AC7,Baron,190,125,250,300,1200,2900,HARD,6,GATE | RAMP,0,no,no\n";

const char* const kFlightPlans =
    "AC1,N1234B,0,ONE_WEEK,VFR\n"
    "{\n"
    "60930,KBB,55\n"
    "61115,KAAA,45,,61230\n"
    "}\n"
    "AC7,D-EFGH,10,ONE_WEEK,IFR\n"
    "{\n"
    "02359,KAAA,100\n"
    "}\n";

CompilerInputCheck Check(const std::string& airports, const std::string& aircraft, const std::string& plans) {
  return CheckCompilerInputTexts({"Airports.dat", airports, ""}, {"Aircraft-GA.dat", aircraft, ""},
                                 {"Flightplans-GA.dat", plans, ""});
}

std::string Listing(const CompilerInputCheck& check) {
  std::string text;
  for (const CompilerInputProblem& problem : check.problems) text += problem.Text() + "\n";
  return text;
}

// A plan block of Flightplans-GA.dat: the plan line, the braces and the legs.
std::string Block(const std::string& header, const std::vector<std::string>& legs) {
  std::string text = header + "\n{\n";
  for (const std::string& leg : legs) text += leg + "\n";
  return text + "}\n";
}

std::vector<std::string> Legs(int count) {
  return std::vector<std::string>(static_cast<std::size_t>(count), "10930,KBB,55");
}

TEST(CompilerInputCheckTest, AcceptsValidInputsAndCountsThem) {
  const CompilerInputCheck check = Check(kAirports, kAircraft, kFlightPlans);
  EXPECT_TRUE(check.ok()) << Listing(check);
  EXPECT_EQ(std::tuple(check.airportCount, check.aircraftCount, check.planCount, check.legCount),
            std::tuple(2u, 2u, 2u, 3u));
  // A plan may have 200 legs.
  EXPECT_TRUE(Check(kAirports, kAircraft, Block("AC1,N1,0,ONE_WEEK,VFR", Legs(200))).ok());

  // Windows line ends and blank lines change nothing.
  const auto crlf = [](std::string text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n\r\n") : std::string(1, c);
    return out;
  };
  EXPECT_TRUE(Check(crlf(kAirports), crlf(kAircraft), crlf(kFlightPlans)).ok());
}

// A broken airport or aircraft file is checked without flight plans, which would name what it lacks.
TEST(CompilerInputCheckTest, NamesEachFaultWithFileAndLine) {
  enum File { kAirportsFile, kAircraftFile, kPlansFile };
  // The file, the text that replaces its text, the start of the one problem's text after the file's name.
  using Case = std::tuple<File, std::string, std::string>;
  const std::string airport = "KAAA,47.5,-122.2,12.3,D,2,0.70,US\n";
  const auto airportWith = [&](const std::string& line) { return airport + "{\n" + line + "\n}\n"; };
  const std::string plan = "AC1,N1234B,0,ONE_WEEK,VFR";
  const Case cases[] = {
      {kAirportsFile, airportWith("RUNWAY,3280,98,GRASS"), "3: the runway surface 'GRASS' is not one of"},
      {kAirportsFile, "KAAA,north,-122.2,12.3,D,2,0.70,US\n{\n}\n", "1: the latitude 'north'"},
      {kAirportsFile, airport + "{\n\nKBB,1,1,1,G,0,0.70,US\n{\n}\n",
       "4: the block of airport 'KAAA' opened on line 2 has no closing '}'"},
      {kAirportsFile, airport + "RUNWAY,1,1,HARD\n}\n",
       "1: the airport line of 'KAAA' is not followed by '{'"},
      {kAirportsFile, airport + "{\n}\nKAAA ,1,1,1,G,0,0.70,US\n{\n}\n",
       "4: airport 'KAAA' is already defined on line 1"},
      {kAircraftFile, "AC1,Cub,110,45,90,160,640,1500,HARD | ICE,5,RAMP,0,no,no\n",
       "1: runway surfaces: 'ICE' is not one of"},
      {kAircraftFile, "AC1,Cub,110,45,90,160,-54479,1500,HARD,5,RAMP,0,no,no\n",
       "1: the range '-54479' is negative"},
      {kAircraftFile, "AC1,Cub,110,45,90,160,640,1500,HARD,5,RAMP,0,no\n", "1: an aircraft line has 14"},
      {kAircraftFile,
       "Cub,110,45,90,160,640,1500,HARD,5,RAMP,0,no,no\nAC1,A,1,1,1,1,1,1,HARD,1,RAMP,0,no,no\n",
       "1: an aircraft line starts with AC"},
      {kAircraftFile, "AC1,A,1,1,1,1,1,1,HARD,1,RAMP,0,no,no\n\nAC1,B,1,1,1,1,1,1,HARD,1,RAMP,0,no,no\n",
       "3: aircraft number 1 is already defined on line 1"},
      {kPlansFile, Block("AC9,N1,0,ONE_WEEK,VFR", {"60930,KBB,55"}),
       "1: aircraft number 9 is not in Aircraft-GA.dat"},
      {kPlansFile, Block(plan, {"60930,KZZZ,55"}), "3: the destination 'KZZZ' is not an airport"},
      {kPlansFile, Block(plan, {"70930,KBB,55"}), "3: the weekday 7 of the departure '70930'"},
      {kPlansFile, Block(plan, {"60930,KBB,5.5"}), "3: the altitude '5.5'"},
      {kPlansFile, Block(plan, {"60930,KBB,55,,61290"}), "3: the time 1290 of the arrival"},
      {kPlansFile, Block(plan, {"60930,KBB,55,"}), "3: a leg has 3 fields"},
      {kPlansFile, Block("AC1,N1,101,ONE_WEEK,VFR", {"60930,KBB,55"}), "1: the percentage '101'"},
      {kPlansFile, Block(plan, {}), "1: plan AC1 'N1234B' has no legs"},
      {kPlansFile, plan + "\n{\n60930,KBB,55\n", "2: plan AC1 'N1234B' has no closing '}'"},
      {kPlansFile, plan + "\n{\n{\n60930,KBB,55\n}\n", "3: '{' inside the block of plan AC1"},
      {kPlansFile, plan + "\n{\n60930,KBB,55\n" + Block("AC7,N2,0,ONE_WEEK,IFR", {"60930,KBB,55"}),
       "4: plan AC1 'N1234B' (block opened on line 2) has no closing '}'"},
      {kPlansFile, plan + "\n60930,KBB,55\n}\n", "1: plan AC1 'N1234B' is not followed by '{'"},
      {kPlansFile, Block(plan, Legs(201)), "1: plan AC1 'N1234B' has 201 legs; at most 200 are allowed"}};
  const char* const names[] = {"Airports.dat:", "Aircraft-GA.dat:", "Flightplans-GA.dat:"};
  for (const auto& [file, text, start] : cases) {
    const std::string expected = names[file] + start;
    const CompilerInputCheck check =
        Check(file == kAirportsFile ? text : kAirports, file == kAircraftFile ? text : kAircraft,
              file == kPlansFile ? text : "");
    ASSERT_EQ(check.problems.size(), 1u) << expected << "\n" << Listing(check);
    EXPECT_TRUE(check.problems[0].Text().starts_with(expected)) << Listing(check);
  }
}

TEST(CompilerInputCheckTest, ListsAtMostAHundredProblemsAFile) {
  std::string plans;
  for (int i = 0; i < 150; ++i) plans += Block("AC1,N1,0,ONE_WEEK,VFR", {"60930,NOPE,55"});
  const CompilerInputCheck check = Check(kAirports, kAircraft, plans);
  EXPECT_EQ(check.problems.size(), kMaxListedProblemsPerFile);
  EXPECT_EQ(check.unlistedProblems, 50u);
  EXPECT_FALSE(check.ok());
}

TEST(CompilerInputCheckTest, FindsTheFilesInTheWorkFolderWithoutRegardToCase) {
  test::TempFolder folder;
  std::ofstream(folder / "airports.dat") << kAirports;
  std::ofstream(folder / "AIRCRAFT-GA.DAT") << kAircraft;
  std::ofstream(folder / "Flightplans-GA.dat") << "AC1,N1,0,ONE_WEEK,VFR\n{\n60930,KBB,55\n";
  const CompilerInputPaths paths = CompilerInputPathsIn(folder.path());
  EXPECT_TRUE(std::filesystem::equivalent(paths.airports, folder / "airports.dat"));
  EXPECT_TRUE(std::filesystem::equivalent(paths.aircraftTypes, folder / "AIRCRAFT-GA.DAT"));
  const CompilerInputCheck check = CheckCompilerInputs(paths);
  ASSERT_EQ(check.problems.size(), 1u) << Listing(check);
  EXPECT_EQ(check.problems[0].file, "Flightplans-GA.dat");
  EXPECT_EQ(check.problems[0].line, 2u);

  // A file that cannot be read is one problem, and spares the checks that need it (plan AC1's aircraft).
  std::filesystem::remove(folder / "AIRCRAFT-GA.DAT");
  const CompilerInputCheck missing = CheckCompilerInputs(CompilerInputPathsIn(folder.path()));
  ASSERT_EQ(missing.problems.size(), 2u) << Listing(missing);
  EXPECT_EQ(missing.problems[0].Text(),
            "Aircraft-GA.dat: cannot be read: " + (folder / "Aircraft-GA.dat").string());
}

TEST(CompilerInputParametersTest, BuildsTheSevenSwitchesInOrder) {
  const std::string parameters = BuildCompilerParameters(R"(C:\My Work)", R"(D:\Games\FSX)");
  EXPECT_EQ(
      parameters,
      R"( /Airports="C:\My Work\Airports.dat" /AircraftTypes="C:\My Work\Aircraft-GA.dat")"
      R"( /schedules="C:\My Work\Flightplans-GA.dat" /AutoSchedule=no /Countries="C:\My Work\countries.csv")"
      R"( /Quiet=yes /Output="D:\Games\FSX\Scenery\World\scenery\Traffic-GA.BGL")");
}

TEST(CompilerInputParametersTest, SurvivesTheCommandLineSplit) {
  const std::tuple<std::string, std::string, char> cases[] = {
      {R"(Z:\home\ann\My Work)", R"(Z:\mnt\c\Program Files\FSX)", '\\'},
      {R"(C:\work\)", R"(C:\FSX)", '\\'}};  // inserted as it is, a trailing backslash included
  for (const auto& [work, sim, separator] : cases) {
    const std::vector<std::string> arguments =
        SplitWindowsCommandLine(BuildCompilerParameters(work, sim, separator));
    const CompilerParameterParse parse = ParseCompilerParameters(arguments);
    ASSERT_TRUE(parse.ok()) << parse.errors.front();
    const std::string w = work + separator;
    const std::string s(1, separator);
    EXPECT_EQ(parse.parameters.airports, w + "Airports.dat");
    EXPECT_EQ(parse.parameters.aircraftTypes, w + "Aircraft-GA.dat");
    EXPECT_EQ(parse.parameters.schedules, w + "Flightplans-GA.dat");
    EXPECT_EQ(parse.parameters.countries, w + "countries.csv");
    EXPECT_EQ(parse.parameters.output,
              sim + s + "Scenery" + s + "World" + s + "scenery" + s + "Traffic-GA.BGL");
    EXPECT_FALSE(parse.parameters.autoSchedule);
    EXPECT_TRUE(parse.parameters.quiet);
  }
}

}
}
