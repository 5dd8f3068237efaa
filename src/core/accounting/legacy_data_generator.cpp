#include "core/accounting/legacy_data_generator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/shell/period_keys.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// Kamenicky text of a Windows-1250 value padded or cut to `width`.
std::string Column(std::string_view value, int width) {
  return ConvertChars(PadRight(value.substr(0, std::min(value.size(), static_cast<size_t>(width))), width), 1, 3);
}

void PutDouble(std::string& rec, size_t at, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) rec[at + static_cast<size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

double Crowns(int64_t hellers) { return static_cast<double>(hellers) / 100.0; }

// A small generator of its own (64-bit LCG), the same everywhere.
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed * 2862933555777941757ULL + 3037000493ULL) {}
  int Below(int n) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state_ >> 33) % static_cast<uint64_t>(n));
  }
  // Hellers of an amount between lo and hi crowns, with hellers now and then.
  int64_t Amount(int lo, int hi) {
    int64_t h = (lo + Below(hi - lo + 1)) * int64_t{100};
    if (Below(3) == 0) h += Below(100);
    return h;
  }

 private:
  uint64_t state_;
};

struct Row {
  std::string ucet, cinnost, konto;
  int64_t md = 0, dal = 0;
};

const char* const kCustomers[] = {"100001", "100002", "100003"};
const char* const kSuppliers[] = {"200001", "200002", "200003"};
const char* const kActivities[] = {"10100", "10200", "20100", "20200", "30100"};

std::string KontoName(const LegacyYear& y, const std::string& konto) {
  for (const auto& k : y.kontos) {
    if (k[0] == konto) return k[1];
  }
  return {};
}

std::string Key(const LegacyBalance& b) {
  return PadRight(b.zavod, 2) + PadRight(b.sprava, 2) + PadRight(b.stredisko, 2) + PadRight(b.ucet, 6) +
         PadRight(b.cinnost, 5);
}

}  // namespace

std::string LegacyFixedLine(const std::vector<std::string>& values, const std::vector<int>& widths) {
  std::string line;
  size_t v = 0;
  for (int w : widths) {
    if (w < 0) {
      line.append(static_cast<size_t>(-w), ' ');
    } else {
      line += Column(v < values.size() ? values[v] : std::string(), w);
      ++v;
    }
  }
  return line + "\r\n";
}

std::string LegacyHeader(int length) {
  std::string header(static_cast<size_t>(std::max(length, 14)), '\0');
  std::memcpy(header.data(), "DOS UCTO 1.0", 12);
  header[12] = static_cast<char>(length & 0xFF);
  header[13] = static_cast<char>((length >> 8) & 0xFF);
  return header.substr(0, static_cast<size_t>(std::max(length, 14)));
}

std::string LegacyBalanceRecord(const LegacyBalance& b, int length) {
  std::string rec(static_cast<size_t>(std::max(length, 50)), '\0');
  rec[0] = ' ';
  const std::string key = ConvertChars(Key(b), 1, 3);
  std::memcpy(rec.data() + 1, key.data(), 17);
  PutDouble(rec, 18, b.md);
  PutDouble(rec, 26, b.dal);
  PutDouble(rec, 34, b.mdMin);
  PutDouble(rec, 42, b.dalMin);
  return rec;
}

std::string LegacyBalanceFile(const std::vector<LegacyBalance>& records, int length) {
  std::string file = LegacyHeader(length);
  for (const LegacyBalance& b : records) file += LegacyBalanceRecord(b, length);
  return file;
}

std::string LegacyPostingRecord(const LegacyPosting& p) {
  std::string rec = " ";
  rec += Column(p.zavod, 2) + Column(p.rok, 2) + Column(p.mesic, 2) + Column(p.doklId, 6) +
         Column(p.cisDokl, 5) + PadLeft(std::to_string(p.radek), 3) + Column(p.sprava, 2) +
         Column(p.stredisko, 2) + Column(p.ucet, 6) + Column(p.cinnost, 5) + Column(p.intDokl, 8) +
         Column(p.konto, 10) + RealTextBlank(12, 2, p.md) + RealTextBlank(12, 2, p.dal) + Column(p.datum, 10) +
         Column(p.mena, 3) + Column(p.nazevKonta, 20) + RealTextBlank(10, 5, p.kurz) + Column(p.datZapisu, 10) +
         Column(p.zapsal, 3) + Column(p.text, 20);
  rec.resize(kLegacyPostingRecord, ' ');
  return rec;
}

