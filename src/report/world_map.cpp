#include "report/world_map.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <tuple>
#include <vector>

#include "geo/geodesy.h"
#include "platform/numbers.h"
#include "report/land_outline.h"

namespace wf {

namespace {

constexpr int kClasses = 6;
constexpr std::int32_t kHalfTurn = 18000;  // 180 degrees in map units
// How far, in map units, the line drawn for a great-circle arc may stray from it.
constexpr double kArcTolerance = 3.0;

struct MapPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const MapPoint&) const = default;
};

MapPoint ToMap(double latitude, double longitude) {
  return {static_cast<std::int32_t>(std::lround(longitude * 100)),
          static_cast<std::int32_t>(std::lround(-latitude * 100))};
}

// The bits of x and y interleaved: points near each other on the map are mostly near in this order,
// so that the relative moves between the lines of a path stay short.
std::uint64_t Morton(MapPoint p) {
  std::uint64_t key = 0;
  const auto x = static_cast<std::uint32_t>(p.x + (1 << 20));
  const auto y = static_cast<std::uint32_t>(p.y + (1 << 20));
  for (int bit = 0; bit < 22; ++bit) {
    key |= static_cast<std::uint64_t>((x >> bit) & 1u) << (2 * bit);
    key |= static_cast<std::uint64_t>((y >> bit) & 1u) << (2 * bit + 1);
  }
  return key;
}

// Path data of relative commands only: "m" where a line starts unless the pen is already there,
// "l" for its segments, whole numbers, blanks only where a number needs one. (A path's first "m"
// counts as absolute.)
class PathWriter {
 public:
  explicit PathWriter(std::string& out) : out_(out) {}

  void MoveTo(MapPoint p) {
    if (started_ && p == at_) return;
    Command('m');
    Numbers(p);
    started_ = true;
  }
  void LineTo(MapPoint p) {
    if (command_ != 'l') Command('l');
    Numbers(p);
  }
  // A dot: a line of length zero, which the round caps draw as a disc.
  void Dot(MapPoint p) {
    if (started_ && p == at_) return;
    MoveTo(p);
    Command('h');
    Number(0);
  }

 private:
  void Command(char c) {
    out_.push_back(c);
    command_ = c;
    fresh_ = true;
  }
  void Number(std::int64_t value) {
    if (value >= 0 && !fresh_) out_.push_back(' ');
    AppendWhole(out_, value);
    fresh_ = false;
  }
  void Numbers(MapPoint p) {
    Number(static_cast<std::int64_t>(p.x) - at_.x);
    Number(static_cast<std::int64_t>(p.y) - at_.y);
    at_ = p;
  }

  std::string& out_;
  MapPoint at_;
  char command_ = 0;
  bool fresh_ = true;  // right after a command letter, where a number needs no blank
  bool started_ = false;
};

using Vector = std::array<double, 3>;

