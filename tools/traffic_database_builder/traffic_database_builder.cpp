// TrafficDatabaseBuilder: Wingfold's stand-in for the simulator SDK's traffic compiler, for machines
// without the SDK (Linux, the tests, the demo).
//
// It takes the seven switches exactly as the traffic run passes them (paths with '\' or '/', on the
// Z: drive of wine or native), checks the three inputs with the checks of `wingfold check`, and
// prints a report. It compiles no traffic: on success it writes at the /Output path a traffic file
// that holds only a valid 56-byte header and no sections, which the simulator loads and ignores.
//
// Exit status: 0 inputs valid and the file written; 1 inputs invalid (nothing is written, an
// existing output file stays as it was) or the output could not be written; 2 usage error.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/system.h"
#include "traffic/compiler_inputs.h"
#include "traffic/compiler_parameters.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Scenery file header: u32 magic, u32 header size, u64 FILETIME of the file, u32 0x08051803 (as the
// SDK's compilers write it), u32 section count, then zeros up to 56 bytes. No section follows.
constexpr std::uint32_t kBglMagic = 0x19920201;
constexpr std::uint32_t kBglHeaderSize = 56;
constexpr std::uint32_t kBglVersionWord = 0x08051803;

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// 100-nanosecond intervals since 1601-01-01 UTC.
std::uint64_t FileTimeNow() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
  return static_cast<std::uint64_t>(wf::kSecondsFrom1601To1970 * wf::kFileTimeTicksPerSecond + ticks);
}

std::string EmptyTrafficFile() {
  std::string bytes(kBglHeaderSize, '\0');
  PutU32(bytes, 0, kBglMagic);
  PutU32(bytes, 4, kBglHeaderSize);
  const std::uint64_t fileTime = FileTimeNow();
  PutU32(bytes, 8, static_cast<std::uint32_t>(fileTime));
  PutU32(bytes, 12, static_cast<std::uint32_t>(fileTime >> 32));
  PutU32(bytes, 16, kBglVersionWord);
  PutU32(bytes, 20, 0);  // sections
  return bytes;
}

void PrintUsage(std::ostream& out) {
  out << "Usage: TrafficDatabaseBuilder /Airports=FILE /AircraftTypes=FILE /schedules=FILE "
         "[/AutoSchedule=no]\n"
         "                              [/Countries=FILE] [/Quiet=yes|no] /Output=FILE\n"
         "Wingfold's stand-in for the SDK traffic compiler: checks the inputs and writes an empty traffic\n"
         "file (header only). It never produces traffic. /Quiet changes nothing: the stand-in never waits\n"
         "for input.\n";
}

int Run(std::span<const std::string> arguments) {
  if (arguments.size() == 1 && (arguments[0] == "/?" || arguments[0] == "--help")) {
    PrintUsage(std::cout);
    return kSuccess;
  }
  const wf::CompilerParameterParse parse = wf::ParseCompilerParameters(arguments);
  if (!parse.ok()) {
    for (const std::string& error : parse.errors) std::cerr << "TrafficDatabaseBuilder: " << error << "\n";
    PrintUsage(std::cerr);
    return kUsage;
  }
  const wf::CompilerParameters& parameters = parse.parameters;
  if (parameters.autoSchedule) {
    std::cerr
        << "TrafficDatabaseBuilder: the stand-in does not schedule automatically; use /AutoSchedule=no\n";
    return kUsage;
  }

  const wf::CompilerInputPaths inputs{wf::FileFromCommandLine(parameters.airports),
                                      wf::FileFromCommandLine(parameters.aircraftTypes),
                                      wf::FileFromCommandLine(parameters.schedules)};
  const std::filesystem::path output = wf::FileFromCommandLine(parameters.output);
  const wf::CompilerInputCheck check = wf::CheckCompilerInputs(inputs);

  std::cout << "TrafficDatabaseBuilder - Wingfold's stand-in for the SDK traffic compiler.\n"
               "It checks the inputs and compiles no traffic.\n"
            << "  airports:       " << inputs.airports.string() << " (" << check.airportCount
            << " airports)\n"
            << "  aircraft types: " << inputs.aircraftTypes.string() << " (" << check.aircraftCount
            << " aircraft)\n"
            << "  schedules:      " << inputs.schedules.string() << " (" << check.planCount << " plans, "
            << check.legCount << " legs)\n";
  if (parameters.countries.empty()) {
    std::cout << "  countries:      not given\n";
  } else {
    const std::filesystem::path countries = wf::FileFromCommandLine(parameters.countries);
    std::error_code ec;
    std::cout << "  countries:      " << countries.string()
              << (std::filesystem::is_regular_file(countries, ec)
                      ? " (present; only the SDK compiler reads it)\n"
                      : " not found; the SDK compiler needs it, the stand-in does without\n");
  }

  if (!check.ok()) {
    for (const wf::CompilerInputProblem& problem : check.problems) std::cout << problem.Text() << "\n";
    const std::size_t total = check.problems.size() + check.unlistedProblems;
    if (check.unlistedProblems > 0) std::cout << "... and " << check.unlistedProblems << " more problems\n";
    std::cout << "Inputs invalid: " << total << (total == 1 ? " problem" : " problems")
              << "; nothing written.\n";
    return kFailed;
  }

  std::error_code ec;
  const std::filesystem::path folder = output.has_parent_path() ? output.parent_path() : ".";
  if (!std::filesystem::is_directory(folder, ec)) {
    std::cout << "Inputs valid, but the output folder " << folder.string()
              << " does not exist; nothing written.\n";
    return kFailed;
  }
  try {
    wf::WriteFileAtomically(output, EmptyTrafficFile());
  } catch (const wf::FileError& error) {
    std::cout << "Inputs valid, but the output was not written: " << error.what() << "\n";
    return kFailed;
  }
  std::cout << "Inputs valid. Wrote " << output.string()
            << ": a traffic file without sections; the simulator shows no traffic from it.\n";
  return kSuccess;
}

}

int main(int argc, char** argv) {
  // UTF-8 on every system, as the paths of the command line are written.
  std::vector<std::string> arguments = wf::CommandLineArgumentsUtf8(argc, argv);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  try {
    return Run(arguments);
  } catch (const std::exception& error) {
    std::cerr << "TrafficDatabaseBuilder: " << error.what() << "\n";
    return kFailed;
  }
}
