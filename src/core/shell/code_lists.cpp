#include "core/shell/code_lists.h"

#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"

namespace orvo {

std::string CodeListFile(RunValues& session, std::string_view name) {
  Env& env = session.env;
  LoadPeriod(session);
  std::string dir = AppDir(session, "Cisel");
  std::string current = dir + "\\" + session.PeriodYear + std::string(name);
  if (!FileExistsQuiet(env, current)) {
    std::string previous = dir + "\\" + YearBefore(session.PeriodYear) + std::string(name);
    if (!FileExistsOrSay(env, previous)) throw Termination("missing " + previous);
    CopyFile(env, previous, current, false);
  }
  if (!FileExistsOrSay(env, current)) throw Termination("missing " + current);
  return current;
}

void DistributeCodeList(RunValues& session, std::string_view sourceFile, std::string_view stem) {
  Env& env = session.env;
  for (const char* sibling : {"LPexo", "LRamu", "LKolo", "LVint"}) {
    std::string dir = session.DataRoot + "\\" + sibling + "\\Cisel";
    if (!DirExistsQuiet(env, dir)) continue;
    CopyFile(env, sourceFile, dir + "\\" + session.PeriodYear + std::string(stem) + ".Cds", true);
  }
}

}  // namespace orvo
