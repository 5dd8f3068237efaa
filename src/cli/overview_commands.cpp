// The overviews of the menu "Prehledy" without windows: the journal, the
// general ledger, the balance developments and the saldo-konto. Each logs
// in and passes its menu item's guard, computes what the window's
// "  Proved" computes (the result dataset where the window writes it) and,
// with --out, writes the report too: .Ses as the browser's "  Sestava I"
// with the window's headings, .pdf through the graphic print of that
// report, .csv of the result dataset, .xlsx of the result dataset as the
// browser's "  Excel" writes it.
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/batch_commands.h"
#include "core/app/main_menu.h"
#include "core/accounting/uct_proc.h"
#include "core/app/session.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/output/print_settings.h"
#include "core/reports/balance_development.h"
#include "core/reports/general_ledger_window.h"
#include "core/reports/journal.h"
#include "core/reports/overview_browser.h"
#include "core/reports/saldo_konto.h"
#include "core/screens/cds_excel.h"
#include "core/screens/report_batch.h"
#include "core/sys/copy.h"
#include "core/sys/encoding.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo::cli {

namespace {

// What the browser would be shown: the result, its layout, the headings and
// the columns subtotalled.
struct Shown {
  std::string file;
  std::string def;
  std::string heading1;
  std::string heading2;
  std::string sumCols;  // "2,3" or empty
};

// The result dataset as the browser's "  Excel" writes it; the workbook
// replaces the file only once it is complete.
int WriteWorkbook(BatchContext& ctx, const Dataset& ds, const Shown& shown, const std::string& out) {
  auto host = ctx.env.fs.HostPath(out);
  if (!host) {
    ctx.err << "orvo-batch: the drive of " << Cp1250ToUtf8(out) << " is not mapped\n";
    return kBatchUsage;
  }
  LoadedDef def;
  if (!ReadDef(ctx.env, def, shown.def)) return kBatchFailed;
  const PrintSettings settings = ReadPrintSettingsQuiet(ctx.env).value_or(PrintSettings{});
  if (!XlsxFromDataset(ctx.env, ds, def, shown.file, shown.def, settings.ReportFont, *host).written) {
    return kBatchFailed;
  }
  return kBatchOk;
}

int WriteOut(BatchContext& ctx, const Shown& shown, const std::string& outArg) {
  Env& env = ctx.env;
  Dataset ds(env);
  if (!ds.LoadFromFile(shown.file)) return kBatchFailed;
  const int records = ds.RecordCount();
  WriteText(ctx.out, shown.heading2 + ": " + std::to_string(records) + " radku " + shown.file + "\n");
  if (outArg.empty()) return kBatchOk;
  std::string out;
  if (int rc = OutputFile(ctx, outArg, &out); rc != 0) return rc;
  const std::string ext = UpperCz(ExtensionOf(out));
  if (ext == ".CSV") {
    if (!WriteFileOrAsk(env, out, DatasetCsv(ds))) return kBatchFailed;
  } else if (ext == ".SES" || ext == ".PDF") {
    ds.PrepareLoad(0);
    const std::string ses = ext == ".SES" ? out : std::string("C:\\A_Run\\Work\\OrvoorkPrint.Ses");
    std::vector<std::string> args{shown.file, shown.def, ses, "--heading1", shown.heading1, "--heading2",
                                  shown.heading2};
    if (!shown.sumCols.empty()) args.insert(args.end(), {"--sum-cols", shown.sumCols});
    ReportJob job;
    std::string error;
    if (!ParseReportArgs(args, &job, &error)) {
      ctx.err << "orvo-batch: " << Cp1250ToUtf8(error) << "\n";
      return kBatchFailed;
    }
    switch (RunReportJob(ctx.session.engine, job)) {
      case ReportJobResult::Written: break;
      case ReportJobResult::EmptyTable:
        ctx.err << "orvo-batch: " << Cp1250ToUtf8(shown.file) << " holds no records; no report is made\n";
        return kBatchFailed;
      case ReportJobResult::Failed: return kBatchFailed;
    }
    if (ext == ".PDF") {
#ifdef ORVO_BATCH_WITH_QT
      BatchContext pdf{ctx.env, ctx.session, ctx.out, ctx.err, {ses, out}, ctx.user, ctx.password, ctx.dataRoot};
      if (int rc = RunSesToPdf(pdf); rc != 0) return rc;
#else
      ctx.err << "orvo-batch: this build writes no PDF\n";
      return kBatchFailed;
#endif
    }
  } else if (ext == ".XLSX") {
    if (int rc = WriteWorkbook(ctx, ds, shown, out); rc != kBatchOk) return rc;
  } else {
    ctx.err << "orvo-batch: --out takes FILE.Ses, FILE.pdf, FILE.csv or FILE.xlsx\n";
    return kBatchUsage;
  }
  WriteText(ctx.out, std::to_string(FileSizeOf(env, out)) + " B " + out + "\n");
  return kBatchOk;
}

template <typename Run>
int Guarded(Run run) {
  try {
    return run();
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

int Usage(BatchContext& ctx, const char* command, const std::string& why) {
  for (const Command& c : Commands()) {
    if (std::string_view(c.name) == command) {
      ctx.err << "orvo-batch " << command << ": " << Cp1250ToUtf8(why) << "\nusage: orvo-batch " << c.usage << "\n";
    }
  }
  return kBatchUsage;
}

bool LevelArg(const Args& args, LedgerLevel* level) {
  if (!args.Has("--level")) return true;
  return LedgerLevelOf(args.Value("--level"), level);
}

}  // namespace

int RunJournal(BatchContext& ctx) {
  Args args(ctx.args, {{"--out", true}});
  if (!args.Ok() || !args.Positional().empty()) return Usage(ctx, "journal", args.Error());
  return Guarded([&] {
    if (int rc = EnterBooks(ctx, MenuAction::PrehUctDenik); rc != kBatchOk) return rc;
    Session& s = ctx.session;
    if (!ComputeJournal(s, s.engine)) return kBatchFailed;
    TUctProc proc(s, s.engine);
    return WriteOut(ctx, {std::string(kJournalFile), proc.DefFile("UctO.Def"), OverviewHeading1(ctx.env), JournalHeading2(s), ""},
                    args.Value("--out"));
  });
}

int RunLedger(BatchContext& ctx) {
  Args args(ctx.args, {{"--level", true}, {"--activities", false}, {"--from-january", false}, {"--digits", true},
                       {"--out", true}});
  LedgerLevel level = LedgerLevel::Podnik;
  if (!args.Ok() || !args.Positional().empty()) return Usage(ctx, "ledger", args.Error());
  if (!args.Has("--level") || !LevelArg(args, &level)) return Usage(ctx, "ledger", "--level podnik|zavod|sprava|stredisko");
  return Guarded([&] {
    if (int rc = EnterBooks(ctx, MenuAction::PrehHlKniha); rc != kBatchOk) return rc;
    Session& s = ctx.session;
    TUctHlKn w(s, s.engine, s.scrHandOver);
    w.FormShow();
    w.level = level;
    w.CB1 = args.Has("--activities");
    w.CB2 = args.Has("--from-january");
    w.Edit1 = args.Value("--digits", "6");
    if (!w.Proved()) return kBatchFailed;
    return WriteOut(ctx, {std::string(kLedgerFile), std::string(kOverviewDef), OverviewHeading1(ctx.env), w.Heading2(), ""},
                    args.Value("--out"));
  });
}

int RunDevelopment(BatchContext& ctx) {
  Args args(ctx.args, {{"--from", true}, {"--to", true}, {"--level", true}, {"--activities", false},
                       {"--accounts", false}, {"--digits", true}, {"--out", true}});
  const auto& w = args.Positional();
  LedgerLevel level = LedgerLevel::Podnik;
  if (!args.Ok() || w.size() != 1 || (w[0] != "accounts" && w[0] != "activities")) {
    return Usage(ctx, "development", args.Error());
  }
  const bool accounts = w[0] == "accounts";
  if (!args.Has("--from") || !args.Has("--to")) return Usage(ctx, "development", "--from and --to are needed");
  if (!LevelArg(args, &level)) return Usage(ctx, "development", "--level podnik|zavod|sprava|stredisko");
  // The breakdown is by the other code: activities of accounts, accounts of activities.
  if (args.Has(accounts ? "--accounts" : "--activities")) {
    return Usage(ctx, "development", accounts ? "the accounts' breakdown is --activities"
                                              : "the activities' breakdown is --accounts");
  }
  return Guarded([&] {
    if (int rc = EnterBooks(ctx, accounts ? MenuAction::VyvojStUc : MenuAction::VyvojStCn); rc != kBatchOk) return rc;
    Session& s = ctx.session;
    TUctVyvoj dev(accounts ? DevelopmentKind::Accounts : DevelopmentKind::Activities, s, s.engine, s.scrHandOver);
    dev.FormShow();
    dev.Edit1 = args.Value("--from");
    dev.Edit2 = args.Value("--to");
    dev.level = level;
    dev.CB1 = args.Has(accounts ? "--activities" : "--accounts");
    if (args.Has("--digits")) dev.Edit3 = args.Value("--digits");
    if (!dev.Proved()) return kBatchFailed;
    return WriteOut(ctx, {dev.OutputFile(), std::string(kOverviewDef), OverviewHeading1(ctx.env), dev.Heading2(), ""},
                    args.Value("--out"));
  });
}

int RunSaldo(BatchContext& ctx) {
  Args args(ctx.args, {{"--from", true}, {"--to", true}, {"--konto-ucet", false}, {"--by-intdokl", false},
                       {"--out", true}});
  if (!args.Ok() || !args.Positional().empty()) return Usage(ctx, "saldo", args.Error());
  if (!args.Has("--from") || !args.Has("--to")) return Usage(ctx, "saldo", "--from and --to are needed");
  return Guarded([&] {
    if (int rc = EnterBooks(ctx, MenuAction::SaldoKonto); rc != kBatchOk) return rc;
    Session& s = ctx.session;
    TUctSaldo saldo(s, s.engine, s.scrHandOver);
    saldo.Edit1 = args.Value("--from");
    saldo.Edit2 = args.Value("--to");
    saldo.RUK = !args.Has("--konto-ucet");
    saldo.CBDokl = args.Has("--by-intdokl");
    if (!saldo.Proved()) return kBatchFailed;
    return WriteOut(ctx, {std::string(kSaldoFile), std::string(kSaldoDef), OverviewHeading1(ctx.env), saldo.Heading2(), "2,3"},
                    args.Value("--out"));
  });
}

}  // namespace orvo::cli
