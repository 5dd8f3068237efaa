#include "core/data/dat_proc.h"

#include <cmath>
#include <utility>

#include "core/data/dat_file.h"
#include "core/data/key_sort.h"
#include "core/data/output_files.h"
#include "core/data/word_list.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

struct Segment {
  size_t from;  // byte offset in the input record
  size_t length;
};

// Where the bytes of the given words lie in a record of `f`, in that order.
std::vector<Segment> SegmentsOf(const DatFile& f, const std::vector<int>& words) {
  std::vector<Segment> segments;
  for (int w : words) {
    const size_t k = static_cast<size_t>(w);
    segments.push_back({static_cast<size_t>(f.TP[k] - 1), static_cast<size_t>(f.TD[k])});
  }
  return segments;
}

// Copies the segments of `rec` one after another into `out`; bytes beyond
// the record are blanks.
void Compose(std::string_view rec, const std::vector<Segment>& segments, std::string& out) {
  out.clear();
  for (const Segment& s : segments) {
    size_t have = s.from < rec.size() ? std::min(s.length, rec.size() - s.from) : 0;
    if (have > 0) out.append(rec.data() + s.from, have);
    out.append(s.length - have, ' ');
  }
}

int DecimalsOf(std::string_view tms) {
  return tms.size() > 1 && tms[1] >= '0' && tms[1] <= '9' ? tms[1] - '0' : 0;
}

bool Numeric(std::string_view tms) { return !tms.empty() && tms[0] == 'N'; }

}  // namespace

std::string DefLinesOf(const LoadedDef& def, const std::vector<int>& words) {
  std::string text;
  for (int w : words) {
    const int line = def.Word(w).LineNo;
    if (line >= 1 && static_cast<size_t>(line) <= def.DefLines.size()) {
      text += def.DefLines[static_cast<size_t>(line - 1)];
    }
    text += "\r\n";
  }
  return text;
}

bool TDatProc::SortDat() { return SortDatInto(params.DatOut, params.DatOutDef); }

bool TDatProc::SortDatInto(std::string_view datOut, std::string_view datOutDef) {
  if (params.PocSlov <= 0) {
    ErrorBox(env_, kNoWordListText);
    params.PocSlov = 0;
    return false;
  }
  const std::string datIn = params.DatIn;
  const std::string shown = params.SourceName.empty() ? datIn : params.SourceName;
  DatFile in;
  if (!OpenDat(env_, def_, in, datIn, params.DatInDef)) return false;
  if (!CheckWordList(env_, params.SezSlov.data(), params.PocSlov, kMaxListWords, in.PSl, shown)) {
    CloseDat(in);
    return false;
  }
  // DatOutDef is written first (the output is made from it) and put back
  // as it was when the sort fails.
  OutputFiles output(env_);
  auto failed = [&] {
    output.Restore();
    ErrorBox(env_, "Soubor se nepodarilo setridit !", "Soubor: " + shown);
    return false;
  };
  const std::vector<int> listed(params.SezSlov.begin(), params.SezSlov.begin() + params.PocSlov);
  const std::vector<int> layout = KeyWordsFirst(params.SezSlov.data(), params.PocSlov, in.PSl);
  if (!output.WriteDef(datOutDef, DefLinesOf(def_, layout), false)) {
    CloseDat(in);
    return failed();
  }

  const std::vector<Segment> keySegments = SegmentsOf(in, listed);
  const std::vector<Segment> outSegments = SegmentsOf(in, layout);
  size_t keyLen = 0;
  for (const Segment& s : keySegments) keyLen += s.length;
  KeyTable keys(keyLen);
  keys.Reserve(static_cast<size_t>(in.RecCount));
  std::string_view rec;
  std::string key;
  while (ReadRecView(in, rec)) {
    Compose(rec, keySegments, key);
    keys.Add(key);
  }
  if (in.failed || static_cast<int64_t>(keys.Size()) != in.RecCount) {
    CloseDat(in);
    return failed();
  }
  const std::vector<uint32_t> order = KeySortOrder(keys, params.SortBlock, params.SortMode);
  keys = KeyTable(0);
  CloseDat(in);

  DatFile out;
  if (!CreateDat(env_, def_, out, datOut, datOutDef)) return failed();
  if (!OpenDat(env_, def_, in, datIn, params.DatInDef)) {
    AbandonDat(out);
    return failed();
  }
  std::string composed;
  bool ok = GatherDat(in, order, [&](size_t, std::string_view r) {
    Compose(r, outSegments, composed);
    return WriteRec(out, composed);
  });
  ok = CloseDat(in) && ok;
  if (!ok) {
    AbandonDat(out);
    return failed();
  }
  if (!CloseDat(out)) return failed();
  return true;
}

