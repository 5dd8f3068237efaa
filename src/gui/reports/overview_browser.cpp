#include "gui/reports/overview_browser.h"

#include "gui/app/orvo_app.h"
#include "gui/output/num_row_window.h"
#include "gui/screens/browser_window.h"

namespace orvo::gui {

std::function<void()> OverviewBrowserPort(OrvoApp& app, QWidget* parent) {
  return [&app, parent] {
    Session& session = app.session();
    BrowserWindow browser(session.env, session.browser, session.office, app.BrowserHooksFor(parent), parent);
    browser.Show();
  };
}

}  // namespace orvo::gui
