#include "core/app/code_list_menu.h"

#include <string>

#include "core/shell/code_lists.h"
#include "core/shell/file_names.h"

namespace orvo {

namespace {

void EditYearList(Session& session, TCdsCis& cis, const std::string& stem) {
  std::string file = CodeListFile(session, stem + ".Cds");
  cis.ACis(file, 1);
  DistributeCodeList(session, file, stem);
}

}  // namespace

void AUcty(Session& session, TCdsCis& cis) { EditYearList(session, cis, "Ucty"); }
void ACinn(Session& session, TCdsCis& cis) { EditYearList(session, cis, "Cinn"); }
void AKonta(Session& session, TCdsCis& cis) { EditYearList(session, cis, "Konta"); }
void AMjCinn(Session& session, TCdsCis& cis) { cis.ACis(MJCinnFile(session), 1); }
void ACM(Session& session, TCdsCis& cis) { cis.ACis(CMFile(session), 1); }
void AOdDoKonto(Session& session, TCdsCis& cis) { cis.ACis(OdDoKontoFile(session), 2); }

}  // namespace orvo
