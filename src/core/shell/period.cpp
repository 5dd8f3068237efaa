#include "core/shell/period.h"

#include <vector>

#include "core/shell/file_names.h"
#include "core/sys/file_write.h"
#include "core/sys/text_lines.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr size_t kPeriodFileHead = 64;

}  // namespace

void ConfigureMainPeriodModel(RunValues& session) {
  session.period.fileSuffix = "Orvo";
  session.period.monthZeroAllowed = true;
  session.period.highestMonth = 15;
  session.period.rangeDir = LocalAppDir("PomSoub");
}

std::string PeriodFileName(const RunValues& session) {
  return "C:\\A_Run\\PomSoub\\Obdobi" + session.period.fileSuffix + ".Txt";
}

bool PeriodValid(std::string_view p) {
  if (p.size() != 5) return false;
  if (!IsDigit(p[0]) || !IsDigit(p[1]) || p[2] != ' ' || !IsDigit(p[3]) || !IsDigit(p[4])) {
    return false;
  }
  return (p[3] - '0') * 10 + (p[4] - '0') <= 20;
}

void SetPeriodParts(RunValues& session) {
  const std::string& p = session.CurrentPeriod;
  session.PeriodYear = p.substr(0, 2);
  session.PeriodMonth = p.size() > 3 ? p.substr(3, 2) : std::string();
}

void LoadPeriod(RunValues& session) {
  Env& env = session.env;
  std::string file = PeriodFileName(session);
  if (!FileExistsOrSay(env, file)) {
    std::string today = TodayText(env);
    session.CurrentPeriod = today.substr(8, 2) + " " + today.substr(3, 2);
    SavePeriod(session);
    InfoBox(env, "Vygenerovano obdobi: " + session.CurrentPeriod + "\r\rProvedte prednostne opravu !");
  }
  // Read-only opening needs no change of the attributes, so the file keeps
  // its protection between writes.
  if (FileExistsQuiet(env, file) && TryOpenFile(env, file)) {
    // The period is the first five characters; nothing further is read.
    if (auto text = ReadHead(env, file, kPeriodFileHead)) {
      std::vector<std::string> lines = SplitLines(*text);
      session.CurrentPeriod = lines.empty() ? std::string() : lines[0].substr(0, 5);
    }
  }
  SetPeriodParts(session);
  if (!PeriodValid(session.CurrentPeriod)) {
    ErrorBox(env, "Chybne zadane obdobie: " + session.CurrentPeriod, "Provedte prednostne opravu !");
  }
}

bool SavePeriod(RunValues& session) {
  Env& env = session.env;
  if (session.CurrentPeriod.size() == 4) session.CurrentPeriod.insert(2, " ");
  if (!PeriodValid(session.CurrentPeriod)) {
    ErrorBox(env, "Chybne zadane obdobie: " + session.CurrentPeriod, "Zmena nebude provedena !");
    return false;
  }
  SetPeriodParts(session);
  std::string file = PeriodFileName(session);
  if (FileExistsQuiet(env, file)) env.fs.SetAttributes(file, kAttrArchive);
  bool written = WriteFileOrAsk(env, file, JoinLines({session.CurrentPeriod}));
  if (FileExistsQuiet(env, file)) env.fs.SetAttributes(file, kAttrReadOnly | kAttrHidden);
  return written;
}

}  // namespace orvo
