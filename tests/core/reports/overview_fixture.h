// The books' scratch installation with what the overviews read besides the
// balance and posting files: the ledger templates and the code lists of the
// year 26.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "../accounting/books_fixture.h"
#include "core/reports/general_ledger.h"

namespace orvo::test {

class OverviewScratch : public BooksScratch {
 protected:
  OverviewScratch() {
    for (const char* name : {"HlKniha.Def", "UctCinn.Def", "CinnUct.Def", "Ucty.Def", "Cinn.Def"}) InstallDef(name);
    MakeDirPath(*env, "D:\\LOrvo\\Cisel");
    MakeDirPath(*env, "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy");
    Make("D:\\LOrvo\\Cisel\\26Ucty.Cds", "Ucty.Def",
         {"211|Pokladna|A", "311|Odberatele|A", "311100|Odberatele tuzemsko|A", "321200|Dodavatele|P",
          "501100|Spotreba materialu|N"});
    Make("D:\\LOrvo\\Cisel\\26Cinn.Cds", "Cinn.Def", {"12001|Lesni vyroba|ks", "30000|Sprava|"});
  }

  // The ledger dataset as rows of trimmed values.
  std::vector<std::vector<std::string>> LedgerRows(const std::string& file = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\HlKniha.Cds") {
    auto rows = Rows(file);
    for (auto& row : rows) {
      for (auto& v : row) v = Trim(v);
    }
    return rows;
  }
};

}  // namespace orvo::test
