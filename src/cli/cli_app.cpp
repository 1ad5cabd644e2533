#include "cli/cli_app.h"

namespace wf::cli {

int Run(int, const char* const*) { return 0; }

}  // namespace wf::cli
