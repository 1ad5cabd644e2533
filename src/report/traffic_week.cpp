#include "report/traffic_week.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/text.h"

namespace wf {

namespace {

// Calls `visit(trimmedLine)` for every line that is not blank.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    if (!line.empty()) visit(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// The first field of `line` (trimmed), and `line` left after its comma; the whole rest when there
// is no comma.
std::string_view NextField(std::string_view& line) {
  const std::size_t comma = line.find(',');
  const std::string_view field = Trim(line.substr(0, comma));
  line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  return field;
}

bool ParseDegrees(std::string_view text, double limit, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::fabs(value) <= limit;
}

// "AC<number>" with at most nine digits.
bool ParseAircraftNumber(std::string_view field, std::int32_t& number) {
  if (field.size() < 3 || field.size() > 11 || field.substr(0, 2) != "AC") return false;
  number = 0;
  for (char c : field.substr(2)) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return true;
}

// "<weekday 0..6><HHMM>" as seconds after Sunday 00:00.
bool ParseWeekTime(std::string_view field, std::int32_t& seconds) {
  if (field.size() != 5) return false;
  std::array<int, 5> d{};
  for (std::size_t i = 0; i < 5; ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
    d[i] = field[i] - '0';
  }
  const int hours = d[1] * 10 + d[2];
  const int minutes = d[3] * 10 + d[4];
  if (d[0] > 6 || hours > 23 || minutes > 59) return false;
  seconds = d[0] * 86400 + hours * 3600 + minutes * 60;
  return true;
}

void ReadAirports(std::string_view text, TrafficWeek& week) {
  ForEachLine(text, [&week](std::string_view line) {
    if (line == "{" || line == "}" || line.starts_with("RUNWAY") || line.starts_with("PARKING")) return;
    WeekAirport airport;
    airport.ident = NextField(line);
    const std::string_view latitude = NextField(line);
    const std::string_view longitude = NextField(line);
    for (int i = 0; i < 4; ++i) NextField(line);  // altitude, airspace, channels, 0.70
    airport.country = Trim(line);
    if (airport.ident.empty() || !ParseDegrees(latitude, 90.0, airport.latitude) ||
        !ParseDegrees(longitude, 180.0, airport.longitude)) {
      ++week.linesNotRead;
      return;
    }
    if (week.airportByIdent.contains(airport.ident)) return;
    week.airportByIdent.emplace(airport.ident, static_cast<std::int32_t>(week.airports.size()));
    week.airports.push_back(std::move(airport));
  });
}

void ReadAircraft(std::string_view text, TrafficWeek& week) {
  // The fields after the title, which may itself hold commas.
  constexpr int kTail = 12;
  ForEachLine(text, [&week](std::string_view line) {
    WeekAircraft aircraft;
    const std::string_view number = NextField(line);
    std::size_t titleEnd = line.size();
    for (int i = 0; i < kTail && titleEnd != std::string_view::npos; ++i) {
      titleEnd = titleEnd == 0 ? std::string_view::npos : line.rfind(',', titleEnd - 1);
    }
    if (!ParseAircraftNumber(number, aircraft.number) || titleEnd == std::string_view::npos) {
      ++week.linesNotRead;
      return;
    }
    aircraft.title = Trim(line.substr(0, titleEnd));
    week.aircraft.push_back(std::move(aircraft));
  });
}

void ReadFlightPlans(std::string_view text, TrafficWeek& week) {
  WeekPlan* plan = nullptr;
  ForEachLine(text, [&](std::string_view line) {
    if (line == "{") return;
    if (line == "}") {
      plan = nullptr;
      return;
    }
    if (line.front() >= '0' && line.front() <= '9') {
      WeekLeg leg;
      const std::string_view departure = NextField(line);
      const std::string_view destination = NextField(line);
      NextField(line);  // the altitude
      if (plan == nullptr || !ParseWeekTime(departure, leg.departure)) {
        ++week.linesNotRead;
        return;
      }
      leg.destination = week.AirportIndex(destination);
      leg.withArrival = !line.empty();
      week.legs.push_back(leg);
      ++plan->legCount;
      return;
    }
    WeekPlan header;
    const std::string_view number = NextField(line);
    header.registration = NextField(line);
    for (int i = 0; i < 2; ++i) NextField(line);  // the percentage, ONE_WEEK
    header.ifr = Trim(line) == "IFR";
    if (!ParseAircraftNumber(number, header.aircraft)) {
      ++week.linesNotRead;
      plan = nullptr;
      return;
    }
    header.firstLeg = week.legs.size();
    week.plans.push_back(std::move(header));
    plan = &week.plans.back();
  });
}

}

std::int32_t TrafficWeek::AirportIndex(std::string_view ident) const {
  const auto found = airportByIdent.find(ident);
  return found == airportByIdent.end() ? -1 : found->second;
}

TrafficWeek ReadTrafficWeek(std::string_view airportsText, std::string_view aircraftText,
                            std::string_view flightPlansText) {
  TrafficWeek week;
  ReadAirports(airportsText, week);
  ReadAircraft(aircraftText, week);
  ReadFlightPlans(flightPlansText, week);
  return week;
}

}
