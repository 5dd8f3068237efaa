#include "core/accounting/uct_proc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/data/dat_proc.h"
#include "core/data/dataset_ops.h"
#include "core/data/text_slot.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/shell/safety_copy.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

namespace orvo {

std::string WorkFile(std::string_view name) { return "C:\\A_Run\\Work\\" + std::string(name); }

namespace {

constexpr std::string_view kOrvoorkDef = "C:\\A_Run\\Work\\Orvoork.Def";

// The text of a field of a posted record, whatever its type.
std::string_view WordOf(const Dataset& ds, int record, int field, std::string& scratch) {
  if (field >= ds.FieldCount()) return {};
  if (ds.Field(field).type == FieldType::Text) return TextSlot(ds, record, field);
  scratch = ds.StringAt(record, field);
  return scratch;
}

// `value` padded with blanks or cut to `width`, appended to `out`.
void AppendPadded(std::string& out, std::string_view value, size_t width) {
  if (value.size() >= width) {
    out.append(value.substr(0, width));
  } else {
    out.append(value);
    out.append(width - value.size(), ' ');
  }
}

// An amount as the accounting writes it (RealTextRounded(width, 2, value)),
// 15 blanks below 0.005. A sum of amounts of whole hellers is formatted
// directly from its number of hellers, which gives the same text.
std::string Amount(int width, long double value) {
  if (std::fabs(value) < 0.005L) return std::string(static_cast<size_t>(width), ' ');
  const long double hellers = value * 100.0L;
  const long double whole = std::round(hellers);
  if (std::fabs(hellers - whole) < 1e-6L && std::fabs(whole) < 1e15L) {
    const long long h = static_cast<long long>(whole);
    const unsigned long long a = static_cast<unsigned long long>(h < 0 ? -h : h);
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%s%llu,%02llu", h < 0 ? "-" : "", a / 100, a % 100);
    if (n > 0 && n <= width) {
      std::string text(static_cast<size_t>(width - n), ' ');
      text.append(buf, static_cast<size_t>(n));
      return text;
    }
  }
  return RealTextRounded(width, 2, static_cast<double>(value));
}

// An amount as TextToReal reads it. The usual form - blanks, a sign, digits,
// a decimal comma or point and at most two decimals - is read directly;
// anything else goes through TextToReal.
long double ReadAmount(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i == n) return 0.0L;
  const bool negative = s[i] == '-';
  if (negative) ++i;
  long long whole = 0;
  int digits = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9' && digits < 16) {
    whole = whole * 10 + (s[i++] - '0');
    ++digits;
  }
  long long fraction = 0;
  int decimals = 0;
  if (i < n && (s[i] == ',' || s[i] == '.')) {
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9' && decimals < 3) {
      fraction = fraction * 10 + (s[i++] - '0');
      ++decimals;
    }
  }
  size_t end = i;
  while (end < n && s[end] == ' ') ++end;
  if (end != n || digits + decimals == 0 || decimals > 2 || (i < n && s[i] != ' ')) {
    return static_cast<long double>(TextToReal(s));
  }
  if (decimals == 1) fraction *= 10;
  const long long hellers = whole * 100 + fraction;
  return static_cast<long double>(negative ? -hellers : hellers) / 100.0L;
}

// Loads an input file after the open check; false (reported) when it cannot.
bool LoadInput(Env& env, std::string_view name, Dataset& ds) {
  if (!TryOpenFile(env, name)) return false;
  return ds.LoadFromFile(name);
}

// Every record of `from` appended to the open `into`, fields by position
// (as many as both have). Text fields of equal sizes go slot by slot.
bool AppendAll(Dataset& into, Dataset& from) {
  const int fields = std::min(into.FieldCount(), from.FieldCount());
  bool same = AllTextFields(into) && AllTextFields(from);
  for (int f = 0; same && f < fields; ++f) same = into.Field(f).size == from.Field(f).size;
  if (!same) {
    into.Last();
    for (from.First(); !from.Eof(); from.Next()) {
      into.Append();
      for (int f = 0; f < fields; ++f) into.AssignField(f, from, f);
      into.Post();
    }
    return true;
  }
  const size_t base = static_cast<size_t>(into.RecordCount());
  const size_t add = static_cast<size_t>(from.RecordCount());
  std::vector<char> head(into.RecordData(), into.RecordData() + base * into.RecordStride());
  if (!into.PrepareLoad(base + add)) return false;
  if (!head.empty()) std::memcpy(into.RecordBuffer(), head.data(), head.size());
  for (size_t r = 0; r < add; ++r) {
    char* rec = into.RecordBuffer() + (base + r) * into.RecordStride();
    for (int f = 0; f < fields; ++f) PutTextSlot(into, rec, f, TextSlot(from, static_cast<int>(r), f));
  }
  return true;
}

