// orvo-batch doc: the accounting documents of the working period, as the
// document window ("Data" > "Obraty") enters, lists, prints and deletes them.
// Each subcommand logs in and passes the menu item's guard (right "Sprav").
#include <cmath>
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/accounting/dokl_batch.h"
#include "core/accounting/uct_dokl.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/copy.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo::cli {

namespace {

constexpr const char* kUsage =
    "orvo-batch doc: post FILE.csv | list | check | print YY MM UNIT NUMBER --out FILE.Ses|FILE.pdf | "
    "voucher YY MM UNIT NUMBER --out FILE.Ses|FILE.pdf | delete YY MM UNIT NUMBER\n";

int Enter(BatchContext& ctx) {
  Session& session = ctx.session;
  if (ctx.dataRoot.empty()) {
    ctx.err << "orvo-batch: no data root: give --root DATA-ROOT or set ORVO_DATA_ROOT\n";
    return kBatchUsage;
  }
  std::string root = ResolveDataRoot(ctx.env, ctx.dataRoot);
  if (root.empty()) {
    ctx.err << "orvo-batch: the data root " << Cp1250ToUtf8(ctx.dataRoot) << " was not found\n";
    return kBatchFailed;
  }
  SetDataRoot(session, root);
  if (!BatchLogIn(session, {ctx.user, ctx.password})) return kBatchRefused;
  ReadInitFile(session);
  ConfigureMainPeriodModel(session);
  LoadPeriod(session);
  MainWindowModel menu(session);
  if (!menu.Allowed(MenuAction::DataObraty)) return kBatchRefused;
  return kBatchOk;
}

std::string Amount(double x) { return Trim(RealTextPlain(15, 2, x)); }

std::string IdText(const std::vector<std::string>& id) {
  std::string text;
  for (const std::string& v : id) text += (text.empty() ? "" : " ") + TrimRight(v);
  return text;
}

// The report written by the model, copied or rendered to --out.
int Deliver(BatchContext& ctx, std::string_view report, const std::string& out) {
  if (UpperCz(ExtensionOf(out)) == ".PDF") {
#ifdef ORVO_BATCH_WITH_QT
    BatchContext pdf{ctx.env, ctx.session, ctx.out, ctx.err, {std::string(report), out}, ctx.user, ctx.password,
                     ctx.dataRoot};
    return RunSesToPdf(pdf);
#else
    ctx.err << "orvo-batch doc: this build writes no PDF; give --out FILE.Ses\n";
    return kBatchUsage;
#endif
  }
  std::string target;
  if (int rc = OutputFile(ctx, out, &target); rc != 0) return rc;
  if (CopyFile(ctx.env, report, target, true) != 0) return kBatchFailed;
  WriteText(ctx.out, std::string(report) + " -> " + target + "\n");
  return kBatchOk;
}

int Doc(BatchContext& ctx, const Args& args) {
  const auto& w = args.Positional();
  const std::string what = w.empty() ? std::string() : w[0];
  const bool withId = what == "print" || what == "voucher" || what == "delete";
  const bool ok = (what == "post" && w.size() == 2) || ((what == "list" || what == "check") && w.size() == 1) ||
                  (withId && w.size() == 5 && (what == "delete" || args.Has("--out")));
  if (!ok) {
    ctx.err << kUsage;
    return kBatchUsage;
  }
  std::string text;
  std::string input;
  if (what == "post") {
    input = InputFile(ctx, w[1]);
    int io = 0;
    auto read = ctx.env.fs.ReadWhole(input, &io);
    if (!read) {
      FileExistsOrSay(ctx.env, input);
      return kBatchFailed;
    }
    text = *read;
    bool high = false;
    for (unsigned char c : text) high = high || c >= 0x80;
    if (high && Utf8FitsCp1250(text)) text = Utf8ToCp1250(text);
  }
  int rc = Enter(ctx);
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  TUctDokl dokl(session, session.engine);
  if (!dokl.Open()) return kBatchFailed;

  if (what == "post") {
    DoklBatchResult result;
    if (!PostDocuments(dokl, text, input, &result)) return kBatchFailed;
    WriteText(ctx.out, "Zauctovano dokladu: " + std::to_string(result.documents) +
                           ", radku: " + std::to_string(result.postings) + " do " + dokl.PostingFileName() + "\n");
    for (const std::string& n : result.numbers) WriteText(ctx.out, "  " + n + "\n");
    return kBatchOk;
  }
  if (what == "list" || what == "check") {
    int shown = 0;
    for (const DoklSummary& s : dokl.Documents()) {
      const bool unbalanced = std::fabs(s.debit - s.credit) > 0.005;
      if (what == "check" && !unbalanced) continue;
      ++shown;
      WriteText(ctx.out, IdText(s.id) + "  radku " + std::to_string(s.rows) + "  MD " + Amount(s.debit) +
                             "  Dal " + Amount(s.credit) +
                             (unbalanced ? "  rozdil " + Amount(s.debit - s.credit) : std::string()) + "\n");
    }
    if (what == "check") WriteText(ctx.out, "Nevyrovnane doklady: " + std::to_string(shown) + "\n");
    return kBatchOk;
  }
  if (!dokl.LoadDocument({w[1], w[2], w[3], w[4]})) return kBatchFailed;
  if (what == "delete") {
    if (!dokl.Delete()) return kBatchFailed;
    WriteText(ctx.out, "Zrusen doklad " + w[1] + " " + w[2] + " " + w[3] + " " + w[4] + "\n");
    return kBatchOk;
  }
  if (what == "print") {
    if (!dokl.WritePrint()) return kBatchFailed;
    return Deliver(ctx, kDoklPrintFile, args.Value("--out"));
  }
  if (!dokl.WriteVoucher()) return kBatchFailed;
  return Deliver(ctx, kDoklVoucherFile, args.Value("--out"));
}

}  // namespace

int RunDoc(BatchContext& ctx) {
  Args args(ctx.args, {{"--out", true}});
  if (!args.Ok()) {
    ctx.err << "orvo-batch doc: " << Cp1250ToUtf8(args.Error()) << "\n" << kUsage;
    return kBatchUsage;
  }
  try {
    return Doc(ctx, args);
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace orvo::cli
