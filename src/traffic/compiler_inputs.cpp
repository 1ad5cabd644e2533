#include "traffic/compiler_inputs.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "traffic/compiler_files.h"

namespace wf {

namespace {

const std::set<std::string_view> kRunwaySurfaces = {"HARD", "SOFT", "WATER", "SNOW"};
const std::set<std::string_view> kParkingWords = {"RAMP", "CARGO", "MIL_CARGO", "MIL_COMBAT", "GATE", "DOCK"};

// The fields of a line, each trimmed.
std::vector<std::string_view> SplitFields(std::string_view line, char separator = ',') {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t at = line.find(separator);
    fields.push_back(Trim(line.substr(0, at)));
    if (at == std::string_view::npos) return fields;
    line.remove_prefix(at + 1);
  }
}

// A field quoted for a message; long fields are cut so that a damaged file keeps messages short.
std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 40;
  if (text.size() > kShown) return "'" + std::string(text.substr(0, kShown)) + "...'";
  return "'" + std::string(text) + "'";
}

// A whole number written with digits only (no sign, no blanks).
std::optional<std::int64_t> Digits(std::string_view text) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  return ParseWhole(text);
}

std::string Join(const std::set<std::string_view>& words) {
  std::string text;
  for (std::string_view word : words) {
    if (!text.empty()) text += ", ";
    text += word;
  }
  return text;
}

// "AC<number>": the number, or nothing.
std::optional<std::int64_t> AircraftNumber(std::string_view field) {
  if (field.size() < 3 || field.substr(0, 2) != "AC") return std::nullopt;
  const auto number = Digits(field.substr(2));
  if (!number || *number > INT32_MAX) return std::nullopt;
  return number;
}

// Collects the problems of one file, listing at most kMaxListedProblemsPerFile.
class FileProblems {
 public:
  FileProblems(CompilerInputCheck& check, std::string_view file) : check_(check), file_(file) {}

  void Add(std::size_t line, std::string message) {
    if (listed_ < kMaxListedProblemsPerFile) {
      check_.problems.push_back({file_, line, std::move(message)});
      ++listed_;
    } else {
      ++check_.unlistedProblems;
    }
  }

 private:
  CompilerInputCheck& check_;
  std::string file_;
  std::size_t listed_ = 0;
};

// Calls `visit(lineNumber, trimmedLine)` for every line that is not blank.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    if (!line.empty()) visit(number, line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// Checks a list of words joined by '|' against the known ones.
void CheckWordList(FileProblems& problems, std::size_t line, std::string_view what, std::string_view field,
                   const std::set<std::string_view>& known) {
  if (field.empty()) {
    problems.Add(line, std::string(what) + " are missing; expected one or more of " + Join(known) +
                           " joined by ' | '");
    return;
  }
  for (std::string_view word : SplitFields(field, '|')) {
    if (!known.contains(word)) {
      problems.Add(line, std::string(what) + ": " + Quote(word) + " is not one of " + Join(known));
    }
  }
}

// --- Airports.dat ---

class AirportsChecker {
 public:
  AirportsChecker(CompilerInputCheck& check, std::map<std::string, std::size_t, std::less<>>& idents)
      : check_(check), problems_(check, kAirportsFile), idents_(idents) {}

  void Check(std::string_view text) {
    ForEachLine(text, [this](std::size_t line, std::string_view content) { Line(line, content); });
    if (state_ == State::kAfterHeader) MissingOpeningBrace();
    if (state_ == State::kInside) {
      problems_.Add(blockLine_, "the block of airport " + Quote(ident_) +
                                    " has no closing '}' before the end of the file");
    }
  }

 private:
  enum class State { kOutside, kAfterHeader, kInside };

