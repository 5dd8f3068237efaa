#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core/sys/encoding.h"

namespace orvo::test {

void ScriptedUi::Message(MessageKind kind, std::string_view text, std::string_view caption) {
  messages.push_back({kind, std::string(text), std::string(caption)});
}

Answer ScriptedUi::Ask(MessageKind kind, std::string_view text, std::string_view caption) {
  messages.push_back({kind, std::string(text), std::string(caption)});
  if (answers.empty()) return Answer::No;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::string> ScriptedUi::OpenFileDialog(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return std::nullopt;
  auto a = fileAnswers.front();
  fileAnswers.pop_front();
  return a;
}

std::optional<std::string> ScriptedUi::SaveFileDialog(const FileDialogRequest& request) {
  return OpenFileDialog(request);
}

const RecordedMessage& ScriptedUi::Single() const {
  EXPECT_EQ(messages.size(), 1u);
  static const RecordedMessage none{MessageKind::Info, "<no message>", ""};
  return messages.empty() ? none : messages.front();
}

static std::string Readable(const std::string& s) {
  std::string out;
  for (char c : Cp1250ToUtf8(s)) {
    if (c == '\r') out += "<CR>";
    else out += c;
  }
  return out;
}

void PrintTo(const RecordedMessage& m, std::ostream* os) {
  static const char* kinds[] = {"Info", "Error", "YesNo", "YesNoCancel"};
  *os << kinds[static_cast<int>(m.kind)] << "{\"" << Readable(m.text) << "\", caption \""
      << Readable(m.caption) << "\"}";
}

}  // namespace orvo::test