std::string LegacyPostingFile(const std::vector<LegacyPosting>& records) {
  std::string file = LegacyHeader(kLegacyPostingRecord);
  for (const LegacyPosting& p : records) file += LegacyPostingRecord(p);
  return file;
}

std::vector<LegacyBalance> LegacyYear::BalancesAt(int month) const {
  std::map<std::string, LegacyBalance> sums;
  for (const LegacyBalance& b : opening) {
    LegacyBalance& s = sums[Key(b)];
    if (s.ucet.empty()) s = LegacyBalance{b.zavod, b.sprava, b.stredisko, b.ucet, b.cinnost};
    s.md += b.md;
    s.dal += b.dal;
    s.mdMin += b.md;
    s.dalMin += b.dal;
  }
  for (int m = 1; m < month && m <= static_cast<int>(postings.size()); ++m) {
    for (const LegacyPosting& p : postings[static_cast<size_t>(m - 1)]) {
      LegacyBalance& s = sums[Key({p.zavod, p.sprava, p.stredisko, p.ucet, p.cinnost})];
      if (s.ucet.empty()) s = LegacyBalance{p.zavod, p.sprava, p.stredisko, p.ucet, p.cinnost};
      s.md += p.md;
      s.dal += p.dal;
    }
  }
  std::vector<LegacyBalance> out;
  for (auto& [key, b] : sums) {
    // Sums of whole hellers, kept whole.
    for (double* x : {&b.md, &b.dal, &b.mdMin, &b.dalMin}) *x = Crowns(std::llround(*x * 100.0));
    out.push_back(b);
  }
  return out;
}

std::map<std::string, LegacyLedgerLine> LegacyYear::Ledger(int month) const {
  std::map<std::string, LegacyLedgerLine> ledger;
  for (const LegacyBalance& b : BalancesAt(month)) {
    LegacyLedgerLine& l = ledger[b.ucet];
    l.openMd += std::llround(b.md * 100.0);
    l.openDal += std::llround(b.dal * 100.0);
  }
  for (const LegacyPosting& p : postings.at(static_cast<size_t>(month - 1))) {
    LegacyLedgerLine& l = ledger[p.ucet];
    l.turnMd += std::llround(p.md * 100.0);
    l.turnDal += std::llround(p.dal * 100.0);
  }
  return ledger;
}

