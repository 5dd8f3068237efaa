// The computation of a statement: its lines valued from the account totals
// of one organisational unit ('U' account sums, 'V' expressions, 'R' line
// sums, the third column as the sum of the first two), the output
// definition VykazP.Def cut from the template Vykaz.Def, and the whole run
// behind "  Proved": the balance source summed per unit and account, every
// unit's statement printed into the report (.Ses) and appended to the
// result dataset (.Cds).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/reports/statement_definition.h"
#include "core/shell/run_values.h"

namespace orvo {

enum class StatementLevel { Podnik = 0, Zavod = 1, Sprava = 2, Stredisko = 3 };
enum class BalanceSource { Current, Month, Turnovers };

inline constexpr std::string_view kStatementOutputDef = "C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\VykazP.Def";
inline constexpr std::string_view kStatementResultDir = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy";

// The debit and credit totals of one account (its first six characters).
struct AccountTotals {
  std::string account;
  long double md = 0;
  long double dal = 0;
};

using LineValues = std::array<double, kMaxStatementColumns>;

// A definition made ready for computing: the 'U' formulas parsed once into
// terms, the 'R' formulas into line terms.
class StatementComputation {
 public:
  explicit StatementComputation(const StatementDefinition& def);

  // The values of every line, in definition order, over the account totals
  // of one unit (sorted by account).
  std::vector<LineValues> Compute(const std::vector<AccountTotals>& accounts) const;

 private:
  const StatementDefinition& def_;
  std::vector<int> indexOf_;  // line number -> index in definition order, -1 when undefined
  std::vector<std::array<std::vector<AccountTerm>, 2>> accountTerms_;
  std::vector<std::vector<LineTerm>> lineTerms_;
};

// The sum over the accounts whose first characters equal `prefix` (accounts
// sorted) of MD - Dal, MD or Dal.
long double SumOfPrefix(const std::vector<AccountTotals>& accounts, std::string_view prefix, TermSide side);

// The text of VykazP.Def for the level: the template's lines before its
// first field, its unit fields down to the level, its line-number and text
// fields, then one amount field per column (named by the heading, cut to
// fit; an empty or repeated heading names the field Sloupec1 ... Sloupec3)
// or, with a blank heading line, its value field.
std::string OutputDefinitionText(std::string_view templateText, StatementLevel level,
                                 const StatementDefinition& def);

// The name a unit is keyed by at the level: empty, Zavod, Zavod + Sprava,
// Zavod + Sprava + Stredisko (two characters each).
int UnitKeyLength(StatementLevel level);

struct StatementRequest {
  std::string defFile;  // the statement definition
  StatementLevel level = StatementLevel::Podnik;
  BalanceSource source = BalanceSource::Current;
  std::string from;     // YYMM: the month of Month, the first period of Turnovers
  std::string to;       // YYMM: the last period of Turnovers
  int pageRows = 80;
};

struct StatementResult {
  bool ok = false;
  std::string reportFile;   // ...\Sestavy\<name>.Ses
  std::string datasetFile;  // ...\Sestavy\<name>.Cds
  std::string title;
  int units = 0;
};

// The report and dataset names of a definition.
std::string StatementReportFile(std::string_view defFile);
std::string StatementDatasetFile(std::string_view defFile);

// The whole run. A missing template, VykUc.Def, definition or balance
// source is reported (the file check's message) and nothing is computed;
// a definition with problems is refused with a message that lists them.
// The previous report stays until the new one is complete.
StatementResult RunStatement(RunValues& run, TCdsProc& cds, const StatementRequest& request);

// Reads a definition file; nothing after the file check's message when it
// is missing or cannot be read.
std::optional<StatementDefinition> ReadStatementDefinition(Env& env, std::string_view defFile);

}  // namespace orvo
