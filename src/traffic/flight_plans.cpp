#include "traffic/flight_plans.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <stdexcept>

#include "geo/geodesy.h"
#include "geo/sun_times.h"
#include "geo/units.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "traffic/destination_caches.h"
#include "traffic/destination_draws.h"

namespace wf {

namespace {

constexpr TimeValue kSecondsPerDay = 86400;
constexpr TimeValue kSecondsPerHour = 3600;
constexpr TimeValue kSecondsPerMinute = 60;

// Percent by category (rows) and weekday (columns, Sunday first).
constexpr int kDayActivity[kCategoryCount][7] = {
    {90, 40, 40, 40, 40, 75, 100},      // Private
    {100, 30, 30, 30, 30, 75, 100},     // Club
    {100, 75, 75, 75, 75, 90, 100},     // Training
    {80, 60, 60, 60, 60, 90, 95},       // Rentable
    {50, 75, 75, 75, 75, 50, 25},       // Business
    {50, 100, 100, 100, 100, 100, 75},  // Taxi
};

// By airport type: Bush, Gras Strip, small/medium/large airfield, small/medium/large commercial,
// Seaplane Base.
constexpr std::array<int, kAirportTypeCount> kAirportTypeFactors = {10, 15, 20, 25, 40, 10, 15, 30, 20};

constexpr int kFlightsPerDayLimit = 200;
constexpr int kFlightsOnBusyDays = 190;
constexpr float kLongestLegHours = 12.0f;
constexpr int kDestinationRetries = 5;
constexpr TimeValue kTurnaround = 45 * kSecondsPerMinute;
constexpr TimeValue kSunsetMargin = 30 * kSecondsPerMinute;

// The cruise altitude's climb angle and the altitude that fast aircraft reach at least.
constexpr double kClimbDegrees = 3.0;
constexpr double kFastCruiseKnots = 250;
constexpr double kFastCruiseFeet = 10000;

// trunc(value) as an int; 0 for NaN, and the nearest int for values beyond its range (only damaged
// data gets there).
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

int Weekday(TimeValue t) {
  return SplitClock(t).weekday;
}

// "%H%M" of the Greenwich reading.
void AppendClock(std::string& out, TimeValue t) {
  const ClockFields fields = SplitClock(t);
  out.push_back(static_cast<char>('0' + fields.hour / 10));
  out.push_back(static_cast<char>('0' + fields.hour % 10));
  out.push_back(static_cast<char>('0' + fields.minute / 10));
  out.push_back(static_cast<char>('0' + fields.minute % 10));
}

void AppendLine(std::string& out, const FlightLine& line) {
  AppendWhole(out, line.weekday);
  AppendClock(out, line.departure);
  out.push_back(',');
  AppendCString(out, line.destination->icao);
  out.push_back(',');
  AppendWhole(out, line.altitude);
  if (line.withArrival) {
    out.append(",,");
    AppendWhole(out, Weekday(line.arrival));
    AppendClock(out, line.arrival);
  }
  out.push_back('\n');
}

// Builds and writes the weeks of the planes of one airport after another, by the rules of a week.
// What the destination searches read and keep lives in destination_caches.h.
class WeekWriter {
 public:
  WeekWriter(const Settings& settings, Random& random, Prompter& prompter, const AirportOrder& order,
             GenerationResult& result)
      : settings_(settings),
        random_(random),
        prompter_(prompter),
        order_(order),
        result_(result),
        keys_(order),
        kindPasses_(order),
        destinations_(order, settings.startDate, result.work),
        verdicts_(order.entries.size()) {
    if (order.entries.size() >= kMaxOrderListSize)
      throw std::length_error("too many airports for one generation");
    lines_.reserve(kMaxWeekLines);
  }

  void WriteAirport(CAirport& home, std::string& out) {
    if (home.planes.empty()) return;
    destinations_.StartHome(static_cast<std::size_t>(home.generatorIndex));
    home.sunrise = SunriseTime(settings_.startDate, home.latitude, home.longitude);
    home.sunset = SunsetTime(settings_.startDate, home.latitude, home.longitude);
    result_.work.sunTimeComputations += 2;
    const bool invalidSunTimes = home.sunrise <= 0 || home.sunset <= 0;
    if (invalidSunTimes) result_.airportsWithInvalidSunTimes.push_back(home.icao);
    for (const auto& [registration, plane] : home.planes) {
      if (plane->aircraft == nullptr || plane->aircraft->aircraft == nullptr) {
        ++result_.planesWithoutBlock;
        continue;
      }
      WritePlane(home, *plane, invalidSunTimes, out);
    }
  }

