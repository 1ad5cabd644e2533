#pragma once
// The traffic report: one self-contained HTML page (styles, script and map inline; nothing is
// loaded from anywhere) that opens from disk in any current browser.
//
// It holds the figures of the week (week_figures.h) as cards, the world map (world_map.h) with zoom,
// pan and a tooltip per base, the departures per hour of the week as a bar chart, tables of planes
// per country and per aircraft and of the busiest airports, and, when the run that wrote the week
// is at hand, its figures (planes per category, parking spaces left empty and why). The same
// figures are in a JSON block for other tools:
//   <script type="application/json" id="wingfold-report">{"plans": ..., "legs": ..., "planes": ...,
//   "airports": ..., ...}</script>
// Names read from the files and the databases are Windows-1252 and are written as UTF-8, escaped
// for HTML and JSON.
#include <string>

#include "platform/calendar.h"
#include "report/traffic_week.h"
#include "report/week_figures.h"
#include "traffic/flight_plans.h"
#include "world/world.h"

namespace wf {

struct ReportPageInput {
  const TrafficWeek* week = nullptr;
  const WeekFigures* figures = nullptr;
  // Airport names by ident; null when the airport database is not at hand.
  const World* world = nullptr;
  // The run that wrote the week; null when it is not known.
  const GenerationResult* generation = nullptr;
  std::string workFolder;  // as shown, UTF-8
  TimeValue startDate = 0;
};

std::string TrafficReportPage(const ReportPageInput& input);

}
