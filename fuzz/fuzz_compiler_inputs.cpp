// Checks arbitrary bytes as the compiler's three input files (split at the first two 0x01 bytes:
// Airports.dat, Aircraft-GA.dat, Flightplans-GA.dat). The check may find any number of problems
// but never crashes or hangs, and lists at most kMaxListedProblemsPerFile of a file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "traffic/compiler_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string parts[3];
  std::size_t part = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0x01 && part < 2) {
      ++part;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
  const wf::CompilerInputCheck check =
      wf::CheckCompilerInputTexts({"Airports.dat", parts[0], ""}, {"Aircraft-GA.dat", parts[1], ""},
                                  {"Flightplans-GA.dat", parts[2], ""});
  if (check.problems.size() > 3 * wf::kMaxListedProblemsPerFile) std::abort();
  return 0;
}