// Balances summed per key (balance positions 2 to 7, padded to the widths of
// the balance layout), the keys kept in one flat buffer and found through an
// open-addressing table of entry numbers, so that a posting costs one probe
// and no allocation.
class BalanceSums {
 public:
  explicit BalanceSums(const std::vector<size_t>& widths) : widths_(widths) {
    for (size_t w : widths_) keyLen_ += w;
    Grow(1024);
  }
  void Reserve(size_t records) {
    keys_.reserve(std::min<size_t>(records, 1u << 20) * keyLen_);
  }
  // Adds one record whose key words are fields[0..5] and amounts fields 6, 7
  // of `ds` (positions of that file).
  void Add(const Dataset& ds, int record, const int (&fields)[8]) {
    std::string& key = scratchKey_;
    key.clear();
    for (size_t i = 0; i < 6; ++i) AppendPadded(key, WordOf(ds, record, fields[i], scratch_), widths_[i]);
    const long double md = ReadAmount(WordOf(ds, record, fields[6], scratch_));
    const long double dal = ReadAmount(WordOf(ds, record, fields[7], scratch_));
    const uint64_t h = Hash(key.data());
    size_t slot = static_cast<size_t>(h) & mask_;
    const uint32_t tag = static_cast<uint32_t>(h >> 32) | 1u;
    while (slots_[slot].tag != 0) {
      if (slots_[slot].tag == tag &&
          std::memcmp(keys_.data() + static_cast<size_t>(slots_[slot].entry) * keyLen_, key.data(), keyLen_) == 0) {
        md_[slots_[slot].entry] += md;
        dal_[slots_[slot].entry] += dal;
        return;
      }
      slot = (slot + 1) & mask_;
    }
    const uint32_t entry = static_cast<uint32_t>(md_.size());
    slots_[slot] = {tag, entry};
    keys_.append(key);
    md_.push_back(md);
    dal_.push_back(dal);
    if (md_.size() * 2 > slots_.size()) Grow(slots_.size() * 2);
  }
  size_t Count() const { return md_.size(); }
  std::string_view Key(size_t i) const { return std::string_view(keys_.data() + i * keyLen_, keyLen_); }
  long double Md(size_t i) const { return md_[i]; }
  long double Dal(size_t i) const { return dal_[i]; }
  // Entries in ascending key order (bytes as unsigned codes).
  std::vector<uint32_t> Order() const {
    std::vector<uint32_t> order(Count());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    const char* base = keys_.data();
    const size_t len = keyLen_;
    std::sort(order.begin(), order.end(), [base, len](uint32_t a, uint32_t b) {
      return std::memcmp(base + a * len, base + b * len, len) < 0;
    });
    return order;
  }

 private:
  struct Slot {
    uint32_t tag = 0;  // high bits of the hash, never 0 when used
    uint32_t entry = 0;
  };
  uint64_t Hash(const char* p) const {
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ keyLen_;
    size_t i = 0;
    for (; i + 8 <= keyLen_; i += 8) {
      uint64_t v;
      std::memcpy(&v, p + i, 8);
      h = (h ^ v) * 0xBF58476D1CE4E5B9ULL;
      h ^= h >> 31;
    }
    for (; i < keyLen_; ++i) h = (h ^ static_cast<unsigned char>(p[i])) * 0x94D049BB133111EBULL;
    h ^= h >> 29;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 32);
  }
  void Grow(size_t capacity) {
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    for (size_t e = 0; e < md_.size(); ++e) {
      const uint64_t h = Hash(keys_.data() + e * keyLen_);
      size_t slot = static_cast<size_t>(h) & mask_;
      while (slots_[slot].tag != 0) slot = (slot + 1) & mask_;
      slots_[slot] = {static_cast<uint32_t>(h >> 32) | 1u, static_cast<uint32_t>(e)};
    }
  }

  std::vector<size_t> widths_;
  size_t keyLen_ = 0;
  std::string keys_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
  std::vector<long double> md_;
  std::vector<long double> dal_;
  std::string scratchKey_;
  std::string scratch_;
};

