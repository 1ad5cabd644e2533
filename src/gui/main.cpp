#include <QApplication>

#include "gui/program.h"
#include "platform/record_memory.h"

int main(int argc, char** argv) {
  wf::PrepareHeapForLargeWorlds();
  QApplication app(argc, argv);
  return wf::gui::RunProgram(app);
}
