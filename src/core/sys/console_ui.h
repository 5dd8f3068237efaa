// The Ui of the command-line program: messages go to the error stream as
// UTF-8, questions are answered from the command line's choice (No unless the
// user said --yes), and nothing waits for a person.
#pragma once

#include <iosfwd>

#include "core/sys/ui.h"

namespace orvo {

class ConsoleUi final : public Ui {
 public:
  ConsoleUi(std::ostream& out, bool answerYes) : out_(out), answerYes_(answerYes) {}

  void Message(MessageKind kind, std::string_view text, std::string_view caption) override;
  Answer Ask(MessageKind kind, std::string_view text, std::string_view caption) override;
  void ShowNotice(std::string_view text) override;
  void ShowProgress(std::string_view caption) override;

  // A command that takes its own --yes answers Yes from then on.
  void SetAnswerYes(bool yes) { answerYes_ = yes; }

  // How many error boxes were shown; the program's exit code depends on it.
  int ErrorCount() const { return errors_; }

 private:
  void Write(std::string_view label, std::string_view text, std::string_view caption);

  std::ostream& out_;
  bool answerYes_;
  int errors_ = 0;
};

}  // namespace orvo