constexpr int kBalanceKeyFields[8] = {2, 3, 4, 5, 6, 7, 8, 9};
constexpr int kPostingKeyFields[8] = {5, 6, 7, 8, 9, 11, 12, 13};

}  // namespace

std::string TUctProc::DefFile(std::string_view name) const {
  return AppDir(run_, "DefSoub") + "\\" + std::string(name);
}

void TUctProc::MakeCdsFile(std::string_view jmS, std::string_view jmSD) {
  cds_.params.CdsName = std::string(jmS);
  cds_.params.DefName = std::string(jmSD);
  Dataset& t = cds_.Table1();
  cds_.MakeTable(t);
  t.SetReadOnly(false);
  if (t.Open()) t.Close();
}

// The frame the engine's sort, summation and reduction share: the input
// checked and copied to the first work file, the engine run into the
// second, the result put in place crash-safe.
bool TUctProc::EngineFrame(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2,
                           std::string_view work1, std::string_view work2, int op) {
  Env& env = run_.env;
  if (!FileExistsOrSay(env, jmS1)) return false;
  const std::string w1 = WorkFile(work1);
  const std::string w2 = WorkFile(work2);
  EraseFile(env, w1);
  EraseFile(env, w2);
  if (!TryOpenFile(env, jmS1)) return false;
  if (CopyFile(env, jmS1, w1, false) != 0) return false;
  CdsParams& p = cds_.params;
  if (op != 2) {
    p.SortBlock = 2000;
    p.SortMode = 2;
  }
  p.InCds = w1;
  p.OutCds = w2;
  p.InDef = std::string(jmSD);
  p.OutDef = std::string(kOrvoorkDef);
  bool ok = false;
  if (op == 0) {
    ok = SortF(cds_, true);
  } else if (op == 1) {
    TDatProc dat(env, cds_.Def());
    ok = SumF(cds_, dat);
  } else {
    ok = RedF(cds_);
  }
  if (!ok) return false;
  return SafeReplace(env, w2, jmS2, true);
}

bool TUctProc::SortCds1(TCdsCis& cis, std::string_view jmS1, std::string_view jmS2, int numKey) {
  Env& env = run_.env;
  if (!FileExistsOrSay(env, jmS1)) return false;
  // The code-list sort works in place, so it sorts a copy: jmS1 stays as it
  // was, and jmS2 is replaced only by the whole sorted result.
  const std::string work = WorkFile("UctSort1.Cds");
  EraseFile(env, work);
  if (CopyFile(env, jmS1, work, false) != 0) return false;
  CisHandOver& h = cis.handOver();
  h.CisFileName = work;
  h.CisKeyCount = std::min<int>(numKey, static_cast<int>(h.CisKeyFields.size()));
  for (int i = 0; i < h.CisKeyCount; ++i) h.CisKeyFields[static_cast<size_t>(i)] = i + 1;
  if (!cis.SortCisProc()) return false;
  return SafeReplace(env, work, jmS2, true);
}

bool TUctProc::SortCds2(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2, int numKey) {
  cds_.params.PocSlov = numKey;
  for (int i = 0; i < numKey && i < 200; ++i) cds_.params.SezSlov[static_cast<size_t>(i)] = i + 1;
  return EngineFrame(jmS1, jmSD, jmS2, "UctSort21.Cds", "UctSort22.Cds", 0);
}

bool TUctProc::SortCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2) {
  return EngineFrame(jmS1, jmSD, jmS2, "UctSort31.Cds", "UctSort32.Cds", 0);
}

bool TUctProc::SumCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2) {
  return EngineFrame(jmS1, jmSD, jmS2, "UctSum1.Cds", "UctSum2.Cds", 1);
}

bool TUctProc::RedCds3(std::string_view jmS1, std::string_view jmSD, std::string_view jmS2) {
  return EngineFrame(jmS1, jmSD, jmS2, "UctRed1.Cds", "UctRed2.Cds", 2);
}

