#pragma once
// The traffic report of the work folder (report/report_page.h), made from the three generated
// files, the airport database (for the airports' names) and the session's last traffic run (for
// the generation's figures, when it wrote the flight plans that are there).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/session.h"

namespace wf {

inline constexpr std::string_view kTrafficReportFile = "Traffic-report.html";

struct TrafficReportResult {
  std::filesystem::path file;  // the page written; empty when none was
  std::int64_t plans = 0;
  std::int64_t legs = 0;
  std::int64_t planes = 0;
  std::int64_t airports = 0;  // home bases
  std::string failure;        // why no page was written, and what to do; empty when it was
};

// Writes the report to `output` (Traffic-report.html in the work folder when empty) in one piece
// (platform/files.h). Loads the airport database first when the session holds no airports. A
// generated file that is missing, unreadable or holds no entries gives a failure and no page.
TrafficReportResult WriteTrafficReport(Session& session, std::filesystem::path output = {});

}