LegacyYear GenerateLegacyYear(const std::string& year, const std::vector<DemoUnit>& units, int months) {
  LegacyYear y;
  y.year = year;
  y.months = months;
  y.accounts = {
      {"022100", "Samostatn\xE9 movit\xE9 v\xEC" "ci", "A"},
      {"082100", "Opr\xE1vky ke stroj\xF9m", "A"},
      {"211100", "Pokladna", "A"},
      {"221100", "Bankovn\xED \xFA\xE8ty", "A"},
      {"311100", "Odb\xECratel\xE9", "A"},
      {"321100", "Dodavatel\xE9", "P"},
      {"331100", "Zam\xECstnanci", "P"},
      {"082200", "Opr\xE1vky k dopravn\xEDm prost\xF8" "edk\xF9m", "A"},
      {"336100", "Soci\xE1ln\xED zabezpe\xE8" "en\xED", "P"},
      {"336200", "Zdravotn\xED poji\x9At\xECn\xED", "P"},
      {"343100", "DPH na vstupu", "A"},
      {"343200", "DPH na v\xFDstupu", "P"},
      {"411", "Z\xE1kladn\xED kapit\xE1l", "P"},
      {"461100", "\xC8" "erp\xE1n\xED \xFAv\xECru", "P"},
      {"501100", "Spot\xF8" "eba materi\xE1lu", "N"},
      {"502100", "Spot\xF8" "eba energie", "N"},
      {"501200", "Drobn\xFD materi\xE1l", "N"},
      {"501300", "Pohonn\xE9 hmoty", "N"},
      {"518200", "N\xE1jemn\xE9", "N"},
      {"518400", "Ostatn\xED slu\x9E" "by", "N"},
      {"521100", "Mzdov\xE9 n\xE1klady", "N"},
      {"524100", "Soci\xE1ln\xED poji\x9At\xECn\xED", "N"},
      {"524200", "Zdravotn\xED poji\x9At\xECn\xED", "N"},
      {"551", "Odpisy", "N"},
      {"601100", "Tr\x9E" "by za v\xFDrobky", "V"},
      {"602100", "Tr\x9E" "by z prodeje slu\x9E" "eb", "V"},
  };
  y.activities = {
      {"10100", "Pila", "m3"},
      {"10200", "Truhl\xE1rna", "ks"},
      {"20100", "Doprava d\xF8" "eva", "km"},
      {"20200", "Opravy vozidel", "hod"},
      {"30100", "Slu\x9E" "by", "hod"},
      {"60200", "V\xFDrobn\xED re\x9E" "ie", "Kc"},
  };
  y.kontos = {
      {"100001", "D\xF8" "evo\x9A" "indel s.r.o.", "25123456", "Jihlava, Lesn\xED 12"},
      {"100002", "\xC8" "ern\xFD a syn", "25234567", "T\xF8" "eb\xED\xE8, N\xE1m\xECst\xED 3"},
      {"100003", "Stavebniny \x8E\xE1" "k", "25345678", "\x8E\xEF\xE1r, Polni 8"},
      {"200001", "Energie Vyso\xE8ina a.s.", "26123456", "Jihlava, Z\xE1vodn\xED 1"},
      {"200002", "Pila \xD8" "\xEDha", "26234567", "Humpolec 44"},
      {"200003", "Autoservis U Mostu", "26345678", "Velk\xE9 Mezi\xF8\xED\xE8\xED 5"},
  };
  for (size_t u = 0; u < units.size(); ++u) {
    const DemoUnit& unit = units[u];
    const int64_t k = static_cast<int64_t>(u) + 2;
    auto add = [&](const char* ucet, int64_t md, int64_t dal) {
      y.opening.push_back({unit.zavod, unit.sprava, unit.stredisko, ucet, "", Crowns(md), Crowns(dal)});
    };
    const int64_t assets = 120000000 * k, dep = 45000000 * k, cash = 1750000 * k, bank = 41000000 * k;
    const int64_t cust = 7260000 * k, supp = 4840000 * k;
    add("022100", assets, 0);
    add("082100", 0, dep);
    add("211100", cash, 0);
    add("221100", bank, 0);
    add("311100", cust, 0);
    add("321100", 0, supp);
    add("411", 0, assets - dep + cash + bank + cust - supp);
  }
  int docNo = 0;
  for (int month = 1; month <= months; ++month) {
    const std::string mm = TwoDigits(month);
    std::vector<LegacyPosting> list;
    for (size_t u = 0; u < units.size(); ++u) {
      const DemoUnit& unit = units[u];
      Lcg rnd(static_cast<uint64_t>(NumberOf(year)) * 1000 + static_cast<uint64_t>(month) * 10 + u);
      std::vector<std::pair<std::string, std::vector<Row>>> docs;
      for (int i = 0, n = 3 + rnd.Below(3); i < n; ++i) {
        const int64_t net = rnd.Amount(5000, 60000);
        const int64_t vat = net * 21 / 100;
        const std::string customer = kCustomers[rnd.Below(3)];
        const char* activity = kActivities[rnd.Below(5)];
        docs.push_back({"Faktura vydan\xE1",
                        {{"311100", "", customer, net + vat, 0},
                         {activity[0] == '3' ? "602100" : "601100", activity, "", 0, net},
                         {"343200", "", "", 0, vat}}});
        if (rnd.Below(2) == 0) {
          docs.push_back({"\xDA" "hrada faktury", {{"221100", "", "", net + vat, 0}, {"311100", "", customer, 0, net + vat}}});
        }
      }
      for (int i = 0, n = 2 + rnd.Below(3); i < n; ++i) {
        const int64_t net = rnd.Amount(1000, 30000);
        const int64_t vat = net * 21 / 100;
        const std::string supplier = kSuppliers[rnd.Below(3)];
        docs.push_back({"Faktura p\xF8ijat\xE1",
                        {{rnd.Below(2) ? "501100" : "502100", kActivities[rnd.Below(5)], "", net, 0},
                         {"343100", "", "", vat, 0},
                         {"321100", "", supplier, 0, net + vat}}});
      }
      const int64_t wages = rnd.Amount(150000, 190000);
      docs.push_back({"Mzdy", {{"521100", "20100", "", wages, 0}, {"331100", "", "", 0, wages}}});
      docs.push_back({"V\xFDplata mezd", {{"331100", "", "", wages, 0}, {"221100", "", "", 0, wages}}});
      const int64_t dep = 2000000 + 10000 * month;
      docs.push_back({"Odpisy", {{"551", "60200", "", dep, 0}, {"082100", "", "", 0, dep}}});
      for (const auto& [text, rows] : docs) {
        ++docNo;
        const std::string date = TwoDigits(1 + (docNo * 7) % 28) + "." + mm + ".20" + year;
        int line = 0;
        for (const Row& r : rows) {
          LegacyPosting p;
          p.zavod = unit.zavod;
          p.rok = year;
          p.mesic = mm;
          p.doklId = unit.zavod + unit.sprava + unit.stredisko;
          p.cisDokl = IntTextPadded(docNo, 5);
          p.radek = ++line;
          p.sprava = unit.sprava;
          p.stredisko = unit.stredisko;
          p.ucet = r.ucet;
          p.cinnost = r.cinnost;
          p.intDokl = "D" + IntTextPadded(docNo, 6);
          p.konto = r.konto;
          p.md = Crowns(r.md);
          p.dal = Crowns(r.dal);
          p.datum = date;
          p.nazevKonta = KontoName(y, r.konto);
          p.datZapisu = date;
          p.zapsal = "ADM";
          p.text = text;
          list.push_back(p);
        }
      }
    }
    y.postings.push_back(std::move(list));
  }
  return y;
}