bool TUctProc::StOb(std::string_view jmSSt, std::string_view jmSOb) {
  Env& env = run_.env;
  if (!FileExistsOrSay(env, jmSSt)) return false;
  Dataset bal(env);
  if (!LoadInput(env, jmSSt, bal)) return false;
  Dataset out(env);
  cds_.params.DefName = DefFile("UctO.Def");
  cds_.MakeTableVirt(out);
  const std::string today = TodayText(env);
  const size_t n = static_cast<size_t>(bal.RecordCount());
  if (!out.PrepareLoad(n)) return false;
  const bool text = AllTextFields(out);
  int doc = 1;
  int line = 0;
  std::string scratch;
  for (size_t r = 0; r < n; ++r) {
    if (++line > 500) {
      ++doc;
      line = 1;
    }
    const int rec = static_cast<int>(r);
    auto put = [&](int field, std::string_view value) {
      if (field >= out.FieldCount()) return;
      if (text) {
        PutTextSlot(out, out.RecordBuffer() + r * out.RecordStride(), field, value);
      }
    };
    put(0, WordOf(bal, rec, 0, scratch));
    put(1, WordOf(bal, rec, 1, scratch));
    put(2, "0000000000");
    put(3, IntTextPadded(doc, 5));
    put(4, IntTextPadded(line, 4));
    for (int i = 2; i <= 6; ++i) put(i + 3, WordOf(bal, rec, i, scratch));
    put(10, "Stav");
    for (int i = 7; i <= 9; ++i) put(i + 4, WordOf(bal, rec, i, scratch));
    put(14, today);
  }
  if (!text) {
    // A layout with typed fields goes through the field setters.
    out.PrepareLoad(0);
    doc = 1;
    line = 0;
    for (int r = 0; r < bal.RecordCount(); ++r) {
      if (++line > 500) {
        ++doc;
        line = 1;
      }
      out.Append();
      out.SetAsString(0, bal.StringAt(r, 0));
      out.SetAsString(1, bal.StringAt(r, 1));
      out.SetAsString(2, "0000000000");
      out.SetAsString(3, IntTextPadded(doc, 5));
      out.SetAsString(4, IntTextPadded(line, 4));
      for (int i = 2; i <= 6; ++i) out.SetAsString(i + 3, bal.StringAt(r, i));
      out.SetAsString(10, "Stav");
      for (int i = 7; i <= 9; ++i) out.SetAsString(i + 4, bal.StringAt(r, i));
      out.SetAsString(14, today);
      out.Post();
    }
  }
  return out.SaveToFile(jmSOb, DataFormat::Binary);
}

// Balances (jmSSt, may be empty) plus postings (jmSOb, may be empty) summed
// per key into jmSStN, stamped with the current period.
bool TUctProc::NewBalances(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN) {
  Env& env = run_.env;
  LoadPeriod(run_);
  const std::string period = run_.CurrentPeriod;
  Dataset out(env);
  cds_.params.DefName = DefFile("UctS.Def");
  cds_.MakeTableVirt(out);
  if (out.FieldCount() < kBalanceWords) return false;
  std::vector<size_t> widths;
  for (int f = 2; f <= 7; ++f) widths.push_back(static_cast<size_t>(out.Field(f).size));
  BalanceSums sums(widths);
  {
    Dataset bal(env);
    Dataset post(env);
    if (!jmSSt.empty() && !LoadInput(env, jmSSt, bal)) return false;
    if (!jmSOb.empty() && !LoadInput(env, jmSOb, post)) return false;
    sums.Reserve(static_cast<size_t>(bal.RecordCount()) + static_cast<size_t>(post.RecordCount()));
    for (int r = 0; r < bal.RecordCount(); ++r) sums.Add(bal, r, kBalanceKeyFields);
    bal.PrepareLoad(0);
    for (int r = 0; r < post.RecordCount(); ++r) sums.Add(post, r, kPostingKeyFields);
  }
  const std::vector<uint32_t> order = sums.Order();
  size_t kept = 0;
  for (uint32_t i : order) {
    if (std::fabs(sums.Md(i)) >= 0.0005L || std::fabs(sums.Dal(i)) >= 0.0005L) ++kept;
  }
  const bool text = AllTextFields(out);
  if (!out.PrepareLoad(text ? kept : 0)) return false;
  const std::string year = period.substr(0, 2);
  const std::string month = period.size() >= 5 ? period.substr(3, 2) : std::string();
  const int mdWidth = out.Field(8).size;
  const int dalWidth = out.Field(9).size;
  size_t r = 0;
  for (uint32_t i : order) {
    if (!(std::fabs(sums.Md(i)) >= 0.0005L || std::fabs(sums.Dal(i)) >= 0.0005L)) continue;
    std::string_view key = sums.Key(i);
    std::string values[kBalanceWords];
    values[0] = year;
    values[1] = month;
    size_t at = 0;
    for (int f = 0; f < 6; ++f) {
      values[f + 2] = std::string(key.substr(at, widths[static_cast<size_t>(f)]));
      at += widths[static_cast<size_t>(f)];
    }
    values[8] = Amount(mdWidth, sums.Md(i));
    values[9] = Amount(dalWidth, sums.Dal(i));
    if (text) {
      char* rec = out.RecordBuffer() + r * out.RecordStride();
      for (int f = 0; f < kBalanceWords; ++f) PutTextSlot(out, rec, f, values[f]);
    } else {
      out.Append();
      for (int f = 0; f < kBalanceWords; ++f) out.SetAsString(f, values[f]);
      out.Post();
    }
    ++r;
  }
  return out.SaveToFile(jmSStN, DataFormat::Binary);
}

