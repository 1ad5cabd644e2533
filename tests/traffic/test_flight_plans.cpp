#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "geo/geodesy.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "traffic/aircraft_file.h"
#include "traffic/airports_file.h"
#include "traffic/compiler_inputs.h"
#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"

namespace wf {
namespace {

using enum AirportType;

using test::AddAirport;
using test::AddModel;
using test::AddVariation;
using test::Fields;
using test::ModelSpec;

TEST(FlightPlanRules, FlightsPerDay) {
  struct Case {
    const char* label;
    double windowSeconds;
    int activity;
    float minHours;
    int typeFactor;
    int expected;
  } cases[] = {// trunc(25 x (36000 x 0.4 / 1800 x 8) / 100 + 1.5) = trunc(17.5)
               {"10 hours, medium airfield, Private on a Monday", 36000, 40, 0.5f, 25, 17},
               {"no window still tries one", 0, 100, 0.5f, 40, 1},
               {"exactly 200 stays", 178650, 100, 0.5f, 25, 200},
               {"201 becomes 190", 179550, 100, 0.5f, 25, 190},
               {"a window that ended before it started", -360000, 100, 0.5f, 40, 0},
               {"no window and no shortest leg", 0, 100, 0.0f, 20, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(FlightsPerDay(c.windowSeconds, c.activity, c.minHours, c.typeFactor), c.expected) << c.label;
  }
}

TEST(FlightPlanRules, CruiseAltitude) {
  struct Case {
    const char* label;
    double fromLongitude, toLongitude;
    double fromAltitude;  // metres; the destination lies at 0
    float legSeconds;
    int cruiseSpeed, stallSpeed, ceiling;
    int expected;
  } cases[] = {// 1890 m is 6,200 ft: westbound even thousands + 500, eastbound odd.
               {"6,200 ft westbound", 8, 7, 1890, 0, 120, 48, 14000, 65},
               {"6,200 ft eastbound", 8, 9, 1890, 0, 120, 48, 14000, 75},
               {"half a degree west counts as east", 8, 7.5, 1890, 0, 120, 48, 14000, 75},
               {"across the date line eastbound", 170, -170, 1890, 0, 120, 48, 14000, 75},
               {"across the date line westbound", -170, 170, 1890, 0, 120, 48, 14000, 65},
               // An hour at the mean of 120 and 48 knots climbs 814 m at 3 degrees: 914 m, 2,998 ft.
               {"an hour's climb westbound", 8, 7, 100, 3600, 120, 48, 14000, 25},
               {"capped by the ceiling", 8, 7, 1890, 3600, 120, 48, 4000, 45},
               // Above 250 knots at least 10,000 ft; above 10,000 ft whole thousands.
               {"fast aircraft eastbound", 8, 9, 0, 0, 300, 100, 40000, 110},
               // Above 28,000 ft the next multiple of 2,000 ft + 1,000 stands for eastbound.
               {"30,000 ft eastbound", 8, 9, 9500, 0, 300, 100, 30000, 320}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CAirport from;
    CAirport to;
    from.longitude = c.fromLongitude;
    to.longitude = c.toLongitude;
    from.altitude = c.fromAltitude;
    CAircraft model;
    model.cruiseSpeed = c.cruiseSpeed;
    model.stallSpeed = c.stallSpeed;
    model.ceiling = c.ceiling;
    EXPECT_EQ(CruiseAltitude(model, from, to, c.legSeconds), c.expected);
  }
  // IFR takes the next thousand; the way back takes the other direction's level, from 30,000 ft by 2,000.
  EXPECT_EQ(std::tuple(IfrAltitude(45), IfrAltitude(110), ReturnAltitude(55), ReturnAltitude(300)),
            std::tuple(50, 110, 45, 330));
}

TimeValue At(int day, int hour, int minute) {
  return MakeTime(2006, 1, day, hour, minute);
}

TEST(FlightPlanBlock, AWeekFromThursdayIsWrittenFromSunday) {
  CAirport away;
  CAirport home;
  away.icao = "EDFE";
  home.icao = "EDFM";
  // 5 January 2006 was a Thursday. The Saturday leg gives its arrival, past midnight on Sunday.
  const FlightLine lines[] = {{At(5, 8, 0), 0, &away, 35, 4, false},
                              {At(5, 9, 5), 0, &home, 25, 4, false},
                              {At(7, 23, 10), At(8, 0, 42), &away, 35, 6, true},
                              {At(8, 7, 0), 0, &home, 25, 0, false},
                              {At(11, 18, 0), 0, &away, 35, 3, false},
                              {At(11, 19, 30), 0, &home, 25, 3, false}};
  EXPECT_EQ(WeekStartLine(lines), 3u);
  std::string out;
  AppendPlaneBlock(out, 3, "D-EABC", 0, true, lines);
  EXPECT_EQ(out,
            "AC3,D-EABC,0,ONE_WEEK,IFR\n{\n"
            "00700,EDFM,25\n"
            "31800,EDFE,35\n"
            "31930,EDFM,25\n"
            "40800,EDFE,35\n"
            "40905,EDFM,25\n"
            "62310,EDFE,35,,00042\n"
            "}\n");
}

TEST(FlightPlanBlock, WeekStartChoosesTheSmallestWeekdayAfterADrop) {
  const std::pair<std::vector<int>, std::size_t> cases[] = {
      {{0, 1, 2, 3}, 0},     // no drop
      {{5, 2, 6, 1, 3}, 3},  // two drops: the smaller weekday wins
      {{5, 2, 6, 2, 3}, 3},  // a tie keeps the later line
      {{}, 0}};
  for (const auto& [weekdays, expected] : cases) {
    std::vector<FlightLine> lines;
    for (int weekday : weekdays) lines.push_back({.weekday = weekday});
    EXPECT_EQ(WeekStartLine(lines), expected) << testing::PrintToString(weekdays);
  }
}

// A parsed block of Flightplans-GA.dat.
struct Block {
  std::string header;
  std::vector<std::string> lines;
};

std::vector<Block> ParseBlocks(const std::string& text) {
  std::vector<Block> blocks;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("AC", 0) == 0) {
      blocks.push_back({line, {}});
    } else if (line != "{" && line != "}") {
      blocks.back().lines.push_back(line);
    }
  }
  return blocks;
}

// "<weekday><HHMM>" as minutes from Sunday 00:00.
int MinuteOfWeek(const std::string& time) {
  return (time[0] - '0') * 1440 + std::stoi(time.substr(1, 2)) * 60 + std::stoi(time.substr(3, 2));
}

// A block is a chain of out-and-back legs that closes over the week's wrap: a leg home follows every
// leg out, and the week has at most 200 legs.
void ExpectOutAndBack(const Block& block, const std::string& home) {
  SCOPED_TRACE(block.header);
  ASSERT_GE(block.lines.size(), 2u);
  ASSERT_LE(block.lines.size(), 200u);
  for (std::size_t i = 0; i < block.lines.size(); ++i) {
    const bool atHome = Fields(block.lines[i])[1] == home;
    EXPECT_NE(atHome, Fields(block.lines[(i + 1) % block.lines.size()])[1] == home) << block.lines[i];
  }
}

const TimeValue kSummer = MakeTime(2006, 6, 15);

struct TrafficRun {
  GenerationResult result;
  std::string text;                   // Flightplans-GA.dat
  std::vector<std::string> messages;  // shown to the user
};

// One traffic run from seed 1.
TrafficRun Generate(World& world, int gaPercentage, TimeValue startDate = Settings().startDate) {
  Settings settings;
  settings.gaPercentage = gaPercentage;
  settings.startDate = startDate;
  Random random(1);
  NullProgress progress;
  test::RecordingPrompter prompter;
  std::ostringstream out;
  GenerationResult result = GenerateTraffic(world, settings, random, progress, prompter, out);
  // Every line is one the compiler takes (where every airport has a position).
  const CompilerInputCheck check = CheckCompilerInputTexts({"Airports.dat", AirportsFileText(world), ""},
                                                           {"Aircraft-GA.dat", AircraftFileText(world), ""},
                                                           {"Flightplans-GA.dat", out.str(), ""});
  EXPECT_TRUE(check.ok() || !result.airportsWithInvalidSunTimes.empty()) << check.problems.front().Text();
  return {std::move(result), out.str(), prompter.messages};
}

// Any change of a rule or of the order of the draws shows; every block flies out and back. To write
// the file anew after a deliberate change: WINGFOLD_UPDATE_GOLDEN=1 wingfold_tests
// --gtest_filter='FlightPlanGolden*', then review the difference before committing it.
TEST(FlightPlanGolden, SmallWorldMatchesTheCheckedInFile) {
  const std::filesystem::path golden =
      std::filesystem::path(WINGFOLD_SOURCE_DIR) / "tests/traffic/golden/flightplans_small_world.dat";
  World first, second;
  test::BuildSmallWorld(first);
  test::BuildSmallWorld(second);
  const TrafficRun run = Generate(first, Settings().gaPercentage, test::SmallWorldSettings().startDate);
  if (std::getenv("WINGFOLD_UPDATE_GOLDEN") != nullptr) std::ofstream(golden, std::ios::binary) << run.text;
  EXPECT_EQ(run.text, test::Read(golden));
  EXPECT_EQ(Generate(second, Settings().gaPercentage, test::SmallWorldSettings().startDate).text, run.text);
  EXPECT_GT(run.result.planeBlocks, 10);
  EXPECT_EQ(run.result.planeBlocks + run.result.planesWithoutBlock, run.result.fleet.planes);
  EXPECT_EQ(run.result.fleet.airportsListed, 15);
  EXPECT_EQ(run.result.fleet.airportsVisited, 13);
  for (const Block& block : ParseBlocks(run.text))
    ExpectOutAndBack(block, first.registrationIndex.Find(Fields(block.header)[1])->homeAirport->icao);
}

// Legs of four and a half hours, a quarter of them in the long night window: neither from one day to
// the next nor across the week's wrap.
TEST(FlightPlanWeek, NoLegDepartsBeforeThePreviousOneHasArrived) {
  World world;
  const test::AirportSpec west{
      .icao = "KXAW", .latitude = 40, .longitude = -100, .type = kLargeCommercial, .smallRamps = 60};
  const test::AirportSpec east{
      .icao = "KXAE", .latitude = 40, .longitude = -75, .type = kLargeCommercial, .smallRamps = 60};
  AddAirport(world, west);
  AddAirport(world, east);
  ModelSpec charter{.wingSpan = 18, .cruiseSpeed = 300, .stallSpeed = 85, .range = 1500, .engineCount = 2};
  charter.fuelFlow = 150;
  charter.fuelType = FuelType::kJetFuel;
  charter.maxWeight = 6800;
  charter.ceiling = 30000;
  charter.usage = 0b010000;
  AddVariation(world, AddModel(world, charter), "Charter", 100, 400000);
  const TrafficRun run = Generate(world, 100, kSummer);
  ASSERT_GT(run.result.planeBlocks, 20);

  const double legHours =
      DistanceNm(west.latitude, west.longitude, east.latitude, east.longitude) / (300 * 0.9);
  const int legMinutes = static_cast<int>(legHours * 60);
  ASSERT_GT(legMinutes, 4 * 60);
  constexpr int kWeek = 7 * 1440;
  for (const Block& block : ParseBlocks(run.text)) {
    SCOPED_TRACE(block.header);
    // Around the week, each departure follows the previous one by at least that leg's time (its
    // arrival time, or the flight and the 45-minute turn), and the gaps add up to one week.
    int week = 0;
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      const std::vector<std::string> leg = Fields(block.lines[i]);
      const std::vector<std::string> next = Fields(block.lines[(i + 1) % block.lines.size()]);
      const int departure = MinuteOfWeek(leg[0]);
      const int busy = leg.size() == 5 ? (MinuteOfWeek(leg[4]) - departure + kWeek) % kWeek : legMinutes + 45;
      const int gap = (MinuteOfWeek(next[0]) - departure + kWeek) % kWeek;
      EXPECT_GE(gap, busy) << block.lines[i] << " then " << block.lines[(i + 1) % block.lines.size()];
      week += gap;
    }
    EXPECT_EQ(week, kWeek);
  }
}

