// GenerSes over a ledger-like table sorted by account and activity, with
// subtotals on both levels, an empty line between accounts and pages of 76
// lines, as "  Sestava I" writes it. The table is built in memory, so the
// figure is the report alone: the column scan, the groups, the sums, the
// body and the report file. Also the same report through a chosen column
// order (the reduction to a copy included). Usage: report_gen [records]
// (default 1000000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "core/app/session.h"
#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/screens/report_gen.h"
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

struct Word {
  int td;
  const char* name;
  const char* heading;
  const char* tms;
};

constexpr Word kWords[] = {{6, "1. Ucet", "Ucet", "LN"},         {6, "2. Cinnost", "Cinnost", "LN"},
                           {10, "3. Datum", "Datum", "DT"},      {30, "4. Text", "Text", "PM"},
                           {15, "5. MD", "Ma dati", "N2"},       {15, "6. Dal", "Dal", "N2"},
                           {10, "7. Doklad", "Doklad", "PM"}};

std::string Definition() {
  std::string text;
  for (const Word& w : kWords) {
    text += orvo::PadLeft(std::to_string(w.td), 3) + " " + orvo::PadRight(w.name, 36) +
            orvo::PadRight(w.heading, 30) + w.tms + "\r\n";
  }
  return text;
}

// xorshift64*: the same records on every run.
// Accounts change every ~400 records, activities every ~40: sorted keys.
void Fill(orvo::Dataset& ds, int records) {
  for (const Word& w : kWords) {
    std::string name = w.name;
    ds.AddField(name.substr(name.find('.') + 2), orvo::FieldType::Text, w.td);
  }
  ds.CreateDataSet();
  Random r;
  int account = 100000;
  int activity = 1;
  for (int i = 0; i < records; ++i) {
    if (r.Below(400) == 0) {
      account += 1 + r.Below(50);
      activity = 1;
    } else if (r.Below(40) == 0) {
      ++activity;
    }
    const bool debit = r.Below(2) == 0;
    const std::string amount = orvo::RealTextRounded(15, 2, r.Below(10000000) / 100.0);
    ds.Append();
    ds.SetAsString(0, std::to_string(account));
    ds.SetAsString(1, orvo::IntTextPadded(activity, 6));
    ds.SetAsString(2, orvo::IntTextPadded(1 + r.Below(28), 2) + ".03.2016");
    ds.SetAsString(3, "Zauctovani dokladu c. " + std::to_string(i));
    ds.SetAsString(4, debit ? amount : std::string(15, ' '));
    ds.SetAsString(5, debit ? std::string(15, ' ') : amount);
    ds.SetAsString(6, orvo::IntTextPadded(i, 10));
    ds.Post();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int records = argc > 1 ? std::atoi(argv[1]) : 1000000;
  std::string base = std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  std::filesystem::create_directories(base + "/A_Run/Work");
  std::filesystem::create_directories(base + "/A_Run/Sestavy");
  orvo::DriveMap drives;
  drives.Map('C', base);
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};
  fs.WriteWhole("C:\\A_Run\\Work\\Bench.Def", Definition());

  std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
  orvo::TCdsProc& cds = session->engine;
  orvo::Dataset table(env);
  auto t0 = std::chrono::steady_clock::now();
  Fill(table, records);
  std::printf("%-28s %9.3f s\n", "generate the table", Seconds(t0));

  orvo::ReportRequest request;
  request.ScrFile = "C:\\A_Run\\Work\\Bench.Cds";
  request.ScrDef = "C:\\A_Run\\Work\\Bench.Def";
  request.heading1 = "Hlavni kniha";
  request.withTime = true;
  request.groupFlags[0] = orvo::ScrGroupFlag{'A', 'N', 'A'};
  request.groupFlags[1] = orvo::ScrGroupFlag{'A', 'N', 'N'};

  int status = 0;
  auto report = [&](const char* label) {
    auto t = std::chrono::steady_clock::now();
    auto layout = orvo::GenerSes(cds, table, request, orvo::ReportPaging::Paged, 76);
    const double seconds = Seconds(t);
    if (!layout) {
      std::fprintf(stderr, "GenerSes failed\n");
      status = 1;
      return;
    }
    std::printf("%-28s %9.3f s  %8.1f MB report\n", label, seconds,
                static_cast<double>(fs.Stat(layout->file)->size) / 1e6);
  };
  report("GenerSes, two levels");
  request.order.count = 6;
  for (int p = 0; p < 6; ++p) request.order.rows[static_cast<size_t>(p)] = p + 1;
  report("GenerSes, with column order");

  std::filesystem::remove_all(base);
  return status;
}
