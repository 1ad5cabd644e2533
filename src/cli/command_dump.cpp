// wingfold dump FILE: a database file as readable text.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "app/database_dump.h"
#include "cli/cli_app.h"
#include "platform/system.h"

namespace wf::cli {

CommandRegistration AddDumpCommand(CLI::App& app) {
  auto* sub =
      app.add_subcommand("dump", "Print a database file (objects.dat, AircraftTypes.dat, ...) as text");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "The database file")->required();
  return {sub, [file](CommandContext& context) {
            std::filesystem::path path = UserPath(*file);
            if (path.is_relative()) path = context.WorkFolder() / path;
            const DumpResult result = DumpDatabaseFile(path, context.out());
            if (!result.opened) {
              context.err() << "wingfold: cannot open " << path.string() << " (" << result.error
                            << "): check the name and the -C folder\n";
              return 1;
            }
            if (!result.complete) {
              context.err() << "wingfold: " << path.string() << " is damaged: " << result.error << "\n";
              return 1;
            }
            return 0;
          }};
}

}