 private:
  struct PlaneWeek {
    const CAirport* home = nullptr;
    const CAI_Aircraft* variation = nullptr;
    const CAircraft* model = nullptr;
    int category = 0;
    bool ifr = false;
    bool night = false;
    bool away = false;  // at a destination; the next leg returns home
    const CAirport* location = nullptr;
    TimeValue current = 0;  // the departure of the leg being built, then the time the plane is ready
    TimeValue arrival = 0;
    TimeValue windowStart = 0;
    TimeValue windowEnd = 0;
    TimeValue readyAgain = 0;  // when the plane is back from the last leg written, ready for the next
    int altitude = 0;          // hundreds of feet
    // The last outbound leg's time; the return leg flies as long.
    float outboundSeconds = 0.0f;
    SearchBand band;
    double fuelPrice = 0.0;                     // per US gallon
    double legBudget = 0.0;                     // the most a leg may cost
    const std::uint64_t* kindPasses = nullptr;  // bit i: airport i passes the kind tests
    DrawPlan draws;                             // the draws of its destination searches
    std::optional<int> homeAltitude;            // CruiseAltitude of a leg that stays home, once computed
  };

  void WritePlane(const CAirport& home, const CPlane& plane, bool invalidSunTimes, std::string& out) {
    PlaneWeek week;
    week.home = &home;
    week.variation = plane.aircraft;
    week.model = plane.aircraft->aircraft;
    week.category = plane.category;
    week.location = &home;
    const int c = week.category;

    week.ifr = random_.Next() % 100 >= 100 - settings_.ifrPercent[c] && week.model->ifr == 1;
    // A draw whose value plays no part (each day starts at the window start); it keeps its place in
    // the sequence.
    random_.Next();
    if (invalidSunTimes) prompter_.Message("Error @" + home.icao, MessageIcon::kStop);

    week.windowStart = home.sunrise;
    week.windowEnd = home.sunset;
    if (random_.Next() % 100 >= 100 - settings_.nightPercent[c]) {
      if (random_.Next() % 4 == 0 && week.model->ifr == 1) {
        // 05:00 to 02:00 the next day by the airport's zone clock, on the zone's date of sunrise.
        week.night = true;
        const TimeValue zoneShift = ZoneHours(home.longitude) * kSecondsPerHour;
        const CalendarFields date = SplitTime(home.sunrise + zoneShift);
        week.windowStart = MakeTime(date.year, date.month, date.day, 5) - zoneShift;
        week.windowEnd = MakeTime(date.year, date.month, date.day + 1, 2) - zoneShift;
      }
    }
    const double windowSeconds = static_cast<double>(week.windowEnd - week.windowStart);
    week.band = keys_.BandAround(home.generatorIndex, week.model->range);
    week.draws = PlanDraws(week.band.lo, week.band.span, home.generatorIndex, order_.entries.size());
    verdicts_.StartPlane();
    week.fuelPrice = FuelPricePerGallon(week.model->fuelType);
    week.legBudget = week.variation->moneyPerWeek / 70.0 * CategoryFeeFactor(c);
    week.kindPasses =
        kindPasses_.For(c, week.model->amphibian != 0, MinimumRunwayLength(week.model->stallSpeed));
    const int typeFactor = AirportTypeFactor(home.GetType());

    lines_.clear();
    for (int day = 0; day < 7 && lines_.size() < kMaxWeekLines; ++day) {
      week.current = week.arrival = week.windowStart;
      const int flights = FlightsPerDay(windowSeconds, DayActivityPercent(c, Weekday(week.current)),
                                        settings_.flightTimeMin[c], typeFactor);
      for (int flight = 0; flight < flights && lines_.size() < kMaxWeekLines; ++flight) {
        if (!BuildLeg(week)) break;
        if (week.current > week.windowEnd || week.arrival > week.windowEnd) break;
      }
      week.windowStart += kSecondsPerDay;
      week.windowEnd += kSecondsPerDay;
    }

    // The week repeats, so it must end where it starts: at home, and back before the week's first
    // departure comes round again. A last outbound leg whose return did not fit goes, and so does a
    // last trip that runs into the next week.
    const TimeValue nextWeek = lines_.empty() ? 0 : lines_.front().departure + 7 * kSecondsPerDay;
    while (lines_.size() > 2 && (lines_.back().destination != &home || lines_.back().arrival > nextWeek))
      lines_.pop_back();
    if (lines_.size() < 2) {
      ++result_.planesWithoutBlock;
      return;
    }
    AppendPlaneBlock(out, week.variation->number, plane.registration, plane.percentage, week.ifr, lines_);
    ++result_.planeBlocks;
    result_.flightLines += static_cast<std::int64_t>(lines_.size());
  }

