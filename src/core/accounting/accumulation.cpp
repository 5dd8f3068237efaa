#include "core/accounting/accumulation.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/accounting/konto_names.h"
#include "core/accounting/posting_rewrite.h"
#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/cds_file.h"
#include "core/data/imports.h"
#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr KumSpec kSpecs[] = {
    {KumItem::Pexo, KumOp::Pex, "pexo", "", "PexoUctPr", ".Cds"},
    {KumItem::Ramu, KumOp::Ram, "ramu", "51", "RamuUctPr", ".Csv"},
    {KumItem::Sramu, KumOp::Ram, "sramu", "52", "SramuUctPr", ".Csv"},
    {KumItem::Kolo, KumOp::Zav, "kolo", "53", "KoloUctPr", ".Cds"},
    {KumItem::Mzdy, KumOp::Mzd, "mzdy", "61", "MzdUctPr", ".Csv"},
    {KumItem::VintZavod, KumOp::Zav, "vint-zavod", "71", "VintUctPr", ".Cds"},
    {KumItem::VintStredisko, KumOp::Str, "vint-stredisko", "71", "VintUctPr", ".Cds"},
};

constexpr int kTransferWords = 17;
constexpr int kDoklIdWidth = 10;
using Row = std::vector<std::string>;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool Alnum(std::string_view text) {
  for (char c : text) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!ok) return false;
  }
  return true;
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string FirstTwo(std::string_view text) { return Padded(std::string(text.substr(0, 2)), 2); }

std::string Digits(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

// The k-th document (1-based) of a source code: "53" -> 53001, 53002, ...
std::string DocumentNumber(const std::string& code, int k) {
  const bool digits = code.size() == 2 && code[0] >= '0' && code[0] <= '9' && code[1] >= '0' && code[1] <= '9';
  if (digits) return Digits(std::stoi(code) * 1000 + k, 5);
  return code + Digits(k % 1000, 3);
}

// Whether an existing posting belongs to the source (and plant or unit) of
// the transfer, i.e. is replaced by it.
bool Dropped(KumOp op, std::string_view skup, std::string_view unit, const std::string& doklId) {
  switch (op) {
    case KumOp::Pex:
      return static_cast<unsigned char>(doklId[6]) <= static_cast<unsigned char>('4');
    case KumOp::Ram:
    case KumOp::Zav:
      return doklId.compare(0, 2, unit) == 0 && doklId.compare(6, 2, skup) == 0;
    case KumOp::Str:
      return doklId.compare(0, 6, unit) == 0 && doklId.compare(6, 2, skup) == 0;
    case KumOp::Mzd:
      return doklId.compare(6, 2, skup) == 0;
  }
  return false;
}

// The transfer's records as postings (21 values) before numbering. False
// after a message.
bool ReadTransfer(RunValues& run, TCdsProc& cds, const KumSpec& kum, const std::string& file,
                  std::vector<Row>* rows) {
  Env& env = run.env;
  TUctProc proc(run, cds);
  Dataset ds(env);
  ds.SetReadOnly(true);
  if (kum.op == KumOp::Ram || kum.op == KumOp::Mzd) {
    cds.params.DatName = file;
    cds.params.DefName = proc.DefFile(kum.op == KumOp::Ram ? "UctO.Def" : "MzdUct.Def");
    cds.params.CdsName = WorkFile("Orvoork5.Cds");
    cds.params.XDefName = WorkFile("Orvoork.Def");
    if (!FileExistsOrSay(env, cds.params.DefName)) return false;
    if (!KonvCsvCds(cds, 0, '|', '"')) return false;
    if (!LoadCdsFile(env, cds.params.CdsName, ds)) return false;
  } else if (!LoadCdsFile(env, file, ds)) {
    return false;
  }
  const int n = ds.FieldCount();
  const int need = kum.op == KumOp::Ram ? kPostingWords : kum.op == KumOp::Mzd ? 10 : kTransferWords;
  if (n < need) {
    ErrorBox(env, "Soubor:\r\r\"" + file + "\"\r\r     - nema tvar prevodu (" + std::to_string(need) +
                      " udaju, ma " + std::to_string(n) + ") !\r\rKumulace nebyla provedena.");
    return false;
  }
  rows->reserve(static_cast<size_t>(ds.RecordCount()));
  for (int r = 0; r < ds.RecordCount(); ++r) {
    Row row(kPostingWords);
    if (kum.op == KumOp::Ram) {
      for (int f = 0; f < kPostingWords; ++f) row[static_cast<size_t>(f)] = TrimRight(ds.StringAt(r, f));
      row[kKontoNameWord].clear();
    } else if (kum.op == KumOp::Mzd) {
      for (int f = 0; f < 10; ++f) row[static_cast<size_t>(f)] = TrimRight(ds.StringAt(r, f));
    } else {
      for (int f = 0; f <= kTransferWords - 3; ++f) row[static_cast<size_t>(f)] = TrimRight(ds.StringAt(r, f));
      row[19] = TrimRight(ds.StringAt(r, kTransferWords - 2));
      row[20] = TrimRight(ds.StringAt(r, kTransferWords - 1));
      if (kum.op == KumOp::Pex) row[20].clear();
    }
    rows->push_back(std::move(row));
  }
  return true;
}

// The wage records (Rok, Mesic, Zavod, Sprava, Stredisko, Ucet, Cinnost,
// Konto, MD, Dal in the first ten values) turned into numbered postings.
void BuildWagePostings(RunValues& run, std::vector<Row>& rows) {
  const std::string plant = FirstTwo(run.PlantName);
  const std::string admin = FirstTwo(run.AdminUnitName);
  const std::string doklId = plant + admin + "006101";
  const std::string today = TodayText(run.env);
  int doc = 1;
  int line = 0;
  for (Row& wage : rows) {
    if (line == kLinesPerDocument) {
      ++doc;
      line = 0;
    }
    Row p(kPostingWords);
    p[0] = wage[0];
    p[1] = wage[1];
    p[2] = doklId;
    p[3] = DocumentNumber("61", doc);
    p[4] = Digits(++line, 4);
    p[5] = Trim(wage[2]).empty() ? TrimRight(plant) : wage[2];
    p[6] = Trim(wage[3]).empty() ? TrimRight(admin) : wage[3];
    p[7] = wage[4];
    p[8] = wage[5];
    p[9] = wage[6];
    p[11] = wage[7];
    p[12] = wage[8];
    p[13] = wage[9];
    p[18] = today;
    p[19] = std::string(kWageText);
    wage = std::move(p);
  }
}

}  // namespace

