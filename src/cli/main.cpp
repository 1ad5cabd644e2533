#include "cli/cli_app.h"
#include "platform/record_memory.h"

int main(int argc, char** argv) {
  wf::PrepareHeapForLargeWorlds();
  return wf::cli::Run(argc, argv);
}
