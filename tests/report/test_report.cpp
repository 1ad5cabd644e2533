// The week read back from the generated files, its figures, and the report page made of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numeric>
#include <set>
#include <sstream>
#include <tuple>

#include "app/startup.h"
#include "app/startup_sequence.h"
#include "report/report_page.h"
#include "report/week_figures.h"
#include "support/file_fixtures.h"
#include "traffic/aircraft_file.h"
#include "traffic/airports_file.h"
#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"

namespace wf {
namespace {

std::int64_t Sum(const auto& counts) {
  return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

// Checks the figures of `plans`, generated from `world` by `run`, against the fleet that flew them:
// each plan's home is its plane's home. Returns how many plans meet two airports only, whose
// homes only the week's start tells apart.
int CheckAgainstTheFleet(const World& world, const Settings& settings, const std::string& plans,
                         const GenerationResult& run) {
  const TrafficWeek week = ReadTrafficWeek(AirportsFileText(world), AircraftFileText(world), plans);
  const WeekFigures figures = ComputeWeekFigures(week, settings.startDate);
  EXPECT_EQ(std::tuple(week.linesNotRead, figures.plans, figures.legs, figures.planes),
            std::tuple(0u, run.planeBlocks, run.flightLines, run.planeBlocks));
  std::set<std::string> bases;
  int twoAirportPlans = 0, wrongHomes = 0;
  for (std::size_t p = 0; p < week.plans.size(); ++p) {
    const CPlane* plane = world.registrationIndex.Find(week.plans[p].registration);
    EXPECT_TRUE(plane != nullptr && figures.homes[p] >= 0) << week.plans[p].registration;
    if (plane == nullptr || figures.homes[p] < 0) continue;
    const std::string& home = week.airports[static_cast<std::size_t>(figures.homes[p])].ident;
    if (home != plane->homeAirport->icao && ++wrongHomes <= 5)
      ADD_FAILURE() << plane->registration << " based at " << plane->homeAirport->icao << ", found at "
                    << home;
    bases.insert(plane->homeAirport->icao);
    std::set<std::int32_t> destinations;
    for (std::size_t l = 0; l < week.plans[p].legCount; ++l)
      destinations.insert(week.legs[week.plans[p].firstLeg + l].destination);
    twoAirportPlans += destinations.size() == 2;
  }
  EXPECT_EQ(wrongHomes, 0);
  EXPECT_EQ(figures.airports, static_cast<std::int64_t>(bases.size()));
  EXPECT_EQ(std::tuple(Sum(figures.basedPlanes), Sum(figures.departures), Sum(figures.departuresByHour)),
            std::tuple(figures.plans, figures.legs, figures.legs));
  return twoAirportPlans;
}

// On the small world, wherever it lies (weeks that start on Saturday or Sunday in UTC), in winter and
// summer, with day and night windows.
TEST(WeekFiguresTest, HomesAndCountsMatchTheFleetThatGeneratedTheWeek) {
  struct Case {
    double shift;  // degrees east added to every longitude
    TimeValue startDate;
    bool allNight;  // every category flies night windows where it can
  } cases[] = {{0, MakeTime(2006, 1, 5), false},
               {115, MakeTime(2006, 6, 4), true},
               {160, MakeTime(2006, 12, 3), false}};
  int twoAirportPlans = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shift);
    World world;
    test::BuildSmallWorld(world);
    for (const auto& [ident, airport] : world.airportIndex)
      airport->longitude = std::fmod(airport->longitude + c.shift + 540.0, 360.0) - 180.0;
    Settings settings = test::SmallWorldSettings();
    settings.startDate = c.startDate;
    if (c.allNight) settings.nightPercent.fill(100);
    Random random(1);
    NullProgress progress;
    SilentPrompter prompter;
    std::ostringstream plans;
    const GenerationResult run = GenerateTraffic(world, settings, random, progress, prompter, plans);
    twoAirportPlans += CheckAgainstTheFleet(world, settings, plans.str(), run);
  }
  EXPECT_GT(twoAirportPlans, 20);
}

// The same on the databases of a work folder, when WINGFOLD_REPORT_WORK names one (scripts/test
// runs it on a demo world).
TEST(WeekFiguresTest, HomesAndCountsMatchTheFleetOfAWorkFolder) {
  const char* folder = std::getenv("WINGFOLD_REPORT_WORK");
  if (folder == nullptr) GTEST_SKIP() << "WINGFOLD_REPORT_WORK names no work folder";
  Session session;
  StartSession(session, folder);
  ASSERT_FALSE(RunStartupSequence(session).stoppedByDamage);
  session.random.Seed(1);
  std::ostringstream plans;
  const GenerationResult run = GenerateTraffic(session.world, session.settings, session.random,
                                               *session.progress, *session.prompter, plans);
  ASSERT_GT(run.planeBlocks, 100);
  EXPECT_GT(CheckAgainstTheFleet(session.world, session.settings, plans.str(), run), 0);
}

// Damaged lines are left out and counted; a leg whose airport is unknown counts as a leg but has
// no departure airport for the leg after it; shares, hours and routes follow the files.
TEST(WeekFiguresTest, FiguresOfHandWrittenFiles) {
  const TrafficWeek week = ReadTrafficWeek(
      "EDDF,50.000000,8.500000,111.0,C,2,0.70,Germany\n{\nRUNWAY,13000,150,HARD\n}\n"
      "LOWS ,47.800000,13.000000,430.0,D,1,0.70,Austria, Land Salzburg\r\n{\r\n}\r\n"
      "EDDF,1.0,1.0,0.0,C,0,0.70,Twice\nBAD1,north,8.0,0.0,C,0,0.70,Nowhere\n",
      "AC7,Cessna 172, red,120,70,140,150,600,2000,HARD | SOFT,5,RAMP,0,no,yes\ngarbage\n",
      "00800,LOWS,55\n"  // before any plan
      "AC7,D-EAAA,55,ONE_WEEK,IFR\n{\n00800,LOWS,55\n01000,EDDF,65,,01045\n02230,LOWS,55\n"
      "02359,XXXX,65\n60000,EDDF,55\n}\n"
      "AC7,D-EBBB,55,ONE_WEEK,VFR\n{\n10900,EDDF,55\n11100,LOWS,55\n}\n");
  ASSERT_EQ(std::tuple(week.airports.size(), week.aircraft.size()), std::tuple(2u, 1u));
  EXPECT_EQ(
      std::tuple(week.airports[1].ident, week.airports[1].country, week.aircraft[0].title, week.linesNotRead),
      std::tuple("LOWS", "Austria, Land Salzburg", "Cessna 172, red", 3u));

  const WeekFigures f = ComputeWeekFigures(week, MakeTime(2006, 6, 4));
  EXPECT_EQ((std::vector<std::int64_t>{f.plans, f.legs, f.planes, f.airports}),
            (std::vector<std::int64_t>{2, 7, 2, 2}));
  // Both plans meet both airports equally often: EDDF's week starts before 08:00 and its first leg
  // leaves EDDF; the second plan's first leg goes to EDDF, so it leaves LOWS.
  EXPECT_EQ(f.homes, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(std::tuple(f.ifrLegs, f.touchAndGoLegs, f.nightLegs),
            std::tuple(5, 1, 2));  // night: 22:30, 23:59 UTC
  EXPECT_EQ(f.departures, (std::vector<std::int32_t>{3, 3}));
  std::vector<int> hours;
  for (int h = 0; h < kHoursPerWeek; ++h)
    for (std::int64_t n = 0; n < f.departuresByHour[static_cast<std::size_t>(h)]; ++n) hours.push_back(h);
  EXPECT_EQ(hours, (std::vector<int>{9, 11, 23, 24, 34, 36}));  // zone clocks, UTC+1
  ASSERT_EQ(f.routes.size(), 1u);
  EXPECT_EQ(f.routes[0].legs, 5);
}

// The report page: its JSON block, and names from the files and the databases written safely.
TEST(ReportPageTest, FiguresGoToTheJsonBlockAndNamesAreEscaped) {
  const TrafficWeek week =
      ReadTrafficWeek("EDDF,50.0,8.5,111.0,C,2,0.70,\xD6sterreich\nLOWS,47.8,13.0,430.0,D,1,0.70,Austria\n",
                      "AC7,</script><b>,120,70,140,150,600,2000,HARD,5,RAMP,0,no,yes\n",
                      "AC7,D-EAAA,55,ONE_WEEK,IFR\n{\n00800,LOWS,55\n01000,EDDF,65\n}\n");
  const WeekFigures figures = ComputeWeekFigures(week, MakeTime(2006, 6, 4));
  World world;
  test::AddAirport(world, {.icao = "EDDF"}).name = "Frankfurt <Main> & \"Rhein\" </script>";
  GenerationResult generation;
  generation.fleet.spacesWithoutRegistration = 4321;
  ReportPageInput input{&week, &figures, &world, &generation, "/home/pilot/<work>", MakeTime(2006, 6, 4)};
  const std::string page = TrafficReportPage(input);

  EXPECT_NE(page.find("<script type=\"application/json\" id=\"wingfold-report\">{\"plans\": 1, \"legs\": 2, "
                      "\"planes\": 1, \"airports\": 1, \"ifr_legs\": 2, "),
            std::string::npos);
  EXPECT_NE(page.find("\"spaces_without_registration\": 4321"), std::string::npos);
  EXPECT_NE(
      page.find("[\"EDDF\",\"Frankfurt \\u003cMain\\u003e \\u0026 \\\"Rhein\\\" \\u003c/script\\u003e\""),
      std::string::npos);
  EXPECT_EQ(test::Occurrences(page, "</script>"), 2) << "only the page's own script elements end";
  EXPECT_EQ(test::Occurrences(page, "<b>"), test::Occurrences(page, "<div class=\"card\"><b>"));
  EXPECT_NE(page.find("Frankfurt &lt;Main&gt; &amp; &quot;Rhein&quot;"), std::string::npos);
  EXPECT_NE(page.find("/home/pilot/&lt;work&gt;"), std::string::npos);
  EXPECT_NE(page.find("\xC3\x96sterreich"), std::string::npos) << "Windows-1252 written as UTF-8";
  // Frankfurt to Salzburg, flown twice a week: a great circle, north of the straight line between them.
  EXPECT_NE(page.find("<path class=\"r1\" d=\"m850-5000l230 108 220 112\"/>"), std::string::npos);
  EXPECT_NE(page.find("<path class=\"b0\" d=\"m850-5000h0\"/>"), std::string::npos);
}

}
}
