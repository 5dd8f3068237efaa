// orvo-batch legacy codelists | balances | postings [--yes]: the menu "Dos"
// without windows. Logs in as the main window does (role Admin), runs the
// conversion and prints every file converted and every file skipped with
// the reason. Existing files are replaced only with --yes.
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "core/accounting/legacy_conversion.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/console_ui.h"
#include "core/sys/encoding.h"
#include "core/sys/messages.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

constexpr const char* kUsage = "orvo-batch legacy: codelists | balances | postings [--yes]\n";

int Convert(BatchContext& ctx, MenuAction action) {
  Session& session = ctx.session;
  int rc = EnterBooks(ctx, action);
  if (rc != kBatchOk) return rc;
  if (!LegacyDataDirUsable(session)) return kBatchFailed;
  LegacyConversion conversion(session, session.engine, session.codeList);
  conversion.quiet = true;
  const ConversionSummary summary = action == MenuAction::DosPrevCis     ? conversion.CodeLists()
                                    : action == MenuAction::DosPrevStavy ? conversion.Balances()
                                                                         : conversion.Postings();
  for (const auto& [from, to] : summary.converted) WriteText(ctx.out, "Prevedeno: " + from + " -> " + to + "\n");
  for (const auto& [file, why] : summary.skipped) WriteText(ctx.out, "Preskoceno: " + file + " (" + why + ")\n");
  if (summary.declined) {
    ctx.err << "orvo-batch legacy: nothing converted; existing files are replaced only with --yes\n";
    return kBatchFailed;
  }
  return summary.skipped.empty() && !summary.converted.empty() ? kBatchOk : kBatchFailed;
}

}  // namespace

int RunLegacy(BatchContext& ctx) {
  Args args(ctx.args, {{"--yes", false}});
  const auto& w = args.Positional();
  MenuAction action = MenuAction::None;
  if (args.Ok() && w.size() == 1) {
    if (w[0] == "codelists") action = MenuAction::DosPrevCis;
    if (w[0] == "balances") action = MenuAction::DosPrevStavy;
    if (w[0] == "postings") action = MenuAction::DosPrevObraty;
  }
  if (action == MenuAction::None) {
    if (!args.Ok()) ctx.err << "orvo-batch legacy: " << Cp1250ToUtf8(args.Error()) << "\n";
    ctx.err << kUsage;
    return kBatchUsage;
  }
  if (args.Has("--yes")) {
    if (auto* console = dynamic_cast<ConsoleUi*>(&ctx.env.ui)) console->SetAnswerYes(true);
  }
  try {
    return Convert(ctx, action);
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace orvo::cli
