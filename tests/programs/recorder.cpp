// A program that tests start to see how it was started: it writes its arguments (one a line) to
// arguments.txt in the folder it runs in, and exits with the number given as --exit=N (0 without).
// It never reads its standard input: a program started hidden may have a console nobody types in.
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  int code = 0;
  std::ofstream arguments("arguments.txt", std::ios::binary);
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--exit=", 0) == 0) code = std::atoi(argument.c_str() + 7);
    arguments << argument << '\n';
  }
  return code;
}
