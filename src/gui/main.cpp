#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/version.h"
#include "gui/program.h"
#include "platform/record_memory.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so that it needs no display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "wingfold-gui " << wf::ProgramVersion() << "\n";
    return 0;
  }
  wf::PrepareHeapForLargeWorlds();
  QApplication app(argc, argv);
  return wf::gui::RunProgram(app);
}
