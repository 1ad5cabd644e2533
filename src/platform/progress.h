#pragma once
// The one progress line that long operations report through. Implementations: the CLI's terminal
// line, the GUI's progress box, and a recording one in the tests.
#include <string>

namespace wf {

class Progress {
 public:
  virtual ~Progress() = default;
  // Shows the box if hidden and replaces its text.
  virtual void SetText(const std::string& text) = 0;
  // Hides the box; the next SetText shows it again.
  virtual void Hide() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

// Discards everything; for callers that run without a user.
class NullProgress final : public Progress {
 public:
  void SetText(const std::string&) override {}
  void Hide() override {}
  void SetCaption(const std::string&) override {}
};

}
