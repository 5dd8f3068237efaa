// The automatic transfers ("Prevody" > "Automaticke prevody", window
// TUctAut): rules of a transfer definition file (Aut*.Def) select balance
// records by unit, account and activity, take their net balance times a
// coefficient and post it twice, to side A and side B, under one transfer
// identification in the posting file of the current period. A run replaces
// the postings of the previous run of the same identification, and those
// postings are left out of the balances the rules read, so a run repeated
// gives the same file. The whole definition is checked before anything
// changes; the posting file is archived and replaced in one step.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kAutCaption = "  Automaticke prevody";
inline constexpr std::string_view kAutText = "Automaticke prevody";
inline constexpr std::string_view kAutFilter = "Definicne subory (Aut*.Def)|Aut*.Def";
inline constexpr int kAutMaxRules = 1000;
inline constexpr int kAutPairsPerDocument = 250;

// One rule line, columns by meaning; patterns keep their blanks.
struct AutRule {
  std::string srcUnit, srcUcet, srcCinn;  // source patterns (significant parts)
  double koef = 0;
  std::string aUnit, aUcet, aCinn, aSide;  // target patterns and side of A
  std::string bUnit, bUcet, bCinn, bSide;  // and of B
  char condition = ' ';                    // ' ', '+' or '-'
};

struct AutDefinition {
  std::vector<AutRule> rules;
  int selectorColumn = 0;  // 1-10; 0 none
  std::vector<std::string> selectorValues;
};

// The significant part of a pattern: up to its last character that is
// neither "X" nor blank.
std::string SignificantPart(std::string_view pattern);

// Reads and checks the whole file (title line skipped, lines upper-cased):
// rules of more than 75 characters, one selector line "n:v1,v2,...". Every
// fault is reported naming the file and the line; false then.
bool ReadAutDefinition(Env& env, std::string_view file, AutDefinition* def);

enum class AutSource {
  Current,    // "Aktualni stavy": balances and the postings entered so far
  Month,      // "Stavy za zvoleny mesic": the stored balances of a period
  Turnovers,  // "Stavy z obratu": the month's postings summed per key
};

struct AutRequest {
  std::string defFile;
  AutSource source = AutSource::Current;
  std::string period;  // YYMM for AutSource::Month
  std::string id;      // the transfer identification
};

struct AutOutcome {
  bool done = false;
  int removed = 0;  // postings of the previous run
  int added = 0;
};

// Asked with the count of postings under the identification that a
// transfer did not write; true to replace them anyway. Unset: a Yes/No
// message.
using AutForeignConfirm = std::function<bool(int count)>;

AutOutcome RunAutoTransfer(RunValues& run, TCdsProc& cds, const AutRequest& request,
                           const AutForeignConfirm& confirm = {});

// The window's model.
class TUctAut {
 public:
  TUctAut(RunValues& run, TCdsProc& cds) : run_(run), cds_(cds) {}

  std::string Edit1;  // the definition file
  std::string Edit2;  // " Zdroj:" the transfer identification
  std::string Edit3;  // " Obdobi:" the period of the stored balances
  AutSource source = AutSource::Current;
  // The table viewer on a file with a layout, title and heading.
  std::function<void(const std::string& file, const std::string& def, const std::string& title,
                     const std::string& heading)>
      showTable;
  AutOutcome last;

  // The presets: init file and period reloaded, Edit2 "  " + UnitKey +
  // "9901", Edit3 "  " + YYMM.
  void FormCreate();
  // The file dialog in DefSoub; Edit1 "  " + the chosen path.
  void DefSoub();
  bool Proved();
  // The posting file of the period in the table viewer.
  void Zobr();

 private:
  RunValues& run_;
  TCdsProc& cds_;
};

}  // namespace orvo
