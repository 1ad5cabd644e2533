#pragma once
// Runs the real wingfold binary and captures what it prints.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace wf::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;  // stdout and, when requested, stderr
};

// `arguments` is appended to the binary's path as shell text; `environment` ("NAME=value ...") is
// put before it; stdin is /dev/null.
inline ProcessResult RunWingfold(const std::string& arguments, bool withStderr = true,
                                 const std::string& environment = "") {
  std::string command = environment + "'" + WINGFOLD_BIN + "' " + arguments + " </dev/null";
  if (withStderr) command += " 2>&1";
  ProcessResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}
