#include "core/sys/console_ui.h"

#include <ostream>
#include <string>

#include "core/sys/encoding.h"

namespace orvo {

namespace {

// Message texts break lines with single carriage returns.
std::string ForTerminal(std::string_view text) {
  std::string out;
  for (char c : Cp1250ToUtf8(text)) out += (c == '\r') ? '\n' : c;
  return out;
}

}  // namespace

void ConsoleUi::Write(std::string_view label, std::string_view text, std::string_view caption) {
  out_ << label;
  if (!caption.empty()) out_ << " [" << ForTerminal(caption) << "]";
  out_ << ": " << ForTerminal(text) << "\n";
  out_.flush();
}

void ConsoleUi::Message(MessageKind kind, std::string_view text, std::string_view caption) {
  if (kind == MessageKind::Error) {
    ++errors_;
    Write("error", text, caption);
  } else {
    Write("info", text, caption);
  }
}

Answer ConsoleUi::Ask(MessageKind, std::string_view text, std::string_view caption) {
  Write("question", text, caption);
  Answer a = answerYes_ ? Answer::Yes : Answer::No;
  out_ << "answer: " << (a == Answer::Yes ? "yes" : "no") << "\n";
  return a;
}

void ConsoleUi::ShowNotice(std::string_view text) { Write("notice", text, {}); }

void ConsoleUi::ShowProgress(std::string_view caption) { Write("working", caption, {}); }

}  // namespace orvo