  void Line(std::size_t line, std::string_view content) {
    if (content == "{") {
      if (state_ == State::kOutside) problems_.Add(line, "'{' without an airport line before it");
      if (state_ == State::kInside) {
        problems_.Add(line, "'{' inside the block of airport " + Quote(ident_) + " (opened on line " +
                                std::to_string(blockLine_) + "); a '}' is missing");
      }
      if (state_ != State::kInside) blockLine_ = line;
      state_ = State::kInside;
      return;
    }
    if (content == "}") {
      if (state_ == State::kOutside) problems_.Add(line, "'}' without an open airport block");
      if (state_ == State::kAfterHeader) MissingOpeningBrace();
      state_ = State::kOutside;
      return;
    }
    const std::vector<std::string_view> fields = SplitFields(content);
    if (fields[0] == "RUNWAY" || fields[0] == "PARKING") {
      if (state_ == State::kOutside) {
        problems_.Add(line, "a " + std::string(fields[0]) + " line outside an airport block");
      } else if (state_ == State::kAfterHeader) {
        MissingOpeningBrace();
        state_ = State::kInside;
      }
      if (fields[0] == "RUNWAY") {
        Runway(line, fields);
      } else {
        Parking(line, fields);
      }
      return;
    }
    if (state_ == State::kAfterHeader) MissingOpeningBrace();
    if (state_ == State::kInside) {
      problems_.Add(line, "the block of airport " + Quote(ident_) + " opened on line " +
                              std::to_string(blockLine_) + " has no closing '}' before this airport line");
    }
    Header(line, fields);
    state_ = State::kAfterHeader;
    headerLine_ = line;
  }

  void MissingOpeningBrace() {
    problems_.Add(headerLine_, "the airport line of " + Quote(ident_) + " is not followed by '{'");
  }

  void Header(std::size_t line, const std::vector<std::string_view>& fields) {
    ident_ = fields[0];
    if (fields.size() < 8) {
      problems_.Add(line,
                    "an airport line has 8 fields (ident, latitude, longitude, altitude, airspace class, "
                    "approach channels, 0.70, country); this one has " +
                        std::to_string(fields.size()));
    }
    ++check_.airportCount;
    if (ident_.empty()) {
      problems_.Add(line, "the airport ident is empty");
    } else if (const auto [at, added] = idents_.emplace(ident_, line); !added) {
      problems_.Add(line,
                    "airport " + Quote(ident_) + " is already defined on line " + std::to_string(at->second));
    }
    if (fields.size() < 8) return;
    const auto latitude = ParseDecimal(fields[1]);
    if (!latitude || *latitude < -90.0 || *latitude > 90.0) {
      problems_.Add(line, "the latitude " + Quote(fields[1]) + " is not a number of degrees from -90 to 90");
    }
    const auto longitude = ParseDecimal(fields[2]);
    if (!longitude || *longitude < -180.0 || *longitude > 180.0) {
      problems_.Add(line,
                    "the longitude " + Quote(fields[2]) + " is not a number of degrees from -180 to 180");
    }
    if (!ParseDecimal(fields[3])) {
      problems_.Add(line, "the altitude " + Quote(fields[3]) + " is not a number of metres");
    }
    if (fields[4].size() != 1 || fields[4][0] < 'A' || fields[4][0] > 'G') {
      problems_.Add(line, "the airspace class " + Quote(fields[4]) + " is not one letter from A to G");
    }
    if (!Digits(fields[5])) {
      problems_.Add(line, "the number of approach channels " + Quote(fields[5]) + " is not a whole number");
    }
    if (const auto factor = ParseDecimal(fields[6]); !factor || *factor < 0.0) {
      problems_.Add(line, "the seventh field " + Quote(fields[6]) + " is not a number such as 0.70");
    }
  }

  void Runway(std::size_t line, const std::vector<std::string_view>& fields) {
    if (fields.size() != 4) {
      problems_.Add(line, "a RUNWAY line has 4 fields (RUNWAY, length ft, width ft, surface); this one has " +
                              std::to_string(fields.size()));
      return;
    }
    if (!Digits(fields[1])) {
      problems_.Add(line, "the runway length " + Quote(fields[1]) + " is not a whole number of feet");
    }
    if (!Digits(fields[2])) {
      problems_.Add(line, "the runway width " + Quote(fields[2]) + " is not a whole number of feet");
    }
    if (fields[3].empty()) {
      problems_.Add(line, "the runway surface is missing; expected one of " + Join(kRunwaySurfaces));
    } else if (!kRunwaySurfaces.contains(fields[3])) {
      problems_.Add(line,
                    "the runway surface " + Quote(fields[3]) + " is not one of " + Join(kRunwaySurfaces));
    }
  }

  void Parking(std::size_t line, const std::vector<std::string_view>& fields) {
    if (fields.size() != 3) {
      problems_.Add(line, "a PARKING line has 3 fields (PARKING, radius m, kind); this one has " +
                              std::to_string(fields.size()));
      return;
    }
    if (const auto radius = ParseDecimal(fields[1]); !radius || *radius < 0.0) {
      problems_.Add(line, "the parking radius " + Quote(fields[1]) + " is not a number of metres");
    }
    if (!kParkingWords.contains(fields[2])) {
      problems_.Add(line, "the parking kind " + Quote(fields[2]) + " is not one of " + Join(kParkingWords));
    }
  }

