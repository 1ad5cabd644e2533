#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "support/os.h"

namespace wf::test {

ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::vector<std::pair<std::string, std::string>>& environment, bool withStderr,
                         const std::filesystem::path& workingFolder) {
  ProcessResult result;
  std::vector<std::string> strings{std::filesystem::absolute(program).string()};
  const std::string folder = workingFolder.string();
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  int output[2];
  if (pipe(output) != 0) return result;
  const pid_t pid = fork();
  if (pid < 0) return result;
  if (pid == 0) {
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    if (withStderr) dup2(output[1], STDERR_FILENO);
    close(output[0]);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(output[1]);
  char buffer[4096];
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    result.out.append(buffer, static_cast<std::size_t>(n));
  }
  close(output[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) old_ = old;
  value ? setenv(name_.c_str(), value->c_str(), 1) : unsetenv(name_.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str());
}

std::string ExecutableName(const std::string& name) {
  return name;
}

int ProcessId() {
  return static_cast<int>(getpid());
}

}
