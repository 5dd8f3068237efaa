// The balance sheet (the shipped VykZRozv.Def) at level Stredisko over the
// books of 1,000,000 postings: once over the balances those postings make
// ("Stavy k mesici" of the next month; goal under 1 s), once over the
// current balances ("Aktualni stavy": StNove of the balances and the
// postings, then the statement). Yardsticks in the same run: `LC_ALL=C sort`
// of the postings as fixed-width text lines, and StNove alone. Every phase
// runs in a child process of its own, so its peak resident memory is its
// own. The cost calculation (the shipped KalkZ1.Def) at level Stredisko
// over the same current balances, with a quantity for every 100th
// balance key's activity, runs last. Usage: statements [postings balances] (default 1000000 200000). With
// ORVO_BENCH_DIR set, the files are made there and kept.
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
#include "core/reports/calculation.h"
#include "core/reports/statement.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
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

// Accounts of the shipped chart over all classes of the balance sheet and
// the income statement.
const char* const kAccounts[] = {"013",    "021100", "022100", "022200", "031100", "082100", "082200", "112100",
                                 "112200", "123100", "132",    "211100", "221100", "221200", "231100", "311100",
                                 "311200", "314100", "321100", "321200", "331100", "336100", "336200", "342100",
                                 "343100", "343200", "381",    "383",    "411",    "421",    "428",    "461100",
                                 "501100", "501200", "502100", "511100", "518100", "521100", "524100", "551",
                                 "562",    "568100", "601100", "602100", "604",    "642",    "648",    "662"};
constexpr int kAccountCount = static_cast<int>(sizeof kAccounts / sizeof kAccounts[0]);

