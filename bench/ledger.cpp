// The general ledger of 1,000,000 postings over 200,000 balances at each
// level, with and without activities, beside two yardsticks on the same
// postings: `ledger -f FILE bal` (the postings and the balances written as a
// ledger journal of virtual postings; skipped with a note when the program
// is not installed) and `LC_ALL=C sort` of the postings as fixed-width
// lines. Every phase runs in a child process of its own, so its peak
// resident memory is its own; the ratio of the peak to the size of the
// posting file is printed with it. Usage: ledger [postings balances]
// (default 1000000 200000). With ORVO_BENCH_DIR set, the files are made
// there and kept; with ORVO_BENCH_SKIP_LEDGER set, `ledger bal` (most of the
// run's time) is left out while iterating.
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

#include "core/accounting/uct_proc.h"
#include "core/reports/general_ledger_window.h"
#include "core/reports/overview_browser.h"
#include "core/app/session.h"
#include "core/data/dataset.h"
#include "core/data/text_slot.h"
#include "core/shell/period.h"
#include "core/shell/run_values.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

#include "bench_support.h"

namespace {

using orvo::bench::ReadSource;
using orvo::bench::RunProgramTimed;
using orvo::bench::RunSort;
using orvo::bench::Amount;
using orvo::bench::BalanceKey;
using orvo::bench::BalanceKeyOf;
using orvo::bench::PhaseResult;
using orvo::bench::Random;
using orvo::bench::RunChild;
using orvo::bench::Seconds;


double LoadAverage() {
  double load[1] = {0};
  return getloadavg(load, 1) == 1 ? load[0] : 0;
}

// `ledger -f journal bal` with its output thrown away; not ok when the
// program is missing.
PhaseResult RunLedgerCli(const std::string& journal) {
  if (std::getenv("ORVO_BENCH_SKIP_LEDGER") != nullptr) return PhaseResult{};
  return RunProgramTimed({"ledger", "-f", journal, "bal"}, true);
}

// "1234,56" (blanks around) as ledger's "1234.56", with the sign given.
std::string LedgerAmount(const std::string& text, bool negative) {
  std::string t = orvo::Trim(text);
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  return (negative ? "-" : "") + t;
}

}  // namespace

