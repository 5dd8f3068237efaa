// The running application: the environment (drive map, file system, clock,
// the Qt Ui), the session, the single-instance lock and the long-lived
// windows, created once in the system's order. It is also the one place
// where "the application ends" (Termination) is caught: every slot runs its
// work through Guard, and a modal dialog is run through ExecModal, which
// passes the end on to the slot that opened it.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/session.h"
#include "core/sys/clock.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"

class QDialog;

namespace orvo::gui {

class QtUi;
class MainWindow;
class LoginDialog;
class RightsDialog;
class PeriodDialog;
class RangeDialog;
class CdsCisWindow;
class VystWindow;
class DeskHost;
struct BrowserHooks;

struct AppSetup {
  DriveMap drives;
  // The system clock when none is given.
  Clock* clock = nullptr;
  // The free space of a drive; statvfs when not set.
  DosFs::FreeSpaceSource freeSpace;
};

// Exit codes of Run.
inline constexpr int kExitClosed = 0;  // closed by the user
inline constexpr int kExitEnded = 1;   // ended after a message

class OrvoApp : public QObject {
  Q_OBJECT
 public:
  explicit OrvoApp(AppSetup setup);
  ~OrvoApp() override;

  // Process start, the windows, the creation and the showing of the main
  // window. The first activation follows from the event loop. False when
  // the application has ended already.
  bool Start(const std::vector<std::string>& args);
  // Start, then the event loop until the main window closes; the exit code.
  int Run(const std::vector<std::string>& args);

  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }
  const std::string& EndReason() const { return endReason_; }

  // Runs a slot's work; a Termination ends the application cleanly.
  void Guard(const std::function<void()>& work);
  // exec() of a modal dialog; when the application ended meanwhile, the end
  // is thrown on to the caller (which runs inside a Guard).
  int ExecModal(QDialog& dialog);
  // Ends the application: every dialog is closed, the main window goes
  // without its closing question, the event loops stop.
  void End(const std::string& reason);
  // The main window closed after its question.
  void MainWindowClosed();

  Env& env() { return *env_; }
  Session& session() { return *session_; }
  DosFs& fs() { return *fs_; }
  QtUi& ui() { return *ui_; }
  MainWindow* mainWindow() { return main_.get(); }
  LoginDialog* loginDialog() { return login_.get(); }
  RightsDialog* rightsDialog() { return rights_.get(); }
  PeriodDialog* periodDialog() { return period_.get(); }
  RangeDialog* rangeDialog() { return range_.get(); }
  CdsCisWindow* codeListWindow() { return codeList_.get(); }
  // The loaded definition and the dataset engine, one each for the run,
  // and the code-list window's hand-over values (all the session's).
  LoadedDef& loadedDef() { return session_->def; }
  TCdsProc& engine() { return session_->engine; }
  CisHandOver& cisHandOver() { return session_->cisHandOver; }
  // The text report window with its hand-over values, and the print
  // settings every report writer reads.
  VystWindow* reportWindow() { return vyst_.get(); }
  VystHandOver& vystHandOver() { return session_->vystHandOver; }
  PrintSettings& printSettings() { return session_->printSettings; }
  // Shows a report file in the text report window, modally.
  void ShowReport(const std::string& reportFile);
  // What every dataset browser opened over `parent` may show: the text,
  // framed and graphic report windows, the print settings, the desk.
  BrowserHooks BrowserHooksFor(QWidget* parent);
  // The desk's windows and the help.
  DeskHost& desk() { return *desk_; }

 signals:
  void finished(int exitCode);

 private:
  void Finish(int code);

  std::unique_ptr<Clock> ownClock_;
  Clock* clock_;
  std::unique_ptr<DosFs> fs_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<Env> env_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<InstanceLock> lock_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<LoginDialog> login_;
  std::unique_ptr<RightsDialog> rights_;
  std::unique_ptr<PeriodDialog> period_;
  std::unique_ptr<RangeDialog> range_;
  std::unique_ptr<CdsCisWindow> codeList_;
  std::unique_ptr<VystWindow> vyst_;
  std::unique_ptr<DeskHost> desk_;
  bool ended_ = false;
  bool looping_ = false;
  int exitCode_ = kExitClosed;
  std::string endReason_;
};

}  // namespace orvo::gui
