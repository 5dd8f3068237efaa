// The dataset operations on posting files of 100,000 and 1,000,000
// deterministic records (21 text fields, 199 characters): SortF by 6 keys
// (one of them a date), SumF by 8 keys, RedF to 5 words. Beside each sort
// runs the yardstick: `LC_ALL=C sort` of the same records written as
// fixed-width text lines that begin with the same key. Every phase runs in
// a child process of its own, so its peak resident memory is its own.
// Usage: dataset_ops [records ...] (default 100000 1000000). With
// ORVO_BENCH_DIR set, the files are made there and kept, for profiling.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/app/session.h"
#include "core/data/cds_proc.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset.h"
#include "core/data/dataset_ops.h"
#include "core/data/definition.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

#include "bench_support.h"

namespace {

using orvo::bench::RunSort;
using orvo::bench::Amount;
using orvo::bench::Random;
using orvo::bench::Seconds;
using orvo::bench::PhaseResult;
using orvo::bench::RunChild;

using orvo::Dataset;
using orvo::FieldType;

struct Field {
  const char* name;
  int size;
  const char* type;
};

constexpr Field kFields[] = {
    {"Rok", 2, "PM"},       {"Mesic", 2, "PM"},     {"DoklId", 10, "PM"},    {"CisDokl", 6, "LN"},
    {"Radek", 3, "LN"},     {"Zavod", 2, "PM"},     {"Sprava", 2, "PM"},     {"Stredisko", 2, "PM"},
    {"Ucet", 6, "LN"},      {"Cinnost", 6, "PM"},   {"IntDokl", 10, "PM"},   {"Konto", 10, "PM"},
    {"MD", 15, "N2"},       {"Dal", 15, "N2"},      {"Datum", 10, "DT"},     {"Text", 40, "PM"},
    {"Mena", 3, "PM"},      {"Kurz", 10, "N4"},     {"CastkaMena", 15, "N2"}, {"Uzivatel", 10, "PM"},
    {"Poznamka", 20, "PM"}};
constexpr int kFieldCount = 21;

const std::vector<int> kSortKeys = {9, 10, 6, 7, 8, 15};
const std::vector<int> kSumKeys = {1, 2, 6, 7, 8, 9, 10, 12};
const std::vector<int> kRedWords = {9, 10, 13, 14, 15};

// xorshift64*: the same records on every run.
std::string Padded(int v, int width) { return orvo::IntTextPadded(v, width); }

std::string Words(Random& r, int n) {
  static const char* kWords[] = {"faktura", "dodavka", "material", "sluzby", "mzdy",
                                 "\xFA\xE8tov\xE1n\xED", "oprava", "z\xE1loha", "n\xE1jem"};
  std::string s;
  while (static_cast<int>(s.size()) < n) {
    if (!s.empty()) s += ' ';
    s += kWords[r.Below(9)];
  }
  return orvo::PadRight(s.substr(0, static_cast<size_t>(n)), n);
}

std::vector<std::string> Posting(Random& r, int i) {
  const bool debit = r.Below(2) == 0;
  const int month = 1 + r.Below(12);
  std::string konto = r.Below(5) == 0 ? orvo::PadRight(Padded(r.Below(2000), 8), 10) : std::string(10, ' ');
  return {"16", Padded(month, 2), "0102030100", Padded(i / 20 % 1000000, 6), Padded(i % 20 + 1, 3),
          Padded(1 + r.Below(3), 2), Padded(1 + r.Below(3), 2), Padded(1 + r.Below(12), 2),
          Padded(100000 + r.Below(400) * 137, 6), orvo::PadRight(Padded(r.Below(30), 3), 6),
          Padded(r.Below(1000000), 10), konto, debit ? Amount(r) : std::string(15, ' '),
          debit ? std::string(15, ' ') : Amount(r), Padded(1 + r.Below(28), 2) + "." + Padded(month, 2) + ".2016",
          Words(r, 40), "CZK", "    1,0000", std::string(15, ' '), "novak     ", Words(r, 20)};
}

std::string DefText() {
  std::string text;
  for (int i = 0; i < kFieldCount; ++i) {
    const Field& f = kFields[i];
    std::string line = orvo::PadLeft(std::to_string(f.size), 3) + " ";
    line += orvo::PadRight(orvo::IntText(i + 1, 3) + ". " + f.name, 36);
    line += orvo::PadRight(f.name, 30) + f.type;
    text += orvo::PadRight(line, 80) + "\r\n";
  }
  return text;
}

std::string Key(const std::vector<std::string>& values, const std::vector<int>& words) {
  std::string key;
  for (int w : words) key += values[static_cast<size_t>(w - 1)];
  return key;
}

void SetWords(orvo::CdsParams& p, const std::vector<int>& words) {
  p.PocSlov = static_cast<int>(words.size());
  for (size_t i = 0; i < words.size(); ++i) p.SezSlov[i] = words[i];
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};

