#include "gui/program.h"

#include <QApplication>
#include <QTimer>
#include <exception>
#include <memory>

#include "app/startup.h"
#include "gui/gui_prompter.h"
#include "gui/main_window.h"
#include "platform/record_memory.h"

namespace wf::gui {

std::optional<WorkFolderLock> LockWorkFolder(const std::filesystem::path& workFolder, Prompter& prompter,
                                             std::chrono::milliseconds wait) {
  try {
    return WorkFolderLock::Acquire(workFolder, "wingfold-gui", wait);
  } catch (const std::exception& e) {
    prompter.Message(e.what(), MessageIcon::kStop);
    return std::nullopt;
  }
}

int RunProgram(QApplication& app) {
  // The window's size, position and last page are kept under these names (QSettings).
  app.setOrganizationName("Wingfold");
  app.setApplicationName("FSX Wingfold");
  GuiPrompter prompter;
  const std::filesystem::path workFolder = std::filesystem::current_path();
  const std::optional<WorkFolderLock> lock = LockWorkFolder(workFolder, prompter);
  if (!lock) return 1;

  auto session = std::make_unique<Session>();
  session->prompter = &prompter;
  try {
    StartSession(*session, workFolder);
  } catch (const std::exception& e) {
    prompter.Message(e.what(), MessageIcon::kStop);
    return 1;
  }

  int status = 0;
  {
    MainWindow window(*session, &prompter);
    // A damaged database that was not repaired ends the program.
    QObject::connect(&window, &MainWindow::opened, &app, [&app](bool ok) {
      if (!ok) app.exit(1);
    });
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Open(); });
    status = app.exec();
  }
  // A whole world is a hundred thousand records: the system takes them back at once.
  if (!MemoryIsChecked()) static_cast<void>(session.release());
  return status;
}

}
