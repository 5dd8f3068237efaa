// `orvo-batch calc`: the cost calculation computed as "  Proved" of the
// calculation window computes it, at the chosen organisational level, after
// the login and the guard of the menu item "Vypocet".
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/batch_commands.h"
#include "core/app/main_menu.h"
#include "core/app/session.h"
#include "core/reports/calculation.h"
#include "core/sys/copy.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

constexpr const char* kCalcUsage = "orvo-batch calc DEF --level podnik|zavod|sprava|stredisko [--out FILE]\n";

int Compute(BatchContext& ctx, const Args& args) {
  const auto& words = args.Positional();
  static const char* const kLevels[] = {"podnik", "zavod", "sprava", "stredisko"};
  CalculationRequest request;
  bool levelOk = false;
  for (int i = 0; i < 4; ++i) {
    if (args.Value("--level") == kLevels[i]) {
      request.level = static_cast<StatementLevel>(i);
      levelOk = true;
    }
  }
  if (!levelOk || words.size() != 1) {
    ctx.err << kCalcUsage;
    return kBatchUsage;
  }
  int rc = EnterBooks(ctx, MenuAction::Kalkulace);
  if (rc != kBatchOk) return rc;
  request.defFile = DefinitionFile(ctx, words[0]);
  std::string out;
  if (args.Has("--out")) {
    rc = OutputFile(ctx, args.Value("--out"), &out);
    if (rc != kBatchOk) return rc;
  }
  Session& session = ctx.session;
  CalculationResult result = RunCalculation(session, session.engine, request);
  for (const std::string& note : result.notes) WriteText(ctx.out, note + "\n");
  if (!result.ok) return kBatchFailed;
  if (result.pages == 0) return kBatchFailed;
  if (!out.empty() && !SafeReplace(ctx.env, result.reportFile, out, true)) return kBatchFailed;
  WriteText(ctx.out, result.title + ": " + std::to_string(result.pages) + " " +
                         (result.pages == 1 ? "strana" : "stran") + ", sestava " +
                         (out.empty() ? result.reportFile : out) + ", tabulka " + result.datasetFile + "\n");
  return kBatchOk;
}

}  // namespace

int RunCalc(BatchContext& ctx) {
  Args args(ctx.args, {{"--level", true}, {"--out", true}});
  if (!args.Ok() || args.Positional().empty()) {
    ctx.err << kCalcUsage;
    return kBatchUsage;
  }
  try {
    return Compute(ctx, args);
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace orvo::cli
