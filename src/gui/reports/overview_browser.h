// The read-only dataset browser of the overviews: shown modally over the
// session's hand-over block, its "  Sestava I" in the text report window.
#pragma once

#include <functional>

class QWidget;

namespace orvo::gui {

class OrvoApp;

// A port for the overview models' showBrowser.
std::function<void()> OverviewBrowserPort(OrvoApp& app, QWidget* parent);

}  // namespace orvo::gui
