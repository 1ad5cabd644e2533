#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "support/os.h"

namespace wf::test {

namespace {

std::wstring Wide(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// One argument quoted so that the program's command-line parsing gives it back unchanged.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

}

ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::vector<std::pair<std::string, std::string>>& environment, bool withStderr,
                         const std::filesystem::path& workingFolder) {
  ProcessResult result;
  std::wstring commandLine = Quoted(std::filesystem::absolute(program).wstring());
  for (const std::string& argument : arguments) commandLine += L" " + Quoted(Wide(argument));

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
  Handle reader(readEnd), writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  Handle nul(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                         nullptr));

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul.get();
  startup.hStdOutput = writeEnd;
  startup.hStdError = withStderr ? writeEnd : GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  {
    // The child inherits this process's environment, with the variables set for it.
    std::vector<std::unique_ptr<ScopedEnvironment>> variables;
    for (const auto& [name, value] : environment)
      variables.push_back(std::make_unique<ScopedEnvironment>(name, value));
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
      return result;
    }
  }
  Handle processHandle(process.hProcess), thread(process.hThread);
  writer.reset();
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) result.out.append(buffer, n);
  // Console programs end their lines with CR LF here.
  std::erase(result.out, '\r');
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
  return result;
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
  if (const wchar_t* old = _wgetenv(Wide(name_).c_str())) {
    const std::u8string bytes = std::filesystem::path(old).u8string();
    old_ = std::string(bytes.begin(), bytes.end());
  }
  _wputenv_s(Wide(name_).c_str(), value ? Wide(*value).c_str() : L"");
}

ScopedEnvironment::~ScopedEnvironment() {
  _wputenv_s(Wide(name_).c_str(), old_ ? Wide(*old_).c_str() : L"");
}

std::string ExecutableName(const std::string& name) {
  return name + ".exe";
}

int ProcessId() {
  return static_cast<int>(GetCurrentProcessId());
}

}
