// The statements window TUctVykZ ("  Zpracovani vykazu") as a model: the
// definition (typed or chosen), the organisational level, the balance
// source with its periods, the rows per page, and what its buttons do -
// compute the statement, show the report, show the result in the table
// viewer. The Qt window only maps its controls onto these members.
#pragma once

#include <functional>
#include <string>

#include "core/data/cds_proc.h"
#include "core/output/print_settings.h"
#include "core/output/vyst_model.h"
#include "core/reports/statement.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kStatementCaption = "  Zpracovani vykazu";
inline constexpr std::string_view kBadDefinitionName = "Chybne zadany nazev souboru";

class TUctVykZ {
 public:
  TUctVykZ(RunValues& run, TCdsProc& cds, PrintSettings& print, VystHandOver& vyst)
      : run_(run), cds_(cds), print_(print), vyst_(vyst) {}

  // The opener's definition (full logical path); empty for "Volitelny vykaz".
  std::string DefName;

  std::string Edit1;   // two blanks and the definition file name
  std::string Label1;  // "Vykaz I:  " or "Vykaz II:  " and the title
  std::string Edit2;   // "Mesic stavu / Obraty od:" YYMM
  std::string Edit3;   // "Obraty do:" YYMM
  std::string Edit4;   // the rows per page, shown only
  StatementLevel level = StatementLevel::Podnik;  // RB1-RB4
  BalanceSource source = BalanceSource::Current;  // RB5-RB7

  // The report window (Zobr) and the rows-per-page dialog (PocRad).
  std::function<void(VystHandOver&)> showReport;
  std::function<void()> showPrintSettings;

  // Fills the controls: the definition name, the current period in Edit2
  // and Edit3, the rows per page; reads the definition when one is set.
  void FormShow();
  // "  Definicni soubor:": the file dialog over DataRoot\LOrvo\DefSoub;
  // a chosen file is read. True when one was chosen.
  bool DefSoub();
  // A typed name: must hold "\VYKZ" and ".DEF", else "Chybne zadany nazev
  // souboru" and false (the focus goes back to Edit1).
  bool Edit1Exit();
  // "Pocet radku sestavy:": the rows-per-page dialog, then Edit4.
  void PocRad();
  // "  Proved": the statement over the chosen level and source.
  bool Proved();
  // "  Zobrazeni/Tisk": the report in the text report window.
  void Zobr();
  // "  Tabulka": the result dataset in the table viewer.
  void Tab();

  bool HasDefinition() const { return definition_.has_value(); }
  const StatementDefinition* Definition() const { return definition_ ? &*definition_ : nullptr; }
  const StatementResult& LastResult() const { return last_; }
  std::string ReportFile() const { return StatementReportFile(DefName); }
  std::string DatasetFile() const { return StatementDatasetFile(DefName); }

 private:
  // Reads DefName (GetDefSoub): Label1 and the output definition.
  bool GetDefSoub();

  RunValues& run_;
  TCdsProc& cds_;
  PrintSettings& print_;
  VystHandOver& vyst_;
  std::optional<StatementDefinition> definition_;
  StatementResult last_;
};

}  // namespace orvo
