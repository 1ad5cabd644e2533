#include "report/report_page.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "platform/numbers.h"
#include "platform/windows1252.h"
#include "report/world_map.h"
#include "traffic/compiler_files.h"
#include "world/plane.h"

namespace wf {

namespace {

constexpr std::size_t kTableRows = 20;
constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Windows-1252 text as UTF-8; `escape` gives the replacement of an ASCII byte, or null to keep it.
template <typename Escape>
void AppendConverted(std::string& out, std::string_view text, Escape&& escape) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      if (const char* replacement = escape(c)) {
        out.append(replacement);
      } else {
        out.push_back(c);
      }
      continue;
    }
    const char32_t u = FromWindows1252(c);
    if (u < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

void AppendHtml(std::string& out, std::string_view text) {
  AppendConverted(out, text, [](char c) -> const char* {
    switch (c) {
      case '&':
        return "&amp;";
      case '<':
        return "&lt;";
      case '>':
        return "&gt;";
      case '"':
        return "&quot;";
      case '\'':
        return "&#39;";
      default:
        return c >= 0 && c < 0x20 ? " " : nullptr;
    }
  });
}

// A JSON string that is safe inside a <script> element: no '<', '>' or '&' appear as such.
void AppendJsonString(std::string& out, std::string_view text) {
  static const auto kEscapes = [] {
    std::array<std::string, 128> escapes;
    const char* hex = "0123456789abcdef";
    for (int c = 0; c < 128; ++c) {
      if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x7F)
        escapes[c] = std::string("\\u00") + hex[c >> 4] + hex[c & 15];
    }
    escapes['"'] = "\\\"";
    escapes['\\'] = "\\\\";
    return escapes;
  }();
  out.push_back('"');
  AppendConverted(out, text, [](char c) -> const char* {
    const std::string& escape = kEscapes[static_cast<unsigned char>(c)];
    return escape.empty() ? nullptr : escape.c_str();
  });
  out.push_back('"');
}

// "1,234,567"
std::string Thousands(std::int64_t value) {
  std::string digits;
  AppendWhole(digits, value < 0 ? -value : value);
  std::string text = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text.push_back(',');
    text.push_back(digits[i]);
  }
  return text;
}

// "12.3 %" of part in whole; "-" when whole is 0.
std::string Percent(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) return "-";
  std::string text;
  AppendFixed(text, 100.0 * static_cast<double>(part) / static_cast<double>(whole), 1);
  return text + "\xC2\xA0%";
}

std::string AirportName(const World* world, const std::string& ident) {
  const CAirport* airport = world != nullptr ? world->airportIndex.Find(ident) : nullptr;
  return airport != nullptr ? airport->name : std::string();
}

// A row of a table: label cells (Windows-1252 text) and a count drawn as a bar.
struct TableRow {
  std::vector<std::string> cells;
  std::int64_t count = 0;
};

void AppendTable(std::string& out, const char* title, const std::vector<const char*>& headers,
                 const std::vector<TableRow>& rows, const char* note = nullptr, bool wide = false) {
  out.append(wide ? "<section class=\"table wide\"><h2>" : "<section class=\"table\"><h2>");
  out.append(title);
  out.append("</h2>\n<table><thead><tr>");
  for (const char* header : headers) {
    out.append("<th>");
    out.append(header);
    out.append("</th>");
  }
  out.append("</tr></thead><tbody>\n");
  std::int64_t most = 1;
  for (const TableRow& row : rows) most = std::max(most, row.count);
  for (const TableRow& row : rows) {
    out.append("<tr>");
    for (const std::string& cell : row.cells) {
      out.append("<td>");
      AppendHtml(out, cell);
      out.append("</td>");
    }
    out.append("<td class=\"count\"><span class=\"bar\" style=\"width:");
    AppendWhole(out, 100 * row.count / most);
    out.append("%\"></span>");
    out.append(Thousands(row.count));
    out.append("</td></tr>\n");
  }
  out.append("</tbody></table>\n");
  if (note != nullptr) {
    out.append("<p class=\"note\">");
    out.append(note);
    out.append("</p>\n");
  }
  out.append("</section>\n");
}

