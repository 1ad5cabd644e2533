#pragma once
// Starting an external program hidden and waiting for it to end, and writing paths into its command
// line the way that program will read them.
//
// Windows: the shell starts the program (verb "open", hidden window, environment variables in the
// program and folder expanded) and its exit code is polled every 100 ms.
//
// POSIX: the program is looked up in the working folder by its name without regard to case, with or
// without ".exe" (the name as given first). A Windows executable (a file that starts with "MZ") runs
// through `wine`, found on the PATH; any other file runs directly when it is executable. The command
// line is split into arguments by the Windows rules (SplitWindowsCommandLine), so a program gets the
// same arguments on every OS. Standard input is /dev/null (a hidden program has no console to read
// from); standard output and error are the caller's unless they are asked for (below). The child is
// polled every 100 ms (waitpid).
//
// Neither waits with a time-out: a program that never ends blocks the caller, as it does on Windows.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

struct RunResult {
  bool started = false;
  // Why the program did not start, naming the program and the folder; empty when it started.
  std::string failure;
  // The program's exit status when it ended by itself; -1 when it was ended by a signal (POSIX) or
  // its status could not be read.
  int exitCode = -1;
  // POSIX: the signal that ended the program, 0 when it exited.
  int signal = 0;
};

// Runs `program` (a bare name such as "TrafficDatabaseBuilder.exe" or "imagetool", or a path
// relative to the working folder) with the command line `parameters` in `workingFolder`, and
// returns when it has ended. Sleeps 100 ms before the first look at the program, so a program that
// ends at once is still waited for 100 ms; a program that cannot be started returns at once.
// Never throws for a missing or unusable program: that is reported in the result.
//
// With `output`, what the program writes to its standard output and error goes there (through a
// temporary file, in the order written; its last kMaxCapturedOutput bytes) instead of to the
// caller's. On Windows only a program found in the working folder can be heard so (it is started
// directly, without the shell); another one leaves `output` empty.
RunResult RunAndWait(std::string_view program, std::string_view parameters,
                     const std::filesystem::path& workingFolder, std::string* output = nullptr);
inline constexpr std::size_t kMaxCapturedOutput = 1 << 20;

// How a program reads the paths on its command line: as Windows paths ("C:\...", or "Z:\..." for a
// POSIX path under wine), or as POSIX paths.
enum class PathStyle { kWindows, kPosix };

// The style of the program RunAndWait would start: on Windows always kWindows; on POSIX kWindows
// for a Windows executable (it runs under wine) and kPosix for a native program or one not found.
PathStyle CommandLinePathStyle(std::string_view program, const std::filesystem::path& workingFolder);

// `path` as a program of `style` understands it on its command line. On Windows the path's text in
// UTF-8 (RunAndWait hands the command line over in UTF-16). On POSIX the absolute path; for kWindows on the
// Z: drive, through which wine shows the whole POSIX file system: "Z:" followed by the path with each '/'
// turned into '\'
// ("/home/ann/My Work" gives "Z:\home\ann\My Work"). A trailing separator is dropped.
std::string CommandLinePath(const std::filesystem::path& path, PathStyle style);

// The separator to put between a folder written by CommandLinePath and a name below it.
char CommandLineSeparator(PathStyle style);

// A path received on the command line, as this OS names the file. On Windows the text is UTF-8
// (CommandLineArgumentsUtf8). On POSIX a
// Windows path on the Z: drive becomes the POSIX path it names ("Z:\tmp\a.dat" gives "/tmp/a.dat"),
// and every backslash becomes '/'; other drive letters are kept ("C:/a.dat"), as they name no file.
std::filesystem::path PathFromCommandLine(std::string_view text);

// The file a path on the command line names, as the Windows file system would find it: the path of
// PathFromCommandLine with each component that does not exist in that spelling matched without
// regard to case (relative paths from the current folder). Components without a match stay as
// given, so the result names the file to create when there is none.
std::filesystem::path FileFromCommandLine(std::string_view text);

// Splits a command line into arguments as CommandLineToArgvW does for every argument after the
// program name: blanks and tabs outside quotes separate arguments; a quote toggles quoting and is
// dropped; 2n backslashes before a quote give n backslashes (the quote then toggles), 2n + 1 give n
// backslashes and a literal quote; backslashes before anything else are kept as they are; two
// quotes in a row inside quotes give one literal quote. An empty quoted argument ("") is kept.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

}
