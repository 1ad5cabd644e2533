#pragma once
// Recording fakes of the progress line and the prompter.
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/progress.h"
#include "platform/prompter.h"

namespace wf::test {

class RecordingProgress final : public Progress {
 public:
  void SetText(const std::string& text) override {
    texts.push_back(text);
    shown = true;
  }
  void Hide() override { shown = false; }
  void SetCaption(const std::string&) override {}
  void SetSteps(std::size_t done, std::size_t total) override { steps.emplace_back(done, total); }

  std::vector<std::string> texts;
  std::vector<std::pair<std::size_t, std::size_t>> steps;  // (done, total) in calling order
  bool shown = false;
};

// Records messages and questions; answers the questions with the scripted answers in turn, then
// with `answer`.
class RecordingPrompter final : public Prompter {
 public:
  explicit RecordingPrompter(std::deque<Answer> answers = {}) : answers_(std::move(answers)) {}
  void Message(const std::string& text, MessageIcon) override { messages.push_back(text); }
  bool AskYesNo(const std::string& question) override { return AskYesNoAllCancel(question) == Answer::kYes; }
  Answer AskYesNoAllCancel(const std::string& question) override {
    questions.push_back(question);
    if (answers_.empty()) return answer ? Answer::kYes : Answer::kNo;
    const Answer scripted = answers_.front();
    answers_.pop_front();
    return scripted;
  }
  Answer AskYesNoCancel(const std::string& question) override {
    if (!choice) return AskYesNoAllCancel(question);
    questions.push_back(question);
    return *choice;
  }
  void MessageWithDetails(const std::string& text, MessageIcon icon, const std::string& more) override {
    Message(text, icon);
    details.push_back(more);
  }
  bool AskYesNoWithDetails(const std::string& question, const std::string& more) override {
    details.push_back(more);
    return AskYesNo(question);
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return chosenFile; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return chosenFolder;
  }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> details;  // of the messages and questions that had them
  bool answer = false;
  std::optional<Answer> choice;  // the answer to Yes/No/Cancel; as the other questions when unset
  std::optional<std::string> chosenFile;
  std::optional<std::string> chosenFolder;

 private:
  std::deque<Answer> answers_;
};
using ScriptedPrompter = RecordingPrompter;

}
