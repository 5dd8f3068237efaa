// The document window's saves: the model opened, a document of 100 rows
// saved into a posting file of N postings and deleted again, each a
// one-pass rewrite of the file. The yardstick in the same run is a plain
// copy of the posting file's bytes (read whole, written whole), which no
// rewrite can beat. Usage: documents [N ...] (default 10000 1000000). With
// ORVO_BENCH_DIR set, the files are made there and kept.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/accounting/uct_dokl.h"
#include "core/app/session.h"
#include "core/data/cds_dump.h"
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
using orvo::bench::Random;
using orvo::bench::Seconds;

constexpr const char* kPosting = "D:\\LOrvo\\Data\\260501UctO.Cds";

bool MakePostings(orvo::Env& env, orvo::Session& session, int postings) {
  orvo::TCdsProc& cds = session.engine;
  orvo::Dataset post(env);
  cds.params.DefName = "D:\\LOrvo\\DefSoub\\UctO.Def";
  cds.MakeTableVirt(post);
  if (!post.PrepareLoad(static_cast<uint64_t>(postings))) return false;
  Random r;
  for (int i = 0; i < postings; ++i) {
    const bool debit = r.Below(2) == 0;
    const std::string amount = orvo::RealTextRounded(15, 2, static_cast<double>(r.Below(10000000)) / 100.0);
    const std::string values[] = {"26", "05", "0102030000", orvo::IntTextPadded(i / 20 % 99999 + 1, 5),
                                  orvo::IntTextPadded(i % 20 + 1, 4), "01", "02", "03",
                                  orvo::IntTextPadded(100 + r.Below(800), 6), "", orvo::IntTextPadded(i, 10), "",
                                  debit ? amount : std::string(15, ' '), debit ? std::string(15, ' ') : amount,
                                  "15.05.2026", "", "", "", "31.05.2026", orvo::PadRight("Faktura", 30), ""};
    char* rec = post.RecordBuffer() + static_cast<size_t>(i) * post.RecordStride();
    for (int f = 0; f < 21; ++f) orvo::PutTextSlot(post, rec, f, values[f]);
  }
  return post.SaveToFile(kPosting, orvo::DataFormat::Binary);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10000, 1000000};
  const char* keep = std::getenv("ORVO_BENCH_DIR");
  std::string base = keep != nullptr ? std::string(keep)
                                     : std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (keep == nullptr && mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  for (const char* dir : {"/C/A_Run/Work", "/C/A_Run/PomSoub", "/C/A_Run/Aplikace/LOrvo/Archiv",
                          "/C/A_Run/Aplikace/LOrvo/Cisel", "/D/LOrvo/DefSoub", "/D/LOrvo/Data", "/D/LOrvo/Cisel",
                          "/D/LOrvo/PomSoub", "/D/LPexo/Cisel"}) {
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
  for (const char* def : {"UctO.Def", "Ucty.Def", "Cinn.Def", "Konta.Def", "CM.Def", "Odber.Def", "Dodav.Def"}) {
    fs.WriteWhole(std::string("D:\\LOrvo\\DefSoub\\") + def, ReadSource(std::string("install/defs/") + def));
  }
  fs.WriteWhole("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "26 05\r\n");
  fs.WriteWhole("D:\\LOrvo\\PomSoub\\UctInic.TXT", "01 Zavod\r\n02 Sprava\r\n03 Stredisko\r\n\r\n");

  std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
  orvo::SetDataRoot(*session, "D:");
  orvo::ConfigureMainPeriodModel(*session);
  std::string accounts;
  for (int a = 100; a < 900; ++a) accounts += std::to_string(a) + "|Ucet " + std::to_string(a) + "|A\n";
  struct List {
    const char* file;
    const char* def;
    std::string text;
  } lists[] = {{"D:\\LOrvo\\Cisel\\26Ucty.Cds", "Ucty.Def", accounts},
               {"D:\\LOrvo\\Cisel\\26Cinn.Cds", "Cinn.Def", "10|Doprava|km\n"},
               {"D:\\LOrvo\\Cisel\\26Konta.Cds", "Konta.Def", "800001|Novak\n"},
               {"D:\\LOrvo\\Cisel\\CM.Cds", "CM.Def", "EUR|Euro|25,000\n"},
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

  std::printf("%-10s %9s %9s %9s %9s %9s %8s\n", "postings", "file MB", "copy s", "open s", "save s", "delete s",
              "x copy");
  for (int n : sizes) {
    if (!MakePostings(env, *session, n)) {
      std::fprintf(stderr, "generation failed\n");
      return 1;
    }
    const double mb = static_cast<double>(fs.Stat(kPosting)->size) / 1048576.0;
    auto t0 = std::chrono::steady_clock::now();
    int io = 0;
    auto bytes = fs.ReadWhole(kPosting, &io);
    if (!bytes || fs.WriteWhole("D:\\LOrvo\\Data\\copy.Cds", *bytes) != 0) return 1;
    const double copy = Seconds(t0);
    bytes.reset();
    fs.Remove("D:\\LOrvo\\Data\\copy.Cds");

    orvo::TUctDokl dokl(*session, session->engine);
    t0 = std::chrono::steady_clock::now();
    if (!dokl.Open()) return 1;
    const double open = Seconds(t0);
    for (int r = 0; r < 100; ++r) {
      dokl.Type(r, 4, std::to_string(100 + r));
      dokl.LeaveItemCell(r, 4);
      dokl.Type(r, r % 2 == 0 ? 8 : 9, std::to_string(r + 1) + ",50");
      dokl.LeaveItemCell(r, r % 2 == 0 ? 8 : 9);
    }
    t0 = std::chrono::steady_clock::now();
    if (!dokl.Save()) return 1;
    const double save = Seconds(t0);
    t0 = std::chrono::steady_clock::now();
    if (!dokl.Delete()) return 1;
    const double del = Seconds(t0);
    orvo::Dataset check(env);
    if (!check.LoadFromFile(kPosting) || check.RecordCount() != n) {
      std::fprintf(stderr, "the posting file does not hold its %d records again\n", n);
      return 1;
    }
    std::printf("%-10d %9.1f %9.3f %9.3f %9.3f %9.3f %8.2f\n", n, mb, copy, open, save, del,
                std::max(save, del) / copy);
  }
  if (keep == nullptr) std::filesystem::remove_all(base);
  return 0;
}
