// The general ledger's computation, shared by "Hlavni kniha" and the two
// balance developments: an opening set and a closing set of balances summed
// per key of the chosen organisational level (primary code cut to N
// characters, optionally broken down by a secondary code), written as one
// line per key with the opening balance, the debit and credit turnovers and
// the closing balance into a dataset whose layout is cut from a template.
//
// A record is opening or closing by the set it comes from, never by the
// period stamp it carries, so that a closing set copied from a stored
// balance file (a period without postings, a development that ends before
// the current period) gives closing = opening and no turnovers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/shell/run_values.h"

namespace orvo {

// The organisational levels of the overviews, in the order of their radio
// buttons RB1 to RB4.
enum class LedgerLevel { Podnik = 0, Zavod = 1, Sprava = 2, Stredisko = 3 };

// How many organisational fields a level keeps (0 to 3).
int LevelOrgFields(LedgerLevel level);
// The level of a word "podnik", "zavod", "sprava", "stredisko" (any case);
// false for anything else.
bool LedgerLevelOf(std::string_view word, LedgerLevel* level);

// The key list of the summation (1-based positions of the balance layout):
// the level's org positions, 6, 7 (without the breakdown 7 is removed),
// then 1, 2.
std::vector<int> LedgerKeyList(LedgerLevel level, bool breakdown);

// A number of code characters typed in an edit: 1 to `max` (0 otherwise).
int CodeDigits(std::string_view text, int max);

// The closing set: a stored balance file as it is (`postings` empty), or
// the new balances of a balance file and a posting file (StNove; either may
// be missing and is then empty).
struct ClosingSet {
  std::string balances;
  std::string postings;
};

struct LedgerRequest {
  LedgerLevel level = LedgerLevel::Podnik;
  bool breakdown = false;          // CB1: by the secondary code
  int digits = 6;                  // the primary code cut to this many characters
  bool activityPrimary = false;    // the activity development: activity first, account second
  size_t nameWidth = 50;           // names cut to this many characters
  std::string balanceDef;          // UctS.Def or UctSC.Def (logical path)
  std::string templateDef;         // HlKniha.Def, UctCinn.Def or CinnUct.Def
  std::string outDef;              // the cut definition written (Orvoork.Def)
  std::string outFile;             // the ledger dataset written
  std::string primaryNames;        // code list of the primary code (position 0 code, 1 name)
  std::string secondaryNames;      // code list of the secondary code
  std::string opening;             // the opening balance file (must exist)
  ClosingSet closing;
};

struct LedgerResult {
  bool ok = false;
  int64_t lines = 0;
};

// The cut definition: the template's title line, the first L org lines, the
// primary code and its name, the breakdown lines only with the breakdown,
// every further line. Empty when the template has fewer than seven field
// lines.
std::vector<std::string> CutLedgerDefinition(const std::vector<std::string>& templateLines, int orgFields,
                                             bool breakdown);

// Computes and writes the ledger (outDef, then outFile, each replaced whole).
// A missing opening file is reported (FileExistsOrSay) and nothing is
// written; a missing code list gives empty names.
LedgerResult BuildLedger(RunValues& run, TCdsProc& cds, const LedgerRequest& request);

// An amount in hellers as the accounting writes it: width 15 (or `width`),
// two decimals with a decimal comma, blank when zero.
std::string HellerText(int64_t hellers, int width = 15);
// An amount text read as TextToReal reads it, in whole hellers.
int64_t HellersOf(std::string_view text);

}  // namespace orvo
