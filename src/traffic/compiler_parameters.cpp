#include "traffic/compiler_parameters.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/text.h"

namespace wf {

namespace {

std::optional<bool> YesNo(std::string_view value) {
  if (EqualsIgnoringCase(value, "yes")) return true;
  if (EqualsIgnoringCase(value, "no")) return false;
  return std::nullopt;
}

}

std::string BuildCompilerParameters(std::string_view workFolder, std::string_view simFolder, char separator) {
  const std::string work = std::string(workFolder) + separator;
  const std::string sim = std::string(simFolder) + separator;
  const std::string sep(1, separator);
  return " /Airports=\"" + work + std::string(kAirportsFile) + "\"" +       //
         " /AircraftTypes=\"" + work + std::string(kAircraftFile) + "\"" +  //
         " /schedules=\"" + work + std::string(kFlightPlansFile) + "\"" +   //
         " /AutoSchedule=no" +                                              //
         " /Countries=\"" + work + std::string(kCountriesFile) + "\"" +     //
         " /Quiet=yes" +                                                    //
         " /Output=\"" + sim + "Scenery" + sep + "World" + sep + "scenery" + sep +
         std::string(kTrafficFileName) + "\"";
}

CompilerParameterParse ParseCompilerParameters(std::span<const std::string> arguments) {
  CompilerParameterParse result;
  CompilerParameters& p = result.parameters;
  struct PathSwitch {
    std::string_view name;
    std::string* value;
    bool required;
  };
  const std::array<PathSwitch, 5> paths = {{{"Airports", &p.airports, true},
                                            {"AircraftTypes", &p.aircraftTypes, true},
                                            {"schedules", &p.schedules, true},
                                            {"Countries", &p.countries, false},
                                            {"Output", &p.output, true}}};
  struct FlagSwitch {
    std::string_view name;
    bool* value;
  };
  const std::array<FlagSwitch, 2> flags = {{{"AutoSchedule", &p.autoSchedule}, {"Quiet", &p.quiet}}};
  std::vector<std::string_view> seen;

  for (const std::string& argument : arguments) {
    const std::size_t equals = argument.find('=');
    if (argument.empty() || argument[0] != '/' || equals == std::string::npos) {
      result.errors.push_back("'" + argument + "' is not a switch of the form /Name=value");
      continue;
    }
    const std::string_view name = std::string_view(argument).substr(1, equals - 1);
    std::string_view value = std::string_view(argument).substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);

    const auto path = std::find_if(paths.begin(), paths.end(),
                                   [&](const PathSwitch& s) { return EqualsIgnoringCase(s.name, name); });
    const auto flag = std::find_if(flags.begin(), flags.end(),
                                   [&](const FlagSwitch& s) { return EqualsIgnoringCase(s.name, name); });
    const std::string_view canonical = path != paths.end()   ? path->name
                                       : flag != flags.end() ? flag->name
                                                             : "";
    if (canonical.empty()) {
      result.errors.push_back("unknown switch /" + std::string(name));
      continue;
    }
    if (std::find(seen.begin(), seen.end(), canonical) != seen.end()) {
      result.errors.push_back("/" + std::string(canonical) + " is given more than once");
      continue;
    }
    seen.push_back(canonical);
    if (path != paths.end()) {
      if (value.empty()) result.errors.push_back("/" + std::string(canonical) + " needs a path");
      *path->value = std::string(value);
    } else if (const auto yes = YesNo(value)) {
      *flag->value = *yes;
    } else {
      result.errors.push_back("/" + std::string(canonical) + " takes yes or no, not '" + std::string(value) +
                              "'");
    }
  }
  for (const PathSwitch& s : paths) {
    if (s.required && std::find(seen.begin(), seen.end(), s.name) == seen.end()) {
      result.errors.push_back("/" + std::string(s.name) + "= is missing");
    }
  }
  return result;
}

}
