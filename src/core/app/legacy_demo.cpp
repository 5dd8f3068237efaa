#include "core/app/legacy_demo.h"

#include "core/accounting/legacy_data_generator.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/text_lines.h"

namespace orvo {

std::vector<std::string> WriteDemoLegacyData(Session& session, const std::vector<DemoUnit>& units) {
  Env& env = session.env;
  std::vector<std::string> written;
  ReadInitFile(session);
  LoadPeriod(session);
  if (session.LegacyDataDir.empty()) {
    const std::string init = InitFileName(session);
    int io = 0;
    std::vector<std::string> lines = SplitLines(env.fs.ReadWhole(init, &io).value_or(std::string()));
    lines.resize(std::max<size_t>(lines.size(), 4));
    lines[3] = AppDir(session, "PrevDos");
    if (!WriteFileOrAsk(env, init, JoinLines(lines))) return written;
    written.push_back(init);
    ReadInitFile(session);
  }
  const std::string dir = session.LegacyDataDir;
  MakeDirPath(env, dir);
  for (const char* mask : {"\\Uce*.Dat", "\\PomSoub\\*.Cis"}) {
    if (!env.fs.List(dir + mask).empty()) return written;
  }
  const LegacyYear year = GenerateLegacyYear(YearBefore(session.PeriodYear), units, 12);
  for (std::string& file : WriteLegacyYear(env, dir, year)) written.push_back(std::move(file));
  return written;
}

}  // namespace orvo