  // One leg; false when the day has no time left for a draw.
  bool BuildLeg(PlaneWeek& week) {
    const std::int64_t remaining = week.windowEnd - week.arrival;
    const std::int64_t waitModulus = remaining / 16 + 1;
    if (waitModulus <= 0) return false;
    week.current += random_.Next() % waitModulus;
    week.arrival = week.current;

    const CAirport* destination = nullptr;
    if (!week.away) {
      destination = ChooseDestination(week);
      week.away = destination != week.location;
    } else {
      week.altitude = ReturnAltitude(week.altitude);
      week.arrival = week.current + static_cast<TimeValue>(week.outboundSeconds);
      destination = week.home;
      week.away = false;
    }
    if (week.ifr) week.altitude = IfrAltitude(week.altitude);

    const int touchAndGo = random_.Next() % 100;
    bool same = destination == week.location;
    bool withArrival = false;
    if (touchAndGo < settings_.touchAndGoPercent[week.category] || same) {
      for (int retry = 0; same && retry < kDestinationRetries; ++retry) {
        destination = ChooseDestination(week);
        week.away = destination != week.location;
        same = destination == week.location;
      }
      if (same) return true;
      withArrival = !week.ifr;
    }

    if (withArrival) {
      week.arrival += (30 + random_.Next() % 30) * kSecondsPerMinute;
    } else {
      week.arrival += kTurnaround;
    }
    // Each day starts at its window's start, and a long leg late the day before (above all in a
    // night window) may land after that. The leg then waits until the plane is back; the draws and
    // the day's clock stay as they are, so only this plane's times move.
    const TimeValue delay = lines_.empty() ? 0 : std::max<TimeValue>(week.readyAgain - week.current, 0);
    const TimeValue departure = week.current + delay;
    week.readyAgain = week.arrival + delay;
    lines_.push_back(
        {departure, week.readyAgain, destination, week.altitude, Weekday(departure), withArrival});
    week.location = destination;
    week.current = week.arrival;
    return true;
  }

  // Picks the destination of an outbound leg departing at week.current by a halving search of the
  // band; sets week.arrival, week.altitude and week.outboundSeconds.
  //
  // The whole search's candidates and their kind tests come at once (destination_draws.h); only
  // candidates that pass the kind tests meet the distance tests, in order, and the random state is
  // left just after the draw of the candidate that ended the search, as if they had been drawn
  // one by one.
  const CAirport* ChooseDestination(PlaneWeek& week) {
    const CAirport& home = *week.home;
    const CAirport* destination = &home;
    float legHours = 0.0f;
    if (week.draws.count > 0) {
      const std::uint32_t state = random_.State();
      std::uint64_t passing = DrawCandidates(week.draws, state, week.kindPasses, candidates_);
      const std::size_t tested = week.draws.count - 1;
      for (std::uint64_t rest = passing; rest != 0; rest &= rest - 1)
        verdicts_.Prefetch(static_cast<std::size_t>(candidates_[std::countr_zero(rest)]));
      std::size_t ending = tested;
      for (; passing != 0; passing &= passing - 1) {
        const std::size_t k = static_cast<std::size_t>(std::countr_zero(passing));
        if (!RejectsOnTheLeg(week, static_cast<std::size_t>(candidates_[k]), legHours)) {
          ending = k;
          break;
        }
      }
      result_.work.candidatesTested += static_cast<std::int64_t>(ending == tested ? tested : ending + 1);
      random_.Seed(StateAfterDraws(state, ending + 1));
      destination = order_.entries[static_cast<std::size_t>(candidates_[ending])].airport;
    }
    if (destination == &home || week.band.span <= 0 || legHours > kLongestLegHours || legHours < 0) {
      destination = &home;
      legHours = 0;
    } else if (std::isnan(legHours)) {
      legHours = 0;  // another airport on the very same spot
    }
    week.outboundSeconds = legHours * static_cast<float>(kSecondsPerHour);
    week.arrival = week.current + static_cast<TimeValue>(week.outboundSeconds);
    if (destination != &home) {
      week.altitude = CruiseAltitude(*week.model, home, *destination, week.outboundSeconds);
    } else {
      // Most searches end at home, and such a leg's altitude is the same every time.
      if (!week.homeAltitude)
        week.homeAltitude = CruiseAltitude(*week.model, home, home, week.outboundSeconds);
      week.altitude = *week.homeAltitude;
    }
    return destination;
  }

