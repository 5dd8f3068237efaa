// The books' scratch installation with what the document window needs: the
// code lists of year 26, the currencies, the finance system's customers and
// suppliers and the voucher templates; and helpers that type rows into the
// window's model the way the keys do.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "books_fixture.h"
#include "core/accounting/uct_dokl.h"

namespace orvo::test {

class DoklScratch : public BooksScratch {
 protected:
  DoklScratch() {
    for (const char* name : {"Ucty.Def", "Cinn.Def", "Konta.Def", "CM.Def", "Odber.Def", "Dodav.Def"}) {
      InstallDef(name);
    }
    for (const char* name : {"LDokl.Def", "LDoklP.Def", "LDoklZ.Def"}) {
      Put("D:\\LOrvo\\PomSoub\\" + std::string(name),
          ReadHost(std::string(ORVO_SOURCE_DIR) + "/install/defs/" + name));
    }
    for (const char* dir : {"D:\\LOrvo\\Cisel", "D:\\LPexo\\Cisel"}) MakeDirPath(*env, dir);
    Make("D:\\LOrvo\\Cisel\\26Ucty.Cds", "Ucty.Def",
         {"211|Pokladna|A", "311|Odberatele|A", "501|Spotreba materialu|N", "602|Trzby z prodeje sluzeb|V"});
    Make("D:\\LOrvo\\Cisel\\26Cinn.Cds", "Cinn.Def", {"10|Doprava|km", "20|Lesni prace|ha"});
    Make("D:\\LOrvo\\Cisel\\26Konta.Cds", "Konta.Def", {"800001|Novak Jan - zalohy"});
    Make("D:\\LOrvo\\Cisel\\CM.Cds", "CM.Def", {"EUR|Euro|25,000", "USD|Americky dolar|22,000"});
    Make("D:\\LPexo\\Cisel\\Odber.Cds", "Odber.Def", {"100001|17293841|CZ17293841|Polna|Nabytek Polna|s.r.o."});
    Make("D:\\LPexo\\Cisel\\Dodav.Cds", "Dodav.Def", {"200001|Pila Ratibor|29103847|CZ29103847|Ratibor"});
    session.UserRole = "Sprav";
  }

  static constexpr const char* kPosting = "D:\\LOrvo\\Data\\260501UctO.Cds";

  // Types the cells of a row (item column -> value) and leaves each; every
  // check must pass.
  void TypeRow(int row, const std::map<int, std::string>& cells) {
    for (const auto& [col, value] : cells) {
      dokl.Type(row, col, value);
      EXPECT_TRUE(dokl.LeaveItemCell(row, col)) << "row " << row << " col " << col << ": " << dokl.CodeLine();
    }
  }
  // A debit or credit row on account `ucet`.
  void Row(int row, const std::string& ucet, const std::string& md, const std::string& dal,
           const std::string& cinn = "") {
    std::map<int, std::string> cells{{4, ucet}};
    if (!cinn.empty()) cells[5] = cinn;
    if (!md.empty()) cells[8] = md;
    if (!dal.empty()) cells[9] = dal;
    TypeRow(row, cells);
  }
  void SetNumber(const std::string& number) {
    dokl.Type(-1, 3, number);
    ASSERT_TRUE(dokl.LeaveHeaderCell(3));
  }
  // A posting row of the file: document number and line, account, amounts,
  // unit (DoklId).
  static std::string Posted(const std::string& number, const std::string& line, const std::string& ucet,
                            const std::string& md, const std::string& dal,
                            const std::string& unit = "0102030000") {
    return "26|05|" + unit + "|" + number + "|" + line + "|01|02|03|" + ucet + "||" + number + "||" + md + "|" +
           dal + "|||||||";
  }

  TUctDokl dokl{session, session.engine};
};

}  // namespace orvo::test