bool TDatProc::SumDat() {
  const std::string datIn = params.DatIn;
  const std::string shown = params.SourceName.empty() ? datIn : params.SourceName;
  const std::string datOut = params.DatOut;
  const std::string datOutDef = params.DatOutDef;

  // The fixed table of sums is checked before anything is sorted, so a
  // refused file leaves no work files and no output.
  if (params.PocSlov > 0 && params.PocSlov <= kMaxListWords && FileExistsQuiet(env_, params.DatInDef) &&
      ReadDef(env_, def_, params.DatInDef)) {
    std::vector<bool> listed(static_cast<size_t>(def_.PSl) + 1, false);
    for (int j = 0; j < params.PocSlov; ++j) {
      int w = params.SezSlov[static_cast<size_t>(j)];
      if (w >= 1 && w <= def_.PSl) listed[static_cast<size_t>(w)] = true;
    }
    int numeric = 0;
    for (int i = 1; i <= def_.PSl; ++i) {
      if (!listed[static_cast<size_t>(i)] && Numeric(def_.Word(i).TMS)) ++numeric;
    }
    if (numeric > kMaxSumWords) {
      InfoBox(env_, "Veta obsahuje " + std::to_string(numeric) + " ciselnych slov, secist lze nejvice " +
                        std::to_string(kMaxSumWords) + " !",
              "Soubor: " + shown);
      return false;
    }
  }

  auto eraseWork = [&] {
    EraseFile(env_, kDatProcWorkDat);
    EraseFile(env_, kDatProcWorkDef);
  };
  if (!SortDatInto(kDatProcWorkDat, kDatProcWorkDef)) {
    eraseWork();
    return false;
  }
  const int k = params.PocSlov;
  // DatOutDef is written before the sums (the output is made from it) and
  // put back as it was when the summation fails.
  OutputFiles output(env_);
  auto failed = [&] {
    output.Restore();
    ErrorBox(env_, "Soubor se nepodarilo sumarizovat !", "Soubor: " + shown);
    eraseWork();
    return false;
  };

  DatFile sorted;
  if (!OpenDat(env_, def_, sorted, kDatProcWorkDat, kDatProcWorkDef)) return failed();
  std::vector<int> outWords;
  for (int i = 1; i <= sorted.PSl; ++i) {
    if (i <= k || Numeric(sorted.TMs[static_cast<size_t>(i)])) outWords.push_back(i);
  }
  // The sorted record's words and their places in the output record.
  std::vector<int> sumWords(outWords.begin() + k, outWords.end());
  const LoadedDef sortedDef = def_;
  if (!output.WriteDef(datOutDef, DefLinesOf(sortedDef, outWords), false)) {
    CloseDat(sorted);
    return failed();
  }
  DatFile out;
  if (!CreateDat(env_, def_, out, datOut, datOutDef)) {
    CloseDat(sorted);
    return failed();
  }

  size_t keyLen = 0;
  for (int i = 1; i <= k; ++i) keyLen += static_cast<size_t>(sorted.TD[static_cast<size_t>(i)]);
  std::vector<long double> sums(sumWords.size(), 0.0L);
  // Below half a unit of its last decimal a sum is written as blanks.
  std::vector<long double> negligible;
  for (size_t j = 0; j < sumWords.size(); ++j) {
    negligible.push_back(0.5L * std::pow(10.0L, -DecimalsOf(out.TMs[static_cast<size_t>(k + 1 + j)])));
  }
  std::string groupKey;
  std::string_view rec;
  std::string outRec;
  bool inGroup = false;
  std::string overflow;  // the word whose sum does not fit, when one does not

  auto closeGroup = [&]() -> bool {
    bool allZero = true;
    for (long double s : sums) {
      if (std::fabs(s) >= 0.0005L) allZero = false;
    }
    if (allZero) return true;
    outRec.assign(static_cast<size_t>(out.RecLen), ' ');
    for (int i = 1; i <= k; ++i) PutWord(out, WordView(sorted, i, groupKey), i, outRec);
    for (size_t j = 0; j < sums.size(); ++j) {
      const int w = k + 1 + static_cast<int>(j);
      const int td = out.TD[static_cast<size_t>(w)];
      if (std::fabs(sums[j]) < negligible[j]) {
        PutWord(out, "", w, outRec);
        continue;
      }
      std::string text = RealTextBlank(td, DecimalsOf(out.TMs[static_cast<size_t>(w)]), static_cast<double>(sums[j]));
      if (static_cast<int>(text.size()) > td) {
        // Cutting the text would keep the wrong digits of the sum.
        overflow = Trim(sortedDef.Word(sumWords[j]).FieldName) + "\r\r" + Trim(text);
        return false;
      }
      PutWord(out, text, w, outRec);
    }
    return WriteRec(out, outRec);
  };

  bool ok = true;
  while (ok && ReadRecView(sorted, rec)) {
    std::string_view recKey = rec.substr(0, std::min(keyLen, rec.size()));
    if (!inGroup || recKey != std::string_view(groupKey).substr(0, keyLen)) {
      if (inGroup) ok = closeGroup();
      groupKey.assign(rec);
      std::fill(sums.begin(), sums.end(), 0.0L);
      inGroup = true;
    }
    for (size_t j = 0; j < sumWords.size(); ++j) {
      sums[j] += static_cast<long double>(TextToReal(WordView(sorted, sumWords[j], rec)));
    }
  }
  if (ok && inGroup) ok = closeGroup();
  ok = ok && !sorted.failed;
  CloseDat(sorted);
  if (!overflow.empty()) {
    AbandonDat(out);
    output.Restore();
    eraseWork();
    InfoBox(env_, "Soucet slova " + overflow + "\r\rse nevejde do delky slova !", "Soubor: " + shown);
    return false;
  }
  if (!ok) {
    AbandonDat(out);
    return failed();
  }
  if (!CloseDat(out)) return failed();
  eraseWork();
  return true;
}

}  // namespace orvo
