// The working period: CurrentPeriod ("YY MM") with PeriodYear and
// PeriodMonth, kept in the period file on the local computer. The file is
// the authority: every function that needs the period loads it first.
// Between writes the file carries the read-only and hidden attributes so
// that it is not changed by hand.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

// The main window's settings: suffix "Orvo", month 00 allowed, highest
// month 15, the range file in C:\A_Run\Aplikace\LOrvo\PomSoub.
void ConfigureMainPeriodModel(RunValues& session);

// "C:\A_Run\PomSoub\Obdobi" + suffix + ".Txt".
std::string PeriodFileName(const RunValues& session);

// Five characters "YY MM", digits and a blank, month at most 20.
bool PeriodValid(std::string_view period);

// Reads the period file into CurrentPeriod, PeriodYear and PeriodMonth. A
// missing file is reported and then generated from today's year and month,
// with a request to correct it; a malformed stored period is reported and
// still used.
void LoadPeriod(RunValues& session);

// Checks CurrentPeriod ("YYMM" gets its blank first) and writes it. False
// when it is refused or the file could not be written.
bool SavePeriod(RunValues& session);

// PeriodYear and PeriodMonth from CurrentPeriod.
void SetPeriodParts(RunValues& session);

}  // namespace orvo
