#include "cli/terminal.h"

#include <istream>
#include <ostream>

namespace wf::cli {

TerminalProgress::TerminalProgress(std::ostream& err, bool isTerminal, bool verbose)
    : err_(err), isTerminal_(isTerminal), verbose_(verbose) {}

TerminalProgress::~TerminalProgress() {
  Hide();
}

void TerminalProgress::SetText(const std::string& text) {
  if (verbose_) {
    err_ << text << '\n';
    shown_ = true;
    return;
  }
  if (!isTerminal_) return;
  // Keep the line within a common terminal width so that it never wraps.
  constexpr std::size_t kWidth = 79;
  std::string line = text.size() > kWidth ? text.substr(0, kWidth - 3) + "..." : text;
  const std::size_t width = line.size();
  if (width < lastWidth_) line.append(lastWidth_ - width, ' ');
  err_ << '\r' << line << std::flush;
  lastWidth_ = width;
  shown_ = true;
}

void TerminalProgress::Hide() {
  if (!shown_) return;
  if (isTerminal_ && !verbose_) err_ << '\r' << std::string(lastWidth_, ' ') << '\r' << std::flush;
  lastWidth_ = 0;
  shown_ = false;
}

void TerminalProgress::SetCaption(const std::string& caption) {
  if (verbose_) err_ << caption << '\n';
}

TerminalPrompter::TerminalPrompter(std::istream& in, std::ostream& err, bool inputIsTerminal, bool assumeYes,
                                   Progress* progress)
    : in_(in), err_(err), inputIsTerminal_(inputIsTerminal), assumeYes_(assumeYes), progress_(progress) {}

void TerminalPrompter::Message(const std::string& text, MessageIcon icon) {
  if (progress_) progress_->Hide();
  const char* prefix = icon == MessageIcon::kStop      ? "error: "
                       : icon == MessageIcon::kWarning ? "warning: "
                                                       : "";
  err_ << prefix << text << '\n';
}

char TerminalPrompter::Ask(const std::string& question, const char* choices, char yes) {
  if (progress_) progress_->Hide();
  if (assumeYes_) {
    err_ << question << choices << yes << " (--yes)\n";
    return yes;
  }
  if (!inputIsTerminal_) {
    err_ << question << choices << "n (no terminal; use --yes to answer Yes)\n";
    return 'n';
  }
  err_ << question << choices << std::flush;
  std::string answer;
  if (!std::getline(in_, answer) || answer.empty()) return 0;
  return static_cast<char>(answer[0] | 0x20);  // lower case
}

bool TerminalPrompter::AskYesNo(const std::string& question) {
  return Ask(question, " [y/N] ", 'y') == 'y';
}

Answer TerminalPrompter::AskYesNoAllCancel(const std::string& question) {
  switch (Ask(question, " [y]es, [n]o, [a]ll, n[o]ne, [c]ancel: ", 'a')) {
    case 'y':
      return Answer::kYes;
    case 'a':
      return Answer::kYesToAll;
    case 'o':
      return Answer::kNoToAll;
    case 'c':
      return Answer::kCancel;
    default:
      return Answer::kNo;
  }
}

Answer TerminalPrompter::AskYesNoCancel(const std::string& question) {
  switch (Ask(question, " [y]es, [n]o, [c]ancel: ", 'y')) {
    case 'y':
      return Answer::kYes;
    case 'c':
      return Answer::kCancel;
    default:
      return Answer::kNo;
  }
}

std::optional<std::string> TerminalPrompter::OpenFile(const std::string&, const std::string&) {
  // The command line takes paths as options; there is no dialog to show.
  return std::nullopt;
}

std::optional<std::string> TerminalPrompter::ChooseFolder(const std::string&, const std::string&) {
  return std::nullopt;
}

}
