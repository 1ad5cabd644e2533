#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "platform/record_memory.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  wf::PrepareHeapForLargeWorlds();
  const std::vector<std::string> arguments = wf::CommandLineArgumentsUtf8(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  return wf::cli::Run(static_cast<int>(pointers.size()), pointers.data());
}