std::string ShippedAccount(Random& r) { return kAccounts[r.Below(kAccountCount)]; }

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
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/D/LOrvo/DefSoub", "/D/LOrvo/Data", "/D/LOrvo/PomSoub"}) {
    std::filesystem::create_directories(base + dir);
  }
  orvo::DriveMap drives;
  drives.Map('C', base + "/C");
  drives.Map('D', base + "/D");
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  for (const char* def : {"UctO.Def", "UctS.Def", "UctSS.Def", "Vykaz.Def", "VykUc.Def", "VykZRozv.Def", "KalkMn.Def",
                          "KalkCnMn.Def", "KalkCnUc.Def", "KalkDat.Def", "Kalkul.Def", "KalkZ1.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  fs.WriteWhole("D:\\LOrvo\\PomSoub\\UctInic.TXT", "01 Zavod\r\n01 Sprava\r\n11 Stredisko\r\n\r\n");
  auto open = [&]() {
    std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
    orvo::SetDataRoot(*session, "D:");
    orvo::ConfigureMainPeriodModel(*session);
    orvo::LoadPeriod(*session);
    orvo::ReadInitFile(*session);
    return session;
  };
  std::string balFile, postFile, nextBalFile;
  {
    auto session = open();
    balFile = orvo::BalanceFile(*session, "2605");
    postFile = orvo::PostingFile(*session, "2605");
    nextBalFile = orvo::BalanceFile(*session, "2606");
  }
  const std::string lines = base + "/postings.txt";
  const std::string sorted = base + "/sorted.txt";

  PhaseResult gen = RunChild([&]() -> std::vector<double> {
    auto session = open();
    orvo::TCdsProc& cds = session->engine;
    Random r;
    {
      orvo::Dataset bal(env);
      cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctS.Def";
      cds.MakeTableVirt(bal);
      if (!bal.PrepareLoad(static_cast<uint64_t>(balances))) return {};
      for (int i = 0; i < balances; ++i) {
        BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(i), ShippedAccount);
        const std::string values[] = {"26", "04", k.unit.substr(0, 2), k.unit.substr(2, 2), k.unit.substr(4, 2),
                                      k.ucet, k.cinnost, k.konto, Amount(r), Amount(r)};
        char* rec = bal.RecordBuffer() + static_cast<size_t>(i) * bal.RecordStride();
        for (int f = 0; f < 10; ++f) orvo::PutTextSlot(bal, rec, f, values[f]);
      }
      if (!bal.SaveToFile(balFile, orvo::DataFormat::Binary)) return {};
    }
    {
      orvo::Dataset quantities(env);
      cds.params.DefName = "D:\\LOrvo\\DefSoub\\KalkMn.Def";
      cds.MakeTableVirt(quantities);
      for (int i = 0; i < balances; i += 100) {
        BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(i), ShippedAccount);
        quantities.Append();
        const std::string values[] = {k.unit.substr(0, 2), k.unit.substr(2, 2), k.unit.substr(4, 2),
                                      orvo::IntTextPadded(i / 100 % 10000, 4), k.cinnost, "ks",
                                      orvo::RealTextRounded(12, 3, 1 + r.Below(1000))};
        for (int f = 0; f < 7; ++f) quantities.SetAsString(f, values[f]);
        quantities.Post();
      }
      if (!quantities.SaveToFile(orvo::KalkMnFile(*session), orvo::DataFormat::Binary)) return {};
    }
    orvo::Dataset post(env);
    cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctO.Def";
    cds.MakeTableVirt(post);
    if (!post.PrepareLoad(static_cast<uint64_t>(postings))) return {};
    std::ofstream text(lines, std::ios::binary);
    for (int i = 0; i < postings; ++i) {
      const int which = r.Below(5) == 0 ? balances + r.Below(balances / 2 + 1) : r.Below(balances);
      BalanceKey k = BalanceKeyOf(static_cast<uint64_t>(which), ShippedAccount);
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
    // The balances of the next month: what the close of these postings writes.
    orvo::TUctProc proc(*session, cds);
    if (!proc.StNove(balFile, postFile, nextBalFile)) return {};
    return {0, static_cast<double>(fs.Stat(postFile)->size), static_cast<double>(fs.Stat(nextBalFile)->size)};
  });
  if (!gen.ok || gen.figures.size() != 3) {
    std::fprintf(stderr, "generation failed\n");
    return 1;
  }
  sync();
  auto statement = [&](orvo::BalanceSource source, const char* month) {
    return RunChild([&]() -> std::vector<double> {
      auto session = open();
      orvo::StatementRequest request;
      request.defFile = "D:\\LOrvo\\DefSoub\\VykZRozv.Def";
      request.level = orvo::StatementLevel::Stredisko;
      request.source = source;
      request.from = month;
      auto t0 = std::chrono::steady_clock::now();
      orvo::StatementResult result = orvo::RunStatement(*session, session->engine, request);
      if (!result.ok) return {};
      return {Seconds(t0), static_cast<double>(result.units)};
    });
  };
  PhaseResult sort = RunSort(lines, sorted);
  PhaseResult stNove = RunChild([&]() -> std::vector<double> {
    auto session = open();
    orvo::TUctProc proc(*session, session->engine);
    auto t0 = std::chrono::steady_clock::now();
    if (!proc.StNove(balFile, postFile, orvo::WorkFile("StNove.Cds"))) return {};
    return {Seconds(t0)};
  });
  PhaseResult month = statement(orvo::BalanceSource::Month, "2606");
  PhaseResult current = statement(orvo::BalanceSource::Current, "");
  PhaseResult calculation = RunChild([&]() -> std::vector<double> {
    auto session = open();
    orvo::CalculationRequest request{"D:\\LOrvo\\DefSoub\\KalkZ1.Def", orvo::StatementLevel::Stredisko};
    auto t0 = std::chrono::steady_clock::now();
    orvo::CalculationResult result = orvo::RunCalculation(*session, session->engine, request);
    if (!result.ok) return {};
    return {Seconds(t0), static_cast<double>(result.pages)};
  });
  if (!sort.ok || !stNove.ok || !month.ok || !current.ok || !calculation.ok) std::fprintf(stderr, "a phase failed\n");
  std::printf("postings %d (%.1f MB), balances %d, balances after the postings %.1f MB, units %.0f\n", postings,
              gen.figures[1] / 1048576.0, balances, gen.figures[2] / 1048576.0,
              month.figures.size() > 1 ? month.figures[1] : 0.0);
  std::printf("%-36s %8s %12s %10s\n", "phase", "seconds", "peak RSS MB", "x sort");
  for (const auto& [name, p] : {std::pair<const char*, PhaseResult&>{"LC_ALL=C sort of the postings", sort},
                                {"StNove", stNove},
                                {"balance sheet, Stavy k mesici", month},
                                {"balance sheet, Aktualni stavy", current},
                                {"calculation, Aktualni stavy", calculation}}) {
    std::printf("%-36s %8.3f %12.1f %10.2f\n", name, p.seconds, p.peakMb, p.seconds / sort.seconds);
  }
  std::printf("calculation pages %.0f\n", calculation.figures.size() > 1 ? calculation.figures[1] : 0.0);
  std::error_code ec;
  if (keep == nullptr) std::filesystem::remove_all(base, ec);
  return 0;
}