  CompilerInputCheck& check_;
  FileProblems problems_;
  std::map<std::string, std::size_t, std::less<>>& idents_;
  State state_ = State::kOutside;
  std::string ident_;
  std::size_t headerLine_ = 0;
  std::size_t blockLine_ = 0;
};

// --- Aircraft-GA.dat ---

void CheckAircraftFile(std::string_view text, CompilerInputCheck& check,
                       std::map<std::int64_t, std::size_t>& numbers) {
  FileProblems problems(check, kAircraftFile);
  // The fields after the title, counted from the end of the line.
  constexpr std::size_t kTail = 12;
  ForEachLine(text, [&](std::size_t line, std::string_view content) {
    const std::vector<std::string_view> fields = SplitFields(content);
    const auto number = AircraftNumber(fields[0]);
    if (!number) {
      problems.Add(line, "an aircraft line starts with AC and the aircraft number, not " + Quote(fields[0]));
      return;
    }
    ++check.aircraftCount;
    if (const auto [at, added] = numbers.emplace(*number, line); !added) {
      problems.Add(line, "aircraft number " + std::to_string(*number) + " is already defined on line " +
                             std::to_string(at->second));
    }
    if (fields.size() < 2 + kTail) {
      problems.Add(
          line,
          "an aircraft line has 14 fields (AC number, title, cruise speed, three ceiling and two range "
          "values, runway length, surfaces, half wingspan, parking, IFR value, two yes/no); this one "
          "has " +
              std::to_string(fields.size()));
      return;
    }
    const std::size_t tail = fields.size() - kTail;
    static const char* const kWholeNumbers[] = {
        "cruise speed", "ceiling x 2 / 400", "ceiling / 100", "range / 4", "range", "runway length"};
    for (std::size_t i = 0; i < 6; ++i) {
      const std::string_view field = fields[tail + i];
      if (!Digits(field)) {
        const bool negative = field.starts_with('-') && Digits(field.substr(1));
        problems.Add(line, std::string("the ") + kWholeNumbers[i] + " " + Quote(field) +
                               (negative ? " is negative" : " is not a whole number"));
      }
    }
    CheckWordList(problems, line, "runway surfaces", fields[tail + 6], kRunwaySurfaces);
    if (!Digits(fields[tail + 7])) {
      problems.Add(line, "the half wingspan " + Quote(fields[tail + 7]) + " is not a whole number of metres");
    }
    CheckWordList(problems, line, "parking kinds", fields[tail + 8], kParkingWords);
    if (const auto ifr = Digits(fields[tail + 9]); !ifr || *ifr > 100) {
      problems.Add(line, "the IFR value " + Quote(fields[tail + 9]) + " is not a whole number from 0 to 100");
    }
    for (std::size_t i = tail + 10; i < fields.size(); ++i) {
      if (fields[i] != "yes" && fields[i] != "no") {
        problems.Add(line, "field " + std::to_string(i + 1) + " " + Quote(fields[i]) + " is not yes or no");
      }
    }
  });
}

// --- Flightplans-GA.dat ---

class FlightPlansChecker {
 public:
  FlightPlansChecker(CompilerInputCheck& check,
                     const std::map<std::string, std::size_t, std::less<>>* airports,
                     const std::map<std::int64_t, std::size_t>* aircraft)
      : check_(check), problems_(check, kFlightPlansFile), airports_(airports), aircraft_(aircraft) {}

  void Check(std::string_view text) {
    ForEachLine(text, [this](std::size_t line, std::string_view content) { Line(line, content); });
    if (state_ == State::kAfterHeader) MissingOpeningBrace();
    if (state_ == State::kInside) {
      problems_.Add(blockLine_, PlanName() + " has no closing '}' before the end of the file");
      ClosePlan();
    }
  }

 private:
  enum class State { kOutside, kAfterHeader, kInside };

