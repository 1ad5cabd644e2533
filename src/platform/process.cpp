#include "platform/process.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/folder_listing.h"
#include "platform/text.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>
#ifdef _MSC_VER
#pragma comment(lib, "shell32.lib")
#endif
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#endif

namespace wf {

namespace {

bool EndsWithExe(std::string_view name) {
  return name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".exe");
}

// The names a program may have on disk: the name as given first, then the other form with or
// without ".exe".
std::vector<std::string> CandidateNames(std::string_view name) {
  std::vector<std::string> names{std::string(name)};
  if (EndsWithExe(name)) {
    names.emplace_back(name.substr(0, name.size() - 4));
  } else {
    names.push_back(std::string(name) + ".exe");
  }
  return names;
}

// The program's file in the working folder (or below it, when `program` names a folder too): for
// each candidate name, the file of exactly that name, else the first in listing order that matches
// it without regard to case. Nothing when no regular file matches.
std::optional<std::filesystem::path> FindProgram(std::string_view program,
                                                 const std::filesystem::path& folder) {
  std::string relative(program);
#ifndef _WIN32
  std::replace(relative.begin(), relative.end(), '\\', '/');
#endif
  const std::filesystem::path programPath(relative);
  const std::string name = programPath.filename().string();
  if (name.empty()) return std::nullopt;
  std::filesystem::path directory = folder;
  if (programPath.has_parent_path()) {
    directory = programPath.is_absolute() ? programPath.parent_path()
                                          : ResolvePathCase(folder, programPath.parent_path());
  }
  const auto isFile = [](const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
  };
  const std::vector<FolderEntry> entries = ListFolder(directory, "*");
  for (const std::string& candidate : CandidateNames(name)) {
    if (isFile(directory / candidate)) return directory / candidate;
    for (const FolderEntry& entry : entries) {
      if (!entry.isFolder && EqualsIgnoringCase(entry.name, candidate) && isFile(entry.path))
        return entry.path;
    }
  }
  return std::nullopt;
}

std::string FailureText(std::string_view program, const std::filesystem::path& folder, std::string_view why) {
  return "Cannot start " + std::string(program) + " in " + folder.string() + ": " + std::string(why);
}

#ifndef _WIN32

// A Windows executable starts with the DOS header's "MZ".
bool IsWindowsExecutable(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[2] = {};
  return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

// The first executable file named `name` in the folders of $PATH (an empty entry is the current
// folder).
std::optional<std::filesystem::path> FindOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::string_view folders(path);
  while (true) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    const std::filesystem::path candidate = std::filesystem::path(folder.empty() ? "." : folder) / name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    folders.remove_prefix(colon + 1);
  }
}

// What the child reports through the close-on-exec pipe when it cannot run the program.
struct ChildFailure {
  int stage;  // 0 chdir, 1 standard input, 2 exec, 3 standard output
  int error;  // errno
};

// Writes everything or gives up; only async-signal-safe calls, as the child of a fork must.
void WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

// Starts the program and waits for it; its standard output and error go to `outputFd` unless it is -1.
RunResult Launch(std::string_view program, const std::filesystem::path& folder, const std::string& executable,
                 const std::vector<std::string>& arguments, int outputFd) {
  RunResult result;
  // Everything the child needs is prepared before the fork: between fork and exec it may only make
  // async-signal-safe calls (the caller may have other threads).
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const std::string folderText = folder.string();

  int report[2];
  if (pipe(report) != 0) {
    result.failure = FailureText(program, folder, std::strerror(errno));
    return result;
  }
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);

  const pid_t pid = fork();
  if (pid < 0) {
    result.failure = FailureText(program, folder, std::strerror(errno));
    close(report[0]);
    close(report[1]);
    return result;
  }
  if (pid == 0) {
    close(report[0]);
    ChildFailure failure{0, 0};
    if (chdir(folderText.c_str()) != 0) {
      failure = {0, errno};
    } else {
      const int devNull = open("/dev/null", O_RDONLY);
      if (devNull < 0 || dup2(devNull, STDIN_FILENO) < 0) {
        failure = {1, errno};
      } else if (outputFd >= 0 && (dup2(outputFd, STDOUT_FILENO) < 0 || dup2(outputFd, STDERR_FILENO) < 0)) {
        failure = {3, errno};
      } else {
        if (devNull != STDIN_FILENO) close(devNull);
        execv(executable.c_str(), argv.data());
        failure = {2, errno};
      }
    }
    WriteAll(report[1], &failure, sizeof(failure));
    _exit(127);
  }

  close(report[1]);
  ChildFailure failure{};
  std::size_t received = 0;
  while (received < sizeof(failure)) {
    const ssize_t n =
        read(report[0], reinterpret_cast<char*>(&failure) + received, sizeof(failure) - received);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    received += static_cast<std::size_t>(n);
  }
  close(report[0]);

  int status = 0;
  if (received == sizeof(failure)) {
    // The child ends at once after its report; collect it without polling.
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    static const char* const kStages[] = {"cannot enter the folder", "cannot open /dev/null",
                                          "cannot execute", "cannot redirect its output"};
    const int stage = failure.stage >= 0 && failure.stage <= 3 ? failure.stage : 2;
    result.failure =
        FailureText(program, folder, std::string(kStages[stage]) + ": " + std::strerror(failure.error));
    return result;
  }

  result.started = true;
  while (true) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == 0) continue;
    if (ended < 0) {
      if (errno == EINTR) continue;
      return result;  // someone else collected it: the status is lost
    }
    if (WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
      return result;
    }
    if (WIFSIGNALED(status)) {
      result.signal = WTERMSIG(status);
      return result;
    }
  }
}

