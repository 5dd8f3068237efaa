// Legacy data of the DOS version in the byte layouts the conversion reads:
// the code lists as fixed-column text in the Kamenicky code page with CR LF,
// the balance files UceS + YYMM + .Dat (header with the record length at
// bytes 12-13, key text and four little-endian doubles) and the posting
// files Uce + YYMM + .Dat (154-byte text records). A deterministic year of
// such data for the demo company and the tests, with the generator's own
// totals per account so that converted books can be checked against them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/accounting/demo_year.h"
#include "core/accounting/legacy_conversion.h"
#include "core/sys/env.h"

namespace orvo {

struct LegacyBalance {
  std::string zavod, sprava, stredisko, ucet, cinnost;
  double md = 0, dal = 0, mdMin = 0, dalMin = 0;
};

struct LegacyPosting {
  std::string zavod, rok, mesic, doklId, cisDokl;
  int radek = 0;
  std::string sprava, stredisko, ucet, cinnost, intDokl, konto;
  double md = 0, dal = 0;
  std::string datum, mena, nazevKonta;
  double kurz = 0;
  std::string datZapisu, zapsal, text;
};

// Values in columns: a positive width is a value padded (or cut) to it, a
// negative width that many blanks. Windows-1250 in, Kamenicky out, CR LF.
std::string LegacyFixedLine(const std::vector<std::string>& values, const std::vector<int>& widths);

// A header record of `length` bytes (at least 14) with the length at 12-13.
std::string LegacyHeader(int length);
// One balance record of `length` bytes (at least 50).
std::string LegacyBalanceRecord(const LegacyBalance& b, int length);
std::string LegacyBalanceFile(const std::vector<LegacyBalance>& records, int length = 64);
// One posting record of 154 bytes.
std::string LegacyPostingRecord(const LegacyPosting& p);
std::string LegacyPostingFile(const std::vector<LegacyPosting>& records);

// Opening balance, turnovers and closing balance of one account in
// hellers, as the general ledger shows them.
struct LegacyLedgerLine {
  int64_t openMd = 0, openDal = 0, turnMd = 0, turnDal = 0;
  bool operator==(const LegacyLedgerLine&) const = default;
};

struct LegacyYear {
  std::string year;  // two digits
  int months = 12;
  std::vector<std::vector<std::string>> accounts;    // Ucet, name, kind
  std::vector<std::vector<std::string>> activities;  // Cinnost, name, unit
  std::vector<std::vector<std::string>> kontos;      // Konto, name, ICO, address
  std::vector<LegacyBalance> opening;                // the state on 1 January
  std::vector<std::vector<LegacyPosting>> postings;  // months 1 .. months
  // The general ledger per account of month m (1-based), computed from the
  // generator's own amounts.
  std::map<std::string, LegacyLedgerLine> Ledger(int month) const;
  // The balances at the start of month m: the opening state plus every
  // posting of the months before, summed per key.
  std::vector<LegacyBalance> BalancesAt(int month) const;
};

LegacyYear GenerateLegacyYear(const std::string& year, const std::vector<DemoUnit>& units, int months = 12);

// Writes the year into `dir`: PomSoub\Ucet.Cis, Cinn.Cis, Konto.Cis, then
// UceS + YYMM + .Dat and Uce + YYMM + .Dat for every month. Returns the
// files written; stops at the first that cannot be written.
std::vector<std::string> WriteLegacyYear(Env& env, const std::string& dir, const LegacyYear& data);

}  // namespace orvo