bool TUctProc::ObSt(std::string_view jmSOb, std::string_view jmSSt) {
  if (!FileExistsOrSay(run_.env, jmSOb)) return false;
  return NewBalances({}, jmSOb, jmSSt);
}

bool TUctProc::StObSpoj(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSSpoj) {
  Env& env = run_.env;
  const bool haveSt = FileExistsQuiet(env, jmSSt);
  const bool haveOb = FileExistsQuiet(env, jmSOb);
  if (!haveSt && !haveOb) {
    MakeCdsFile(WorkFile("UctStObSpoj.Cds"), DefFile("UctO.Def"));
    return SafeReplace(env, WorkFile("UctStObSpoj.Cds"), jmSSpoj, true);
  }
  if (!haveSt) {
    if (!TryOpenFile(env, jmSOb)) return false;
    return SafeReplace(env, jmSOb, jmSSpoj, true);
  }
  if (!haveOb) return StOb(jmSSt, jmSSpoj);
  if (!TryOpenFile(env, jmSOb)) return false;
  const std::string work = WorkFile("UctStObSpoj.Cds");
  if (!StOb(jmSSt, work)) return false;
  if (!TryOpenFile(env, jmSOb)) return false;
  Dataset joined(env);
  Dataset post(env);
  if (!joined.LoadFromFile(work) || !post.LoadFromFile(jmSOb)) return false;
  if (!AppendAll(joined, post)) return false;
  return joined.SaveToFile(jmSSpoj, DataFormat::Binary);
}

bool TUctProc::StNove(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN) {
  Env& env = run_.env;
  const bool haveSt = FileExistsQuiet(env, jmSSt);
  const bool haveOb = FileExistsQuiet(env, jmSOb);
  if (!haveSt && !haveOb) {
    MakeCdsFile(WorkFile("UctStNove2.Cds"), DefFile("UctS.Def"));
    return SafeReplace(env, WorkFile("UctStNove2.Cds"), jmSStN, true);
  }
  if (!haveOb) {
    if (!TryOpenFile(env, jmSSt)) return false;
    return SafeReplace(env, jmSSt, jmSStN, true);
  }
  return NewBalances(haveSt ? jmSSt : std::string_view(), jmSOb, jmSStN);
}

bool TUctProc::StSNove(std::string_view jmSSt, std::string_view jmSOb, std::string_view jmSStN) {
  Env& env = run_.env;
  const std::string netDef = DefFile("UctSS.Def");
  if (!FileExistsOrSay(env, netDef)) return false;
  const std::string work = WorkFile("UctStSNove1.Cds");
  if (!StNove(jmSSt, jmSOb, work)) return false;
  Dataset in(env);
  if (!in.LoadFromFile(work)) return false;
  Dataset out(env);
  cds_.params.DefName = netDef;
  cds_.MakeTableVirt(out);
  const int n = in.FieldCount();
  if (n < 2 || out.FieldCount() <= n) return false;
  for (int r = 0; r < in.RecordCount(); ++r) {
    out.Append();
    for (int f = 0; f < n; ++f) out.SetAsString(f, in.StringAt(r, f));
    const long double net = static_cast<long double>(TextToReal(in.StringAt(r, n - 2))) -
                            static_cast<long double>(TextToReal(in.StringAt(r, n - 1)));
    out.SetAsString(n, Amount(out.Field(n).size, net));
    out.Post();
  }
  return out.SaveToFile(jmSStN, DataFormat::Binary);
}

