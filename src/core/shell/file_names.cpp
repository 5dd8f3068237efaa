#include "core/shell/file_names.h"

#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"

namespace orvo {

namespace {

std::string KeyOf(std::string_view period) {
  std::string key(period);
  if (key.size() == 5) key.erase(2, 1);
  return key;
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

std::string PlantCode(const RunValues& session) { return session.PlantName.substr(0, 2); }

std::string BalanceFile(const RunValues& session, std::string_view period) {
  return AppDir(session, "Data") + "\\" + PrevPeriodKey(period) + PlantCode(session) + "UctS.Cds";
}

std::string PostingFile(const RunValues& session, std::string_view period) {
  return AppDir(session, "Data") + "\\" + KeyOf(period) + PlantCode(session) + "UctO.Cds";
}

std::string BalanceFile(RunValues& session) {
  LoadPeriod(session);
  ReadInitFile(session);
  return BalanceFile(static_cast<const RunValues&>(session), session.CurrentPeriod);
}

std::string PostingFile(RunValues& session) {
  LoadPeriod(session);
  ReadInitFile(session);
  return PostingFile(static_cast<const RunValues&>(session), session.CurrentPeriod);
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
