// The saldo-konto TUctSaldo ("  Saldo - Konto"): every posting with a konto
// over a range of periods, grouped by plant, account and konto (or plant,
// konto and account), with the konto's opening balance, a running balance
// after every posting, a "KonSt" subtotal whenever the plant and the first
// code change, and a grand total; reduced to sixteen columns for the
// browser (C:\A_Run\Work\Orvoork4.Cds, layout OrvoorkSl.Def).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/screens/browser_model.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kSaldoCaption = "  Saldo - Konto";
inline constexpr std::string_view kSaldoFile = "C:\\A_Run\\Work\\Orvoork4.Cds";
inline constexpr std::string_view kSaldoDef = "C:\\A_Run\\Work\\OrvoorkSl.Def";
// The saldo lines before the reduction (all posting fields and the two
// balances).
inline constexpr std::string_view kSaldoLinesFile = "C:\\A_Run\\Work\\Orvoork3.Cds";

class TUctSaldo {
 public:
  TUctSaldo(RunValues& run, TCdsProc& cds, ScrHandOver& handOver);

  std::string Edit1;     // "  Pocatecni obdobi:" YYMM, at creation YY01
  std::string Edit2;     // "  Koncove obdobi" YYMM, at creation the period
  bool RUK = true;       // "Ucet - Konto"; false: "Konto - Ucet" (RKU)
  bool CBDokl = false;   // "Razeni podle int. dokl."
  std::function<void()> showBrowser;

  // The opening konto balances of obd1 (as postings "Stav") and every
  // posting with a konto of the periods obd1 to obd2 (any year 00-99) into
  // jmSObN (layout UctO.Def).
  bool GenSoub(std::string_view obd1, std::string_view obd2, std::string_view jmSObN);

  // Computes the saldo lines and their reduction; false after a message (a
  // period that is not YYMM) or a failed step.
  bool Proved();
  bool Computed() const { return computed_; }
  std::string Heading2() const;
  bool Zobr();
  bool Tab();

 private:
  RunValues& run_;
  TCdsProc& cds_;
  ScrHandOver& handOver_;
  bool computed_ = false;
  std::string shownFrom_, shownTo_;
  bool shownRUK_ = true, shownDokl_ = false;
};

}  // namespace orvo
