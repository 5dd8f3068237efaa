// The statements' commands: `eval` (the expression evaluator as the
// expression window uses it: every name is 0), `statement` (a statement
// computed as "  Proved" of the statements window computes it) and
// `statement check` (what keeps a definition from computing what its author
// meant). Each logs in as the main window does and passes the guard of the
// menu item it stands for.
#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/data/dataset.h"
#include "core/reports/evaluator.h"
#include "core/reports/statement.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/copy.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/program.h"
#include "core/sys/text.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

constexpr const char* kStatementUsage =
    "orvo-batch statement DEF --level podnik|zavod|sprava|stredisko "
    "[--source current | month YYMM | turnovers FROM TO] [--out FILE] | statement check DEF\n";

template <typename Run>
int Guard(Run run) {
  try {
    return run();
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace

std::string DefinitionFile(BatchContext& ctx, const std::string& arg) {
  if (arg.find_first_of("\\/:") == std::string::npos) return AppDir(ctx.session, "DefSoub") + "\\" + arg;
  return InputFile(ctx, arg);
}

namespace {

MenuAction ActionOf(const std::string& defFile) {
  const std::string name = UpperCz(FileNameOf(defFile));
  if (name == "VYKZVYSL.DEF") return MenuAction::VykVysl;
  if (name == "VYKZROZV.DEF") return MenuAction::VykRozv;
  return MenuAction::VykVol;
}

// The accounts of the chart of the working year; empty when it is missing.
std::vector<std::string> ChartAccounts(BatchContext& ctx) {
  std::vector<std::string> accounts;
  const std::string file = AppDir(ctx.session, "Cisel") + "\\" + ctx.session.PeriodYear + "Ucty.Cds";
  if (!FileExistsQuiet(ctx.env, file)) {
    ctx.err << "orvo-batch statement check: no chart of accounts " << Cp1250ToUtf8(file)
            << "; the accounts are not checked\n";
    return accounts;
  }
  Dataset ds(ctx.env);
  if (!ds.LoadFromFile(file)) return accounts;
  const int f = std::max(0, ds.FieldIndex("Ucet"));
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::string account = Trim(ds.StringAt(r, f));
    if (!account.empty()) accounts.push_back(std::move(account));
  }
  return accounts;
}

int Check(BatchContext& ctx, const std::string& arg) {
  int rc = EnterBooks(ctx, ActionOf(arg));
  if (rc != kBatchOk) return rc;
  const std::string defFile = DefinitionFile(ctx, arg);
  std::optional<StatementDefinition> def = ReadStatementDefinition(ctx.env, defFile);
  if (!def) return kBatchFailed;
  const std::vector<std::string> report = CheckStatementDefinition(*def, ChartAccounts(ctx));
  for (const std::string& line : report) WriteText(ctx.out, line + "\n");
  if (!report.empty()) return kBatchFailed;
  WriteText(ctx.out, "Definice vykazu " + defFile + " je v poradku\n");
  return kBatchOk;
}

int Compute(BatchContext& ctx, const Args& args) {
  const auto& words = args.Positional();
  static const char* const kLevels[] = {"podnik", "zavod", "sprava", "stredisko"};
  StatementRequest request;
  bool levelOk = false;
  for (int i = 0; i < 4; ++i) {
    if (args.Value("--level") == kLevels[i]) {
      request.level = static_cast<StatementLevel>(i);
      levelOk = true;
    }
  }
  const std::string source = args.Has("--source") ? args.Value("--source") : "current";
  size_t periods = 0;
  if (source == "current") {
    request.source = BalanceSource::Current;
  } else if (source == "month") {
    request.source = BalanceSource::Month;
    periods = 1;
  } else if (source == "turnovers") {
    request.source = BalanceSource::Turnovers;
    periods = 2;
  } else {
    levelOk = false;
  }
  if (!levelOk || words.size() != 1 + periods) {
    ctx.err << kStatementUsage;
    return kBatchUsage;
  }
  if (periods >= 1) request.from = words[1];
  if (periods == 2) request.to = words[2];
  int rc = EnterBooks(ctx, ActionOf(words[0]));
  if (rc != kBatchOk) return rc;
  request.defFile = DefinitionFile(ctx, words[0]);
  std::string out;
  if (args.Has("--out")) {
    rc = OutputFile(ctx, args.Value("--out"), &out);
    if (rc != kBatchOk) return rc;
  }
  Session& session = ctx.session;
  GetPrintSettings(ctx.env, session.printSettings);
  request.pageRows = session.printSettings.PageRows;
  StatementResult result = RunStatement(session, session.engine, request);
  if (!result.ok) return kBatchFailed;
  if (!out.empty() && !SafeReplace(ctx.env, result.reportFile, out, true)) return kBatchFailed;
  WriteText(ctx.out, result.title + ": " + std::to_string(result.units) + " " +
                         (result.units == 1 ? "jednotka" : "jednotek") + ", sestava " +
                         (out.empty() ? result.reportFile : out) + ", tabulka " + result.datasetFile + "\n");
  return kBatchOk;
}

}  // namespace

int RunEval(BatchContext& ctx) {
  Args args(ctx.args, {});
  if (!args.Ok() || args.Positional().empty()) {
    ctx.err << "orvo-batch eval \"EXPRESSION\"\n";
    return kBatchUsage;
  }
  return Guard([&] {
    int rc = EnterBooks(ctx, MenuAction::None);
    if (rc != kBatchOk) return rc;
    std::string expression;
    for (const std::string& w : args.Positional()) expression += w;
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", Evaluate(expression) + 0.0L);
    WriteText(ctx.out, std::string(text) + "\n");
    return kBatchOk;
  });
}

int RunStatement(BatchContext& ctx) {
  Args args(ctx.args, {{"--level", true}, {"--source", true}, {"--out", true}});
  if (!args.Ok() || args.Positional().empty()) {
    ctx.err << kStatementUsage;
    return kBatchUsage;
  }
  const auto& words = args.Positional();
  if (words[0] == "check") {
    if (words.size() != 2 || args.Has("--level") || args.Has("--source") || args.Has("--out")) {
      ctx.err << kStatementUsage;
      return kBatchUsage;
    }
    return Guard([&] { return Check(ctx, words[1]); });
  }
  return Guard([&] { return Compute(ctx, args); });
}

}  // namespace orvo::cli