#endif

}

#ifdef _WIN32

namespace {

// Waits for the process to end and takes its exit code. The process's state decides when it has
// ended, not its exit code: a program may well exit with 259, the code that also means "still active".
void WaitForProcess(HANDLE process, RunResult& result) {
  result.started = true;
  do {
    Sleep(100);
  } while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT);
  DWORD code = 0;
  if (GetExitCodeProcess(process, &code)) result.exitCode = static_cast<int>(code);
  CloseHandle(process);
}

// A temporary file that the child inherits as its standard output and error, deleted when closed.
class OutputSink {
 public:
  OutputSink() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"wfo", 0, name) == 0) return;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    file_ = CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    input_ = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING,
                         0, nullptr);
  }
  ~OutputSink() {
    for (HANDLE handle : {file_, input_}) {
      if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  }
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  bool ok() const { return file_ != INVALID_HANDLE_VALUE && input_ != INVALID_HANDLE_VALUE; }
  HANDLE file() const { return file_; }
  HANDLE input() const { return input_; }

  // The last kMaxCapturedOutput bytes written.
  std::string Read() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_, &size) || size.QuadPart <= 0) return {};
    const auto limit = static_cast<LONGLONG>(kMaxCapturedOutput);
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart > limit ? size.QuadPart - limit : 0;
    if (!SetFilePointerEx(file_, from, nullptr, FILE_BEGIN)) return {};
    std::string text(static_cast<std::size_t>(size.QuadPart - from.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file_, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
    text.resize(read);
    return from.QuadPart > 0 ? "...\n" + text : text;
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE input_ = INVALID_HANDLE_VALUE;
};

// Starts `file` directly, hidden, with its standard output and error in `sink`.
RunResult RunHeard(std::string_view program, const std::filesystem::path& file, std::string_view parameters,
                   const std::filesystem::path& workingFolder, std::string& output) {
  RunResult result;
  const OutputSink sink;
  if (!sink.ok()) {
    result.failure = FailureText(program, workingFolder,
                                 "no file for its output: " + std::system_category().message(GetLastError()));
    return result;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = sink.input();
  startup.hStdOutput = sink.file();
  startup.hStdError = sink.file();
  std::wstring commandLine = L"\"" + file.wstring() + L"\" " + PathFromUtf8(parameters).wstring();
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      workingFolder.c_str(), &startup, &process)) {
    result.failure = FailureText(program, workingFolder, std::system_category().message(GetLastError()));
    return result;
  }
  CloseHandle(process.hThread);
  WaitForProcess(process.hProcess, result);
  output = sink.Read();
  return result;
}

}

RunResult RunAndWait(std::string_view program, std::string_view parameters,
                     const std::filesystem::path& workingFolder, std::string* output) {
  RunResult result;
  if (output != nullptr) output->clear();
  // The shell gets the program's full path when it lies in the working folder, so that the shell's
  // own search (which starts elsewhere) cannot pick another program of the same name; otherwise
  // the bare name without extension, for the shell to find.
  // Wide throughout, so that folders named with any letters reach the program (the parameters are
  // UTF-8, as CommandLinePath writes paths).
  std::wstring file;
  if (const auto found = FindProgram(program, workingFolder)) {
    if (output != nullptr) return RunHeard(program, *found, parameters, workingFolder, *output);
    file = found->wstring();
  } else {
    file = PathFromUtf8(program).stem().wstring();
  }
  const std::wstring commandLine = PathFromUtf8(parameters).wstring();
  const std::wstring folder = workingFolder.wstring();

  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_DOENVSUBST;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = commandLine.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info) || info.hProcess == nullptr) {
    result.failure = FailureText(program, workingFolder, std::system_category().message(GetLastError()));
    return result;
  }
  WaitForProcess(info.hProcess, result);
  return result;
}

PathStyle CommandLinePathStyle(std::string_view, const std::filesystem::path&) {
  return PathStyle::kWindows;
}

