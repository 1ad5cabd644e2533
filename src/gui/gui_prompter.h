#pragma once
// The session's Prompter in the window: message boxes, Yes/No questions, the open-file and folder
// dialogs, each over the window that is active at the time (a dialog if one is open, else the main
// window).
//
// Long work runs on a thread of its own (long_work.h); its messages and questions are carried to the
// window's thread, which shows the box while the work's thread waits for the answer.
#include <QString>
#include <optional>
#include <string>

#include "platform/prompter.h"

namespace wf::gui {

// The title of every box of the program.
inline constexpr const char* kBoxTitle = "FSX Wingfold";

class GuiPrompter final : public Prompter {
 public:
  void Message(const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& question) override;
  // Yes, Yes to All, No, No to All and Cancel.
  Answer AskYesNoAllCancel(const std::string& question) override;
  // Yes, No and Cancel; Escape is Cancel.
  Answer AskYesNoCancel(const std::string& question) override;
  // The details behind "Show Details...".
  void MessageWithDetails(const std::string& text, MessageIcon icon, const std::string& details) override;
  bool AskYesNoWithDetails(const std::string& question, const std::string& details) override;
  // `title` names the files offered (the dialog's filter, "Scenery"); `filter` is their pattern,
  // every file when empty. The dialog starts in the folder of SetStartFolder, and the file chosen
  // must exist.
  std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) override;
  // The folder dialog, titled `title`, opened on `startFolder`.
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;

  // The folder the next open-file dialog starts in (empty: the current folder).
  void SetStartFolder(const std::string& folder) { startFolder_ = folder; }

 private:
  std::string startFolder_;
};

}