  void Line(std::size_t line, std::string_view content) {
    if (content == "{") {
      if (state_ == State::kInside) {
        problems_.Add(line, "'{' inside the block of " + PlanName() + " (opened on line " +
                                std::to_string(blockLine_) + "); a '}' is missing");
        return;
      }
      if (state_ == State::kOutside) {
        problems_.Add(line, "'{' without a plan line (AC<number>,<registration>,...) before it");
        StartPlan(line, {});
      }
      blockLine_ = line;
      state_ = State::kInside;
      return;
    }
    if (content == "}") {
      if (state_ == State::kOutside) problems_.Add(line, "'}' without an open plan block");
      if (state_ == State::kAfterHeader) MissingOpeningBrace();
      if (state_ == State::kInside) ClosePlan();
      state_ = State::kOutside;
      return;
    }
    if (content.front() >= '0' && content.front() <= '9') {
      if (state_ == State::kOutside) {
        problems_.Add(line, "a leg outside a plan block");
        StartPlan(line, {});
        blockLine_ = line;
        state_ = State::kInside;
      } else if (state_ == State::kAfterHeader) {
        MissingOpeningBrace();
        blockLine_ = line;
        state_ = State::kInside;
      }
      Leg(line, content);
      return;
    }
    if (state_ == State::kAfterHeader) MissingOpeningBrace();
    if (state_ == State::kInside) {
      problems_.Add(line, PlanName() + " (block opened on line " + std::to_string(blockLine_) +
                              ") has no closing '}' before this plan line");
      ClosePlan();
    }
    Header(line, content);
    state_ = State::kAfterHeader;
  }

  // How messages name the current plan: "plan AC12 'N1234B'", or by its line when it has no plan
  // line of its own.
  std::string PlanName() const {
    if (name_.empty()) return "the plan block on line " + std::to_string(headerLine_);
    return "plan " + name_;
  }

  void StartPlan(std::size_t line, std::string name) {
    headerLine_ = line;
    name_ = std::move(name);
    legs_ = 0;
  }

  void MissingOpeningBrace() { problems_.Add(headerLine_, PlanName() + " is not followed by '{'"); }

  void ClosePlan() {
    if (legs_ == 0) {
      problems_.Add(headerLine_, PlanName() + " has no legs");
    } else if (legs_ > kMaxLegsPerPlan) {
      problems_.Add(headerLine_, PlanName() + " has " + std::to_string(legs_) + " legs; at most " +
                                     std::to_string(kMaxLegsPerPlan) + " are allowed");
    }
  }

  void Header(std::size_t line, std::string_view content) {
    ++check_.planCount;
    const std::vector<std::string_view> fields = SplitFields(content);
    std::string name = fields[0].empty() ? Quote(fields[0]) : std::string(fields[0].substr(0, 40));
    if (fields.size() > 1) name += " " + Quote(fields[1]);
    StartPlan(line, std::move(name));
    if (fields.size() != 5) {
      problems_.Add(line,
                    "a plan line has 5 fields (AC<number>, registration, percentage, ONE_WEEK, IFR or VFR); "
                    "this one has " +
                        std::to_string(fields.size()));
    }
    const auto number = AircraftNumber(fields[0]);
    if (!number) {
      problems_.Add(line, "a plan line starts with AC and the aircraft number, not " + Quote(fields[0]));
    } else if (aircraft_ != nullptr && !aircraft_->contains(*number)) {
      problems_.Add(
          line, "aircraft number " + std::to_string(*number) + " is not in " + std::string(kAircraftFile));
    }
    if (fields.size() != 5) return;
    if (fields[1].empty()) problems_.Add(line, "the registration is empty");
    if (const auto percentage = Digits(fields[2]); !percentage || *percentage > 100) {
      problems_.Add(line, "the percentage " + Quote(fields[2]) + " is not a whole number from 0 to 100");
    }
    if (fields[3] != "ONE_WEEK") {
      problems_.Add(line, "the repeat period " + Quote(fields[3]) + " is not ONE_WEEK");
    }
    if (fields[4] != "IFR" && fields[4] != "VFR") {
      problems_.Add(line, "the flight rules " + Quote(fields[4]) + " are not IFR or VFR");
    }
  }

  // "<weekday><HHMM>": a problem for each fault, none when valid.
  void DayAndTime(std::size_t line, std::string_view what, std::string_view field) {
    if (field.size() != 5 || !Digits(field)) {
      problems_.Add(line, "the " + std::string(what) + " " + Quote(field) +
                              " is not a weekday digit followed by the time as HHMM");
      return;
    }
    if (field[0] > '6') {
      problems_.Add(line, "the weekday " + std::string(1, field[0]) + " of the " + std::string(what) + " " +
                              Quote(field) + " is not 0 (Sunday) to 6 (Saturday)");
    }
    const int hours = (field[1] - '0') * 10 + (field[2] - '0');
    const int minutes = (field[3] - '0') * 10 + (field[4] - '0');
    if (hours > 23 || minutes > 59) {
      problems_.Add(line, "the time " + std::string(field.substr(1)) + " of the " + std::string(what) + " " +
                              Quote(field) + " is not a valid HHMM time");
    }
  }

