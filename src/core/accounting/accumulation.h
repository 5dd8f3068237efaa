// The accumulations of the menu "Prevody" > "Kumulace": the postings that
// the sibling systems (finance Pexo, fixed assets Ramu, small assets Sramu,
// stock Kolo, wages, forestry Vint by plant or by cost centre) hand over in
// their transfer files replace, in the posting file of the current period,
// whatever an earlier accumulation of the same source put there, so that
// repeating one changes nothing. The transfer is checked whole first, the
// posting file archived, the new file built in one pass (renumbered
// documents of at most 500 lines, konto names filled) and put in place in
// one step; any failure leaves the posting file as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/shell/run_values.h"

namespace orvo {

enum class KumItem { Pexo, Ramu, Sramu, Kolo, Mzdy, VintZavod, VintStredisko };

// How an item finds and reads its file.
enum class KumOp { Pex, Ram, Zav, Str, Mzd };

struct KumSpec {
  KumItem item;
  KumOp op;
  std::string_view batchName;  // the orvo-batch word
  std::string_view skup;       // source-system code (Pexo: empty, below "5")
  std::string_view fil;        // file-name stem
  std::string_view ext;        // ".Csv" or ".Cds"
};

inline constexpr std::string_view kHandEnteredSource = "00";
inline constexpr int kLinesPerDocument = 500;
inline constexpr std::string_view kWageText = "Prevod z mezd";

const KumSpec& KumSpecOf(KumItem item);
// The item of an orvo-batch word; false when there is none.
bool KumItemByName(std::string_view name, KumItem* item);

// The transfer file a record-less name check accepts: the file name (no
// directory) of the item for the period key YYMM. Empty when it fits;
// otherwise the reason.
std::string TransferNameFault(const KumSpec& kum, std::string_view periodKey, std::string_view fileName);

struct KumOutcome {
  bool done = false;
  int dropped = 0;  // earlier postings of the source removed
  int added = 0;    // postings of the transfer
  std::string transferFile;
};

// The question asked before postings of hand-entered documents are dropped;
// true to go on. Unset: a Yes/No message.
using HandEnteredConfirm = std::function<bool(int count)>;

// One accumulation. `chosen` empty: the fixed finance file, or the file
// dialog of the item (cancelled: nothing happens); otherwise that file with
// the same checks.
KumOutcome Accumulate(RunValues& run, TCdsProc& cds, KumItem item, const std::string& chosen = {},
                      const HandEnteredConfirm& confirm = {});

// The renumbering of a transfer: rows (posting layout) in stable order of
// Rok, Mesic, DoklId; every identification starts with document XX001 (XX
// characters 7-8 of its DoklId) and a document holds at most 500 lines.
void NumberTransfer(std::vector<std::vector<std::string>>& rows);

}  // namespace orvo
