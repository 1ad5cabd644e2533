#pragma once
// Message boxes, Yes/No questions and the open-file and folder dialogs, as the core asks for them.
#include <optional>
#include <string>

namespace wf {

enum class MessageIcon { kInformation, kWarning, kStop };

// The answers to a question that an operation may put once per file (replace this file?): the
// "to all" answers stand for the rest of the operation, Cancel stops it.
enum class Answer { kYes, kNo, kYesToAll, kNoToAll, kCancel };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Message(const std::string& text, MessageIcon icon = MessageIcon::kInformation) = 0;
  // true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // The question with the wider choice; a front end without it answers through AskYesNo.
  virtual Answer AskYesNoAllCancel(const std::string& question) {
    return AskYesNo(question) ? Answer::kYes : Answer::kNo;
  }
  // Yes, No or Cancel (kYes, kNo, kCancel); a front end without Cancel answers through AskYesNo.
  virtual Answer AskYesNoCancel(const std::string& question) {
    return AskYesNo(question) ? Answer::kYes : Answer::kNo;
  }
  // A message or a Yes/No question with a longer text that the user may open (a report of another
  // program); a front end that cannot show it gives `text` alone.
  virtual void MessageWithDetails(const std::string& text, MessageIcon icon, const std::string& /*details*/) {
    Message(text, icon);
  }
  virtual bool AskYesNoWithDetails(const std::string& question, const std::string& /*details*/) {
    return AskYesNo(question);
  }
  // A file chosen by the user, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) = 0;
  // A folder chosen by the user, starting at `startFolder` (may be empty), or nothing when cancelled
  // or when the front end has no dialog for it.
  virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) {
    static_cast<void>(title);
    static_cast<void>(startFolder);
    return std::nullopt;
  }
};

// Answers No, cancels dialogs and drops messages.
class SilentPrompter final : public Prompter {
 public:
  void Message(const std::string&, MessageIcon) override {}
  bool AskYesNo(const std::string&) override { return false; }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return {}; }
};

}
