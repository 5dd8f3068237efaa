// The conversion of one legacy posting file of 1,000,000 records (the goal
// of a month's postings) beside the yardstick `LC_ALL=C sort` of the same
// records written as text lines. Each phase runs in a child process of its
// own, so its peak resident memory is its own; the ratio of the peak to the
// size of the legacy file is printed with it. Usage: legacy_postings
// [postings] (default 1000000). With ORVO_BENCH_DIR set, the files are made
// there and kept.
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

#include "core/accounting/legacy_conversion.h"
#include "core/accounting/legacy_data_generator.h"
#include "core/app/session.h"
#include "core/shell/period.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"

#include "bench_support.h"

namespace {

using orvo::bench::ReadSource;
using orvo::bench::RunSort;
using orvo::bench::PhaseResult;
using orvo::bench::Random;
using orvo::bench::RunChild;
using orvo::bench::Seconds;

}  // namespace

int main(int argc, char** argv) {
  const int postings = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const char* keep = std::getenv("ORVO_BENCH_DIR");
  std::string base = keep != nullptr ? std::string(keep)
                                     : std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (keep == nullptr && mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/D/LOrvo/DefSoub", "/D/LOrvo/Data",
                          "/D/LOrvo/PomSoub", "/D/LOrvo/Archiv", "/D/PrevDos"}) {
    std::filesystem::create_directories(base + dir);
  }
  orvo::DriveMap drives;
  drives.Map('C', base + "/C");
  drives.Map('D', base + "/D");
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, true);
  orvo::Env env{ui, fs, clock};
  for (const char* def : {"UctO.Def", "DosUceO.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  fs.WriteWhole("D:\\LOrvo\\PomSoub\\UctInic.TXT", "01 Zavod\r\n01 Sprava\r\n11 Stredisko\r\nD:\\PrevDos\r\n");
  const std::string legacy = "D:\\PrevDos\\Uce2601.Dat";
  const std::string lines = base + "/postings.txt";
  const std::string sorted = base + "/sorted.txt";

  PhaseResult gen = RunChild([&]() -> std::vector<double> {
    Random r;
    std::string file = orvo::LegacyHeader(orvo::kLegacyPostingRecord);
    file.reserve(static_cast<size_t>(postings + 1) * orvo::kLegacyPostingRecord);
    std::ofstream text(lines, std::ios::binary);
    for (int i = 0; i < postings; ++i) {
      orvo::LegacyPosting p;
      p.zavod = orvo::IntTextPadded(1 + r.Below(3), 2);
      p.rok = "26";
      p.mesic = "01";
      p.doklId = p.zavod + "0111";
      p.cisDokl = orvo::IntTextPadded(1 + r.Below(99999), 5);
      p.radek = 1 + r.Below(500);
      p.sprava = "01";
      p.stredisko = "11";
      p.ucet = orvo::IntTextPadded(100000 + r.Below(800000), 6);
      p.cinnost = orvo::IntTextPadded(10000 + r.Below(90000), 5);
      p.intDokl = orvo::IntTextPadded(i, 8);
      p.konto = orvo::IntTextPadded(r.Below(100000), 6);
      (r.Below(2) ? p.md : p.dal) = static_cast<double>(r.Below(10000000)) / 100.0;
      p.datum = p.datZapisu = orvo::IntTextPadded(1 + r.Below(28), 2) + ".01.2026";
      p.nazevKonta = "Odberatel " + std::to_string(r.Below(977));
      p.zapsal = "ADM";
      p.text = "Faktura za dodavku";
      const std::string rec = orvo::LegacyPostingRecord(p);
      file += rec;
      text << rec << '\n';
    }
    if (fs.WriteWhole(legacy, file) != 0) return {};
    return {0, static_cast<double>(file.size())};
  });
  if (!gen.ok || gen.figures.size() != 2) {
    std::fprintf(stderr, "generation failed\n");
    return 1;
  }
  sync();
  const double fileMb = gen.figures[1] / 1048576.0;

  PhaseResult sort = RunSort(lines, sorted);
  PhaseResult conversion = RunChild([&]() -> std::vector<double> {
    std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
    orvo::SetDataRoot(*session, "D:");
    orvo::ConfigureMainPeriodModel(*session);
    orvo::LegacyConversion convert(*session, session->engine, session->codeList);
    convert.quiet = true;
    auto t0 = std::chrono::steady_clock::now();
    orvo::ConversionSummary summary = convert.Postings();
    if (summary.converted.size() != 1) return {};
    return {Seconds(t0)};
  });
  if (!sort.ok || !conversion.ok) std::fprintf(stderr, "a phase failed\n");
  std::printf("legacy postings %d (%.1f MB)\n", postings, fileMb);
  std::printf("%-22s %8s %12s %10s %10s\n", "phase", "seconds", "peak RSS MB", "x sort", "RSS/file");
  std::printf("%-22s %8.3f %12.1f %10s %10.2f\n", "LC_ALL=C sort", sort.seconds, sort.peakMb, "1.00",
              sort.peakMb / fileMb);
  std::printf("%-22s %8.3f %12.1f %10.2f %10.2f\n", "KonvObraty", conversion.seconds, conversion.peakMb,
              conversion.seconds / sort.seconds, conversion.peakMb / fileMb);
  if (keep == nullptr) std::filesystem::remove_all(base);
  return sort.ok && conversion.ok ? 0 : 1;
}
