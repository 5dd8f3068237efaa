#include "core/reports/saldo_konto.h"

#include <map>
#include <tuple>
#include <vector>

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/dataset.h"
#include "core/reports/general_ledger.h"
#include "core/reports/overview_browser.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/table_viewer.h"
#include "core/sys/dates.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "core/sys/text_lines.h"

namespace orvo {

namespace {

constexpr std::string_view kBalanceLines[] = {
    " 15  V. Poc.zustatek                       Poc.zustatek               N2",
    " 15  W. Kon.zustatek                       Kon.zustatek               N2"};

// The sort keys (1-based posting positions) of the grouping order.
std::vector<int> SortKeys(bool ucetKonto, bool byDokl) {
  std::vector<int> keys{6};
  if (ucetKonto) {
    keys.insert(keys.end(), {9, 12});
  } else {
    keys.insert(keys.end(), {12, 9});
  }
  keys.insert(keys.end(), {1, 2});
  if (byDokl) keys.push_back(11);
  keys.insert(keys.end(), {7, 8});
  return keys;
}

// Where posting position p (0-based) lands in the sorted record: the key
// fields first, then the others in their order.
int SortedPosition(const std::vector<int>& keys, int p) {
  int at = 0;
  for (int k : keys) {
    if (k - 1 == p) return at;
    ++at;
  }
  for (int q = 0; q < kPostingWords; ++q) {
    bool key = false;
    for (int k : keys) key = key || k - 1 == q;
    if (key) continue;
    if (q == p) return at;
    ++at;
  }
  return -1;
}

std::string Cut72(const std::string& line) { return line.size() > 72 ? line.substr(0, 72) : line; }

bool ReadLines(Env& env, std::string_view file, std::vector<std::string>* lines) {
  auto text = env.fs.ReadWhole(file, nullptr);
  if (!text) {
    FileExistsOrSay(env, file);
    return false;
  }
  *lines = SplitLines(*text);
  return true;
}

}  // namespace

TUctSaldo::TUctSaldo(RunValues& run, TCdsProc& cds, ScrHandOver& handOver)
    : run_(run), cds_(cds), handOver_(handOver) {
  LoadPeriod(run_);
  const std::string key = RemoveBlanks(run_.CurrentPeriod);
  Edit1 = key.substr(0, 2) + "01";
  Edit2 = key;
}

bool TUctSaldo::GenSoub(std::string_view obd1In, std::string_view obd2In, std::string_view jmSObN) {
  Env& env = run_.env;
  TUctProc proc(run_, cds_);
  const std::string obd1 = RemoveBlanks(obd1In);
  const std::string obd2 = RemoveBlanks(obd2In);
  Dataset out(env);
  cds_.params.DefName = proc.DefFile("UctO.Def");
  cds_.MakeTableVirt(out);
  if (out.FieldCount() < kPostingWords) return false;

  // The opening konto balances: the balance file of obd1 summed per Rok,
  // Mesic, Zavod, Ucet, Konto.
  const std::string balances = OverviewPeriodKey(obd1).empty() ? std::string() : BalanceFile(run_, obd1);
  // Without the balance file of the first period there are no opening
  // lines; that is said once, and the postings are still listed.
  if (!balances.empty() && FileExistsOrSay(env, balances)) {
    Dataset bal(env);
    if (!TryOpenFile(env, balances) || !bal.LoadFromFile(balances)) return false;
    if (bal.FieldCount() >= kBalanceWords) {
      using Key = std::tuple<std::string, std::string, std::string, std::string, std::string>;
      std::map<Key, std::pair<int64_t, int64_t>> sums;
      for (int r = 0; r < bal.RecordCount(); ++r) {
        Key k{TrimRight(bal.StringAt(r, 0)), TrimRight(bal.StringAt(r, 1)), TrimRight(bal.StringAt(r, 2)),
              TrimRight(bal.StringAt(r, 5)), TrimRight(bal.StringAt(r, 7))};
        auto& s = sums[k];
        s.first += HellersOf(bal.StringAt(r, 8));
        s.second += HellersOf(bal.StringAt(r, 9));
      }
      const std::string today = TodayText(env);
      int doc = 1, line = 0;
      for (const auto& [k, s] : sums) {
        if (AllBlanks(std::get<4>(k))) continue;
        if (++line > 500) {
          ++doc;
          line = 1;
        }
        out.Append();
        out.SetAsString(0, std::get<0>(k));
        out.SetAsString(1, std::get<1>(k));
        out.SetAsString(2, "0000000000");
        out.SetAsString(3, IntTextPadded(doc, 5));
        out.SetAsString(4, IntTextPadded(line, 4));
        out.SetAsString(5, std::get<2>(k));
        out.SetAsString(8, std::get<3>(k));
        out.SetAsString(10, "Stav");
        out.SetAsString(11, std::get<4>(k));
        out.SetAsString(12, HellerText(s.first, out.Field(12).size));
        out.SetAsString(13, HellerText(s.second, out.Field(13).size));
        out.SetAsString(14, today);
        out.Post();
      }
    }
  }
  // The postings of the range, every year 00-99.
  for (int yy = 0; yy <= 99; ++yy) {
    for (int mm = 1; mm <= 20; ++mm) {
      const std::string key = IntTextPadded(yy, 2) + IntTextPadded(mm, 2);
      if (key < obd1 || key > obd2) continue;
      const std::string file = PostingFile(run_, key);
      if (!FileExistsQuiet(env, file)) continue;
      Dataset post(env);
      if (!TryOpenFile(env, file) || !post.LoadFromFile(file)) return false;
      const int fields = std::min(post.FieldCount(), out.FieldCount());
      if (fields <= 11) continue;
      for (int r = 0; r < post.RecordCount(); ++r) {
        if (AllBlanks(post.StringAt(r, 11))) continue;
        out.Append();
        for (int f = 0; f < fields; ++f) out.SetAsString(f, post.StringAt(r, f));
        out.Post();
      }
      env.ui.ProcessEvents();
    }
  }
  return out.SaveToFile(jmSObN, DataFormat::Binary);
}

bool TUctSaldo::Proved() {
  Env& env = run_.env;
  computed_ = false;
  const std::string obd1 = OverviewPeriodKey(Edit1);
  const std::string obd2 = OverviewPeriodKey(Edit2);
  if (obd1.empty() || obd2.empty()) {
    InfoBox(env, "Chybne zadane obdobie: " + (obd1.empty() ? Edit1 : Edit2));
    return false;
  }
  TUctProc proc(run_, cds_);
  ComputingProgress progress(env);
  const std::string collected = WorkFile("Orvoork1.Cds");
  const std::string sorted = WorkFile("Orvoork2.Cds");
  if (!GenSoub(obd1, obd2, collected)) return false;

  const std::vector<int> keys = SortKeys(RUK, CBDokl);
  cds_.params.PocSlov = static_cast<int>(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) cds_.params.SezSlov[i] = keys[i];
  if (!proc.SortCds3(collected, proc.DefFile("UctO.Def"), sorted)) return false;

  // The saldo layout: the sorted layout and the two balances.
  std::vector<std::string> defLines;
  if (!ReadLines(env, WorkFile("Orvoork.Def"), &defLines)) return false;
  std::string saldoDef;
  for (const std::string& l : defLines) saldoDef += Cut72(l) + "\r\n";
  for (std::string_view l : kBalanceLines) saldoDef += std::string(l) + "\r\n";
  if (!WriteFileOrAsk(env, kSaldoDef, saldoDef)) return false;

  Dataset in(env);
  if (!in.LoadFromFile(sorted)) return false;
  Dataset lines(env);
  cds_.params.DefName = std::string(kSaldoDef);
  cds_.MakeTableVirt(lines);
  if (in.FieldCount() < kPostingWords || lines.FieldCount() < kPostingWords + 2) {
    InfoBox(env, "Soubor:\r\r\"" + std::string(kSaldoDef) + "\"\r\r     - nema potrebne polozky !");
    return false;
  }
  const int md = SortedPosition(keys, 12);
  const int dal = SortedPosition(keys, 13);
  const int intDokl = SortedPosition(keys, 10);
  const int poc = kPostingWords, kon = kPostingWords + 1;
  const int pocWidth = lines.Field(poc).size, konWidth = lines.Field(kon).size;
  // The first-level group (plant and the first code) by the widths of the
  // sorted words, whatever the definitions hold.
  const size_t w0 = static_cast<size_t>(in.Field(0).size), w1 = static_cast<size_t>(in.Field(1).size),
               w2 = static_cast<size_t>(in.Field(2).size);
  const size_t prefix = w0 + w1;
  auto pad = [](std::string v, size_t w) {
    v.resize(w, ' ');
    return v;
  };

  std::string prev;  // G'
  int64_t running = 0, subtotal = 0, total = 0;
  std::string last0, last1;
  auto copyRecord = [&](int r) {
    lines.Append();
    for (int f = 0; f < kPostingWords; ++f) lines.SetAsString(f, in.StringAt(r, f));
  };
  auto writeSubtotal = [&](const std::string& f0, const std::string& f1, int64_t value) {
    lines.Append();
    lines.SetAsString(0, f0);
    lines.SetAsString(1, f1);
    lines.SetAsString(2, "KonSt");
    lines.SetAsString(kon, HellerText(value, konWidth));
    lines.Post();
  };
  for (int r = 0; r < in.RecordCount(); ++r) {
    const std::string g =
        pad(in.StringAt(r, 0), w0) + pad(in.StringAt(r, 1), w1) + pad(in.StringAt(r, 2), w2);
    const int64_t amount = HellersOf(in.StringAt(r, md)) - HellersOf(in.StringAt(r, dal));
    const bool newGroup = g != prev;
    if (newGroup) subtotal += running;
    if (prev.size() < prefix || g.compare(0, prefix, prev, 0, prefix) != 0) {
      if (subtotal != 0) {
        writeSubtotal(last0, last1, subtotal);
        total += subtotal;
        subtotal = 0;
      }
    }
    if (newGroup) {
      const std::string period = TrimRight(in.StringAt(r, 3)) + TrimRight(in.StringAt(r, 4));
      running = amount;
      if (period < obd1) {
        if (running != 0) {
          copyRecord(r);
          for (int f = 12; f <= 20; ++f) lines.SetAsString(SortedPosition(keys, f), "");
          lines.SetAsString(intDokl, "Stav");
          lines.SetAsString(poc, HellerText(running, pocWidth));
          lines.SetAsString(kon, HellerText(running, konWidth));
          lines.Post();
        }
      } else if (HellersOf(in.StringAt(r, md)) != 0 || HellersOf(in.StringAt(r, dal)) != 0) {
        copyRecord(r);
        lines.SetAsString(kon, HellerText(running, konWidth));
        lines.Post();
      }
      prev = g;
    } else {
      running += amount;
      copyRecord(r);
      lines.SetAsString(kon, HellerText(running, konWidth));
      lines.Post();
    }
    last0 = in.StringAt(r, 0);
    last1 = in.StringAt(r, 1);
  }
  subtotal += running;
  if (subtotal != 0) {
    writeSubtotal(last0, last1, subtotal);
    total += subtotal;
  }
  lines.Append();
  lines.SetAsString(0, "**");
  lines.SetAsString(1, std::string("***************").substr(0, std::min<size_t>(15, w1)));
  lines.SetAsString(2, "KonSt");
  lines.SetAsString(kon, HellerText(total, konWidth));
  lines.Post();
  in.PrepareLoad(0);
  if (!lines.SaveToFile(kSaldoLinesFile, DataFormat::Binary)) return false;

  // The sixteen columns of the browser.
  static const int kKept[2][16] = {{1, 2, 3, 6, 7, 9, 10, 12, 15, 17, 18, 19, 22, 13, 14, 23},
                                   {1, 2, 3, 6, 7, 12, 9, 10, 15, 17, 18, 19, 22, 13, 14, 23}};
  cds_.params.PocSlov = 16;
  for (int i = 0; i < 16; ++i) cds_.params.SezSlov[static_cast<size_t>(i)] = kKept[CBDokl ? 1 : 0][i];
  if (!proc.RedCds3(kSaldoLinesFile, kSaldoDef, kSaldoFile)) return false;
  if (!ReadLines(env, WorkFile("Orvoork.Def"), &defLines)) return false;
  saldoDef.clear();
  for (size_t i = 0; i < defLines.size(); ++i) {
    std::string l = Cut72(defLines[i]);
    // The running balance is shown as a left-aligned text column.
    if (i == 15) {
      l.resize(std::max<size_t>(l.size(), 72), ' ');
      l.replace(70, 2, "LM");
    }
    saldoDef += l + "\r\n";
  }
  if (!WriteFileOrAsk(env, kSaldoDef, saldoDef)) return false;
  computed_ = true;
  shownFrom_ = Edit1;
  shownTo_ = Edit2;
  shownRUK_ = RUK;
  shownDokl_ = CBDokl;
  return true;
}

std::string TUctSaldo::Heading2() const {
  return std::string(shownRUK_ ? "Saldo:  Ucet - Konto    " : "Saldo:  Konto - Ucet    ") +
         (shownDokl_ ? "Razeni podle int. dokl." : "") + "       Obdobi od-do: " + shownFrom_ + "-" + shownTo_;
}

bool TUctSaldo::Zobr() {
  if (!computed_) return false;
  handOver_.ScrSumCols = NoColumnFlags();
  handOver_.ScrPageCols = NoColumnFlags();
  handOver_.ScrSumCols[1] = 'A';
  handOver_.ScrSumCols[2] = 'A';
  ShowOverview(handOver_, kSaldoFile, kSaldoDef, OverviewHeading1(run_.env), Heading2(), showBrowser);
  handOver_.ScrSumCols[1] = 'N';
  handOver_.ScrSumCols[2] = 'N';
  return true;
}

bool TUctSaldo::Tab() {
  if (!computed_) return false;
  return ShowInTableViewer(run_, kSaldoFile, kSaldoDef, "Orvo", "");
}

}  // namespace orvo
