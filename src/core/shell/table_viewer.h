// What the system hands the external table viewer TabView.Exe and the three
// ways it is started: through the hand-over file without waiting, directly
// with a data and a definition file without waiting, and directly while
// waiting for it to end. Its exit code is never used.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kViewerDataCopy = "C:\\A_Run\\Work\\TabView_Data.Cds";
inline constexpr std::string_view kViewerHandOver = "C:\\A_Run\\Work\\TabView.Ldb";
inline constexpr std::string_view kViewerDiskFile = "C:\\A_Run\\PomSoub\\TabViewDiskP.Def";

// ProgramsDir + "\TabView.Exe".
std::string TableViewerProgram(const RunValues& session);

// Copies the data file to TabView_Data.Cds, writes the five lines of
// TabView.Ldb (data copy, definition, title, heading, "Zobrazeni") and
// starts the viewer on it without waiting. Callers pass "Orvo" as the
// title. When the data cannot be copied the viewer is not started, so that
// it never shows the previous call's data. False then.
bool ShowInTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile,
                       std::string_view title, std::string_view heading);

// Directly, not waiting: data + " " + definition + " Zobrazeni".
void StartTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile);
// Directly, waiting until the viewer ends; with viewOnly the parameter ends
// in " Zobrazeni" (archive browsing), without it the viewer may edit (grid
// data entry).
void RunTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile,
                    bool viewOnly);

// The disk hand-over file: one line with DataRoot, written when the main
// window is shown, erased when the application ends.
void WriteViewerDiskFile(RunValues& session);
void EraseViewerDiskFile(Env& env);

}  // namespace orvo
