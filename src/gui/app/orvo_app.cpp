#include "gui/app/orvo_app.h"

#include "gui/output/graphic_window.h"

#include <QApplication>
#include <QDialog>

#include "core/app/main_window.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"
#include "gui/screens/cds_cis_window.h"
#include "gui/shell/login_dialog.h"
#include "gui/app/main_window.h"
#include "gui/shell/period_dialog.h"
#include "gui/sys/qt_clipboard.h"
#include "gui/sys/qt_ui.h"
#include "gui/shell/range_dialog.h"
#include "paint/qt_pdf_backend.h"
#include "gui/output/vyst_window.h"
#include "gui/shell/rights_dialog.h"
#include "gui/desk/desk_host.h"
#include "gui/output/num_row_window.h"
#include "gui/output/ram_window.h"
#include "gui/screens/browser_window.h"
#include "core/screens/report_hand_over.h"

namespace orvo::gui {

OrvoApp::OrvoApp(AppSetup setup) {
  if (setup.clock != nullptr) {
    clock_ = setup.clock;
  } else {
    ownClock_ = std::make_unique<SystemClock>();
    clock_ = ownClock_.get();
  }
  fs_ = std::make_unique<DosFs>(std::move(setup.drives));
  if (setup.freeSpace) fs_->SetFreeSpaceSource(std::move(setup.freeSpace));
  ui_ = std::make_unique<QtUi>(*fs_, *clock_);
  env_ = std::make_unique<Env>(Env{*ui_, *fs_, *clock_});
  SessionPorts ports;
  ports.office = std::make_unique<Office>(WindowOffice());
  ports.clipboard = std::make_unique<QtClipboard>();
  session_ = MakeSession(*env_, std::move(ports));
}

OrvoApp::~OrvoApp() {
  // The windows hold references to the session and the Ui: they go first.
  desk_.reset();
  vyst_.reset();
  codeList_.reset();
  range_.reset();
  period_.reset();
  rights_.reset();
  login_.reset();
  main_.reset();
}

bool OrvoApp::Start(const std::vector<std::string>& args) {
  Guard([&] {
    bool refused = false;
    lock_ = TakeInstanceLock(*env_, &refused);
    if (refused) throw Termination("another copy is running");
    // The main window first: its creation checks the date and the data root.
    main_ = std::make_unique<MainWindow>(*this, args);
    login_ = std::make_unique<LoginDialog>(*this);
    rights_ = std::make_unique<RightsDialog>(*this);
    period_ = std::make_unique<PeriodDialog>(*this);
    range_ = std::make_unique<RangeDialog>(*this);
    codeList_ = std::make_unique<CdsCisWindow>(*this, session_->codeList);
    vyst_ = std::make_unique<VystWindow>(*env_, session_->report, session_->office, nullptr,
                                         [this](const std::function<void()>& work) { Guard(work); });
    codeList_->SetReportViewer([this](const std::string& report) { ShowReport(report); });
    desk_ = std::make_unique<DeskHost>(*env_, session_->desk, *session_, main_.get());
    session_->gridEntry.ports.deskTool = [this](DeskTool tool) { desk_->Show(tool); };
    vyst_->SetGraphicConversion([this](const GraphicConversionInput& in) {
      GraphicWindow window(*env_, in.file, in.pageRows, in.font, session_->office, vyst_.get(),
                           [this](const std::function<void()>& work) { Guard(work); });
      ExecModal(window);
    });
    main_->Open();
  });
  return !ended_;
}

void OrvoApp::ShowReport(const std::string& reportFile) {
  session_->vystHandOver.VystFile = reportFile;
  session_->vystHandOver.VystToolDir = session_->ProgramsDir;
  ExecModal(*vyst_);
}

BrowserHooks OrvoApp::BrowserHooksFor(QWidget* parent) {
  BrowserHooks hooks;
  auto guard = [this](const std::function<void()>& work) { Guard(work); };
  hooks.guard = guard;
  hooks.showTextReport = [this](VystHandOver& vyst) { ShowReport(vyst.VystFile); };
  hooks.showFramedReport = [this, parent, guard](const ReportLayout& layout) {
    RamHandOver handOver = RamHandOverOf(layout);
    RamWindow window(*env_, handOver, session_->printSettings.ReportFont, parent, guard);
    ExecModal(window);
  };
  hooks.showGraphicReport = [this, parent, guard](const ReportLayout& layout) {
    ImaHandOver handOver = ImaHandOverOf(layout, session_->printSettings);
    GraphicWindow window(*env_, handOver, session_->office, parent, guard);
    ExecModal(window);
  };
  hooks.showPrintSettings = [this, parent] {
    NumRowWindow settings(*env_, session_->printSettings, parent);
    ExecModal(settings);
  };
  hooks.showDeskUtility = [this](int tool) { desk_->Show(static_cast<DeskTool>(tool)); };
  return hooks;
}

int OrvoApp::Run(const std::vector<std::string>& args) {
  if (!Start(args)) return exitCode_;
  looping_ = true;
  QApplication::exec();
  looping_ = false;
  return exitCode_;
}

void OrvoApp::Guard(const std::function<void()>& work) {
  if (ended_) return;
  try {
    work();
  } catch (const Termination& t) {
    End(t.what());
  } catch (const std::exception& e) {
    // Nothing may cross the event loop; an unexpected failure is said and
    // the application carries on with the next thing the user does.
    ErrorBox(*env_, std::string("Neocekavana chyba: ") + e.what());
  }
}

int OrvoApp::ExecModal(QDialog& dialog) {
  if (ended_) throw Termination(endReason_);
  int result = dialog.exec();
  if (ended_) throw Termination(endReason_);
  return result;
}

void OrvoApp::End(const std::string& reason) {
  if (ended_) return;
  ended_ = true;
  exitCode_ = kExitEnded;
  endReason_ = reason;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog != nullptr && dialog->isVisible()) {
      dialog->done(QDialog::Rejected);
    }
  }
  ui_->HideProgress();
  ui_->HideNotice();
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  if (main_) main_->close();
  Finish(kExitEnded);
}

void OrvoApp::MainWindowClosed() {
  if (ended_) return;
  ended_ = true;
  exitCode_ = kExitClosed;
  Finish(kExitClosed);
}

void OrvoApp::Finish(int code) {
  emit finished(code);
  if (looping_) QCoreApplication::exit(code);
}

}  // namespace orvo::gui
