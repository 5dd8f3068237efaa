// The transfers on large files: an accumulation of a stock transfer of T
// postings into a posting file of N postings (archive copy, drop of the
// earlier run, renumbering, konto names, one-pass rewrite), repeated so
// that the second run replaces the first; and an automatic transfer of
// 1,000 rules over B balances into the same posting file, repeated
// likewise. The yardstick in the same run is a plain copy of the posting
// file's bytes. Usage: transfers [N T B] (default 1000000 100000 200000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/accounting/accumulation.h"
#include "core/accounting/auto_transfer.h"
#include "core/app/session.h"
#include "core/data/cds_dump.h"
#include "core/data/dataset.h"
#include "core/data/text_slot.h"
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
using orvo::bench::Amount;
using orvo::bench::Random;
using orvo::bench::Seconds;

constexpr const char* kPosting = "D:\\LOrvo\\Data\\260501UctO.Cds";
constexpr const char* kTransfer = "D:\\LOrvo\\Prevody\\260502KoloUctPr.Cds";
constexpr const char* kBalance = "D:\\LOrvo\\Data\\260401UctS.Cds";
constexpr const char* kRules = "D:\\LOrvo\\DefSoub\\AutBench.Def";

// `n` records of layout `def`, values by record number.
template <typename Values>
bool MakeFile(orvo::Env& env, orvo::Session& session, const char* def, int n, const char* file, Values values) {
  orvo::Dataset ds(env);
  session.engine.params.DefName = std::string("D:\\LOrvo\\DefSoub\\") + def;
  session.engine.MakeTableVirt(ds);
  if (!ds.PrepareLoad(static_cast<uint64_t>(n))) return false;
  Random r;
  for (int i = 0; i < n; ++i) {
    const std::vector<std::string> v = values(i, r);
    char* rec = ds.RecordBuffer() + static_cast<size_t>(i) * ds.RecordStride();
    for (int f = 0; f < ds.FieldCount() && f < static_cast<int>(v.size()); ++f) orvo::PutTextSlot(ds, rec, f, v[f]);
  }
  return ds.SaveToFile(file, orvo::DataFormat::Binary);
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int t = argc > 2 ? std::atoi(argv[2]) : 100000;
  const int b = argc > 3 ? std::atoi(argv[3]) : 200000;
  std::string base = std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/D/LOrvo/DefSoub", "/D/LOrvo/Data", "/D/LOrvo/Cisel",
                          "/D/LOrvo/PomSoub", "/D/LOrvo/Prevody", "/D/LOrvo/Archiv", "/D/LPexo/Cisel"}) {
    std::filesystem::create_directories(base + dir);
  }
  orvo::DriveMap drives;
  drives.Map('C', base + "/C");
  drives.Map('D', base + "/D");
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  std::ostringstream quiet;
  orvo::ConsoleUi ui(quiet, true);
  orvo::Env env{ui, fs, clock};
  for (const char* def : {"UctO.Def", "UctOSub.Def", "UctS.Def", "UctSS.Def", "Konta.Def", "Odber.Def", "Dodav.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  fs.WriteWhole("D:\\LOrvo\\PomSoub\\UctInic.TXT", "01 Zavod\r\n02 Sprava\r\n03 Stredisko\r\n\r\n");
  std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
  orvo::SetDataRoot(*session, "D:");
  orvo::ConfigureMainPeriodModel(*session);
  std::string konta;
  for (int k = 0; k < 5000; ++k) konta += std::to_string(800000 + k) + "|Konto " + std::to_string(k) + "\n";
  struct List {
    const char* file;
    const char* def;
    std::string text;
  } lists[] = {{"D:\\LOrvo\\Cisel\\26Konta.Cds", "Konta.Def", konta},
               {"D:\\LPexo\\Cisel\\Odber.Cds", "Odber.Def", "100001|1|2|Polna|Nabytek|s.r.o.\n"},
               {"D:\\LPexo\\Cisel\\Dodav.Cds", "Dodav.Def", "200001|Pila|1|2|Ratibor\n"}};
  for (const List& l : lists) {
    std::string error;
    if (!orvo::DatasetFromText(session->engine, std::string("D:\\LOrvo\\DefSoub\\") + l.def, l.text, l.file,
                               &error)) {
      std::fprintf(stderr, "%s: %s\n", l.file, error.c_str());
      return 1;
    }
  }
  // A tenth of the postings came from the stock system of plant 02.
  const bool made =
      MakeFile(env, *session, "UctO.Def", n, kPosting,
               [&](int i, Random& r) -> std::vector<std::string> {
                 const bool debit = r.Below(2) == 0;
                 const std::string a = Amount(r);
                 return {"26", "05", i % 10 == 0 ? "0202035300" : "0102031000", orvo::IntTextPadded(i / 20 % 99999 + 1, 5),
                         orvo::IntTextPadded(i % 20 + 1, 4), "01", "02", "03",
                         orvo::IntTextPadded(100 + r.Below(800), 6), "", "", std::to_string(800000 + r.Below(5000)),
                         debit ? a : "", debit ? "" : a, "15.05.2026", "", "", "", "31.05.2026", "Faktura", ""};
               }) &&
      MakeFile(env, *session, "UctOSub.Def", t, kTransfer,
               [&](int i, Random& r) -> std::vector<std::string> {
                 const std::string a = Amount(r);
                 return {"26", "05", i % 3 == 0 ? "0202045300" : "0202035300", "1", "1", "02", "02", "03",
                         orvo::IntTextPadded(100 + r.Below(800), 6), "", "", std::to_string(800000 + r.Below(5000)),
                         i % 2 ? a : "", i % 2 ? "" : a, "20.05.2026", "Vydejka", ""};
               }) &&
      MakeFile(env, *session, "UctS.Def", b, kBalance, [&](int i, Random& r) -> std::vector<std::string> {
        return {"26", "04", "01", "02", orvo::IntTextPadded(i % 100, 2), std::to_string(100 + i % 800),
                orvo::IntTextPadded(i / 800 % 250, 5), "", Amount(r), Amount(r)};
      });
  if (!made) {
    std::fprintf(stderr, "generation failed\n");
    return 1;
  }
  // 800 rules that each take one account, 200 that take none.
  std::string rules = "Bench\r\n";
  for (int i = 0; i < orvo::kAutMaxRules; ++i) {
    const std::string ucet = i < 800 ? std::to_string(100 + i) : "999" + std::to_string(i);
    std::string line = orvo::PadRight("", 6) + " " + orvo::PadRight(ucet, 6) + " " + orvo::PadRight("", 5) + " " +
                       orvo::PadRight("0,5", 10) + " " + orvo::PadRight("", 6) + " " + orvo::PadRight("395", 6) + " " +
                       orvo::PadRight("", 5) + " M  " + orvo::PadRight("", 6) + " " + orvo::PadRight("", 6) + " " +
                       orvo::PadRight("", 5) + " D   ";
    rules += line + "\r\n";
  }
  fs.WriteWhole(kRules, rules);

  const double mb = static_cast<double>(fs.Stat(kPosting)->size) / 1048576.0;
  auto t0 = std::chrono::steady_clock::now();
  int io = 0;
  auto bytes = fs.ReadWhole(kPosting, &io);
  if (!bytes || fs.WriteWhole("D:\\LOrvo\\Data\\copy.Cds", *bytes) != 0) return 1;
  const double copy = Seconds(t0);
  bytes.reset();
  fs.Remove("D:\\LOrvo\\Data\\copy.Cds");

  double acc[2] = {0, 0};
  orvo::KumOutcome kum;
  for (double& s : acc) {
    t0 = std::chrono::steady_clock::now();
    kum = orvo::Accumulate(*session, session->engine, orvo::KumItem::Kolo, kTransfer, [](int) { return true; });
    s = Seconds(t0);
    if (!kum.done) {
      std::fprintf(stderr, "accumulation failed: %s\n", quiet.str().c_str());
      return 1;
    }
  }
  double aut[2] = {0, 0};
  orvo::AutOutcome out;
  for (double& s : aut) {
    t0 = std::chrono::steady_clock::now();
    out = orvo::RunAutoTransfer(*session, session->engine, {kRules, orvo::AutSource::Month, "2605", "0102039901"});
    s = Seconds(t0);
    if (!out.done) {
      std::fprintf(stderr, "automatic transfer failed: %s\n", quiet.str().c_str());
      return 1;
    }
  }
  std::printf("posting file: %d postings, %.1f MB; plain copy of its bytes %.3f s\n", n, mb, copy);
  std::printf("accumulation of %d transfer postings: first %.3f s, again %.3f s (dropped %d, added %d), x copy %.2f\n",
              t, acc[0], acc[1], kum.dropped, kum.added, acc[1] / copy);
  std::printf("automatic transfer, 1000 rules over %d balances: first %.3f s, again %.3f s (removed %d, added %d), "
              "x copy %.2f\n",
              b, aut[0], aut[1], out.removed, out.added, aut[1] / copy);
  std::filesystem::remove_all(base);
  return 0;
}
