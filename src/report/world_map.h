#pragma once
// The report's world map as inline SVG: land, the routes of the week and the home bases.
//
// Map units are hundredths of a degree on a plate carrée: x = longitude x 100, y = -latitude x 100.
// Routes are great-circle arcs (straight below 2 degrees of arc), split at the 180th meridian,
// drawn in classes by how often they are flown a week, each class one path whose opacity grows
// with the count, so that the world's routes stay a handful of elements. Bases are dots (round
// caps of zero-length lines) in classes by their planes. Lines and dots keep their width in
// pixels when the page zooms the map (non-scaling strokes).
#include <string>

#include "report/traffic_week.h"
#include "report/week_figures.h"

namespace wf {

// The first view: longitudes -180 to 180, latitudes 84 to -60.
inline constexpr const char* kMapViewBox = "-18000 -8400 36000 14400";

// Appends the <svg id="map"> element.
void AppendWorldMap(std::string& out, const TrafficWeek& week, const WeekFigures& figures);

// The class (0..5) of a count of planes or of legs a week: 1, 2-3, 4-7, 8-15, 16-31, 32 and more.
int CountClass(std::int64_t count);

}
