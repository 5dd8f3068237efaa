// The models of the balance developments over a range of periods: of the
// accounts TUctVyUc ("  Vyvoj stavu uctu", into HlKniha.Cds) and of the
// activities TUctVyCn ("  Vyvoj stavu cinnosti", into VyStCn.Cds). Both run
// the general ledger with the balance file of the start period as the
// opening set and the state at the end of the end period as the closing
// set.
#pragma once

#include <functional>
#include <string>

#include "core/data/cds_proc.h"
#include "core/reports/general_ledger.h"
#include "core/screens/browser_model.h"
#include "core/shell/run_values.h"

namespace orvo {

enum class DevelopmentKind { Accounts, Activities };

class TUctVyvoj {
 public:
  TUctVyvoj(DevelopmentKind kind, RunValues& run, TCdsProc& cds, ScrHandOver& handOver);

  std::string Edit1;               // "Pocatecni obdobi:" YYMM
  std::string Edit2;               // "Koncove obdobi:" YYMM
  std::string Edit3;               // "Pocet mist uctu:" 6 / "Pocet mist cinnosti:" 5
  LedgerLevel level = LedgerLevel::Podnik;
  bool CB1 = false;                // breakdown by the other code
  std::function<void()> showBrowser;

  DevelopmentKind Kind() const { return kind_; }
  std::string Caption() const;
  std::string DigitsLabel() const;
  std::string BreakdownLabel() const;
  const std::string& OutputFile() const { return outFile_; }
  // The largest number of code digits (6 for accounts, 5 for activities).
  int MaxDigits() const;

  // Reloads the period and fills Edit1 and Edit2 with its key.
  void FormShow();
  // Computes the development; false after a message: a period that is not
  // YYMM, digits out of range, a missing balance file of the start period,
  // no closing state of the end period.
  bool Proved();
  bool Computed() const { return computed_; }
  // "Vyvoj stavu uctu: " / "Vyvoj stavu cinnosti: " + Edit1 + "-" + Edit2.
  std::string Heading2() const;
  bool Zobr();
  bool Tab();

  // The closing set of the end period as the window finds it: the balance
  // file of the period after it, else (the end being the current period)
  // the balances and postings of the end period. False after the missing
  // file was reported.
  bool ClosingOf(const std::string& end, ClosingSet* closing);

 private:
  DevelopmentKind kind_;
  RunValues& run_;
  TCdsProc& cds_;
  ScrHandOver& handOver_;
  std::string outFile_;
  std::string shownFrom_, shownTo_;
  bool computed_ = false;
};

class TUctVyUc : public TUctVyvoj {
 public:
  TUctVyUc(RunValues& run, TCdsProc& cds, ScrHandOver& handOver)
      : TUctVyvoj(DevelopmentKind::Accounts, run, cds, handOver) {}
};

class TUctVyCn : public TUctVyvoj {
 public:
  TUctVyCn(RunValues& run, TCdsProc& cds, ScrHandOver& handOver)
      : TUctVyvoj(DevelopmentKind::Activities, run, cds, handOver) {}
};

}  // namespace orvo
