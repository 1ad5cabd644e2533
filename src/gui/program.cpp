#include "gui/program.h"

#include <QApplication>
#include <QTimer>
#include <exception>
#include <filesystem>
#include <memory>

#include "app/startup.h"
#include "gui/gui_prompter.h"
#include "gui/main_window.h"
#include "platform/record_memory.h"

namespace wf::gui {

int RunProgram(QApplication& app) {
  app.setApplicationName("FSX Wingfold");
  auto session = std::make_unique<Session>();
  GuiPrompter prompter;
  session->prompter = &prompter;
  try {
    StartSession(*session, std::filesystem::current_path());
  } catch (const std::exception& e) {
    prompter.Message(e.what(), MessageIcon::kStop);
    return 1;
  }

  int status = 0;
  {
    MainWindow window(*session, &prompter);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Open(); });
    status = app.exec();
  }
  // A whole world is a hundred thousand records: the system takes them back at once.
  if (!MemoryIsChecked()) static_cast<void>(session.release());
  return status;
}

}
