#pragma once
// wingfold-gui from start to end: the work folder is the current folder, the settings are read
// (a missing simulator folder is reported before the window opens), the window opens on the
// Settings page and runs the loading sequence, and the program ends when the window closes.
class QApplication;

namespace wf::gui {

// Returns the process's exit status.
int RunProgram(QApplication& app);

}
