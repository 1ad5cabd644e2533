#pragma once
// Checks the traffic compiler's three text inputs before the compiler sees them, and says what is
// wrong and where: `wingfold check` and the stand-in compiler run the same checks.
//
// The files, as Wingfold writes them (airports_file.h, aircraft_file.h, flight_plans.h):
//
// Airports.dat, one block per airport:
//   <ident>,<latitude>,<longitude>,<altitude m>,<airspace class>,<approach channels>,<0.70>,<country>
//   {
//   RUNWAY,<length ft>,<width ft>,<HARD|SOFT|WATER|SNOW>
//   PARKING,<radius m>,<RAMP|CARGO|MIL_CARGO|MIL_COMBAT|GATE|DOCK>
//   }
// The ident may be padded with blanks; the country is the rest of the line (it may hold commas).
//
// Aircraft-GA.dat, one line per aircraft:
//   AC<number>,<title>,<cruise kn>,<ceiling x 2 / 400>,<ceiling / 100>,<range / 4>,<range nm>,
//   <runway ft>,<surfaces>,<wingspan / 2>,<parking words>,<IFR value>,<yes|no>,<yes|no>
// Surfaces and parking words are lists joined by " | ". The title is everything between the number
// and the last twelve fields, so a title may hold commas.
//
// Flightplans-GA.dat, one block per plane:
//   AC<number>,<registration>,<percentage 0..100>,ONE_WEEK,<IFR|VFR>
//   {
//   <weekday 0..6><HHMM>,<destination>,<altitude in 100 ft>
//   <weekday 0..6><HHMM>,<destination>,<altitude in 100 ft>,,<weekday 0..6><HHMM>
//   }
// Every aircraft number must be a line of Aircraft-GA.dat, every destination an airport of
// Airports.dat, and a plan holds 1 to 200 legs.
//
// Everywhere: lines end in LF or CRLF, blank lines are skipped, fields are separated by commas and
// blanks around a field are ignored; keywords are upper case, as Wingfold writes them. Any bytes
// are accepted as input: a damaged file gives problems, never a crash, and the work is linear in
// the size of the files.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// The most legs one plan may hold.
inline constexpr int kMaxLegsPerPlan = 200;
// The most problems listed per file; further ones are only counted.
inline constexpr std::size_t kMaxListedProblemsPerFile = 100;

struct CompilerInputProblem {
  std::string file;      // the file's name, e.g. "Flightplans-GA.dat"
  std::size_t line = 0;  // 1-based; 0 when the problem concerns the whole file
  std::string message;

  // "Flightplans-GA.dat:14: message", or "Airports.dat: message" for line 0.
  std::string Text() const;
};

struct CompilerInputCheck {
  // In the order found: the airport file's, the aircraft file's, then the flight plans'.
  std::vector<CompilerInputProblem> problems;
  std::size_t unlistedProblems = 0;  // found beyond kMaxListedProblemsPerFile
  std::size_t airportCount = 0;
  std::size_t aircraftCount = 0;
  std::size_t planCount = 0;
  std::size_t legCount = 0;

  bool ok() const { return problems.empty() && unlistedProblems == 0; }
};

// One input held in memory.
struct CompilerInputText {
  std::string name;                 // how problems name the file
  std::optional<std::string> text;  // nothing: the file could not be read
  std::string unreadableReason;     // shown when text is nothing, e.g. the path
};

CompilerInputCheck CheckCompilerInputTexts(const CompilerInputText& airports,
                                           const CompilerInputText& aircraft,
                                           const CompilerInputText& flightPlans);

struct CompilerInputPaths {
  std::filesystem::path airports;
  std::filesystem::path aircraftTypes;
  std::filesystem::path schedules;
};

// The three inputs in the work folder, each name matched without regard to case when the folder
// holds no file of exactly that spelling (Airports.dat, Aircraft-GA.dat, Flightplans-GA.dat).
CompilerInputPaths CompilerInputPathsIn(const std::filesystem::path& workFolder);

// Reads and checks the three files; problems name each file by its file name. A file that cannot
// be read is one problem; the checks that need its contents (aircraft numbers, destinations) are
// then left out.
CompilerInputCheck CheckCompilerInputs(const CompilerInputPaths& paths);

}
