// Save, load and a full scan of posting files of 100,000 and 1,000,000
// records (21 text fields, about 200 characters each) in the binary .Cds
// form. Each phase runs in a child process of its own so that its peak
// memory is its own. Usage: cds_io [records ...] (default 100000 1000000).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/data/dataset.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

#include "bench_support.h"

namespace {

using orvo::bench::Random;
using orvo::bench::Seconds;
using orvo::bench::PhaseResult;
using orvo::bench::RunChild;

using orvo::Dataset;
using orvo::FieldType;

struct Field {
  const char* name;
  int size;
};

// The posting record: positions 0-14 as the system names them, then the
// remaining words up to 21 fields and 199 characters.
constexpr Field kFields[] = {
    {"Rok", 2},      {"Mesic", 2},      {"DoklId", 10},   {"CisDokl", 6},   {"Radek", 3},
    {"Zavod", 2},    {"Sprava", 2},     {"Stredisko", 2}, {"Ucet", 6},      {"Cinnost", 6},
    {"IntDokl", 10}, {"Konto", 10},     {"MD", 15},       {"Dal", 15},      {"Datum", 10},
    {"Text", 40},    {"Mena", 3},       {"Kurz", 10},     {"CastkaMena", 15}, {"Uzivatel", 10},
    {"Poznamka", 20}};

// xorshift64*: the same records on every run.
std::string Digits(Random& r, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + r.Below(10));
  return s;
}

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

// Up to 999 999,99: ten times the shared amount's range.
std::string LargeAmount(Random& r) {
  double v = static_cast<double>(r.Below(100000000)) / 100.0;
  return orvo::RealTextRounded(15, 2, v);
}

void Fill(Dataset& ds, int records) {
  for (const Field& f : kFields) ds.AddField(f.name, FieldType::Text, f.size);
  ds.AddIndex("", "Rok;Mesic;DoklId;CisDokl;Radek", true);
  ds.CreateDataSet();
  Random r;
  for (int i = 0; i < records; ++i) {
    bool debit = r.Below(2) == 0;
    std::string values[] = {
        "16", "03", "010203" + Digits(r, 4), Digits(r, 6), Digits(r, 3), "01", "02", "03",
        Digits(r, 6), Digits(r, 6), Digits(r, 10), Digits(r, 10),
        debit ? LargeAmount(r) : std::string(15, ' '), debit ? std::string(15, ' ') : LargeAmount(r),
        orvo::IntTextPadded(1 + r.Below(28), 2) + ".03.2016", Words(r, 40), "CZK",
        "    1,000000", LargeAmount(r), "novak     ", Words(r, 20)};
    ds.Append();
    for (int f = 0; f < 21; ++f) ds.SetAsString(f, values[f]);
    ds.Post();
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};

  std::string base = std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  orvo::DriveMap drives;
  drives.Map('C', base);
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  const std::string file = "C:\\UctO.Cds";

  std::printf("%-9s %-9s %9s %9s %12s %10s\n", "records", "phase", "seconds", "MB/s", "peak RSS MB",
              "file MB");
  for (int records : counts) {
    PhaseResult save = RunChild([&]() -> std::vector<double> {
      Dataset ds(env);
      auto t0 = std::chrono::steady_clock::now();
      Fill(ds, records);
      double generate = Seconds(t0);
      auto t1 = std::chrono::steady_clock::now();
      if (!ds.SaveToFile(file, orvo::DataFormat::Binary)) return {};
      double seconds = Seconds(t1);
      return {generate, seconds, static_cast<double>(fs.Stat(file)->size)};
    });
    if (!save.ok || save.figures.size() != 3) {
      std::fprintf(stderr, "save failed\n");
      return 1;
    }
    const double mb = save.figures[2] / 1e6;
    std::printf("%-9d %-9s %9.3f %9s %12s %10.1f\n", records, "generate", save.figures[0], "-", "-", mb);
    std::printf("%-9d %-9s %9.3f %9.1f %12.1f %10.1f\n", records, "save", save.figures[1],
                mb / save.figures[1], save.peakMb, mb);

    PhaseResult load = RunChild([&]() -> std::vector<double> {
      Dataset ds(env);
      auto t0 = std::chrono::steady_clock::now();
      if (!ds.LoadFromFile(file)) return {};
      double loadSeconds = Seconds(t0);
      auto t1 = std::chrono::steady_clock::now();
      double total = 0;
      size_t bytes = 0;
      for (ds.First(); !ds.Eof(); ds.Next()) {
        for (int f = 0; f < ds.FieldCount(); ++f) bytes += ds.AsString(f).size();
        total += ds.AsFloat(12) - ds.AsFloat(13);
      }
      double scanSeconds = Seconds(t1);
      std::fprintf(stderr, "scan: %zu bytes, balance %.2f\n", bytes, total);
      return {loadSeconds, scanSeconds};
    });
    if (!load.ok || load.figures.size() != 2) {
      std::fprintf(stderr, "load failed\n");
      return 1;
    }
    std::printf("%-9d %-9s %9.3f %9.1f %12.1f %10.1f\n", records, "load", load.figures[0],
                mb / load.figures[0], load.peakMb, mb);
    std::printf("%-9d %-9s %9.3f %9.1f %12s %10.1f\n", records, "scan", load.figures[1],
                mb / load.figures[1], "(with load)", mb);
    std::fflush(stdout);
    fs.Remove(file);
  }
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
  return 0;
}
