// The cost calculation ("Kalkulace"): the calculation definition (KalkZ*.Def),
// the quantities of the activities per organisational unit (KalkMn.Cds)
// joined with the current balances booked to those activities, and the run
// behind "  Proved" of the calculation window: every activity of every unit
// that has a quantity valued line by line over its own accounts, printed as
// a page of the report (.Ses) with the amount and the amount per unit of
// measure, and appended to the result dataset (.Cds).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/reports/statement.h"
#include "core/reports/statement_definition.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kCalculationOutputDef = "C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\KalkulP.Def";
inline constexpr std::string_view kCalculationJoinFile = "C:\\A_Run\\Work\\Orvoork1.Cds";
inline constexpr std::string_view kNoCalculationResult =
    "Zadna cinnost nema soucasne mnozstvi MJ i stavy uctu - kalkulace je prazdna";

// Reads the text of a calculation definition: line 1 the title (leading
// blanks kept), line 2 not used, then every line longer than 70 characters:
// columns 1-60 the text, 61-63 the line number, 71 the type, 81-1080 the
// one formula ("|" is part of it). A line number that is not 1 ... 999 or
// that is repeated is a problem naming the line, as in the statements.
StatementDefinition ParseCalculationDefinition(std::string_view text);

// Reads a calculation definition file; nothing after the file check's
// message when it is missing or cannot be read.
std::optional<StatementDefinition> ReadCalculationDefinition(Env& env, std::string_view defFile);

// The text of KalkulP.Def for the level: the template's description, its
// unit fields down to the level, then every field from its fourth on.
std::string CalculationOutputDefinitionText(std::string_view templateText, StatementLevel level);

// The quantity of one activity in one unit with one unit of measure.
struct ActivityQuantity {
  std::string key;       // the organisational key of the level (2 characters a unit)
  std::string activity;  // as stored, blanks cut at the end
  std::string unit;      // unit of measure
  double quantity = 0;
};

// The quantity records summed per key, activity and unit of measure (rows
// with a blank activity left out), in ascending order. The fields are
// taken by position: plant, administration, cost centre, row, activity,
// unit of measure, quantity.
std::vector<ActivityQuantity> SumQuantities(const std::vector<std::vector<std::string>>& records,
                                            StatementLevel level);

// The accounts of one activity in one unit.
struct ActivityAccounts {
  std::string key;
  std::string activity;
  std::vector<AccountTotals> accounts;  // sorted by account
};

// One page of the calculation: an activity with its unit of measure, its
// quantity and its accounts.
struct CalculationGroup {
  std::string key;
  std::string activity;
  std::string unit;
  double quantity = 0;
  const std::vector<AccountTotals>* accounts = nullptr;
};

// The join of the quantities with the accounts (both sorted by key and
// activity): one group per quantity whose activity has balances in its
// unit. Every unit of measure of an activity gets its own group over the
// same accounts; `several` gets a line for each activity that has more
// than one.
std::vector<CalculationGroup> JoinCalculation(const std::vector<ActivityQuantity>& quantities,
                                              const std::vector<ActivityAccounts>& accounts,
                                              std::vector<std::string>* several = nullptr);

struct CalculationRequest {
  std::string defFile;
  StatementLevel level = StatementLevel::Podnik;
};

struct CalculationResult {
  bool ok = false;           // computed (also when nothing was to compute)
  std::string reportFile;    // ...\Sestavy\<name>.Ses
  std::string datasetFile;   // ...\Sestavy\<name>.Cds
  std::string title;
  int pages = 0;             // groups printed; 0: the results were erased
  std::vector<std::string> notes;  // activities with more than one unit of measure
};

// The whole run. A missing input file or definition is reported (the file
// check's message) and nothing is computed; a definition with problems is
// refused with a message that lists them. With nothing to compute, the
// report and dataset are erased and the message says so.
CalculationResult RunCalculation(RunValues& run, TCdsProc& cds, const CalculationRequest& request);

}  // namespace orvo
