// Makes the traffic report of arbitrary generated files: the input is cut at its first two NUL
// bytes into Airports.dat, Aircraft-GA.dat and Flightplans-GA.dat. Reading, the figures and the page
// must never fail, and every figure must stay within what the files hold.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "report/report_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t end = i < 2 ? rest.find('\0') : std::string_view::npos;
    parts[i] = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  const wf::TrafficWeek week = wf::ReadTrafficWeek(parts[0], parts[1], parts[2]);
  const wf::TimeValue startDate = wf::MakeTime(2006, 6, 4);
  const wf::WeekFigures figures = wf::ComputeWeekFigures(week, startDate);
  if (figures.planes > figures.plans || figures.airports > figures.plans ||
      figures.nightLegs > figures.legs || figures.ifrLegs > figures.legs ||
      figures.touchAndGoLegs > figures.legs)
    std::abort();
  wf::ReportPageInput input;
  input.week = &week;
  input.figures = &figures;
  input.startDate = startDate;
  if (wf::TrafficReportPage(input).find("id=\"wingfold-report\">{\"plans\": ") == std::string::npos)
    std::abort();
  return 0;
}
