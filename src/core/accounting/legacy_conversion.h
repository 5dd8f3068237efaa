// The conversion of the DOS version's data (menu "Dos", role Admin): the
// code lists (KonvUcty, KonvCinn, KonvKonta), the balance files of every
// period (KonvStavy) and the posting files of every period (KonvObraty).
// Each conversion first names every legacy file it will read and the file
// it will replace, asks once before replacing existing files, archives each
// of them, and replaces a target only with a complete converted file. It
// ends with a summary of the files converted and of the files skipped with
// the reason. The working period never changes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/screens/cds_cis.h"
#include "core/shell/run_values.h"

namespace orvo {

// The record length of the legacy posting files.
inline constexpr int kLegacyPostingRecord = 154;

// Work files of the conversions.
inline constexpr std::string_view kOrvoork = "C:\\A_Run\\Work\\Orvoork.Cds";
inline constexpr std::string_view kOrvoork1 = "C:\\A_Run\\Work\\Orvoork1.Cds";
inline constexpr std::string_view kOrvoork2 = "C:\\A_Run\\Work\\Orvoork2.Cds";

struct ConversionSummary {
  std::vector<std::pair<std::string, std::string>> converted;  // legacy file, target
  std::vector<std::pair<std::string, std::string>> skipped;    // file, reason
  bool declined = false;  // the question before replacing was answered No
  // The counts, then "Prevedeno: ..." and "Preskoceno: ..." lines with the
  // bare file names (the first 24 of each kind), CR between them.
  std::string Text() const;
};

class LegacyConversion {
 public:
  LegacyConversion(RunValues& run, TCdsProc& cds, TCdsCis& cis) : run_(run), cds_(cds), cis_(cis) {}

  // "Prevod ciselniku": the chart of accounts, the activities and the
  // konto list of the working year, in this order.
  ConversionSummary CodeLists();
  // "Prevod pocatecnich stavu uctu": UceS + YYMM + .Dat of years 00-99,
  // months 00-15, into the balance files of those periods.
  ConversionSummary Balances();
  // "Prevod obratu uctu": Uce + YYMM + .Dat likewise into the posting files.
  ConversionSummary Postings();

  // The questions are answered by the caller's Ui; `quiet` leaves out the
  // summary box (orvo-batch prints the summary itself).
  bool quiet = false;

 private:
  struct Job {
    std::string source;
    std::string target;
    std::string period;  // YYMM of a balance or posting file
    int list = 0;        // code lists: 0 accounts, 1 activities, 2 kontos
  };
  bool Prepare(const std::vector<Job>& jobs, std::string_view caption, ConversionSummary& summary);
  bool Replace(const std::string& target, const std::string& made, std::string* reason);
  bool DefinitionPresent(std::string_view name, std::string* reason);
  std::vector<Job> PeriodJobs(std::string_view prefix, bool balances);
  bool CodeList(const Job& job, std::string* reason);
  bool Balance(const Job& job, std::string* reason);
  bool Posting(const Job& job, std::string* reason);
  void Finish(ConversionSummary& summary, std::string_view caption);

  RunValues& run_;
  TCdsProc& cds_;
  TCdsCis& cis_;
};

// Whether LegacyDataDir (line 4 of the initialisation file, read again) is
// given and exists; said when not.
bool LegacyDataDirUsable(RunValues& run);

// The menu handlers: only for the role "Admin"; each runs its conversion
// under the progress window and shows the summary.
void DosPrevCis(RunValues& run, TCdsProc& cds, TCdsCis& cis);
void DosPrevStavy(RunValues& run, TCdsProc& cds, TCdsCis& cis);
void DosPrevObraty(RunValues& run, TCdsProc& cds, TCdsCis& cis);

}  // namespace orvo
