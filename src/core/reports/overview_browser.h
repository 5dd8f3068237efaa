// What the overviews of the menu "Prehledy" share: where their results are
// written, the browser's first heading (product, date, time), the hand-over
// of a result to the read-only browser, and the period key YYMM of a typed
// period.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/screens/browser_model.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kLedgerFile = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\HlKniha.Cds";
inline constexpr std::string_view kActivityDevelopmentFile = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\VyStCn.Cds";
inline constexpr std::string_view kOverviewDef = "C:\\A_Run\\Work\\Orvoork.Def";

// "Orvo            " (16 characters), today dd.mm.yyyy, two blanks, hh:mm:ss.
std::string OverviewHeading1(Env& env);

// The browser's hand-over for a read-only view of `file` (layout `def`)
// with the two headings, then the browser shown through `showBrowser`.
void ShowOverview(ScrHandOver& handOver, std::string_view file, std::string_view def, std::string heading1,
                  std::string heading2, const std::function<void()>& showBrowser);

// A typed period without blanks when it is four digits with a month 00 to
// 20 ("1705"); empty otherwise.
std::string OverviewPeriodKey(std::string_view typed);

}  // namespace orvo
