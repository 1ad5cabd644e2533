#pragma once
// The one progress line that long operations report through. Implementations: the CLI's terminal
// line, the GUI's progress box, and a recording one in the tests.
#include <cstddef>
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
  // Work of a known size: `done` of `total` steps are finished (files, folders, airports). Shown as a
  // bar where the front end has one; Hide ends it. Front ends without a bar ignore it.
  virtual void SetSteps([[maybe_unused]] std::size_t done, [[maybe_unused]] std::size_t total) {}
};

// Discards everything; for callers that run without a user.
class NullProgress final : public Progress {
 public:
  void SetText(const std::string&) override {}
  void Hide() override {}
  void SetCaption(const std::string&) override {}
};

}
