#pragma once
// The wingfold command line: parses the global options and the command, runs it, and returns the
// process exit status (0 done, 1 the command could not do its job, 2 usage error).
#include <iosfwd>

namespace wf::cli {

int Run(int argc, const char* const* argv);

}  // namespace wf::cli
