#include "core/reports/general_ledger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/data/cds_stream.h"
#include "core/data/dataset.h"
#include "core/data/text_slot.h"
#include "core/reports/key_sums.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "core/sys/text_lines.h"

namespace orvo {

namespace {

// Positions of the balance record as stored (UctS.Def) and in the posting
// record (UctO.Def): Zavod, Sprava, Stredisko, Ucet, Cinnost, MD, Dal.
constexpr int kBalanceFields[7] = {2, 3, 4, 5, 6, 8, 9};
constexpr int kPostingFields[7] = {5, 6, 7, 8, 9, 12, 13};

std::string_view Word(const Dataset& ds, int record, int field, std::string& scratch) {
  if (field >= ds.FieldCount()) return {};
  if (ds.Field(field).type == FieldType::Text) return TextSlot(ds, record, field);
  scratch = ds.StringAt(record, field);
  return scratch;
}

void AppendPadded(std::string& out, std::string_view value, size_t width) {
  if (value.size() >= width) {
    out.append(value.substr(0, width));
  } else {
    out.append(value);
    out.append(width - value.size(), ' ');
  }
}

// Code -> name of a code list (position 0, position 1 cut to `width`), read
// once and sorted by code. Codes of up to eight bytes (all the charts have)
// are found in one probe of a flat table of packed codes; longer ones by a
// binary search.
class CodeNames {
 public:
  void Read(Env& env, const std::string& file, size_t width) {
    if (file.empty() || !FileExistsQuiet(env, file)) return;
    Dataset list(env);
    if (!TryOpenFile(env, file) || !list.LoadFromFile(file) || list.FieldCount() < 2) return;
    names_.reserve(static_cast<size_t>(list.RecordCount()));
    for (int r = 0; r < list.RecordCount(); ++r) {
      std::string name = list.StringAt(r, 1);
      if (name.size() > width) name.resize(width);
      names_.emplace_back(Trim(list.StringAt(r, 0)), std::move(name));
    }
    // The first record of a code wins, as a scan from the first record finds it.
    std::stable_sort(names_.begin(), names_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    names_.erase(std::unique(names_.begin(), names_.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                 names_.end());
    for (const auto& e : names_) {
      if (e.first.size() > 8) return;
    }
    size_t capacity = 16;
    while (capacity < names_.size() * 2) capacity *= 2;
    table_.assign(capacity, Packed{});
    mask_ = capacity - 1;
    for (size_t i = 0; i < names_.size(); ++i) {
      const Packed p = PackOf(names_[i].first, static_cast<uint32_t>(i));
      size_t slot = Slot(p);
      while (table_[slot].size != 0) slot = (slot + 1) & mask_;
      table_[slot] = p;
    }
  }

  const std::string& Of(std::string_view code) {
    static const std::string kNone;
    const size_t n = names_.size();
    if (n == 0) return kNone;
    if (!table_.empty()) {
      if (code.size() > 8) return kNone;
      const Packed p = PackOf(code, 0);
      for (size_t slot = Slot(p); table_[slot].size != 0; slot = (slot + 1) & mask_) {
        if (table_[slot].code == p.code && table_[slot].size == p.size) return names_[table_[slot].index].second;
      }
      return kNone;
    }
    const auto it = std::lower_bound(names_.begin(), names_.end(), code,
                                     [](const auto& e, std::string_view c) { return e.first < c; });
    return it != names_.end() && it->first == code ? it->second : kNone;
  }

 private:
  struct Packed {
    uint64_t code = 0;  // the bytes, zero-padded
    uint32_t index = 0;
    uint32_t size = 0;  // length + 1; 0 for an empty slot
  };
  static Packed PackOf(std::string_view code, uint32_t index) {
    Packed p;
    if (!code.empty()) std::memcpy(&p.code, code.data(), code.size());
    p.index = index;
    p.size = static_cast<uint32_t>(code.size()) + 1;
    return p;
  }
  size_t Slot(const Packed& p) const {
    uint64_t h = (p.code ^ (uint64_t{p.size} << 59)) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
    return static_cast<size_t>(h * 0xBF58476D1CE4E5B9ULL >> 32) & mask_;
  }

  std::vector<std::pair<std::string, std::string>> names_;
  std::vector<Packed> table_;
  size_t mask_ = 0;
};

// HellerText into a buffer that keeps its capacity from line to line.
void HellerTextInto(std::string& out, int64_t hellers, int width) {
  out.assign(static_cast<size_t>(width), ' ');
  if (hellers == 0) return;
  const uint64_t a = hellers < 0 ? static_cast<uint64_t>(-(hellers + 1)) + 1 : static_cast<uint64_t>(hellers);
  char buf[32];
  char* p = buf + sizeof buf;
  uint64_t v = a;
  *--p = static_cast<char>('0' + v % 10);
  v /= 10;
  *--p = static_cast<char>('0' + v % 10);
  v /= 10;
  *--p = ',';
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (hellers < 0) *--p = '-';
  const size_t n = static_cast<size_t>(buf + sizeof buf - p);
  if (n > static_cast<size_t>(width)) {
    out = HellerText(hellers, width);
    return;
  }
  out.replace(static_cast<size_t>(width) - n, n, p, n);
}

}  // namespace

int LevelOrgFields(LedgerLevel level) { return static_cast<int>(level); }

bool LedgerLevelOf(std::string_view word, LedgerLevel* level) {
  static const std::pair<const char*, LedgerLevel> kLevels[] = {{"PODNIK", LedgerLevel::Podnik},
                                                                {"ZAVOD", LedgerLevel::Zavod},
                                                                {"SPRAVA", LedgerLevel::Sprava},
                                                                {"STREDISKO", LedgerLevel::Stredisko}};
  const std::string upper = UpperCz(word);
  for (const auto& [name, value] : kLevels) {
    if (upper == name) {
      *level = value;
      return true;
    }
  }
  return false;
}

std::vector<int> LedgerKeyList(LedgerLevel level, bool breakdown) {
  std::vector<int> keys;
  for (int i = 0; i < LevelOrgFields(level); ++i) keys.push_back(3 + i);
  keys.push_back(6);
  if (breakdown) keys.push_back(7);
  keys.push_back(1);
  keys.push_back(2);
  return keys;
}

int CodeDigits(std::string_view text, int max) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 2 || !IsDigits(t)) return 0;
  const int n = NumberOf(t);
  return n >= 1 && n <= max ? n : 0;
}

std::vector<std::string> CutLedgerDefinition(const std::vector<std::string>& templateLines, int orgFields,
                                             bool breakdown) {
  // The title line, then at least seven field lines and the four amounts.
  if (templateLines.size() < 1 + 7 + 4) return {};
  std::vector<std::string> lines;
  lines.push_back(templateLines[0]);
  for (int i = 0; i < orgFields; ++i) lines.push_back(templateLines[1 + static_cast<size_t>(i)]);
  for (size_t i = 4; i < templateLines.size(); ++i) {
    const size_t following = i - 4;  // 0 code, 1 name, 2 secondary code, 3 its name
    if (!breakdown && (following == 2 || following == 3)) continue;
    if (AllBlanks(templateLines[i]) && i + 1 == templateLines.size()) continue;
    lines.push_back(templateLines[i]);
  }
  return lines;
}

std::string HellerText(int64_t hellers, int width) {
  if (hellers == 0) return std::string(static_cast<size_t>(width), ' ');
  const uint64_t a = hellers < 0 ? static_cast<uint64_t>(-(hellers + 1)) + 1 : static_cast<uint64_t>(hellers);
  char buf[40];
  const int n = std::snprintf(buf, sizeof buf, "%s%llu,%02llu", hellers < 0 ? "-" : "",
                              static_cast<unsigned long long>(a / 100), static_cast<unsigned long long>(a % 100));
  if (n <= 0) return std::string(static_cast<size_t>(width), ' ');
  if (n > width) return RealTextRounded(width, 2, static_cast<double>(hellers) / 100.0);
  std::string text(static_cast<size_t>(width - n), ' ');
  text.append(buf, static_cast<size_t>(n));
  return text;
}

int64_t HellersOf(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i == n) return 0;
  const bool negative = s[i] == '-';
  if (negative) ++i;
  int64_t whole = 0;
  int digits = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9' && digits < 15) {
    whole = whole * 10 + (s[i++] - '0');
    ++digits;
  }
  int64_t fraction = 0;
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
  if (end != n || digits + decimals == 0 || decimals > 2) {
    // Anything unusual goes the general way, rounded to whole hellers.
    const long double v = TextToRealExt(s) * 100.0L;
    if (!std::isfinite(v) || std::fabs(v) > 9e17L) return 0;
    return static_cast<int64_t>(std::llround(v));
  }
  if (decimals == 1) fraction *= 10;
  const int64_t hellers = whole * 100 + fraction;
  return negative ? -hellers : hellers;
}

