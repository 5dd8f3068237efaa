#include "gui/reports/overview_browser.h"

#include "gui/app/orvo_app.h"
#include "gui/output/num_row_window.h"
#include "gui/screens/browser_window.h"

namespace orvo::gui {

std::function<void()> OverviewBrowserPort(OrvoApp& app, QWidget* parent) {
  return [&app, parent] {
    Session& session = app.session();
    BrowserHooks hooks;
    hooks.guard = [&app](const std::function<void()>& work) { app.Guard(work); };
    hooks.showTextReport = [&app](VystHandOver& vyst) { app.ShowReport(vyst.VystFile); };
    hooks.showPrintSettings = [&app, &session, parent] {
      NumRowWindow settings(session.env, session.printSettings, parent);
      app.ExecModal(settings);
    };
    BrowserWindow browser(session.env, session.browser, session.office, std::move(hooks), parent);
    browser.Show();
  };
}

}  // namespace orvo::gui