std::string CommandLinePath(const std::filesystem::path& path, PathStyle) {
  return PathUtf8(path);
}

char CommandLineSeparator(PathStyle) {
  return '\\';
}

std::filesystem::path PathFromCommandLine(std::string_view text) {
  return PathFromUtf8(text);
}

#else

namespace {

// The last kMaxCapturedOutput bytes of what was written to `file`.
std::string ReadCaptured(std::FILE* file) {
  std::string text;
  if (std::fseek(file, 0, SEEK_END) != 0) return text;
  const long size = std::ftell(file);
  const long limit = static_cast<long>(kMaxCapturedOutput);
  if (size <= 0 || std::fseek(file, size > limit ? size - limit : 0, SEEK_SET) != 0) return text;
  text.resize(static_cast<std::size_t>(std::min(size, limit)));
  text.resize(std::fread(text.data(), 1, text.size(), file));
  return size > limit ? "...\n" + text : text;
}

RunResult Start(std::string_view program, std::string_view parameters,
                const std::filesystem::path& workingFolder, int outputFd) {
  RunResult result;
  const std::optional<std::filesystem::path> found = FindProgram(program, workingFolder);
  if (!found) {
    result.failure = FailureText(program, workingFolder, "no file of that name, with or without .exe");
    return result;
  }
  std::vector<std::string> arguments = SplitWindowsCommandLine(parameters);
  const std::filesystem::path programPath = std::filesystem::absolute(*found);
  if (IsWindowsExecutable(programPath)) {
    const std::optional<std::filesystem::path> wine = FindOnPath("wine");
    if (!wine) {
      result.failure =
          FailureText(program, workingFolder,
                      found->filename().string() + " is a Windows program and wine is not on the PATH");
      return result;
    }
    arguments.insert(arguments.begin(), {wine->string(), programPath.string()});
    return Launch(program, workingFolder, wine->string(), arguments, outputFd);
  }
  if (access(programPath.c_str(), X_OK) != 0) {
    result.failure = FailureText(program, workingFolder, found->filename().string() + " is not executable");
    return result;
  }
  arguments.insert(arguments.begin(), programPath.string());
  return Launch(program, workingFolder, programPath.string(), arguments, outputFd);
}

}

RunResult RunAndWait(std::string_view program, std::string_view parameters,
                     const std::filesystem::path& workingFolder, std::string* output) {
  if (output == nullptr) return Start(program, parameters, workingFolder, -1);
  output->clear();
  std::FILE* sink = std::tmpfile();
  if (sink == nullptr) {
    RunResult result;
    result.failure =
        FailureText(program, workingFolder, std::string("no file for its output: ") + std::strerror(errno));
    return result;
  }
  const RunResult result = Start(program, parameters, workingFolder, fileno(sink));
  *output = ReadCaptured(sink);
  std::fclose(sink);
  return result;
}

PathStyle CommandLinePathStyle(std::string_view program, const std::filesystem::path& workingFolder) {
  const std::optional<std::filesystem::path> found = FindProgram(program, workingFolder);
  return found && IsWindowsExecutable(*found) ? PathStyle::kWindows : PathStyle::kPosix;
}

std::string CommandLinePath(const std::filesystem::path& path, PathStyle style) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) absolute = path;
  std::string text = absolute.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  if (style == PathStyle::kPosix) return text;
  std::replace(text.begin(), text.end(), '/', '\\');
  return "Z:" + text;
}

char CommandLineSeparator(PathStyle style) {
  return style == PathStyle::kWindows ? '\\' : '/';
}

std::filesystem::path PathFromCommandLine(std::string_view text) {
  std::string path(text);
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') {
    path.erase(0, 2);
    if (path.empty()) path = "/";
  }
  std::replace(path.begin(), path.end(), '\\', '/');
  return std::filesystem::path(path);
}

#endif

std::filesystem::path FileFromCommandLine(std::string_view text) {
  const std::filesystem::path path = PathFromCommandLine(text);
  std::error_code ec;
  if (path.empty() || std::filesystem::exists(path, ec)) return path;
  if (path.is_absolute()) return ResolvePathCase(path.root_path(), path.relative_path());
  return ResolvePathCase(std::filesystem::current_path(ec), path);
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;  // an argument has begun (it may still be empty: "")
  bool quoted = false;
  std::size_t i = 0;
  while (i < commandLine.size()) {
    const char c = commandLine[i];
    if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      std::size_t run = 0;
      while (i < commandLine.size() && commandLine[i] == '\\') {
        ++run;
        ++i;
      }
      if (i < commandLine.size() && commandLine[i] == '"') {
        current.append(run / 2, '\\');
        if (run % 2 == 1) {
          current += '"';
          ++i;
        }
        // With an even run the quote is left for the next turn, where it toggles quoting.
      } else {
        current.append(run, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
        current += '"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    current += c;
    ++i;
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

}
