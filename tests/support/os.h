#pragma once
// What tests need of the operating system beyond the program's own platform layer: starting a
// program with its output captured, and environment variables. os_posix.cpp and os_windows.cpp
// hold the two implementations; the build compiles the one of the target.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wf::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when the program could not be started or did not exit by itself
  std::string out;    // standard output and, when requested, standard error; lines end in '\n'
};

// Runs `program` with `arguments`, each passed as one argument whatever it holds, the variables of
// `environment` set for it, and empty standard input, in `workingFolder` (empty: the current
// folder); returns when it has ended.
ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::vector<std::pair<std::string, std::string>>& environment = {},
                         bool withStderr = true, const std::filesystem::path& workingFolder = {});

// Sets (or, with nothing, removes) an environment variable of this process, and puts the old
// state back at the end of the scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// The file name of the program `name` built for this system ("imagetool.exe" on Windows).
std::string ExecutableName(const std::string& name);

// This process's id, to keep the folders of concurrent test runs apart.
int ProcessId();

}
