// The model of the general-ledger window TUctHlKn ("   Hlavni kniha"): the
// level, the activity breakdown, the opening as at 1 January, the number of
// account digits; "  Proved" computes HlKniha.Cds, "  Zobrazeni/Tisk" shows
// it in the browser and "  Tabulka" in the table viewer, both only after a
// successful computation in this window.
#pragma once

#include <functional>
#include <string>

#include "core/data/cds_proc.h"
#include "core/reports/general_ledger.h"
#include "core/screens/browser_model.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kLedgerCaption = "   Hlavni kniha";

class TUctHlKn {
 public:
  TUctHlKn(RunValues& run, TCdsProc& cds, ScrHandOver& handOver) : run_(run), cds_(cds), handOver_(handOver) {}

  LedgerLevel level = LedgerLevel::Podnik;  // RB1 to RB4
  bool CB1 = false;                         // "Cleneni podle cinnosti"
  bool CB2 = false;                         // "Pocatecni stavy k 1.1."
  std::string Edit1 = "6";                  // "Pocet mist uctu:"
  // Shows the browser over the hand-over block (the window's port).
  std::function<void()> showBrowser;

  // Reloads the period.
  void FormShow();
  // Computes the ledger; false after a message (digits not 1 to 6, missing
  // opening balance file) or a failed write.
  bool Proved();
  bool Computed() const { return computed_; }
  // "Hlavni kniha         Obdobi: " + the period.
  std::string Heading2() const;
  bool Zobr();
  bool Tab();
  // The balance file the opening is read from (for the period of CB2).
  std::string OpeningFile();

 private:
  RunValues& run_;
  TCdsProc& cds_;
  ScrHandOver& handOver_;
  bool computed_ = false;
};

}  // namespace orvo
