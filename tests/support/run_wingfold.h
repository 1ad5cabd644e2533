#pragma once
// Runs the real wingfold binary and captures what it prints.
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "support/os.h"

namespace wf::test {

using Environment = std::vector<std::pair<std::string, std::string>>;

// `arguments` is split into arguments by the Windows rules (SplitWindowsCommandLine: blanks
// separate, double quotes group), on every OS; `environment` is set for the run; stdin is empty.
inline ProcessResult RunWingfold(const std::string& arguments, bool withStderr = true,
                                 const Environment& environment = {}) {
  return RunProgram(WINGFOLD_BIN, SplitWindowsCommandLine(arguments), environment, withStderr);
}

}