const KumSpec& KumSpecOf(KumItem item) {
  for (const KumSpec& s : kSpecs) {
    if (s.item == item) return s;
  }
  return kSpecs[0];
}

bool KumItemByName(std::string_view name, KumItem* item) {
  for (const KumSpec& s : kSpecs) {
    if (s.batchName == name) {
      *item = s.item;
      return true;
    }
  }
  return false;
}

std::string TransferNameFault(const KumSpec& kum, std::string_view periodKey, std::string_view fileName) {
  const std::string name = Upper(fileName);
  const std::string tail = Upper(std::string(kum.fil) + std::string(kum.ext));
  const std::string key(periodKey);
  if (name.size() < key.size() + tail.size() || name.compare(0, key.size(), key) != 0) {
    return "Soubor neni prevodem obdobi " + key + ".";
  }
  if (name.compare(name.size() - tail.size(), tail.size(), tail) != 0) {
    return "Jmeno souboru nekonci \"" + std::string(kum.fil) + std::string(kum.ext) + "\".";
  }
  const std::string middle = name.substr(key.size(), name.size() - key.size() - tail.size());
  switch (kum.op) {
    case KumOp::Pex:
      if (!middle.empty()) return "Prevod z Pexa se jmenuje " + key + "PexoUctPr.Cds.";
      break;
    case KumOp::Ram:
    case KumOp::Zav:
      if (middle.size() != 2 || !Alnum(middle)) {
        return "Za obdobim ma jmeno souboru prave dvoumistny kod zavodu.";
      }
      break;
    case KumOp::Str:
      if (middle.size() != 6 || !Alnum(middle)) {
        return "Za obdobim ma jmeno souboru sestimistny klic strediska (zavod, sprava, stredisko).";
      }
      break;
    case KumOp::Mzd:
      break;
  }
  return {};
}

void NumberTransfer(std::vector<Row>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    if (a[0] != b[0]) return a[0] < b[0];
    if (a[1] != b[1]) return a[1] < b[1];
    return a[2] < b[2];
  });
  std::string group;
  std::string code;
  int doc = 0;
  int line = 0;
  bool first = true;
  for (Row& row : rows) {
    const std::string key = row[0] + '\x1f' + row[1] + '\x1f' + row[2];
    if (first || key != group) {
      code = Padded(row[2], kDoklIdWidth).substr(6, 2);
      doc = 1;
      line = 0;
      group = key;
      first = false;
    } else if (line == kLinesPerDocument) {
      ++doc;
      line = 0;
    }
    row[3] = DocumentNumber(code, doc);
    row[4] = Digits(++line, 4);
  }
}

