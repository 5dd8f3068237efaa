#include "core/reports/overview_browser.h"

#include "core/sys/dates.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

std::string OverviewHeading1(Env& env) { return "Orvo            " + TodayText(env) + "  " + NowText(env); }

void ShowOverview(ScrHandOver& handOver, std::string_view file, std::string_view def, std::string heading1,
                  std::string heading2, const std::function<void()>& showBrowser) {
  handOver.ScrFile = std::string(file);
  handOver.ScrDef = std::string(def);
  handOver.ScrEditAllowed = 'N';
  handOver.ScrHeading1 = std::move(heading1);
  handOver.ScrHeading2 = std::move(heading2);
  if (showBrowser) showBrowser();
}

std::string OverviewPeriodKey(std::string_view typed) {
  const std::string key = RemoveBlanks(typed);
  if (key.size() != 4 || !IsDigits(key)) return {};
  const int month = NumberOf(key.substr(2));
  return month <= 20 ? key : std::string();
}

}  // namespace orvo
