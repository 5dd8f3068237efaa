#include "core/shell/table_viewer.h"

#include "core/sys/text_lines.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"
#include "core/sys/program.h"

namespace orvo {

std::string TableViewerProgram(const RunValues& session) {
  return session.ProgramsDir + "\\TabView.Exe";
}

bool ShowInTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile,
                       std::string_view title, std::string_view heading) {
  Env& env = session.env;
  if (CopyFile(env, dataFile, kViewerDataCopy, false) != 0) return false;
  std::string lines = JoinLines({std::string(kViewerDataCopy), std::string(defFile),
                                 std::string(title), std::string(heading), "Zobrazeni"});
  if (env.fs.WriteWhole(kViewerHandOver, lines) != kIoOk) {
    // Reported as the missing hand-over file, which is what the viewer
    // would otherwise stumble over.
    FileExistsOrSay(env, kViewerHandOver);
    return false;
  }
  RunProgram(env, TableViewerProgram(session), kViewerHandOver, false);
  return true;
}

void StartTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile) {
  RunProgram(session.env, TableViewerProgram(session),
             std::string(dataFile) + " " + std::string(defFile) + " Zobrazeni", false);
}

void RunTableViewer(RunValues& session, std::string_view dataFile, std::string_view defFile,
                    bool viewOnly) {
  std::string parameters = std::string(dataFile) + " " + std::string(defFile);
  if (viewOnly) parameters += " Zobrazeni";
  RunProgram(session.env, TableViewerProgram(session), parameters, true);
}

void WriteViewerDiskFile(RunValues& session) {
  session.env.fs.WriteWhole(kViewerDiskFile, JoinLines({session.DataRoot}));
}

void EraseViewerDiskFile(Env& env) { EraseFile(env, kViewerDiskFile); }

}  // namespace orvo
