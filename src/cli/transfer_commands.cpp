// The commands of the menu "Prevody": the accumulations of the sibling
// systems' transfer files, the konto-name completion and the automatic
// transfers. Each logs in as the main window does and passes the guard of
// the menu item it stands for; a question the menu asks is answered by
// --yes, and without it the command refuses.
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/accounting/accumulation.h"
#include "core/accounting/auto_transfer.h"
#include "core/accounting/konto_names.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/app/transfer_menu.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/encoding.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo::cli {

namespace {

constexpr const char* kAccumulateUsage =
    "orvo-batch accumulate: pexo|ramu|sramu|kolo|mzdy|vint-zavod|vint-stredisko [FILE] [--yes]\n";

int Enter(BatchContext& ctx, MenuAction action) { return EnterBooks(ctx, action); }

int Accumulation(BatchContext& ctx, const Args& args) {
  const auto& w = args.Positional();
  KumItem item = KumItem::Pexo;
  if (w.empty() || w.size() > 2 || !KumItemByName(w[0], &item)) {
    ctx.err << kAccumulateUsage;
    return kBatchUsage;
  }
  int rc = Enter(ctx, ActionOfKumItem(item));
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  std::string file;
  if (w.size() == 2) {
    file = InputFile(ctx, w[1]);
    // A bare name is looked for where the dialog opens.
    if (w[1].find_first_of("\\/:") == std::string::npos) {
      file = (item == KumItem::Pexo ? session.DataRoot + "\\LPexo\\Prevody" : AppDir(session, "Prevody")) +
             "\\" + w[1];
    }
  } else if (item != KumItem::Pexo) {
    ctx.err << "orvo-batch accumulate " << w[0] << ": give the transfer FILE (the menu asks for it)\n";
    return kBatchUsage;
  }
  const bool yes = args.Has("--yes");
  int handEntered = 0;
  KumOutcome outcome = Accumulate(session, session.engine, item, file, [&](int count) {
    handEntered = count;
    return yes;
  });
  if (!outcome.done) {
    if (handEntered > 0 && !yes) {
      ctx.err << "orvo-batch accumulate: " << handEntered
              << " postings of hand-entered documents (source 00) would be dropped; nothing changed, "
                 "give --yes to go on\n";
    }
    return kBatchFailed;
  }
  WriteText(ctx.out, "Kumulace " + outcome.transferFile + ": odstraneno " + std::to_string(outcome.dropped) +
                         ", pridano " + std::to_string(outcome.added) + " zaznamu do " + PostingFile(session) +
                         "\n");
  return kBatchOk;
}

int Konta(BatchContext& ctx) {
  int rc = Enter(ctx, MenuAction::KumPexo);
  if (rc != kBatchOk) return rc;
  int filled = 0;
  if (!DoplKontoPostings(ctx.session, &filled)) return kBatchFailed;
  WriteText(ctx.out, "Doplneno nazvu kont: " + std::to_string(filled) + " v " + PostingFile(ctx.session) + "\n");
  return kBatchOk;
}

constexpr const char* kAutoUsage =
    "orvo-batch auto-transfer: DEF --source current|month YYMM|turnovers [--id ID] [--yes]\n";

int AutoTransfer(BatchContext& ctx, const Args& args) {
  const auto& w = args.Positional();
  const std::string source = args.Value("--source", "current");
  AutRequest request;
  if (source == "current" && w.size() == 1) {
    request.source = AutSource::Current;
  } else if (source == "turnovers" && w.size() == 1) {
    request.source = AutSource::Turnovers;
  } else if (source == "month" && w.size() == 2) {
    request.source = AutSource::Month;
    request.period = w[1];
  } else {
    ctx.err << kAutoUsage;
    return kBatchUsage;
  }
  int rc = Enter(ctx, MenuAction::AutPrev);
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  request.defFile = InputFile(ctx, w[0]);
  // A bare name is looked for where the dialog opens.
  if (w[0].find_first_of("\\/:") == std::string::npos) {
    request.defFile = AppDir(session, "DefSoub") + "\\" + w[0];
  }
  request.id = args.Has("--id") ? args.Value("--id") : session.UnitKey + "9901";
  const bool yes = args.Has("--yes");
  int foreign = 0;
  AutOutcome outcome = orvo::RunAutoTransfer(session, session.engine, request, [&](int count) {
    foreign = count;
    return yes;
  });
  if (!outcome.done) {
    if (foreign > 0 && !yes) {
      ctx.err << "orvo-batch auto-transfer: " << foreign
              << " postings under the identification were not written by a transfer; nothing changed, "
                 "give --yes to replace them\n";
    }
    return kBatchFailed;
  }
  WriteText(ctx.out, "Automaticke prevody " + RemoveBlanks(request.id) + ": odstraneno " +
                         std::to_string(outcome.removed) + ", pridano " + std::to_string(outcome.added) +
                         " zaznamu do " + PostingFile(session) + "\n");
  return kBatchOk;
}

template <typename Run>
int Guard(Run run) {
  try {
    return run();
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace

int RunAccumulate(BatchContext& ctx) {
  Args args(ctx.args, {{"--yes", false}});
  if (!args.Ok()) {
    ctx.err << kAccumulateUsage;
    return kBatchUsage;
  }
  return Guard([&] { return Accumulation(ctx, args); });
}

int RunKonta(BatchContext& ctx) {
  Args args(ctx.args, {});
  if (!args.Ok() || args.Positional().size() != 1 || args.Positional()[0] != "complete") {
    ctx.err << "orvo-batch konta: complete\n";
    return kBatchUsage;
  }
  return Guard([&] { return Konta(ctx); });
}

int RunAutoTransfer(BatchContext& ctx) {
  Args args(ctx.args, {{"--source", true}, {"--id", true}, {"--yes", false}});
  if (!args.Ok() || args.Positional().empty()) {
    ctx.err << kAutoUsage;
    return kBatchUsage;
  }
  return Guard([&] { return AutoTransfer(ctx, args); });
}

}  // namespace orvo::cli
