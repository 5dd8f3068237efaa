#include "core/app/code_list_menu.h"

#include <string>

#include "core/shell/code_lists.h"
#include "core/shell/file_names.h"

namespace orvo {

namespace {

void EditYearList(RunValues& session, TCdsCis& cis, const std::string& stem) {
  std::string file = CodeListFile(session, stem + ".Cds");
  cis.ACis(file, 1);
  DistributeCodeList(session, file, stem);
}

}  // namespace

void AUcty(RunValues& session, TCdsCis& cis) { EditYearList(session, cis, "Ucty"); }
void ACinn(RunValues& session, TCdsCis& cis) { EditYearList(session, cis, "Cinn"); }
void AKonta(RunValues& session, TCdsCis& cis) { EditYearList(session, cis, "Konta"); }
void AMjCinn(RunValues& session, TCdsCis& cis) { cis.ACis(MJCinnFile(session), 1); }
void ACM(RunValues& session, TCdsCis& cis) { cis.ACis(CMFile(session), 1); }
void AOdDoKonto(RunValues& session, TCdsCis& cis) { cis.ACis(OdDoKontoFile(session), 2); }

}  // namespace orvo
