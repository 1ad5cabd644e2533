#pragma once
// The command line's progress line and prompts.
#include <iosfwd>
#include <string>

#include "platform/progress.h"
#include "platform/prompter.h"

namespace wf::cli {

// On a terminal: one line that overwrites itself. Elsewhere: silent, unless verbose, which prints
// every text on a line of its own.
class TerminalProgress final : public Progress {
 public:
  TerminalProgress(std::ostream& err, bool isTerminal, bool verbose);
  ~TerminalProgress() override;
  void SetText(const std::string& text) override;
  void Hide() override;
  void SetCaption(const std::string& caption) override;

 private:
  std::ostream& err_;
  bool isTerminal_;
  bool verbose_;
  bool shown_ = false;
  std::size_t lastWidth_ = 0;
};

// Messages go to stderr. Questions: Yes with --yes; otherwise asked on the terminal; with no
// terminal, or at end of input, the answer is No.
class TerminalPrompter final : public Prompter {
 public:
  TerminalPrompter(std::istream& in, std::ostream& err, bool inputIsTerminal, bool assumeYes,
                   Progress* progress = nullptr);
  void Message(const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& question) override;
  // y Yes, n No, a Yes to all, o No to all (none), c Cancel; --yes answers Yes to all.
  Answer AskYesNoAllCancel(const std::string& question) override;
  // y Yes, n No, c Cancel; --yes answers Yes.
  Answer AskYesNoCancel(const std::string& question) override;
  std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) override;
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;

 private:
  // Asks `question` with `choices`: the answer given (--yes: `yes`, no terminal: No), or the first
  // letter typed, 0 at the end of input.
  char Ask(const std::string& question, const char* choices, char yes);
  std::istream& in_;
  std::ostream& err_;
  bool inputIsTerminal_;
  bool assumeYes_;
  Progress* progress_;
};

}
