// The calculation window TUctKalk ("  Kalkulace") as a model: the
// definition (typed or chosen), the organisational level, and what its
// buttons do - compute the calculation, show the report, show the result in
// the table viewer. The Qt window only maps its controls onto these members.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/data/cds_proc.h"
#include "core/output/vyst_model.h"
#include "core/reports/calculation.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kCalculationCaption = "  Kalkulace";
inline constexpr std::string_view kCalculationLabel = "Kalkulace:  ";

class TUctKalk {
 public:
  TUctKalk(RunValues& run, TCdsProc& cds, VystHandOver& vyst) : run_(run), cds_(cds), vyst_(vyst) {}

  // The opener's definition (full logical path); empty from the menu.
  std::string DefName;

  std::string Edit1;                 // two blanks and the definition file name
  std::string Label1;                // "Kalkulace:  " or the title without leading blanks
  StatementLevel level = StatementLevel::Podnik;  // RB1-RB4

  // The report window (Zobr).
  std::function<void(VystHandOver&)> showReport;

  // Fills the controls and reads the definition when one is set.
  void FormShow();
  // "  Definicni soubor:": the file dialog over DataRoot\LOrvo\DefSoub
  // (KalkZ*.Def); a chosen file is read. True when one was chosen.
  bool DefSoub();
  // A typed name: a blank one is ignored; one without "\KALKZ" and ".DEF"
  // gets "Chybne zadany nazev souboru" (false: the focus goes back to
  // Edit1) and is still taken and read.
  bool Edit1Exit();
  // "  Proved": the calculation at the chosen level.
  bool Proved();
  // "  Zobrazeni/Tisk": the report in the text report window.
  void Zobr();
  // "  Tabulka": the result dataset in the table viewer.
  void Tab();

  const StatementDefinition* Definition() const { return definition_ ? &*definition_ : nullptr; }
  const CalculationResult& LastResult() const { return last_; }
  std::string ReportFile() const { return StatementReportFile(DefName); }
  std::string DatasetFile() const { return StatementDatasetFile(DefName); }

 private:
  // Reads DefName (GetDefSoub): Label1 and the output definition.
  bool GetDefSoub();

  RunValues& run_;
  TCdsProc& cds_;
  VystHandOver& vyst_;
  std::optional<StatementDefinition> definition_;
  CalculationResult last_;
};

}  // namespace orvo
