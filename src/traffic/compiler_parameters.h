#pragma once
// The traffic compiler's command line: the seven switches the traffic run passes, built and parsed.
//
//  /Airports="W\Airports.dat" /AircraftTypes="W\Aircraft-GA.dat" /schedules="W\Flightplans-GA.dat"
//  /AutoSchedule=no /Countries="W\countries.csv" /Quiet=yes
//  /Output="S\Scenery\World\scenery\Traffic-GA.BGL"
//
// with W the work folder and S the simulator folder, each inserted as it is (no escaping) and
// followed by one separator; every switch is preceded by exactly one blank, so the string begins
// with a blank and ends with a double quote.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "traffic/compiler_files.h"

namespace wf {

// The parameter string above. `separator` is '\' for a program that reads Windows paths (always on
// Windows) and '/' for a native POSIX program; it also separates the folders of the output path.
std::string BuildCompilerParameters(std::string_view workFolder, std::string_view simFolder,
                                    char separator = '\\');

// The switches' values. Paths are as given on the command line (see PathFromCommandLine).
struct CompilerParameters {
  std::string airports;
  std::string aircraftTypes;
  std::string schedules;
  std::string countries;  // empty when not given
  std::string output;
  bool autoSchedule = false;  // /AutoSchedule=yes
  bool quiet = false;         // /Quiet=yes
};

struct CompilerParameterParse {
  CompilerParameters parameters;
  std::vector<std::string> errors;  // one text per fault; empty when the arguments are usable

  bool ok() const { return errors.empty(); }
};

// Parses arguments already split from the command line (SplitWindowsCommandLine, or argv): each is
// "/Switch=value", the switch named without regard to case; a value still enclosed in double quotes
// loses them. /Airports, /AircraftTypes, /schedules and /Output are required and must not be empty;
// /Countries may be left out; /AutoSchedule and /Quiet take yes or no (without regard to case) and
// default to no. Unknown switches, repeated switches and other arguments are errors.
CompilerParameterParse ParseCompilerParameters(std::span<const std::string> arguments);

}
