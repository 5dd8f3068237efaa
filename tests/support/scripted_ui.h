// A Ui for tests: records every message with its kind, text and caption and
// answers questions from a queue (No when the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/sys/ui.h"

namespace orvo::test {

struct RecordedMessage {
  MessageKind kind;
  std::string text;
  std::string caption;
  bool operator==(const RecordedMessage&) const = default;
};

class ScriptedUi : public Ui {
 public:
  void Message(MessageKind kind, std::string_view text, std::string_view caption) override;
  Answer Ask(MessageKind kind, std::string_view text, std::string_view caption) override;
  bool CanBeep() const override { return true; }
  void Beep() override { ++beeps; }
  void ShowNotice(std::string_view text) override { notices.emplace_back(text); }
  void ShowProgress(std::string_view caption) override { progress.emplace_back(caption); }
  void QuitWindow(std::string_view title) override { quitWindows.emplace_back(title); }
  std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;

  std::vector<RecordedMessage> messages;
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::string> notices;
  std::vector<std::string> progress;
  std::vector<std::string> quitWindows;
  int beeps = 0;

  // The only message so far, for the common "exactly one box" assertion.
  const RecordedMessage& Single() const;
  void Clear() { messages.clear(); }
};

// Shorthand for expected messages: CR = "\r".
inline RecordedMessage Info(std::string text, std::string caption = {}) {
  return {MessageKind::Info, std::move(text), std::move(caption)};
}
inline RecordedMessage Error(std::string text, std::string caption = {}) {
  return {MessageKind::Error, std::move(text), std::move(caption)};
}
inline RecordedMessage Question(std::string text, std::string caption = {}) {
  return {MessageKind::YesNo, std::move(text), std::move(caption)};
}

void PrintTo(const RecordedMessage& m, std::ostream* os);

}  // namespace orvo::test