  void Leg(std::size_t line, std::string_view content) {
    ++legs_;
    ++check_.legCount;
    const std::vector<std::string_view> fields = SplitFields(content);
    if (fields.size() != 3 && fields.size() != 5) {
      problems_.Add(line,
                    "a leg has 3 fields (weekday and time, destination, altitude) or 5 (the same, an empty "
                    "field, arrival weekday and time); this one has " +
                        std::to_string(fields.size()));
      return;
    }
    DayAndTime(line, "departure", fields[0]);
    if (fields[1].empty()) {
      problems_.Add(line, "the destination is empty");
    } else if (airports_ != nullptr && !airports_->contains(fields[1])) {
      problems_.Add(line, "the destination " + Quote(fields[1]) + " is not an airport of " +
                              std::string(kAirportsFile));
    }
    if (!Digits(fields[2])) {
      problems_.Add(line, "the altitude " + Quote(fields[2]) + " is not a whole number of hundreds of feet");
    }
    if (fields.size() == 5) {
      if (!fields[3].empty()) {
        problems_.Add(
            line, "the fourth field " + Quote(fields[3]) + " of a leg with an arrival time must be empty");
      }
      DayAndTime(line, "arrival", fields[4]);
    }
  }

  CompilerInputCheck& check_;
  FileProblems problems_;
  const std::map<std::string, std::size_t, std::less<>>* airports_;
  const std::map<std::int64_t, std::size_t>* aircraft_;
  State state_ = State::kOutside;
  std::string name_;  // "AC12 'N1234B'"; empty for a block without a plan line
  std::size_t headerLine_ = 0;
  std::size_t blockLine_ = 0;
  int legs_ = 0;
};

void Unreadable(CompilerInputCheck& check, const CompilerInputText& input) {
  std::string message = "cannot be read";
  if (!input.unreadableReason.empty()) message += ": " + input.unreadableReason;
  check.problems.push_back({input.name, 0, std::move(message)});
}

}

std::string CompilerInputProblem::Text() const {
  if (line == 0) return file + ": " + message;
  return file + ":" + std::to_string(line) + ": " + message;
}

CompilerInputCheck CheckCompilerInputTexts(const CompilerInputText& airports,
                                           const CompilerInputText& aircraft,
                                           const CompilerInputText& flightPlans) {
  CompilerInputCheck check;
  // A block's missing brace is found after the block's lines; each file's problems are listed in
  // line order all the same.
  const auto inLineOrder = [&check](std::size_t first) {
    std::stable_sort(
        check.problems.begin() + static_cast<std::ptrdiff_t>(first), check.problems.end(),
        [](const CompilerInputProblem& a, const CompilerInputProblem& b) { return a.line < b.line; });
  };
  std::map<std::string, std::size_t, std::less<>> airportIdents;
  std::map<std::int64_t, std::size_t> aircraftNumbers;
  if (airports.text) {
    AirportsChecker(check, airportIdents).Check(*airports.text);
    inLineOrder(0);
  } else {
    Unreadable(check, airports);
  }
  if (aircraft.text) {
    CheckAircraftFile(*aircraft.text, check, aircraftNumbers);
  } else {
    Unreadable(check, aircraft);
  }
  if (flightPlans.text) {
    const std::size_t first = check.problems.size();
    FlightPlansChecker(check, airports.text ? &airportIdents : nullptr,
                       aircraft.text ? &aircraftNumbers : nullptr)
        .Check(*flightPlans.text);
    inLineOrder(first);
  } else {
    Unreadable(check, flightPlans);
  }
  return check;
}

CompilerInputPaths CompilerInputPathsIn(const std::filesystem::path& workFolder) {
  return {ResolvePathCase(workFolder, std::string(kAirportsFile)),
          ResolvePathCase(workFolder, std::string(kAircraftFile)),
          ResolvePathCase(workFolder, std::string(kFlightPlansFile))};
}

CompilerInputCheck CheckCompilerInputs(const CompilerInputPaths& paths) {
  const auto load = [](const std::filesystem::path& path) {
    CompilerInputText input{path.filename().string(), std::nullopt, path.string()};
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) input.text = ReadFileBytes(path);
    return input;
  };
  return CheckCompilerInputTexts(load(paths.airports), load(paths.aircraftTypes), load(paths.schedules));
}

}