bool TUctProc::ObOdDo(std::string_view obd1, std::string_view obd2, std::string_view jmSObN) {
  Env& env = run_.env;
  Dataset out(env);
  cds_.params.DefName = DefFile("UctO.Def");
  cds_.MakeTableVirt(out);
  // Every year 00-99: a two-digit year is valid whatever the century.
  for (int yy = 0; yy <= 99; ++yy) {
    for (int mm = 1; mm <= 20; ++mm) {
      const std::string key = TwoDigits(yy) + TwoDigits(mm);
      if (key < obd1 || key > obd2) continue;
      const std::string file = PostingFile(run_, key);
      if (!FileExistsQuiet(env, file)) continue;
      Dataset post(env);
      if (!LoadInput(env, file, post)) return false;
      if (!AppendAll(out, post)) return false;
      env.ui.ProcessEvents();
    }
  }
  return out.SaveToFile(jmSObN, DataFormat::Binary);
}

bool TUctProc::RocniUzav() {
  Env& env = run_.env;
  const std::string file = BalanceFile(run_);
  if (!FileExistsQuiet(env, file)) return false;
  if (!TryOpenFile(env, file)) return false;
  Dataset in(env);
  if (!in.LoadFromFile(file)) return false;
  Dataset out(env);
  cds_.params.DefName = DefFile("UctS.Def");
  cds_.MakeTableVirt(out);
  const int n = std::min(in.FieldCount(), out.FieldCount());
  if (n < kBalanceWords) return false;
  for (int r = 0; r < in.RecordCount(); ++r) {
    const std::string account = in.StringAt(r, 5);
    // Result accounts (classes 5 to 9 and anything sorting after "5") go.
    if (!account.empty() && static_cast<unsigned char>(account[0]) >= '5') continue;
    const long double net = static_cast<long double>(TextToReal(in.StringAt(r, n - 2))) -
                            static_cast<long double>(TextToReal(in.StringAt(r, n - 1)));
    if (std::fabs(net) <= 0.005L) continue;
    out.Append();
    for (int f = 0; f < n - 2; ++f) out.SetAsString(f, in.StringAt(r, f));
    out.SetAsString(n - 2, Amount(out.Field(n - 2).size, net >= 0 ? net : 0.0L));
    out.SetAsString(n - 1, Amount(out.Field(n - 1).size, net >= 0 ? 0.0L : -net));
    out.Post();
  }
  // The stored file is replaced only by the complete new one, after a safety
  // copy of the old.
  LocalSafetyCopy(env, file);
  return out.SaveToFile(file, DataFormat::Binary);
}

bool TUctProc::Oprava(std::string_view jmsN, std::string_view jmSO) {
  Env& env = run_.env;
  if (!FileExistsOrSay(env, jmsN)) return false;
  if (!FileExistsOrSay(env, jmSO)) return false;
  if (!TryOpenFile(env, jmSO)) return false;
  Dataset edited(env);
  Dataset stored(env);
  if (!edited.LoadFromFile(jmsN) || !stored.LoadFromFile(jmSO)) return false;
  // The stored file keeps its structure: an empty table of its own fields
  // receives the edited records, and replaces the file when complete.
  Dataset out(env);
  for (const FieldDef& f : stored.Fields()) out.AddField(f.name, f.type, f.size, f.required);
  for (const IndexDef& i : stored.Indexes()) out.AddIndex(i.name, i.fields, i.primary);
  stored.PrepareLoad(0);
  if (!out.CreateDataSet()) return false;
  const int fields = std::min(edited.FieldCount(), out.FieldCount());
  for (edited.First(); !edited.Eof(); edited.Next()) {
    out.Append();
    for (int f = 0; f < fields; ++f) out.AssignField(f, edited, f);
    out.Post();
  }
  LocalSafetyCopy(env, jmSO);
  return out.SaveToFile(jmSO, DataFormat::Binary);
}

}  // namespace orvo