std::vector<std::string> WriteLegacyYear(Env& env, const std::string& dir, const LegacyYear& data) {
  std::vector<std::string> written;
  MakeDirPath(env, dir + "\\PomSoub");
  auto put = [&](const std::string& name, const std::string& bytes) {
    if (!WriteFileOrAsk(env, name, bytes)) return false;
    written.push_back(name);
    return true;
  };
  struct List {
    const char* name;
    const std::vector<std::vector<std::string>>* rows;
    std::vector<int> widths;
  };
  const List lists[] = {{"Ucet.Cis", &data.accounts, {6, -2, 50, -1, 1}},
                        {"Cinn.Cis", &data.activities, {5, -2, 50, -1, 5}},
                        {"Konto.Cis", &data.kontos, {15, -1, 50, -1, 8, -1, 30}}};
  for (const List& l : lists) {
    std::string text;
    for (const auto& row : *l.rows) text += LegacyFixedLine(row, l.widths);
    if (!put(dir + "\\PomSoub\\" + l.name, text)) return written;
  }
  for (int m = 1; m <= data.months; ++m) {
    const std::string key = data.year + TwoDigits(m);
    if (!put(dir + "\\UceS" + key + ".Dat", LegacyBalanceFile(data.BalancesAt(m)))) return written;
    if (!put(dir + "\\Uce" + key + ".Dat", LegacyPostingFile(data.postings[static_cast<size_t>(m - 1)]))) {
      return written;
    }
  }
  return written;
}

}  // namespace orvo