int main(int argc, char** argv) {
  const int postings = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int balances = argc > 2 ? std::atoi(argv[2]) : 200000;
  const char* keep = std::getenv("ORVO_BENCH_DIR");
  std::string base = keep != nullptr ? std::string(keep)
                                     : std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (keep == nullptr && mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/C/A_Run/Aplikace/LOrvo/Sestavy", "/D/LOrvo/DefSoub",
                          "/D/LOrvo/Data", "/D/LOrvo/Cisel", "/D/LOrvo/PomSoub"}) {
    std::filesystem::create_directories(base + dir);
  }
  orvo::DriveMap drives;
  drives.Map('C', base + "/C");
  drives.Map('D', base + "/D");
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  for (const char* def : {"UctO.Def", "UctS.Def", "HlKniha.Def", "Ucty.Def", "Cinn.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  fs.WriteWhole("D:\\LOrvo\\PomSoub\\UctInic.TXT", "01 Zavod\r\n01 Sprava\r\n11 Stredisko\r\n\r\n");
  const std::string balFile = "D:\\LOrvo\\Data\\260401UctS.Cds";
  const std::string postFile = "D:\\LOrvo\\Data\\260501UctO.Cds";
  const std::string lines = base + "/postings.txt";
  const std::string sorted = base + "/sorted.txt";
  const std::string journal = base + "/postings.ledger";

  // Balances on keys 0 .. balances-1; postings on those keys (four in five)
  // and on new keys. The chart and the activities name every code used.
  PhaseResult gen = RunChild([&]() -> std::vector<double> {
    std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
    orvo::SetDataRoot(*session, "D:");
    orvo::TCdsProc& cds = session->engine;
    Random r;
    std::ofstream book(journal, std::ios::binary);
    {
      orvo::Dataset bal(env);
      cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctS.Def";
      cds.MakeTableVirt(bal);
      if (!bal.PrepareLoad(static_cast<uint64_t>(balances))) return {};
      for (int i = 0; i < balances; ++i) {
        BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(i));
        const std::string md = Amount(r), dal = Amount(r);
        const std::string values[] = {"26", "04", k.unit.substr(0, 2), k.unit.substr(2, 2), k.unit.substr(4, 2),
                                      k.ucet, k.cinnost, k.konto, md, dal};
        char* rec = bal.RecordBuffer() + static_cast<size_t>(i) * bal.RecordStride();
        for (int f = 0; f < 10; ++f) orvo::PutTextSlot(bal, rec, f, values[f]);
        if (i % 20 == 0) book << "2026/04/30 Stav " << i / 20 << "\n";
        const std::string account = "    (U" + k.unit + "-" + k.ucet + "-" + k.cinnost + ")  ";
        if (!orvo::AllBlanks(md)) book << account << LedgerAmount(md, false) << "\n";
        if (!orvo::AllBlanks(dal)) book << account << LedgerAmount(dal, true) << "\n";
      }
      if (!bal.SaveToFile(balFile, orvo::DataFormat::Binary)) return {};
    }
    for (const char* list : {"Ucty", "Cinn"}) {
      orvo::Dataset names(env);
      cds.params.DefName = std::string("D:\\LOrvo\\DefSoub\\") + list + ".Def";
      cds.MakeTableVirt(names);
      const int count = list[0] == 'U' ? 800000 : 90000;
      const int first = list[0] == 'U' ? 100000 : 10000;
      if (!names.PrepareLoad(static_cast<uint64_t>(count / 10))) return {};
      for (int i = 0; i < count / 10; ++i) {
        char* rec = names.RecordBuffer() + static_cast<size_t>(i) * names.RecordStride();
        orvo::PutTextSlot(names, rec, 0, orvo::IntTextPadded(first + i * 10, list[0] == 'U' ? 6 : 5));
        orvo::PutTextSlot(names, rec, 1, std::string(list) + " " + std::to_string(i));
      }
      if (!names.SaveToFile(std::string("D:\\LOrvo\\Cisel\\26") + list + ".Cds", orvo::DataFormat::Binary)) return {};
    }
    orvo::Dataset post(env);
    cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctO.Def";
    cds.MakeTableVirt(post);
    if (!post.PrepareLoad(static_cast<uint64_t>(postings))) return {};
    std::ofstream text(lines, std::ios::binary);
    for (int i = 0; i < postings; ++i) {
      const int which = r.Below(5) == 0 ? balances + r.Below(balances / 2 + 1) : r.Below(balances);
      BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(which));
      const bool debit = r.Below(2) == 0;
      const std::string amount = Amount(r);
      const std::string values[] = {"26", "05", "0101111000", orvo::IntTextPadded(i / 20 % 100000, 5),
                                    orvo::IntTextPadded(i % 20 + 1, 4), k.unit.substr(0, 2), k.unit.substr(2, 2),
                                    k.unit.substr(4, 2), k.ucet, k.cinnost, orvo::IntTextPadded(i, 10), k.konto,
                                    debit ? amount : std::string(15, ' '), debit ? std::string(15, ' ') : amount,
                                    orvo::IntTextPadded(1 + r.Below(28), 2) + ".05.2026", "CZK",
                                    orvo::PadRight("Odberatel " + std::to_string(which % 977), 30), "     1,00000",
                                    "31.05.2026", orvo::PadRight("Faktura za dodavku", 30), std::string(30, ' ')};
      char* rec = post.RecordBuffer() + static_cast<size_t>(i) * post.RecordStride();
      std::string line = k.unit + k.ucet + k.cinnost + k.konto;
      for (int f = 0; f < 21; ++f) {
        orvo::PutTextSlot(post, rec, f, values[f]);
        line += orvo::PadRight(values[f], post.Field(f).size);
      }
      text << line << '\n';
      if (i % 20 == 0) book << "2026/05/" << values[14].substr(0, 2) << " Doklad " << i / 20 << "\n";
      if (!orvo::AllBlanks(amount)) {
        book << "    (U" << k.unit << "-" << k.ucet << "-" << k.cinnost << ")  " << LedgerAmount(amount, !debit) << "\n";
      }
    }
    if (!post.SaveToFile(postFile, orvo::DataFormat::Binary)) return {};
    return {0, static_cast<double>(fs.Stat(postFile)->size), static_cast<double>(fs.Stat(balFile)->size)};
  });
  if (!gen.ok || gen.figures.size() != 3) {
    std::fprintf(stderr, "generation failed\n");
    return 1;
  }
  sync();
  const double postMb = gen.figures[1] / 1048576.0;
  const double balMb = gen.figures[2] / 1048576.0;

  PhaseResult sort = RunSort(lines, sorted);
  PhaseResult ledgerCli = RunLedgerCli(journal);
  std::printf("postings %d (%.1f MB), balances %d (%.1f MB)\n", postings, postMb, balances, balMb);
  std::printf("%-28s %8s %12s %8s %9s %9s %7s %7s\n", "phase", "seconds", "peak RSS MB", "x sort", "x ledger",
              "RSS/post", "lines", "cpu s");
  std::printf("%-28s %8.3f %12.1f %8s %9s %9.2f\n", "LC_ALL=C sort", sort.seconds, sort.peakMb, "1.00",
              ledgerCli.ok ? "" : "-", sort.peakMb / postMb);
  if (ledgerCli.ok) {
    std::printf("%-28s %8.3f %12.1f %8.2f %9s %9.2f\n", "ledger -f FILE bal", ledgerCli.seconds, ledgerCli.peakMb,
                ledgerCli.seconds / sort.seconds, "1.00", ledgerCli.peakMb / postMb);
  } else {
    std::printf("%-28s (ledger is not installed or failed: that yardstick is skipped)\n", "ledger -f FILE bal");
  }
  const char* names[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
  for (int level = 0; level < 4; ++level) {
    for (bool activities : {false, true}) {
      PhaseResult run = RunChild([&]() -> std::vector<double> {
        std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
        orvo::SetDataRoot(*session, "D:");
        orvo::ConfigureMainPeriodModel(*session);
        orvo::TUctHlKn window(*session, session->engine, session->scrHandOver);
        window.FormShow();
        window.level = static_cast<orvo::LedgerLevel>(level);
        window.CB1 = activities;
        auto t0 = std::chrono::steady_clock::now();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        if (!window.Proved()) return {};
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const double seconds = Seconds(t0);
        auto cpu = [](const rusage& u) {
          return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
                 static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
        };
        orvo::Dataset out(env);
        if (!out.LoadFromFile(orvo::kLedgerFile)) return {};
        return {seconds, static_cast<double>(out.RecordCount()), cpu(after) - cpu(before)};
      });
      const std::string name = std::string("ledger ") + names[level] + (activities ? " + cinnosti" : "");
      if (!run.ok || run.figures.size() != 3) {
        std::printf("%-28s failed\n", name.c_str());
        continue;
      }
      char vsLedger[32] = "-";
      if (ledgerCli.ok) std::snprintf(vsLedger, sizeof vsLedger, "%.3f", run.seconds / ledgerCli.seconds);
      std::printf("%-28s %8.3f %12.1f %8.2f %9s %9.2f %7.0f %7.3f\n", name.c_str(), run.seconds, run.peakMb,
                  run.seconds / sort.seconds, vsLedger, run.peakMb / postMb, run.figures[1], run.figures[2]);
    }
  }
  std::printf("(load average %.1f on %ld cores while measuring)\n", LoadAverage(), sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("goal: every level under 1.0 s and under 2x the posting file (%.1f MB) in peak memory\n", postMb);
  std::error_code ec;
  if (keep == nullptr) std::filesystem::remove_all(base, ec);
  return 0;
}
