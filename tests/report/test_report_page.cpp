// The report page: its JSON block, and names from the files and the databases written safely.
#include <gtest/gtest.h>

#include "report/report_page.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

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
  EXPECT_EQ(Count(page, "</script>"), 2u) << "only the page's own script elements end";
  EXPECT_EQ(Count(page, "<b>"), Count(page, "<div class=\"card\"><b>"));
  EXPECT_NE(page.find("Frankfurt &lt;Main&gt; &amp; &quot;Rhein&quot;"), std::string::npos);
  EXPECT_NE(page.find("/home/pilot/&lt;work&gt;"), std::string::npos);
  EXPECT_NE(page.find("\xC3\x96sterreich"), std::string::npos) << "Windows-1252 written as UTF-8";
  // Frankfurt to Salzburg, flown twice a week: a great circle, north of the straight line between them.
  EXPECT_NE(page.find("<path class=\"r1\" d=\"m850-5000l230 108 220 112\"/>"), std::string::npos);
  EXPECT_NE(page.find("<path class=\"b0\" d=\"m850-5000h0\"/>"), std::string::npos);
}

}
}