TEST(FlightPlanWeek, AircraftWithoutRangeStayHome) {
  World world;
  AddAirport(world, {.icao = "EDXW", .latitude = 50, .longitude = 8, .type = kMediumAirfield});
  AddAirport(world, {.icao = "EDXE", .latitude = 50, .longitude = 9.5, .type = kMediumAirfield});
  AddVariation(world, AddModel(world, {.range = 0}), "Trainer");
  const TrafficRun run = Generate(world, 100);
  EXPECT_EQ(
      std::tuple(run.result.fleet.planes, run.result.planesWithoutBlock, run.result.flightLines, run.text),
      std::tuple(9 + 9, 9 + 9, 0, ""));
}

// Two idents on the very same spot (a duplicated scenery record) are 0/0 apart: every distance test
// passes, and the leg takes no time instead of a time that is not a number.
TEST(FlightPlanWeek, AirportsOnTheSameSpotGiveLegsOfNoTime) {
  World world;
  AddAirport(world, {.icao = "EDXA", .latitude = 50, .longitude = 8, .type = kSmallAirfield});
  AddAirport(world, {.icao = "EDXB", .latitude = 50, .longitude = 8, .type = kSmallAirfield});
  AddVariation(world, AddModel(world, {.ifr = 0}), "Trainer");
  const TrafficRun run = Generate(world, 100);
  ASSERT_GT(run.result.flightLines, 0);
  int arrivalLines = 0;
  for (const Block& block : ParseBlocks(run.text)) {
    for (const std::string& line : block.lines) {
      const std::vector<std::string> fields = Fields(line);
      // No climb: out at 3,500 ft (no change of longitude counts as eastbound), back at 2,500 ft.
      EXPECT_TRUE(fields[2] == "35" || fields[2] == "25") << line;
      if (fields.size() == 5) {  // the arrival form: 30 to 59 minutes on the ground after a leg of no time
        const int flown = (MinuteOfWeek(fields[4]) - MinuteOfWeek(fields[0]) + 7 * 1440) % (7 * 1440);
        EXPECT_GE(flown, 30) << line;
        EXPECT_LE(flown, 59) << line;
        ++arrivalLines;
      }
    }
  }
  EXPECT_GT(arrivalLines, 0);
}

TEST(FlightPlanWeek, InvalidSunTimesAreReportedForEveryPlane) {
  World world;
  CAirport& broken = AddAirport(
      world, {.icao = "EDXB", .latitude = std::numeric_limits<double>::quiet_NaN(), .type = kBush});
  AddVariation(world, AddModel(world, {}), "Trainer");
  const TrafficRun run = Generate(world, 100);
  EXPECT_EQ(std::tuple(run.result.fleet.planes, run.messages, run.result.airportsWithInvalidSunTimes),
            std::tuple(2, std::vector<std::string>(2, "Error @EDXB"), std::vector<std::string>{"EDXB"}));
  EXPECT_LE(broken.sunrise, 0);
}

}
}
