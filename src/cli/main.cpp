#include "cli/cli_app.h"

int main(int argc, char** argv) { return wf::cli::Run(argc, argv); }