  // Whether a candidate that passed the kind tests (usable, of the plane's class, seaplane bases
  // only for amphibians, a runway long enough) is no destination for the plane's next leg; sets
  // legHours to the leg's time. The tests have no side effects but the caches, so their order
  // changes nothing but the work: the cheap ones go first. A rejected candidate's leg time is never
  // used (a search that ends without an accepted candidate ends at home). A candidate at the home
  // airport's own position has a distance that is not a number; no distance test rejects it.
  bool RejectsOnTheLeg(const PlaneWeek& week, std::size_t index, float& legHours) {
    const bool passes = verdicts_.Passes(
        index, legHours, [&](float& hours) { return PassesDistanceTests(week, index, hours); });
    if (!passes) return true;
    return !week.night &&
           destinations_.SunsetAt(index, week.current) + kSunsetMargin <
               static_cast<double>(week.current) + legHours * static_cast<double>(kSecondsPerHour);
  }

  // The tests of a candidate that depend only on the plane and the candidate: range, cost and the
  // category's flight times. Sets legHours.
  bool PassesDistanceTests(const PlaneWeek& week, std::size_t index, float& legHours) {
    const DestinationTable::Destination& candidate = destinations_[index];
    const DestinationTable::Destination& home =
        destinations_[static_cast<std::size_t>(week.home->generatorIndex)];
    const CAircraft& model = *week.model;
    const int c = week.category;

    const float legDistance = destinations_.DistanceFromHome(index);
    legHours = static_cast<float>(legDistance / (model.cruiseSpeed * 0.9));
    if (static_cast<float>(model.range) < legDistance) return false;
    const float litres = static_cast<float>(model.engineCount) * legHours * model.fuelFlow;
    double cost = LitersToGallons(litres) * week.fuelPrice + candidate.landingFee;
    if (candidate.country != home.country) cost += settings_.crossCountryFee;
    if (week.night && model.ifr == 1) cost += legDistance / 100 * settings_.ifrFee;
    if (cost > week.legBudget) return false;
    return !(legHours > settings_.flightTimeMax[c] || legHours <= settings_.flightTimeMin[c]);
  }

  const Settings& settings_;
  Random& random_;
  Prompter& prompter_;
  const AirportOrder& order_;
  GenerationResult& result_;

