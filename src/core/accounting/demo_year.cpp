#include "core/accounting/demo_year.h"

#include <algorithm>
#include <cstdint>

#include "core/accounting/month_close.h"
#include "core/accounting/uct_proc.h"
#include "core/data/dataset.h"
#include "core/data/format_word.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

namespace orvo {

namespace {

// A small generator of its own (64-bit LCG, high bits), so that the demo is
// the same on every system and with every standard library.
class DemoRandom {
 public:
  explicit DemoRandom(uint64_t seed) : state_(seed * 2862933555777941757ULL + 3037000493ULL) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  // An amount of whole crowns between lo and hi, with hellers now and then.
  double Amount(int lo, int hi) {
    double crowns = lo + Below(hi - lo + 1);
    if (Below(3) == 0) crowns += Below(100) / 100.0;
    return crowns;
  }

 private:
  uint64_t state_;
};

struct Line {
  std::string ucet;
  std::string cinnost;
  std::string konto;
  double md = 0;
  double dal = 0;
};

const char* const kCustomers[] = {"100001", "100002", "100003", "100005"};
const char* const kSuppliers[] = {"200001", "200002", "200003", "200005"};
const char* const kProduction[] = {"10100", "10200", "20100", "20200", "20300", "30100"};

// The documents of one unit in one month.
std::vector<std::vector<Line>> MonthDocuments(DemoRandom& rnd, int unitIndex, int month) {
  std::vector<std::vector<Line>> docs;
  const double scale = 1.0 + 0.5 * unitIndex;
  // Sales to customers: receivable, revenue on an activity, output VAT;
  // two invoices in three are paid through the bank within the month.
  for (int i = 0, n = 6 + rnd.Below(5); i < n; ++i) {
    const double net = RoundValue(2, 5, rnd.Amount(8000, 90000) * scale);
    const double vat = RoundValue(2, 5, net * 0.21);
    const char* activity = kProduction[rnd.Below(6)];
    const bool services = activity[0] == '3';
    const char* customer = kCustomers[rnd.Below(4)];
    docs.push_back({{"311100", "", customer, net + vat, 0},
                    {services ? "602100" : "601100", activity, "", 0, net},
                    {"343200", "", "", 0, vat}});
    if (rnd.Below(3) != 0) docs.push_back({{"221100", "", "", net + vat, 0}, {"311100", "", customer, 0, net + vat}});
  }
  // Purchases from suppliers: cost on an activity, input VAT, payable; most
  // are paid within the month.
  for (int i = 0, n = 5 + rnd.Below(5); i < n; ++i) {
    const double net = RoundValue(2, 5, rnd.Amount(2000, 40000) * scale);
    const double vat = RoundValue(2, 5, net * 0.21);
    const char* const costs[] = {"501100", "501300", "502100", "518400", "518200"};
    const char* cost = costs[rnd.Below(5)];
    const char* supplier = kSuppliers[rnd.Below(4)];
    docs.push_back({{cost, kProduction[rnd.Below(6)], "", net, 0},
                    {"343100", "", "", vat, 0},
                    {"321100", "", supplier, 0, net + vat}});
    if (rnd.Below(4) != 0) docs.push_back({{"321100", "", supplier, net + vat, 0}, {"221100", "", "", 0, net + vat}});
  }
  // Cash purchases of small material.
  for (int i = 0, n = 2 + rnd.Below(3); i < n; ++i) {
    const double cash = rnd.Amount(200, 3000);
    docs.push_back({{"501200", "60100", "", cash, 0}, {"211100", "", "", 0, cash}});
  }
  // Wages of the month and the insurance on them.
  const double wages = RoundValue(2, 5, (180000 + 1000.0 * rnd.Below(40)) * scale);
  const double social = RoundValue(2, 5, wages * 0.248);
  const double health = RoundValue(2, 5, wages * 0.09);
  docs.push_back({{"521100", "20100", "", RoundValue(2, 5, wages * 0.6), 0},
                  {"521100", "10100", "", wages - RoundValue(2, 5, wages * 0.6), 0},
                  {"331100", "", "", 0, wages}});
  docs.push_back({{"524100", "60200", "", social, 0},
                  {"524200", "60200", "", health, 0},
                  {"336100", "", "", 0, social},
                  {"336200", "", "", 0, health}});
  docs.push_back({{"331100", "", "", wages, 0}, {"221100", "", "", 0, wages}});
  // Depreciation of machines and vehicles.
  const double dep = RoundValue(2, 5, 25000 * scale + 100.0 * month);
  docs.push_back({{"551", "60200", "", dep, 0}, {"082100", "", "", 0, RoundValue(2, 5, dep * 0.7)},
                  {"082200", "", "", 0, dep - RoundValue(2, 5, dep * 0.7)}});
  return docs;
}

// A file of layout `def` from records of values; every value is normalised
// as its word prescribes.
bool WriteRecords(RunValues& run, TCdsProc& cds, const std::string& def,
                  const std::vector<std::vector<std::string>>& records, const std::string& file) {
  Dataset out(run.env);
  cds.params.DefName = def;
  cds.MakeTableVirt(out);
  const LoadedDef& loaded = cds.Def();
  for (const auto& values : records) {
    out.Append();
    for (size_t f = 0; f < values.size() && static_cast<int>(f) < out.FieldCount(); ++f) {
      std::string v = values[f];
      FormatWord(run.env, loaded, v, static_cast<int>(f) + 1, ' ');
      out.SetAsString(static_cast<int>(f), v);
    }
    out.Post();
  }
  return out.SaveToFile(file, DataFormat::Binary);
}

std::string Money(double x) { return RealTextRounded(15, 2, x); }

}  // namespace

std::vector<std::string> WriteDemoYear(RunValues& run, TCdsProc& cds, const std::vector<DemoUnit>& units) {
  std::vector<std::string> written;
  ReadInitFile(run);
  LoadPeriod(run);
  const std::string year = run.PeriodYear;
  const int working = NumberOf(run.PeriodMonth);
  const std::string workingPeriod = run.CurrentPeriod;
  TUctProc proc(run, cds);
  const std::string opening = BalanceFile(run, year + "01");
  if (FileExistsQuiet(run.env, opening)) return written;

  // The opening state: fixed assets, cash, bank, customers and suppliers of
  // the previous year, capital.
  std::vector<std::vector<std::string>> balances;
  for (size_t u = 0; u < units.size(); ++u) {
    const DemoUnit& unit = units[u];
    const double k = 1.0 + 0.5 * static_cast<double>(u);
    const double assets = 2400000 * k, dep = 900000 * k, cash = 35000 * k, bank = 820000 * k;
    const double cust = 145200 * k, supp = 96800 * k;
    const double capital = assets - dep + cash + bank + cust - supp;
    auto add = [&](const std::string& ucet, const std::string& konto, double md, double dal) {
      balances.push_back({year, "00", unit.zavod, unit.sprava, unit.stredisko, ucet, "", konto,
                          md ? Money(md) : "", dal ? Money(dal) : ""});
    };
    add("022100", "", assets, 0);
    add("082100", "", 0, dep);
    add("211100", "", cash, 0);
    add("221100", "", bank, 0);
    add("311100", "100001", cust * 0.6, 0);
    add("311100", "100003", cust * 0.4, 0);
    add("321100", "200002", 0, supp);
    add("411", "", 0, capital);
  }
  if (!WriteRecords(run, cds, proc.DefFile("UctS.Def"), balances, opening)) return written;
  written.push_back(opening);

  const int last = std::min(working, 12);
  for (int month = 1; month <= last; ++month) {
    const std::string mm = TwoDigits(month);
    std::vector<std::vector<std::string>> postings;
    int docNo = 0;
    for (size_t u = 0; u < units.size(); ++u) {
      const DemoUnit& unit = units[u];
      DemoRandom rnd(static_cast<uint64_t>(NumberOf(year)) * 1000 + static_cast<uint64_t>(month) * 10 + u);
      for (const auto& doc : MonthDocuments(rnd, static_cast<int>(u), month)) {
        ++docNo;
        const std::string date = TwoDigits(1 + (docNo * 7) % 28) + "." + mm + ".20" + year;
        const std::string doklId = unit.zavod + unit.sprava + unit.stredisko + "10";
        int line = 0;
        for (const Line& l : doc) {
          ++line;
          postings.push_back({year, mm, doklId, IntTextPadded(docNo, 5), IntTextPadded(line, 4), unit.zavod,
                              unit.sprava, unit.stredisko, l.ucet, l.cinnost, "", l.konto,
                              l.md ? Money(l.md) : "", l.dal ? Money(l.dal) : "", date, "", "", "", date,
                              "Demo", ""});
        }
      }
    }
    const std::string file = PostingFile(run, year + mm);
    if (!WriteRecords(run, cds, proc.DefFile("UctO.Def"), postings, file)) return written;
    written.push_back(file);
  }

  // Every month before the working one closed as the menu closes it.
  for (int month = 1; month <= last && month < working; ++month) {
    run.CurrentPeriod = year + " " + TwoDigits(month);
    if (!SavePeriod(run)) return written;
    TUctMesU close(run, cds);
    close.FormShow();
    if (!close.Proved()) return written;
    written.push_back(BalanceFile(run, year + TwoDigits(month + 1)));
  }
  run.CurrentPeriod = workingPeriod;
  SavePeriod(run);
  return written;
}

}  // namespace orvo
