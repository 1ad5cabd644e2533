#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/process.h"
#include "traffic/compiler_parameters.h"

namespace wf {
namespace {

TEST(CompilerInputParametersTest, BuildsTheSevenSwitchesInOrder) {
  const std::string parameters = BuildCompilerParameters(R"(C:\My Work)", R"(D:\Games\FSX)");
  EXPECT_EQ(
      parameters,
      R"( /Airports="C:\My Work\Airports.dat" /AircraftTypes="C:\My Work\Aircraft-GA.dat")"
      R"( /schedules="C:\My Work\Flightplans-GA.dat" /AutoSchedule=no /Countries="C:\My Work\countries.csv")"
      R"( /Quiet=yes /Output="D:\Games\FSX\Scenery\World\scenery\Traffic-GA.BGL")");
}

// What the compiler receives after the command line is split is what the traffic run meant.
TEST(CompilerInputParametersTest, SurvivesTheCommandLineSplit) {
  const std::tuple<std::string, std::string, char> cases[] = {
      {R"(Z:\home\ann\My Work)", R"(Z:\mnt\c\Program Files\FSX)", '\\'},
      {R"(C:\work\)", R"(C:\FSX)", '\\'},  // inserted as it is, a trailing backslash included
      {"/home/ann/My Work", "/srv/sim", '/'},
  };
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

TEST(CompilerInputParametersTest, RejectsWhatItCannotUse) {
  const std::vector<std::string> complete = {"/Airports=a", "/AircraftTypes=b", "/schedules=c", "/Output=d"};
  // Switches added, switches dropped, the error (none: accepted).
  const std::tuple<std::vector<std::string>, std::vector<std::string>, std::string> cases[] = {
      {{}, {}, ""},
      {{"/AIRPORTS=x"}, {"/Airports=a"}, ""},  // switch names without regard to case
      {{"/Quiet=YES", "/AutoSchedule=No", "/Countries=\"e f\""}, {}, ""},
      {{}, {"/Output=d"}, "/Output= is missing"},
      {{"/Verbose=yes"}, {}, "unknown switch /Verbose"},
      {{"/schedules=e"}, {}, "/schedules is given more than once"},
      {{"/Quiet=maybe"}, {}, "/Quiet takes yes or no, not 'maybe'"},
      {{"Airports.dat"}, {}, "'Airports.dat' is not a switch of the form /Name=value"},
      {{"/Airports="}, {"/Airports=a"}, "/Airports needs a path"},
  };
  for (const auto& [extra, dropped, error] : cases) {
    std::vector<std::string> arguments;
    for (const std::string& a : complete)
      if (std::find(dropped.begin(), dropped.end(), a) == dropped.end()) arguments.push_back(a);
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const CompilerParameterParse parse = ParseCompilerParameters(arguments);
    EXPECT_EQ(parse.errors, error.empty() ? std::vector<std::string>{} : std::vector<std::string>{error});
  }
  const CompilerParameterParse quoted = ParseCompilerParameters(std::vector<std::string>{
      "/Airports=a", "/AircraftTypes=b", "/schedules=c", "/Output=d", "/Countries=\"e f\"", "/Quiet=YES"});
  EXPECT_EQ(quoted.parameters.countries, "e f");
  EXPECT_TRUE(quoted.parameters.quiet);
}

}
}
