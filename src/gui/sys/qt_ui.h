// The Ui port on Qt Widgets: the system's message boxes with their exact
// texts, captions, buttons and icons, the beep, the progress, notice and
// information windows, the hourglass and the file dialogs (which speak
// logical DOS paths to the core and host paths to Qt).
#pragma once

#include <QStringList>

#include <memory>

#include "core/sys/clock.h"
#include "core/sys/dosfs.h"
#include "core/sys/ui.h"

namespace orvo::gui {

class ProgressWindow;
class NoticeWindow;
class InformationWindow;

class QtUi final : public Ui {
 public:
  QtUi(DosFs& fs, Clock& clock);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  void Message(MessageKind kind, std::string_view text, std::string_view caption) override;
  Answer Ask(MessageKind kind, std::string_view text, std::string_view caption) override;
  bool CanBeep() const override { return true; }
  void Beep() override;
  void ProcessEvents() override;

  void ShowProgress(std::string_view caption) override;
  void HideProgress() override;
  void ShowNotice(std::string_view text) override;
  void HideNotice() override;
  void SetHourglass(bool on) override;
  void ShowInformation(std::string_view title, std::string_view line1, std::string_view line2,
                       int displayMs, bool selfClosing) override;
  void HideInformation() override;

  void QuitWindow(std::string_view title) override;
  int ScreenDpi() const override;

  std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;

  // For the windows that show these (and for the tests that look at them).
  ProgressWindow& Progress() { return *progress_; }
  NoticeWindow& Notice() { return *notice_; }
  InformationWindow& Information() { return *info_; }

 private:
  std::optional<std::string> FileDialog(const FileDialogRequest& request, bool save);

  DosFs& fs_;
  Clock& clock_;
  std::unique_ptr<ProgressWindow> progress_;
  std::unique_ptr<NoticeWindow> notice_;
  std::unique_ptr<InformationWindow> info_;
  int hourglass_ = 0;
  int infoDisplayMs_ = 0;
};

// "Desc|mask|Desc|mask" as QFileDialog name filters ("Desc (mask)").
QStringList NameFilters(std::string_view filter);

}  // namespace orvo::gui