// The first kTableRows of `counts` by count (then name), and a row for the rest.
std::vector<TableRow> TopRows(const std::map<std::string, std::int64_t>& counts, const char* rest) {
  std::vector<std::pair<std::string, std::int64_t>> sorted(counts.begin(), counts.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<TableRow> rows;
  std::int64_t others = 0, otherCount = 0;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (i < kTableRows) {
      rows.push_back({{sorted[i].first}, sorted[i].second});
    } else {
      others += sorted[i].second;
      ++otherCount;
    }
  }
  if (otherCount > 0) rows.push_back({{Thousands(otherCount) + " " + rest}, others});
  return rows;
}

// The generation's figures, as `generate` prints them: the JSON key, the label, the value, and
// whether the row stands under the one before.
struct GenerationRow {
  const char* key;
  const char* label;
  std::int64_t value;
  bool detail;
};

std::vector<GenerationRow> GenerationRows(const GenerationResult& g) {
  const FleetSummary& f = g.fleet;
  return {
      {"airports_listed", "Airports listed", f.airportsListed, false},
      {"airports_visited", "visited (used country, not military)", f.airportsVisited, true},
      {"airports_populated", "populated", f.airportsPopulated, true},
      {"planes", "Planes", f.planes, false},
      {"plane_blocks", "Plans written", g.planeBlocks, false},
      {"planes_without_block", "Planes without a plan (fewer than two legs)", g.planesWithoutBlock, false},
      {"flight_lines", "Flight lines written", g.flightLines, false},
      {"parking_spaces", "GA parking spaces", f.parkingSpaces, false},
      {"spaces_not_drawn", "left empty by the GA percentage draw", f.spacesNotDrawn, true},
      {"spaces_without_aircraft", "left empty, no fitting aircraft", f.spacesWithoutAircraft, true},
      {"spaces_without_registration", "left empty, registrations exhausted", f.spacesWithoutRegistration,
       true},
      {"airports_without_valid_sun_times", "Airports without valid sun times",
       static_cast<std::int64_t>(g.airportsWithInvalidSunTimes.size()), false},
  };
}

void AppendCard(std::string& out, const std::string& value, const char* label) {
  out.append("<div class=\"card\"><b>");
  out.append(value);
  out.append("</b><span>");
  out.append(label);
  out.append("</span></div>\n");
}

void AppendHistogram(std::string& out, const WeekFigures& figures) {
  constexpr int kBarWidth = 5, kHeight = 140, kBase = 150;
  std::int64_t most = 1;
  for (std::int64_t count : figures.departuresByHour) most = std::max(most, count);
  out.append(
      "<svg class=\"chart\" viewBox=\"0 0 840 172\" role=\"img\" "
      "aria-label=\"Departures per hour of the week\">\n");
  for (int day = 0; day < 7; ++day) {
    out.append("<text x=\"");
    AppendWhole(out, day * 24 * kBarWidth + 12 * kBarWidth);
    out.append("\" y=\"168\">");
    out.append(kDayNames[day]);
    out.append("</text>");
    if (day > 0) {
      out.append("<line x1=\"");
      AppendWhole(out, day * 24 * kBarWidth);
      out.append("\" x2=\"");
      AppendWhole(out, day * 24 * kBarWidth);
      out.append("\" y1=\"4\" y2=\"154\"/>");
    }
  }
  out.append("\n");
  for (int hour = 0; hour < kHoursPerWeek; ++hour) {
    const std::int64_t count = figures.departuresByHour[static_cast<std::size_t>(hour)];
    const std::int64_t height = count * kHeight / most;
    out.append("<rect x=\"");
    AppendWhole(out, hour * kBarWidth);
    out.append("\" y=\"");
    AppendWhole(out, kBase - height);
    out.append("\" width=\"4\" height=\"");
    AppendWhole(out, height);
    out.append("\"><title>");
    out.append(kDayNames[hour / 24]);
    out.append(" ");
    const int h = hour % 24;
    out.append({static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10)});
    out.append(":00: ");
    out.append(Thousands(count));
    out.append(" departures</title></rect>");
  }
  out.append("\n</svg>\n");
}