  OrderKeys keys_;
  KindPassSets kindPasses_;
  DestinationTable destinations_;
  LegVerdicts verdicts_;
  std::vector<FlightLine> lines_;  // the week being built
  // The candidates of one destination search.
  std::array<std::int32_t, kMaxDrawSteps + 8> candidates_{};
};

}

int DayActivityPercent(int category, int weekday) {
  if (category < 0 || category >= kCategoryCount || weekday < 0 || weekday > 6) return 0;
  return kDayActivity[category][weekday];
}

int AirportTypeFactor(AirportType airportType) {
  const int code = Code(airportType);
  return code >= 0 && code < kAirportTypeCount ? kAirportTypeFactors[code] : 0;
}

double CategoryFeeFactor(int category) {
  if (category == kBusiness) return 1.5;
  if (category == kTaxi) return 2.0;
  return 1.0;
}

int FlightsPerDay(double windowSeconds, int activityPercent, float flightTimeMinHours, int typeFactor) {
  const double possible = windowSeconds * activityPercent / 100 /
                          static_cast<double>(flightTimeMinHours * static_cast<float>(kSecondsPerHour)) * 8;
  const double flights = std::trunc(typeFactor * possible / 100 + 0.5 + 1);
  if (!(flights >= 1)) return 0;
  if (flights > kFlightsPerDayLimit) return kFlightsOnBusyDays;
  return static_cast<int>(flights);
}

int CruiseAltitude(const CAircraft& model, const CAirport& from, const CAirport& to, float legSeconds) {
  const int meanSpeed = (model.cruiseSpeed - model.stallSpeed) / 2 + model.stallSpeed;
  static const double climbSine = std::sin(DegToRad(kClimbDegrees));
  int meters =
      TruncToInt(climbSine * (legSeconds / static_cast<float>(kSecondsPerHour)) * 0.1 * meanSpeed * 1852);
  if (model.cruiseSpeed > kFastCruiseKnots && meters < FeetToMeters(kFastCruiseFeet))
    meters = TruncToInt(FeetToMeters(kFastCruiseFeet));
  meters = TruncToInt(static_cast<double>(meters) + std::trunc(std::max(from.altitude, to.altitude)));
  const int feet = std::min(TruncToInt(MetersToFeet(meters)), model.ceiling);

  int thousands = feet / 1000;
  // Whole degrees east; a difference beyond half the globe goes the short way round.
  int delta = TruncToInt(to.longitude - from.longitude);
  if (delta < -180) {
    delta += 360;
  } else if (delta > 180) {
    delta -= 360;
  }
  if (delta < 0) {
    if (thousands == 0) {
      thousands = 4;
    } else if (thousands % 2 != 0) {
      ++thousands;
    }
  } else {
    if (thousands == 0) {
      thousands = 3;
    } else if (thousands % 2 == 0) {
      ++thousands;
    }
  }
  int cruise = thousands * 1000 + 500;
  if (cruise > 10000) cruise -= 500;
  if (cruise > 28000 && cruise % 2000 != 0) cruise += 1000;
  return cruise / 100;
}

int IfrAltitude(int altitude) {
  return altitude % 10 != 0 ? altitude + 5 : altitude;
}

int ReturnAltitude(int altitude) {
  if (altitude >= 100) {
    altitude += 10;
    if (altitude % 20 == 0) altitude -= 10;
  } else {
    altitude -= 5;
    altitude += altitude % 20 == 0 ? 15 : -5;
  }
  if (altitude > 280) {
    altitude += 20;
    if (altitude % 40 == 0) altitude -= 20;
  }
  return altitude;
}

std::size_t WeekStartLine(std::span<const FlightLine> lines) {
  std::size_t start = 0;
  int smallest = 8;
  for (std::size_t i = lines.size(); i-- > 1;) {
    if (lines[i - 1].weekday > lines[i].weekday && lines[i].weekday < smallest) {
      smallest = lines[i].weekday;
      start = i;
    }
  }
  return start;
}

void AppendPlaneBlock(std::string& out, int aircraftNumber, std::string_view registration, int percentage,
                      bool ifr, std::span<const FlightLine> lines) {
  out.append("AC");
  AppendWhole(out, aircraftNumber);
  out.push_back(',');
  AppendCString(out, registration);
  out.push_back(',');
  AppendWhole(out, percentage);
  out.append(ifr ? ",ONE_WEEK,IFR\n{\n" : ",ONE_WEEK,VFR\n{\n");
  const std::size_t start = WeekStartLine(lines);
  for (std::size_t i = start; i < lines.size(); ++i) AppendLine(out, lines[i]);
  for (std::size_t i = 0; i < start; ++i) AppendLine(out, lines[i]);
  out.append("}\n");
}

GenerationResult GenerateTraffic(World& world, const Settings& settings, Random& random, Progress& progress,
                                 Prompter& prompter, std::ostream& flightPlans) {
  GenerationResult result;
  const AirportOrder order = BuildAirportOrder(world, result.work);
  result.fleet.airportsListed = static_cast<int>(order.entries.size());
  FleetGenerator fleet(world, settings, random, order, result.fleet, result.work);
  WeekWriter weeks(settings, random, prompter, order, result);
  std::string text;
  const std::size_t airports = order.entries.size();
  for (std::size_t i = 0; i < airports; ++i) {
    CAirport& airport = *order.entries[i].airport;
    airport.planes.Clear();
    if (!TakesPartInTraffic(airport)) continue;
    ++result.fleet.airportsVisited;
    progress.SetSteps(i, airports);
    progress.SetText("Generate Flightplan at " + airport.name);
    fleet.PopulateAirport(airport);
    text.clear();
    weeks.WriteAirport(airport, text);
    flightPlans.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  progress.SetSteps(airports, airports);
  return result;
}

}
