#include "core/shell/file_names.h"

#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

std::string KeyOf(std::string_view period) {
  std::string key(period);
  if (key.size() == 5) key.erase(2, 1);
  return NamePart(key);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "YY MM" or "YYMM", digits only: what may go into a data file's name.
bool PeriodFitsName(std::string_view period) {
  if (period.size() == 5 && period[2] == ' ') {
    return IsDigit(period[0]) && IsDigit(period[1]) && IsDigit(period[3]) && IsDigit(period[4]);
  }
  return period.size() == 4 && IsDigit(period[0]) && IsDigit(period[1]) && IsDigit(period[2]) &&
         IsDigit(period[3]);
}

void CheckPeriodForName(const RunValues& session, std::string_view period) {
  if (!PeriodFitsName(period)) {
    ErrorBox(session.env, "Chybne zadane obdobie: " + std::string(period),
             "Provedte prednostne opravu !");
  }
}

std::string BalanceName(const RunValues& session, std::string_view period) {
  return AppDir(session, "Data") + "\\" + NamePart(PrevPeriodKey(period)) + PlantCode(session) +
         "UctS.Cds";
}

std::string PostingName(const RunValues& session, std::string_view period) {
  return AppDir(session, "Data") + "\\" + KeyOf(period) + PlantCode(session) + "UctO.Cds";
}

}  // namespace

std::string AccessFileName() { return "C:\\A_Run\\PristPr\\LOrv.H"; }

std::string AppDir(const RunValues& session, std::string_view sub) {
  std::string dir = session.DataRoot + "\\LOrvo";
  if (!sub.empty()) dir += "\\" + std::string(sub);
  return dir;
}

std::string LocalAppDir(std::string_view sub) {
  std::string dir(kLocalAppDir);
  if (!sub.empty()) dir += "\\" + std::string(sub);
  return dir;
}

std::string InitFileName(const RunValues& session) {
  return AppDir(session, "PomSoub") + "\\UctInic.TXT";
}

std::string BackgroundPictureName(const RunValues& session) {
  return AppDir(session, "PomSoub") + "\\Orvo.Jpg";
}

std::string PeriodOverviewName(const RunValues& session) {
  return AppDir(session, "PomSoub") + "\\UctObd.Txt";
}

std::string PlantCode(const RunValues& session) { return NamePart(session.PlantName.substr(0, 2)); }

std::string NamePart(std::string_view text) {
  std::string part(text);
  for (char& c : part) {
    if (c == '\\' || c == '/' || c == ':' || static_cast<unsigned char>(c) < 32) c = '_';
  }
  return part;
}

std::string BalanceFile(const RunValues& session, std::string_view period) {
  CheckPeriodForName(session, period);
  return BalanceName(session, period);
}

std::string PostingFile(const RunValues& session, std::string_view period) {
  CheckPeriodForName(session, period);
  return PostingName(session, period);
}

std::string BalanceFile(RunValues& session) {
  LoadPeriod(session);
  ReadInitFile(session);
  return BalanceName(session, session.CurrentPeriod);
}

std::string PostingFile(RunValues& session) {
  LoadPeriod(session);
  ReadInitFile(session);
  return PostingName(session, session.CurrentPeriod);
}

std::string OdDoKontoFile(const RunValues& session) {
  return AppDir(session, "Cisel") + "\\OdDoKonto.Cds";
}

std::string MJCinnFile(const RunValues& session) { return AppDir(session, "Cisel") + "\\MJCinn.Cds"; }

std::string CMFile(const RunValues& session) { return AppDir(session, "Cisel") + "\\CM.Cds"; }

std::string KalkMnFile(const RunValues& session) { return AppDir(session, "Data") + "\\KalkMn.Cds"; }

std::string DocumentListDef(const RunValues& session, std::string_view name) {
  return AppDir(session, "PomSoub") + "\\" + std::string(name);
}

std::string CustomerListFile(const RunValues& session) {
  return session.DataRoot + "\\LPexo\\Cisel\\Odber.Cds";
}

std::string SupplierListFile(const RunValues& session) {
  return session.DataRoot + "\\LPexo\\Cisel\\Dodav.Cds";
}

std::string PexoTransferFile(const RunValues& session, std::string_view period) {
  return session.DataRoot + "\\LPexo\\Prevody\\" + KeyOf(period) + "PexoUctPr.Cds";
}

}  // namespace orvo