KumOutcome Accumulate(RunValues& run, TCdsProc& cds, KumItem item, const std::string& chosen,
                      const HandEnteredConfirm& confirm) {
  Env& env = run.env;
  const KumSpec& kum = KumSpecOf(item);
  KumOutcome outcome;
  ReadInitFile(run);
  LoadPeriod(run);
  const std::string key = run.PeriodYear + run.PeriodMonth;
  TUctProc proc(run, cds);

  // The transfer file.
  std::string file = chosen;
  if (kum.op == KumOp::Pex) {
    if (file.empty()) file = PexoTransferFile(run, key);
    if (!FileExistsOrSay(env, file) || !FileExistsOrSay(env, proc.DefFile("UctOSub.Def"))) return outcome;
  } else if (file.empty()) {
    const std::string mask = key + "*" + std::string(kum.fil) + std::string(kum.ext);
    std::optional<std::string> picked = env.ui.OpenFileDialog({"", AppDir(run, "Prevody"), mask + "|" + mask, ""});
    if (!picked || picked->empty()) return outcome;
    file = *picked;
  }
  if (!chosen.empty() && !FileExistsOrSay(env, file)) return outcome;
  const std::string name = FileNameOf(file);
  const std::string fault = TransferNameFault(kum, key, name);
  if (!fault.empty()) {
    ErrorBox(env, "Chybne vybrany soubor !!!\r\r" + file + "\r\r" + fault);
    return outcome;
  }
  outcome.transferFile = file;
  std::string unit;
  if (kum.op == KumOp::Ram || kum.op == KumOp::Zav) unit = name.substr(4, 2);
  if (kum.op == KumOp::Str) unit = name.substr(4, 6);

  std::vector<Row> rows;
  {
    ComputingProgress progress(env);
    if (!ReadTransfer(run, cds, kum, file, &rows)) return outcome;
  }
  // Every record must carry the source (and plant or unit) it replaces;
  // otherwise a second run could not take the first one's postings away.
  if (kum.op != KumOp::Mzd) {
    for (size_t r = 0; r < rows.size(); ++r) {
      const std::string id = Padded(rows[r][2], kDoklIdWidth);
      if (!Dropped(kum.op, kum.skup, unit, id)) {
        const std::string expected = kum.op == KumOp::Pex ? "7. znak \"0\" az \"4\""
                                     : kum.op == KumOp::Str ? "zacatek \"" + unit + std::string(kum.skup) + "\""
                                                             : "zavod \"" + unit + "\" a zdroj \"" +
                                                                   std::string(kum.skup) + "\" na 7. a 8. znaku";
        ErrorBox(env, "Soubor:\r\r\"" + file + "\"\r\r     - zaznam " + std::to_string(r + 1) +
                          " ma Doklad Id \"" + TrimRight(id) + "\", ocekavan " + expected +
                          " !\r\rKumulace nebyla provedena.");
        return outcome;
      }
    }
  }
  if (kum.op == KumOp::Mzd) {
    BuildWagePostings(run, rows);
  } else {
    if (kum.op == KumOp::Pex) {
      std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::lexicographical_compare(a.begin(), a.begin() + 6, b.begin(), b.begin() + 6);
      });
    }
    NumberTransfer(rows);
  }

  // The posting file, archived before it changes.
  const std::string posting = PostingFile(run);
  if (!FileExistsQuiet(env, posting)) {
    proc.MakeCdsFile(posting, proc.DefFile("UctO.Def"));
    if (!FileExistsOrSay(env, posting)) return outcome;
  } else if (ArchiveNeededByTime(env, posting, ArchiveDir(run)) &&
             !ArchiveRotate(env, posting, ArchiveDir(run), kArchiveGenerations)) {
    return outcome;
  }
  Dataset in(env);
  if (!LoadCdsFile(env, posting, in)) return outcome;
  if (in.FieldCount() < kPostingWords) {
    ErrorBox(env, "Soubor:\r\r\"" + posting + "\"\r\r     - neni souborem obratu (" +
                      std::to_string(in.FieldCount()) + " udaju) !\r\rKumulace nebyla provedena.");
    return outcome;
  }
  std::vector<char> keep(static_cast<size_t>(in.RecordCount()), 1);
  int handEntered = 0;
  for (int r = 0; r < in.RecordCount(); ++r) {
    const std::string id = Padded(in.StringAt(r, 2), kDoklIdWidth);
    if (!Dropped(kum.op, kum.skup, unit, id)) continue;
    keep[static_cast<size_t>(r)] = 0;
    ++outcome.dropped;
    if (id.compare(6, 2, kHandEnteredSource) == 0) ++handEntered;
  }
  if (handEntered > 0) {
    const bool go = confirm ? confirm(handEntered)
                            : AskYesNo(env,
                                       "Kumulace odstrani i " + std::to_string(handEntered) +
                                           " zaznamu rucne poridenych dokladu (zdroj 00) !\r\rSoubor:  " +
                                           posting + "\r\rPokracovat ?",
                                       "Kumulace");
    if (!go) return outcome;
  }
  const KontoNames names = ReadKontoNames(run);
  outcome.added = static_cast<int>(rows.size());
  ComputingProgress progress(env);
  outcome.done = ReplacePostingFile(env, posting, in, keep, rows, [&](Dataset& out) { FillKontoNames(names, out); });
  return outcome;
}

}  // namespace orvo