  const char* keep = std::getenv("ORVO_BENCH_DIR");
  std::string base = keep != nullptr ? std::string(keep)
                                     : std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (keep == nullptr && mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  std::filesystem::create_directories(base + "/A_Run/Work");
  orvo::DriveMap drives;
  drives.Map('C', base);
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  const std::string inCds = "C:\\A_Run\\Work\\UctO.Cds";
  const std::string inDef = "C:\\A_Run\\Work\\UctO.Def";
  const std::string sortLines = base + "/sort6.txt";
  const std::string sumLines = base + "/sort8.txt";
  const std::string sortedLines = base + "/sorted.txt";

  std::printf("%-8s %-14s %8s %12s %9s %10s %10s\n", "records", "phase", "seconds", "peak RSS MB", "input MB",
              "x sort", "RSS/input");
  for (int records : counts) {
    PhaseResult gen = RunChild([&]() -> std::vector<double> {
      Dataset ds(env);
      for (const Field& f : kFields) ds.AddField(f.name, FieldType::Text, f.size);
      if (!ds.PrepareLoad(static_cast<uint64_t>(records))) return {};
      std::ofstream six(sortLines, std::ios::binary);
      std::ofstream eight(sumLines, std::ios::binary);
      Random r;
      for (int i = 0; i < records; ++i) {
        std::vector<std::string> values = Posting(r, i);
        std::string line;
        for (int f = 0; f < kFieldCount; ++f) line += values[static_cast<size_t>(f)];
        six << Key(values, kSortKeys) << line << '\n';
        eight << Key(values, kSumKeys) << line << '\n';
        char* rec = ds.RecordBuffer() + static_cast<size_t>(i) * ds.RecordStride();
        for (int f = 0; f < kFieldCount; ++f) {
          const std::string& v = values[static_cast<size_t>(f)];
          char* slot = rec + ds.SlotOffset(f);
          slot[0] = static_cast<char>(v.size());
          std::copy(v.begin(), v.end(), slot + 1);
        }
      }
      if (!ds.SaveToFile(inCds, orvo::DataFormat::Binary)) return {};
      if (fs.WriteWhole(inDef, DefText()) != 0) return {};
      return {0, static_cast<double>(fs.Stat(inCds)->size)};
    });
    if (!gen.ok || gen.figures.size() != 2) {
      std::fprintf(stderr, "generation failed\n");
      return 1;
    }
    // The operations flush what they write; unrelated dirty pages of the
    // generated files would otherwise be flushed with them.
    sync();
    const double inputMb = gen.figures[1] / 1048576.0;
    auto print = [&](const char* phase, const PhaseResult& r, double yardstick) {
      char ratio[32] = "-";
      if (yardstick > 0) std::snprintf(ratio, sizeof ratio, "%.2f", r.seconds / yardstick);
      std::printf("%-8d %-14s %8.3f %12.1f %9.1f %10s %10.2f\n", records, phase, r.seconds, r.peakMb, inputMb,
                  ratio, r.peakMb / inputMb);
      std::fflush(stdout);
    };

    PhaseResult sort6 = RunSort(sortLines, sortedLines);
    PhaseResult sort8 = RunSort(sumLines, sortedLines);
    if (!sort6.ok || !sort8.ok) std::fprintf(stderr, "sort failed\n");
    print("sort (6 keys)", sort6, 0);
    print("sort (8 keys)", sort8, 0);

    auto operation = [&](const std::vector<int>& words, auto run) {
      return RunChild([&]() -> std::vector<double> {
        std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
        orvo::TCdsProc& cds = session->engine;
        orvo::TDatProc dat(env, session->def);
        cds.params.InCds = inCds;
        cds.params.InDef = inDef;
        cds.params.OutCds = "C:\\A_Run\\Work\\Out.Cds";
        cds.params.OutDef = "C:\\A_Run\\Work\\Out.Def";
        cds.params.XDefName = "C:\\A_Run\\Work\\OutX.Def";
        cds.params.SortBlock = 2000;
        cds.params.SortMode = 2;
        SetWords(cds.params, words);
        auto t0 = std::chrono::steady_clock::now();
        if (!run(cds, dat)) return {};
        return {Seconds(t0), static_cast<double>(fs.Stat(cds.params.OutCds)->size)};
      });
    };
    PhaseResult sortF = operation(kSortKeys, [](orvo::TCdsProc& c, orvo::TDatProc&) { return orvo::SortF(c, false); });
    print("SortF", sortF, sort6.seconds);
    PhaseResult sumF = operation(kSumKeys, [](orvo::TCdsProc& c, orvo::TDatProc& d) { return orvo::SumF(c, d); });
    print("SumF", sumF, sort8.seconds);
    if (sumF.figures.size() == 2) std::fprintf(stderr, "SumF output: %.1f MB\n", sumF.figures[1] / 1048576.0);
    PhaseResult redF = operation(kRedWords, [](orvo::TCdsProc& c, orvo::TDatProc&) { return orvo::RedF(c); });
    print("RedF", redF, 0);
    if (!sortF.ok || !sumF.ok || !redF.ok) std::fprintf(stderr, "an operation failed\n");
  }
  std::error_code ec;
  if (keep == nullptr) std::filesystem::remove_all(base, ec);
  return 0;
}