void AppendJson(std::string& out, const ReportPageInput& input,
                const std::map<std::string, std::int64_t>& countries) {
  const WeekFigures& f = *input.figures;
  const TrafficWeek& week = *input.week;
  const auto field = [&out](const char* name, std::int64_t value) {
    out.append("\"");
    out.append(name);
    out.append("\": ");
    AppendWhole(out, value);
    out.append(", ");
  };
  out.append("{");
  field("plans", f.plans);
  field("legs", f.legs);
  field("planes", f.planes);
  field("airports", f.airports);
  field("ifr_legs", f.ifrLegs);
  field("night_legs", f.nightLegs);
  field("touch_and_go_legs", f.touchAndGoLegs);
  field("routes", static_cast<std::int64_t>(f.routes.size()));
  field("lines_not_read", static_cast<std::int64_t>(week.linesNotRead));
  out.append("\"departures_by_hour\": [");
  for (int hour = 0; hour < kHoursPerWeek; ++hour) {
    if (hour > 0) out.push_back(',');
    AppendWhole(out, f.departuresByHour[static_cast<std::size_t>(hour)]);
  }
  out.append("],\n\"planes_by_country\": {");
  bool first = true;
  for (const auto& [country, planes] : countries) {
    if (!first) out.append(", ");
    first = false;
    AppendJsonString(out, country);
    out.append(": ");
    AppendWhole(out, planes);
  }
  out.append("},\n\"generation\": ");
  if (input.generation == nullptr) {
    out.append("null");
  } else {
    out.append("{");
    for (const GenerationRow& row : GenerationRows(*input.generation)) field(row.key, row.value);
    out.append("\"planes_by_category\": {");
    for (int c = 0; c < kCategoryCount; ++c) {
      if (c > 0) out.append(", ");
      AppendJsonString(out, CategoryName(c));
      out.append(": ");
      AppendWhole(out, input.generation->fleet.planesByCategory[static_cast<std::size_t>(c)]);
    }
    out.append("}}");
  }
  // Each base: ident, name, longitude, latitude, planes, departures a week.
  out.append(",\n\"bases\": [");
  first = true;
  for (std::size_t i = 0; i < week.airports.size(); ++i) {
    if (f.basedPlanes[i] == 0) continue;
    out.append(first ? "\n[" : ",\n[");
    first = false;
    const WeekAirport& airport = week.airports[i];
    AppendJsonString(out, airport.ident);
    out.push_back(',');
    AppendJsonString(out, AirportName(input.world, airport.ident));
    out.push_back(',');
    AppendFixed(out, airport.longitude, 2);
    out.push_back(',');
    AppendFixed(out, airport.latitude, 2);
    out.push_back(',');
    AppendWhole(out, f.basedPlanes[i]);
    out.push_back(',');
    AppendWhole(out, f.departures[i]);
    out.push_back(']');
  }
  out.append("]}");
}

