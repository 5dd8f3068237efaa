// The Ui port: everything the core wants to show or ask goes through here.
// Core never paints; the GUI, the console program and the tests each supply
// their own implementation. All texts are Windows-1250 bytes; "\r" inside a
// message text is a line break.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvo {

enum class MessageKind {
  Info,         // OK, information icon
  Error,        // OK, exclamation icon (beeps come before it, see ErrorBox)
  YesNo,        // Yes and No, question icon
  YesNoCancel,  // Yes, No and Cancel, no icon
};

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
  std::string title;
  std::string startDir;  // logical DOS path
  std::string filter;    // "Description|mask|Description|mask"
  std::string fileName;  // proposed name
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A box with only an OK button (Info, Error).
  virtual void Message(MessageKind kind, std::string_view text, std::string_view caption) = 0;
  // A question box (YesNo, YesNoCancel).
  virtual Answer Ask(MessageKind kind, std::string_view text, std::string_view caption) = 0;

  // A Ui without a speaker (the console) skips the error beeps and the
  // pauses between them.
  virtual bool CanBeep() const { return false; }
  virtual void Beep() {}
  // Lets pending window events run (repaints, the running table viewer's quit).
  virtual void ProcessEvents() {}

  // The always-on-top progress window with the hourglass.
  virtual void ShowProgress(std::string_view caption) { (void)caption; }
  virtual void HideProgress() {}
  // The short notice window ("Prebiha archivace ...").
  virtual void ShowNotice(std::string_view text) { (void)text; }
  virtual void HideNotice() {}
  virtual void SetHourglass(bool on) { (void)on; }
  // The information window: caption two blanks + title ("Informace:" when
  // empty), one or two centred lines. With selfClosing it is shown modally
  // and closes itself once painted, so it stays displayMs; otherwise it
  // stays until HideInformation, which keeps it displayMs longer.
  virtual void ShowInformation(std::string_view title, std::string_view line1,
                               std::string_view line2, int displayMs, bool selfClosing) {
    (void)title, (void)line1, (void)line2, (void)displayMs, (void)selfClosing;
  }
  virtual void HideInformation() {}

  // Asks a top-level window with this title to quit (the running table viewer).
  virtual void QuitWindow(std::string_view title) { (void)title; }

  // Horizontal dots per inch of the screen.
  virtual int ScreenDpi() const { return 96; }

  // File dialogs return a logical DOS path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) {
    (void)request;
    return std::nullopt;
  }
  virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) {
    (void)request;
    return std::nullopt;
  }
};

}  // namespace orvo