LedgerResult BuildLedger(RunValues& run, TCdsProc& cds, const LedgerRequest& rq) {
  Env& env = run.env;
  LedgerResult result;
  if (!FileExistsOrSay(env, rq.opening)) return result;

  // The summation layout gives the widths of the key pieces.
  Dataset layout(env);
  cds.params.DefName = rq.balanceDef;
  cds.MakeTableVirt(layout);
  if (layout.FieldCount() < 10) return result;
  const int org = LevelOrgFields(rq.level);
  std::vector<size_t> widths;
  for (int i = 0; i < org; ++i) widths.push_back(static_cast<size_t>(layout.Field(2 + i).size));
  widths.push_back(static_cast<size_t>(layout.Field(5).size));
  if (rq.breakdown) widths.push_back(static_cast<size_t>(layout.Field(6).size));
  layout.PrepareLoad(0);

  // The cut definition of the result.
  auto templateText = env.fs.ReadWhole(rq.templateDef, nullptr);
  if (!templateText) {
    FileExistsOrSay(env, rq.templateDef);
    return result;
  }
  const std::vector<std::string> defLines = CutLedgerDefinition(SplitLines(*templateText), org, rq.breakdown);
  if (defLines.empty()) {
    InfoBox(env, "Soubor:\r\r\"" + rq.templateDef + "\"\r\r     - nema potrebne polozky !");
    return result;
  }

  KeySums sums(widths);
  std::string key;
  std::string scratch[7];  // one per word, for words that are not stored as text
  const size_t primaryWidth = widths[static_cast<size_t>(org)];
  const size_t digits = static_cast<size_t>(rq.digits);
  auto add = [&](const Dataset& ds, int r, const int (&f)[7], bool closing) {
    const std::string_view account = Word(ds, r, f[3], scratch[3]);
    const std::string_view activity = Word(ds, r, f[4], scratch[4]);
    // In the activity development postings without an activity contribute nothing.
    if (rq.activityPrimary && AllBlanks(activity)) return;
    const std::string_view primary = rq.activityPrimary ? activity : account;
    const std::string_view secondary = rq.activityPrimary ? account : activity;
    key.clear();
    for (int i = 0; i < org; ++i) AppendPadded(key, Word(ds, r, f[i], scratch[i]), widths[static_cast<size_t>(i)]);
    AppendPadded(key, primary.substr(0, std::min(primary.size(), digits)), primaryWidth);
    if (rq.breakdown) AppendPadded(key, secondary, widths.back());
    const int64_t md = HellersOf(Word(ds, r, f[5], scratch[5]));
    const int64_t dal = HellersOf(Word(ds, r, f[6], scratch[6]));
    sums.Add(key, closing ? 1 : 0, md, dal);
  };

  // Opening set.
  {
    CdsRecordStream bal(env);
    if (!TryOpenFile(env, rq.opening) || !bal.Open(rq.opening)) return result;
    if (bal.Layout().FieldCount() < 10) {
      InfoBox(env, "Soubor:\r\r\"" + rq.opening + "\"\r\r     - nema potrebne polozky !");
      return result;
    }
    sums.Reserve(static_cast<size_t>(bal.RecordCount()));
    const bool ok = bal.ForEachBlock([&](const Dataset& ds, uint64_t) {
      for (int r = 0; r < ds.RecordCount(); ++r) add(ds, r, kBalanceFields, false);
    });
    if (!ok) return result;
  }
  // Closing set: balances, plus postings where the set is computed.
  if (!rq.closing.balances.empty() && FileExistsQuiet(env, rq.closing.balances)) {
    CdsRecordStream bal(env);
    if (!TryOpenFile(env, rq.closing.balances) || !bal.Open(rq.closing.balances)) return result;
    if (bal.Layout().FieldCount() >= 10) {
      const bool ok = bal.ForEachBlock([&](const Dataset& ds, uint64_t) {
        for (int r = 0; r < ds.RecordCount(); ++r) add(ds, r, kBalanceFields, true);
      });
      if (!ok) return result;
    }
  }
  if (!rq.closing.postings.empty() && FileExistsQuiet(env, rq.closing.postings)) {
    CdsRecordStream post(env);
    if (!TryOpenFile(env, rq.closing.postings) || !post.Open(rq.closing.postings)) return result;
    if (post.Layout().FieldCount() >= 14) {
      const bool ok = post.ForEachBlock([&](const Dataset& ds, uint64_t) {
        for (int r = 0; r < ds.RecordCount(); ++r) {
          // A posting without an amount adds no key, as the new balances drop it.
          if (HellersOf(Word(ds, r, 12, scratch[5])) == 0 && HellersOf(Word(ds, r, 13, scratch[6])) == 0) continue;
          add(ds, r, kPostingFields, true);
        }
        env.ui.ProcessEvents();
      });
      if (!ok) return result;
    }
  }

  // The definition first: the browser and the viewer read the two together.
  if (!WriteFileOrAsk(env, rq.outDef, JoinLines(defLines))) return result;
  Dataset out(env);
  cds.params.DefName = rq.outDef;
  cds.MakeTableVirt(out);
  const int fields = out.FieldCount();
  const int need = org + 2 + (rq.breakdown ? 2 : 0) + 4;
  if (fields < need) {
    InfoBox(env, "Soubor:\r\r\"" + rq.templateDef + "\"\r\r     - nema potrebne polozky !");
    return result;
  }

  CodeNames primaryNames, secondaryNames;
  primaryNames.Read(env, rq.primaryNames, rq.nameWidth);
  if (rq.breakdown) secondaryNames.Read(env, rq.secondaryNames, rq.nameWidth);

  const std::vector<uint32_t> order = sums.Order();
  const bool text = AllTextFields(out);
  if (!out.PrepareLoad(text ? order.size() : 0)) return result;
  // Every value of a line as a view into the key, the names or the
  // buffers below: no allocation per line.
  std::vector<std::string_view> values(static_cast<size_t>(fields));
  std::string amountText[4];
  std::string code;
  std::string secondaryCode;
  size_t row = 0;
  for (uint32_t e : order) {
    const std::string_view k = sums.Key(e);
    for (std::string_view& v : values) v = {};
    size_t at = 0;
    for (int i = 0; i <= org; ++i) {
      std::string_view piece = k.substr(at, widths[static_cast<size_t>(i)]);
      while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
      values[static_cast<size_t>(i)] = piece;
      at += widths[static_cast<size_t>(i)];
    }
    std::string_view primary = values[static_cast<size_t>(org)];
    while (!primary.empty() && primary.front() == ' ') primary.remove_prefix(1);
    code.assign(primary);
    values[static_cast<size_t>(org + 1)] = primaryNames.Of(code);
    if (rq.breakdown) {
      secondaryCode.clear();
      for (char c : k.substr(at)) {
        if (c != ' ') secondaryCode += c;
      }
      values[static_cast<size_t>(org + 2)] = secondaryCode;
      values[static_cast<size_t>(org + 3)] = secondaryNames.Of(secondaryCode);
    }
    const int64_t a = sums.Md(e, 0), b = sums.Dal(e, 0), c = sums.Md(e, 1), d = sums.Dal(e, 1);
    const int64_t amounts[4] = {a - b, c - a, d - b, c - d};
    for (int i = 0; i < 4; ++i) {
      const int f = fields - 4 + i;
      HellerTextInto(amountText[i], amounts[i], out.Field(f).size);
      values[static_cast<size_t>(f)] = amountText[i];
    }
    if (text) {
      char* rec = out.RecordBuffer() + row * out.RecordStride();
      for (int f = 0; f < fields; ++f) PutTextSlot(out, rec, f, values[static_cast<size_t>(f)]);
    } else {
      out.Append();
      for (int f = 0; f < fields; ++f) out.SetAsString(f, values[static_cast<size_t>(f)]);
      out.Post();
    }
    ++row;
  }
  if (!out.SaveToFile(rq.outFile, DataFormat::Binary)) return result;
  result.ok = true;
  result.lines = static_cast<int64_t>(order.size());
  return result;
}

}  // namespace orvo