constexpr const char* kStyle = R"(
body{font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif;margin:0;color:#1d2733;background:#f6f7f9}
header,main,footer{max-width:1200px;margin:0 auto;padding:0 20px}
header h1{margin:22px 0 2px;font-size:26px}header p,.note,footer{color:#5a6675;margin:4px 0 14px}
h2{font-size:17px;margin:22px 0 8px}
.cards{display:flex;flex-wrap:wrap;gap:10px}
.card{flex:1 1 110px;background:#fff;border-radius:8px;padding:10px 14px;box-shadow:0 1px 2px #0002}
.card b{display:block;font-size:22px}.card span{color:#5a6675;font-size:13px}
#map-frame{position:relative;height:min(62vh,640px);min-height:340px;border-radius:8px;overflow:hidden;box-shadow:0 1px 3px #0003}
#map{display:block;width:100%;height:100%;cursor:grab;touch-action:none;background:#d5e4f0}#map.dragging{cursor:grabbing}
.sea{fill:#d5e4f0}.land{fill:#f4f1e8;stroke:#b8ae97;stroke-width:.6px;vector-effect:non-scaling-stroke}
.routes path{fill:none;stroke:#c0392b;stroke-width:.8px;stroke-linecap:round;vector-effect:non-scaling-stroke}
.r0{stroke-opacity:.06}.r1{stroke-opacity:.09}.r2{stroke-opacity:.14}.r3{stroke-opacity:.22}.r4{stroke-opacity:.34}.r5{stroke-opacity:.5}
.bases path{fill:none;stroke:#1c4f82;stroke-opacity:.75;stroke-linecap:round;vector-effect:non-scaling-stroke}
.b0{stroke-width:2.5px}.b1{stroke-width:3.5px}.b2{stroke-width:4.5px}.b3{stroke-width:6px}.b4{stroke-width:8px}.b5{stroke-width:10px}
#map-buttons{position:absolute;right:10px;top:10px;display:flex;flex-direction:column;gap:4px}
#map-buttons button{width:32px;height:32px;font-size:18px;border:0;border-radius:6px;background:#fffd;box-shadow:0 1px 2px #0004;cursor:pointer}
#tooltip{position:absolute;pointer-events:none;background:#fff;border-radius:6px;padding:6px 10px;box-shadow:0 2px 6px #0004;font-size:13px;white-space:nowrap}
#tooltip[hidden]{display:none}
.chart{width:100%;height:auto;background:#fff;border-radius:8px;box-shadow:0 1px 2px #0002}
.chart rect{fill:#2e6da4}.chart rect:hover{fill:#c0392b}.chart line{stroke:#d0d6de}.chart text{font-size:11px;fill:#5a6675;text-anchor:middle}
.tables{display:grid;grid-template-columns:repeat(auto-fit,minmax(340px,1fr));gap:0 24px}
table{border-collapse:collapse;width:100%;background:#fff;border-radius:8px;box-shadow:0 1px 2px #0002;font-size:14px}
th,td{text-align:left;padding:4px 10px;border-bottom:1px solid #eef0f3}th{font-weight:600;color:#5a6675}
td.count{position:relative;text-align:right;width:30%;font-variant-numeric:tabular-nums}
td.count .bar{position:absolute;left:0;top:5px;bottom:5px;background:#2e6da41f;border-radius:3px}
td.detail{padding-left:28px;color:#5a6675}
@media (min-width:900px){.wide{grid-column:span 2}}
footer{padding:24px 20px 40px;font-size:13px}
)";

constexpr const char* kScript = R"(
(function () {
  "use strict";
  var data = JSON.parse(document.getElementById("wingfold-report").textContent);
  var svg = document.getElementById("map");
  var frame = document.getElementById("map-frame");
  var tip = document.getElementById("tooltip");
  var home = svg.getAttribute("viewBox").split(" ").map(Number);
  var box = home.slice();
  function show() { svg.setAttribute("viewBox", box.join(" ")); }
  function unitsPerPixel() { var m = svg.getScreenCTM(); return m && m.a ? 1 / m.a : 1; }
  function toMap(x, y) {
    var p = svg.createSVGPoint(), m = svg.getScreenCTM();
    p.x = x; p.y = y;
    return m ? p.matrixTransform(m.inverse()) : p;
  }
  function zoom(factor, cx, cy) {
    var width = Math.min(Math.max(box[2] * factor, 20), home[2] * 2), f = width / box[2];
    box = [cx - (cx - box[0]) * f, cy - (cy - box[1]) * f, box[2] * f, box[3] * f];
    show();
  }
  svg.addEventListener("wheel", function (e) {
    e.preventDefault();
    var p = toMap(e.clientX, e.clientY);
    zoom(e.deltaY > 0 ? 1.25 : 0.8, p.x, p.y);
  }, { passive: false });
  var drag = null;
  svg.addEventListener("pointerdown", function (e) {
    drag = { x: e.clientX, y: e.clientY, box: box.slice(), k: unitsPerPixel() };
    svg.setPointerCapture(e.pointerId);
    svg.classList.add("dragging");
    tip.hidden = true;
  });
  function endDrag() { drag = null; svg.classList.remove("dragging"); }
  svg.addEventListener("pointerup", endDrag);
  svg.addEventListener("pointercancel", endDrag);
  svg.addEventListener("pointerleave", function () { tip.hidden = true; });
  svg.addEventListener("pointermove", function (e) {
    if (drag) {
      box = [drag.box[0] - (e.clientX - drag.x) * drag.k, drag.box[1] - (e.clientY - drag.y) * drag.k, box[2], box[3]];
      show();
    } else {
      hover(e);
    }
  });
  Array.prototype.forEach.call(document.querySelectorAll("#map-buttons button"), function (button) {
    button.addEventListener("click", function () {
      var how = button.getAttribute("data-zoom");
      if (how === "reset") { box = home.slice(); show(); return; }
      zoom(how === "in" ? 0.5 : 2, box[0] + box[2] / 2, box[1] + box[3] / 2);
    });
  });

  // The bases by cells of one degree, for the tooltip.
  var cells = new Map();
  data.bases.forEach(function (base, i) {
    var key = Math.floor(base[2]) + ":" + Math.floor(base[3]);
    if (!cells.has(key)) cells.set(key, []);
    cells.get(key).push(i);
  });
  function line(label, value) {
    var row = document.createElement("div");
    row.textContent = label + ": " + value.toLocaleString();
    return row;
  }
  function hover(e) {
    var p = toMap(e.clientX, e.clientY), lon = p.x / 100, lat = -p.y / 100;
    var reach = 8 * unitsPerPixel() / 100, best = -1, bestDistance = reach * reach;
    for (var x = Math.floor(lon - reach); x <= Math.floor(lon + reach); x++) {
      for (var y = Math.floor(lat - reach); y <= Math.floor(lat + reach); y++) {
        (cells.get(x + ":" + y) || []).forEach(function (i) {
          var dx = data.bases[i][2] - lon, dy = data.bases[i][3] - lat, d = dx * dx + dy * dy;
          if (d <= bestDistance) { bestDistance = d; best = i; }
        });
      }
    }
    if (best < 0) { tip.hidden = true; return; }
    var base = data.bases[best], title = document.createElement("b");
    title.textContent = base[0] + (base[1] ? " " + base[1] : "");
    tip.replaceChildren(title, line("Planes based", base[4]), line("Departures a week", base[5]));
    var rect = frame.getBoundingClientRect();
    var left = e.clientX - rect.left + 14, top = e.clientY - rect.top + 14;
    tip.hidden = false;
    if (left + tip.offsetWidth > rect.width) left -= tip.offsetWidth + 28;
    if (top + tip.offsetHeight > rect.height) top -= tip.offsetHeight + 28;
    tip.style.left = left + "px";
    tip.style.top = top + "px";
  }
  document.documentElement.setAttribute("data-map", "ready");
})();
)";

}

std::string TrafficReportPage(const ReportPageInput& input) {
  const TrafficWeek& week = *input.week;
  const WeekFigures& f = *input.figures;

  std::map<std::string, std::int64_t> countries;
  std::map<std::int32_t, std::int64_t> planesByAircraft;
  for (std::size_t p = 0; p < week.plans.size(); ++p) {
    const std::int32_t home = f.homes[p];
    if (home >= 0) {
      const std::string& country = week.airports[static_cast<std::size_t>(home)].country;
      ++countries[country.empty() ? "(no country)" : country];
    }
    ++planesByAircraft[week.plans[p].aircraft];
  }

  std::string out;
  out.reserve(4 << 20);
  out.append(
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Wingfold traffic report</title>\n<style>");
  out.append(kStyle);
  out.append("</style>\n</head>\n<body>\n<header>\n<h1>Traffic report</h1>\n<p>The week of ");
  out.append(kFlightPlansFile);
  out.append(" in ");
  AppendHtml(out, input.workFolder);
  const CalendarFields start = SplitTime(input.startDate);
  out.append(", generated for the week from ");
  AppendWhole(out, start.year);
  out.append(start.month < 10 ? "-0" : "-");
  AppendWhole(out, start.month);
  out.append(start.day < 10 ? "-0" : "-");
  AppendWhole(out, start.day);
  out.append(
      ". Times are UTC in the files; here they are the zone clock of each departure airport.</p>\n"
      "</header>\n<main>\n<section class=\"cards\">\n");
  AppendCard(out, Thousands(f.planes), "planes");
  AppendCard(out, Thousands(f.airports), "home bases");
  AppendCard(out, Thousands(f.plans), "plans");
  AppendCard(out, Thousands(f.legs), "legs a week");
  AppendCard(out, Thousands(static_cast<std::int64_t>(f.routes.size())), "routes");
  AppendCard(out, Percent(f.ifrLegs, f.legs), "IFR legs");
  AppendCard(out, Percent(f.nightLegs, f.legs), "night legs");
  AppendCard(out, Percent(f.touchAndGoLegs, f.legs), "touch-and-go legs");
  out.append("</section>\n");
  if (week.linesNotRead > 0) {
    out.append("<p class=\"note\">");
    out.append(Thousands(static_cast<std::int64_t>(week.linesNotRead)));
    out.append(
        " lines of the files are not in their format and were left out; "
        "<code>wingfold check</code> lists them.</p>\n");
  }

  out.append("<section>\n<h2>Where the fleet lives and flies</h2>\n<div id=\"map-frame\">\n");
  AppendWorldMap(out, week, f);
  out.append(
      "<div id=\"map-buttons\"><button data-zoom=\"in\" title=\"Zoom in\">+</button>"
      "<button data-zoom=\"out\" title=\"Zoom out\">&minus;</button>"
      "<button data-zoom=\"reset\" title=\"The whole world\">&#8634;</button></div>\n"
      "<div id=\"tooltip\" hidden></div>\n</div>\n"
      "<p class=\"note\">Blue dots are home bases, larger for more planes; red lines are the routes, "
      "darker the more often they are flown a week. Scroll to zoom, drag to pan, point at a base "
      "for its figures.</p>\n</section>\n");

  out.append("<section>\n<h2>Departures per hour of the week</h2>\n");
  AppendHistogram(out, f);
  out.append(
      "<p class=\"note\">By the zone clock of the departure airport (whole hours by longitude).</p>\n"
      "</section>\n<div class=\"tables\">\n");

  if (input.generation != nullptr) {
    std::vector<TableRow> rows;
    for (int c = 0; c < kCategoryCount; ++c)
      rows.push_back(
          {{CategoryName(c)}, input.generation->fleet.planesByCategory[static_cast<std::size_t>(c)]});
    AppendTable(out, "Planes per category", {"Category", "Planes"}, rows);
  }
  AppendTable(out, "Planes per country", {"Country", "Planes"}, TopRows(countries, "other countries"),
              "By the country of the home base.");
  std::vector<std::size_t> busiest(week.airports.size());
  for (std::size_t i = 0; i < busiest.size(); ++i) busiest[i] = i;
  const std::size_t shown = std::min(kTableRows, busiest.size());
  std::partial_sort(busiest.begin(), busiest.begin() + static_cast<std::ptrdiff_t>(shown), busiest.end(),
                    [&f](std::size_t a, std::size_t b) { return f.departures[a] > f.departures[b]; });
  std::vector<TableRow> rows;
  for (std::size_t i = 0; i < shown && f.departures[busiest[i]] > 0; ++i) {
    const WeekAirport& airport = week.airports[busiest[i]];
    rows.push_back(
        {{airport.ident, AirportName(input.world, airport.ident), Thousands(f.basedPlanes[busiest[i]])},
         f.departures[busiest[i]]});
  }
  AppendTable(out, "Busiest airports", {"Ident", "Name", "Based", "Departures a week"}, rows, nullptr, true);
  std::map<std::int32_t, std::string> titles;
  for (const WeekAircraft& aircraft : week.aircraft) titles.emplace(aircraft.number, aircraft.title);
  std::map<std::string, std::int64_t> aircraftCounts;
  for (const auto& [number, planes] : planesByAircraft) {
    const auto title = titles.find(number);
    aircraftCounts["AC" + std::to_string(number) + " " + (title != titles.end() ? title->second : "")] +=
        planes;
  }
  AppendTable(out, "Planes per aircraft", {"Aircraft", "Planes"}, TopRows(aircraftCounts, "other aircraft"));
  out.append("</div>\n<section>\n<h2>The generation</h2>\n");
  if (input.generation == nullptr) {
    out.append(
        "<p class=\"note\">These figures are known to the run that generated the week: write the "
        "report with <code>wingfold generate --report</code>, or with &ldquo;Show traffic "
        "report&rdquo; after &ldquo;Generate Flightplan&rdquo; in the window.</p>\n");
  } else {
    out.append("<table>\n");
    for (const GenerationRow& row : GenerationRows(*input.generation)) {
      out.append(row.detail ? "<tr><td class=\"detail\">" : "<tr><td>");
      out.append(row.label);
      out.append("</td><td class=\"count\">");
      out.append(Thousands(row.value));
      out.append("</td></tr>\n");
    }
    out.append("</table>\n");
  }
  out.append("</section>\n</main>\n<footer>Written by Wingfold from ");
  out.append(kAirportsFile);
  out.append(", ");
  out.append(kAircraftFile);
  out.append(" and ");
  out.append(kFlightPlansFile);
  out.append(
      ". Land: Natural Earth (public domain).</footer>\n"
      "<script type=\"application/json\" id=\"wingfold-report\">");
  AppendJson(out, input, countries);
  out.append("</script>\n<script>");
  out.append(kScript);
  out.append("</script>\n</body>\n</html>\n");
  return out;
}

}
