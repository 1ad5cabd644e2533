#pragma once
// wingfold-gui from start to end: the work folder is the current folder, which the program holds
// (app/work_folder_lock.h) while it is open; the settings are read (a missing simulator folder is
// reported before the window opens), the window opens on the Settings page and runs the loading
// sequence, and the program ends when the window closes.
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/work_folder_lock.h"
#include "platform/prompter.h"

class QApplication;

namespace wf::gui {

// The work folder's lock for the program, or nothing when another program holds the folder or the
// lock cannot be made; the user has then been told why, naming the other program.
std::optional<WorkFolderLock> LockWorkFolder(const std::filesystem::path& workFolder, Prompter& prompter,
                                             std::chrono::milliseconds wait = kWorkFolderWait);

// Returns the process's exit status.
int RunProgram(QApplication& app);

}
