// TUctProc, the accounting processing object: the operations on balance
// and posting files through which every overview, statement and close
// combines the two (balances to postings and back, new balances, postings
// of a range of periods, sort, sum and reduce by a key list), and the two
// rewrites of a stored balance file (the year adjustment RocniUzav and the
// write-back Oprava). It keeps no state between calls; every file argument
// is a full logical path and every output is replaced by a complete new file.
#pragma once

#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/screens/cds_cis.h"
#include "core/shell/run_values.h"

namespace orvo {

// Positions of the balance record (UctS.Def) and where they come from in the
// posting record (UctO.Def).
inline constexpr int kBalanceWords = 10;
inline constexpr int kPostingWords = 21;
inline constexpr int kPostingOfBalance[kBalanceWords] = {0, 1, 5, 6, 7, 8, 9, 11, 12, 13};

// Work files of the operations, in C:\A_Run\Work.
std::string WorkFile(std::string_view name);

class TUctProc {
 public:
  TUctProc(RunValues& run, TCdsProc& cds) : run_(run), cds_(cds) {}

  // Definition files of the data root: DefSoub\ + name.
  std::string DefFile(std::string_view name) const;

  // jmS created empty with the layout of jmSD.
  void MakeCdsFile(std::string_view jmS, std::string_view jmSD);
  // jmS1 sorted by its first numKey fields through the code-list sort of
  // `cis` into jmS2. jmS1 is left as it was; jmS2 is replaced only by the
  // whole sorted result, and is untouched when the sort fails.
  bool SortCds1(TCdsCis& cis, std::string_view jmS1, std::string_view jmS2, int numKey);
  // jmS1 (layout jmSD) sorted ascending by its first numKey words into jmS2;
  // records whose key is blank are left out.
  bool SortCds2(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2, int numKey);
  // Sort, sum and reduce by the key list the caller has set in the engine's
  // PocSlov/SezSlov.
  bool SortCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2);
  bool SumCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2);
  bool RedCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2);

  // Balance file -> posting layout: documents 00001, 00002, ... of 500
  // lines, DoklId "0000000000", IntDokl "Stav", Datum today.
  bool StOb(std::string_view jmSSt, std::string_view jmSOb);
  // Posting-layout file -> balance file summed per key, stamped with the
  // current period; keys whose two totals are zero disappear.
  bool ObSt(std::string_view jmSOb, std::string_view jmSSt);
  // Balances as postings followed by the postings; missing inputs are empty.
  bool StObSpoj(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSSpoj);
  // New balances = balances + postings; missing inputs are empty.
  bool StNove(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN);
  // StNove with Zustatek = MD - Dal (layout UctSS.Def).
  bool StSNove(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN);
  // Every posting of the periods obd1 ... obd2 (keys YYMM compared as text,
  // every year 00-99, months 01-20), in ascending period order.
  bool ObOdDo(std::string_view obd1, std::string_view obd2, std::string_view jmSObN);

  // The year adjustment of the current balance file (the opening state of
  // the year in month 01): result accounts (first character not below "5")
  // removed, every other balance netted to one side, a difference of 0.005
  // or less dropped. False when there is no balance file.
  bool RocniUzav();
  // The stored file jmSO gets the records of the edited file jmsN (fields by
  // position), keeping its own structure.
  bool Oprava(std::string_view jmsN, std::string_view jmSO);

  RunValues& Run() { return run_; }
  TCdsProc& Engine() { return cds_; }

 private:
  bool EngineFrame(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2,
                   std::string_view work1, std::string_view work2, int op);
  bool NewBalances(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN);

  RunValues& run_;
  TCdsProc& cds_;
};

}  // namespace orvo