Vector UnitVector(double latitude, double longitude) {
  const double lat = DegToRad(latitude), lon = DegToRad(longitude);
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// The map point of direction v, its longitude taken within half a turn of `near`.
MapPoint ToMapNear(const Vector& v, std::int32_t near) {
  const double degree = DegToRad(1.0);
  MapPoint p = ToMap(std::atan2(v[2], std::hypot(v[0], v[1])) / degree, std::atan2(v[1], v[0]) / degree);
  p.x += 2 * kHalfTurn *
         static_cast<std::int32_t>(std::lround(static_cast<double>(near - p.x) / (2 * kHalfTurn)));
  return p;
}

// Appends the points after `a` up to `b` of the great-circle arc from p (at a) to q (at b), halving
// it until each straight piece is within kArcTolerance of the arc.
void AppendArc(const Vector& p, const Vector& q, MapPoint a, MapPoint b, int depth,
               std::vector<MapPoint>& out) {
  const Vector sum = {p[0] + q[0], p[1] + q[1], p[2] + q[2]};
  const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
  if (depth < 10 && length > 1e-9) {
    const Vector middle = {sum[0] / length, sum[1] / length, sum[2] / length};
    const MapPoint m = ToMapNear(middle, a.x);
    if (std::hypot(m.x - (a.x + b.x) / 2.0, m.y - (a.y + b.y) / 2.0) > kArcTolerance) {
      AppendArc(p, middle, a, m, depth + 1, out);
      AppendArc(middle, q, m, b, depth + 1, out);
      return;
    }
  }
  out.push_back(b);
}

// The lines of one drawing class, each a run of points (a dot when it has one), ordered for short
// moves between them.
class LineSet {
 public:
  void Add(std::vector<MapPoint>& points) {
    if (Morton(points.back()) < Morton(points.front())) std::reverse(points.begin(), points.end());
    lines_.push_back({Morton(points.front()), Morton(points.back()),
                      static_cast<std::uint32_t>(points_.size()), static_cast<std::uint32_t>(points.size())});
    points_.insert(points_.end(), points.begin(), points.end());
  }

  void Write(std::string& out) {
    std::sort(lines_.begin(), lines_.end(), [](const Line& a, const Line& b) {
      return std::tie(a.start, a.end) < std::tie(b.start, b.end);
    });
    PathWriter path(out);
    for (const Line& line : lines_) {
      if (line.count == 1) {
        path.Dot(points_[line.first]);
        continue;
      }
      path.MoveTo(points_[line.first]);
      for (std::uint32_t i = 1; i < line.count; ++i) path.LineTo(points_[line.first + i]);
    }
  }

  bool empty() const { return lines_.empty(); }

 private:
  struct Line {
    std::uint64_t start;
    std::uint64_t end;
    std::uint32_t first;
    std::uint32_t count;
  };
  std::vector<Line> lines_;
  std::vector<MapPoint> points_;
};

// Adds the great-circle arc from a to b; one that passes the 180th meridian is added again from
// the other side.
void AddRoute(LineSet& lines, const WeekAirport& a, const WeekAirport& b, std::vector<MapPoint>& points) {
  const MapPoint from = ToMap(a.latitude, a.longitude);
  MapPoint to = ToMap(b.latitude, b.longitude);
  if (to.x - from.x > kHalfTurn) to.x -= 2 * kHalfTurn;
  if (from.x - to.x > kHalfTurn) to.x += 2 * kHalfTurn;
  if (from == to) return;
  points.assign(1, from);
  AppendArc(UnitVector(a.latitude, a.longitude), UnitVector(b.latitude, b.longitude), from, to, 0, points);
  std::int32_t shift = 0;
  for (const MapPoint& p : points) {
    if (p.x > kHalfTurn) shift = -2 * kHalfTurn;
    if (p.x < -kHalfTurn) shift = 2 * kHalfTurn;
  }
  std::vector<MapPoint> copy = points;
  lines.Add(points);
  if (shift == 0) return;
  for (MapPoint& p : copy) p.x += shift;
  lines.Add(copy);
}

void AppendPathElement(std::string& out, char kind, int drawingClass, LineSet& lines) {
  if (lines.empty()) return;
  out.append("<path class=\"");
  out.push_back(kind);
  AppendWhole(out, drawingClass);
  out.append("\" d=\"");
  lines.Write(out);
  out.append("\"/>\n");
}

}

int CountClass(std::int64_t count) {
  if (count <= 1) return 0;
  return std::min(kClasses - 1, static_cast<int>(std::bit_width(static_cast<std::uint64_t>(count))) - 1);
}

void AppendWorldMap(std::string& out, const TrafficWeek& week, const WeekFigures& figures) {
  out.append("<svg id=\"map\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"");
  out.append(kMapViewBox);
  out.append("\" role=\"img\" aria-label=\"World map of the home bases and routes\">\n");
  out.append("<rect class=\"sea\" x=\"-54000\" y=\"-27000\" width=\"108000\" height=\"54000\"/>\n");
  out.append("<path class=\"land\" d=\"");
  for (std::string_view piece : LandOutline()) out.append(piece);
  out.append("\"/>\n<g class=\"routes\">\n");
  std::array<LineSet, kClasses> routes;
  std::vector<MapPoint> points;
  for (const WeekRoute& route : figures.routes) {
    AddRoute(routes[static_cast<std::size_t>(CountClass(route.legs))],
             week.airports[static_cast<std::size_t>(route.from)],
             week.airports[static_cast<std::size_t>(route.to)], points);
  }
  for (int c = 0; c < kClasses; ++c) AppendPathElement(out, 'r', c, routes[static_cast<std::size_t>(c)]);
  out.append("</g>\n<g class=\"bases\">\n");
  std::array<LineSet, kClasses> bases;
  for (std::size_t i = 0; i < figures.basedPlanes.size(); ++i) {
    if (figures.basedPlanes[i] == 0) continue;
    points.assign(1, ToMap(week.airports[i].latitude, week.airports[i].longitude));
    bases[static_cast<std::size_t>(CountClass(figures.basedPlanes[i]))].Add(points);
  }
  for (int c = 0; c < kClasses; ++c) AppendPathElement(out, 'b', c, bases[static_cast<std::size_t>(c)]);
  out.append("</g>\n</svg>\n");
}

}
