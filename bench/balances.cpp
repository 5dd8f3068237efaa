// StNove of one month: 1,000,000 postings over 200,000 balances (the goal of
// the month-end close), beside the yardstick `LC_ALL=C sort` of the same
// postings written as fixed-width text lines that begin with the balance
// key. Every phase runs in a child process of its own, so its peak resident
// memory is its own; the ratio of StNove's peak to the size of the posting
// file is printed with it. Usage: balances [postings balances] (default
// 1000000 200000). With ORVO_BENCH_DIR set, the files are made there and
// kept.
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
using orvo::bench::RunSort;
using orvo::bench::Amount;
using orvo::bench::BalanceKey;
using orvo::bench::BalanceKeyOf;
using orvo::bench::PhaseResult;
using orvo::bench::Random;
using orvo::bench::RunChild;
using orvo::bench::Seconds;

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
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/D/LOrvo/DefSoub", "/D/LOrvo/Data"}) {
    std::filesystem::create_directories(base + dir);
  }
  orvo::DriveMap drives;
  drives.Map('C', base + "/C");
  drives.Map('D', base + "/D");
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  for (const char* def : {"UctO.Def", "UctS.Def", "UctSS.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  const std::string balFile = "D:\\LOrvo\\Data\\260401UctS.Cds";
  const std::string postFile = "D:\\LOrvo\\Data\\260501UctO.Cds";
  const std::string outFile = "D:\\LOrvo\\Data\\260501UctS.Cds";
  const std::string lines = base + "/postings.txt";
  const std::string sorted = base + "/sorted.txt";

  // Balances on keys 0 .. balances-1; postings on those keys (four in five)
  // and on new keys.
  PhaseResult gen = RunChild([&]() -> std::vector<double> {
    std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
    orvo::SetDataRoot(*session, "D:");
    orvo::TCdsProc& cds = session->engine;
    Random r;
    {
      orvo::Dataset bal(env);
      cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctS.Def";
      cds.MakeTableVirt(bal);
      if (!bal.PrepareLoad(static_cast<uint64_t>(balances))) return {};
      for (int i = 0; i < balances; ++i) {
        BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(i));
        const std::string values[] = {"26", "04", k.unit.substr(0, 2), k.unit.substr(2, 2), k.unit.substr(4, 2),
                                      k.ucet, k.cinnost, k.konto, Amount(r), Amount(r)};
        char* rec = bal.RecordBuffer() + static_cast<size_t>(i) * bal.RecordStride();
        for (int f = 0; f < 10; ++f) orvo::PutTextSlot(bal, rec, f, values[f]);
      }
      if (!bal.SaveToFile(balFile, orvo::DataFormat::Binary)) return {};
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
      const std::string values[] = {"26", "05", "0101111000", orvo::IntTextPadded(i / 20 % 100000, 5),
                                    orvo::IntTextPadded(i % 20 + 1, 4), k.unit.substr(0, 2), k.unit.substr(2, 2),
                                    k.unit.substr(4, 2), k.ucet, k.cinnost, orvo::IntTextPadded(i, 10), k.konto,
                                    debit ? Amount(r) : std::string(15, ' '), debit ? std::string(15, ' ') : Amount(r),
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
  PhaseResult stNove = RunChild([&]() -> std::vector<double> {
    std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
    orvo::SetDataRoot(*session, "D:");
    orvo::ConfigureMainPeriodModel(*session);
    orvo::TUctProc proc(*session, session->engine);
    auto t0 = std::chrono::steady_clock::now();
    if (!proc.StNove(balFile, postFile, outFile)) return {};
    return {Seconds(t0), static_cast<double>(fs.Stat(outFile)->size)};
  });
  if (!sort.ok || !stNove.ok) std::fprintf(stderr, "a phase failed\n");
  std::printf("postings %d (%.1f MB), balances %d (%.1f MB)\n", postings, postMb, balances, balMb);
  std::printf("%-22s %8s %12s %10s %10s\n", "phase", "seconds", "peak RSS MB", "x sort", "RSS/post");
  std::printf("%-22s %8.3f %12.1f %10s %10.2f\n", "LC_ALL=C sort", sort.seconds, sort.peakMb, "1.00",
              sort.peakMb / postMb);
  std::printf("%-22s %8.3f %12.1f %10.2f %10.2f\n", "StNove", stNove.seconds, stNove.peakMb,
              stNove.seconds / sort.seconds, stNove.peakMb / postMb);
  if (stNove.figures.size() == 2) std::printf("new balance file: %.1f MB\n", stNove.figures[1] / 1048576.0);
  std::error_code ec;
  if (keep == nullptr) std::filesystem::remove_all(base, ec);
  return 0;
}
