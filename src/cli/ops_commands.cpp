// The dataset operations and imports from the command line, for
// administrators and scripts. Each fills the engine's parameter block just
// as the accounting does before its call.
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/session.h"
#include "core/shell/file_names.h"
#include "core/data/cds_proc.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset_ops.h"
#include "core/data/imports.h"
#include "core/sys/files.h"

namespace orvo::cli {

namespace {

// Where the companion definition of a widened result goes unless asked.
constexpr const char* kCompanionDef = "C:\\A_Run\\Work\\CdsProcX.Def";

int Usage(BatchContext& ctx, const std::string& usage, const std::string& error) {
  if (!error.empty()) ctx.err << "orvo-batch: " << error << "\n";
  ctx.err << "orvo-batch: usage: orvo-batch " << usage << "\n";
  return 2;
}

// The sort, summation and reduction of a file into another, by word list.
int KeyedOperation(BatchContext& ctx, const char* usage, const Args& a,
                   bool (*run)(TCdsProc&, TDatProc&, const Args&)) {
  if (!a.Ok()) return Usage(ctx, usage, a.Error());
  if (a.Positional().size() != 4) return Usage(ctx, usage, "");
  if (!a.Has("--keys")) return Usage(ctx, usage, "--keys is missing");
  TCdsProc& cds = ctx.session.engine;
  // Any number of words passes here: the operation itself says how many it takes.
  auto keys = NumberList(a.Value("--keys"), kMaxDefWords, std::numeric_limits<int>::max());
  if (!keys) return Usage(ctx, usage, "--keys needs word numbers like 3,1");
  std::string outCds, outDef, xDef;
  if (int rc = OutputFile(ctx, a.Positional()[2], &outCds); rc != 0) return rc;
  if (int rc = OutputFile(ctx, a.Positional()[3], &outDef); rc != 0) return rc;
  if (int rc = OutputFile(ctx, a.Value("--xdef", kCompanionDef), &xDef); rc != 0) return rc;
  MakeDirPath(ctx.env, kWorkDir);
  TDatProc dat(ctx.env, ctx.session.def);
  cds.params.InCds = InputFile(ctx, a.Positional()[0]);
  cds.params.InDef = InputFile(ctx, a.Positional()[1]);
  cds.params.OutCds = outCds;
  cds.params.OutDef = outDef;
  cds.params.XDefName = xDef;
  // The table holds 200 words; a longer list keeps its count, which the
  // operation refuses with its own message ("Seznam slov obsahuje ...").
  cds.params.PocSlov = static_cast<int>(keys->size());
  for (size_t i = 0; i < keys->size() && i < cds.params.SezSlov.size(); ++i) cds.params.SezSlov[i] = (*keys)[i];
  cds.params.SortBlock = 2000;
  cds.params.SortMode = 2;
  return run(cds, dat, a) ? 0 : 1;
}

}  // namespace

int RunSort(BatchContext& ctx) {
  return KeyedOperation(ctx, "sort IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--drop-blank]",
                        Args(ctx.args, {{"--keys", true}, {"--drop-blank"}}),
                        [](TCdsProc& cds, TDatProc&, const Args& a) { return SortF(cds, a.Has("--drop-blank")); });
}

int RunSum(BatchContext& ctx) {
  return KeyedOperation(ctx, "sum IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--xdef X.Def]",
                        Args(ctx.args, {{"--keys", true}, {"--xdef", true}}),
                        [](TCdsProc& cds, TDatProc& dat, const Args&) { return SumF(cds, dat); });
}

int RunReduce(BatchContext& ctx) {
  return KeyedOperation(ctx, "reduce IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1",
                        Args(ctx.args, {{"--keys", true}}),
                        [](TCdsProc& cds, TDatProc&, const Args&) { return RedF(cds); });
}

int RunAppend(BatchContext& ctx) {
  Args a(ctx.args, {});
  if (!a.Ok() || a.Positional().size() != 2) return Usage(ctx, "append A.Cds R.Cds", a.Error());
  std::string target;
  if (int rc = OutputFile(ctx, a.Positional()[1], &target); rc != 0) return rc;
  AppendCds(ctx.session.engine, InputFile(ctx, a.Positional()[0]), target);
  return 0;
}

int RunRestruct(BatchContext& ctx) {
  Args a(ctx.args, {});
  if (!a.Ok() || a.Positional().size() != 3) {
    return Usage(ctx, "restruct OLD.Cds NEW.Def NEW.Cds", a.Error());
  }
  std::string target;
  if (int rc = OutputFile(ctx, a.Positional()[2], &target); rc != 0) return rc;
  ReStruktCds(ctx.session.engine, InputFile(ctx, a.Positional()[0]),
              InputFile(ctx, a.Positional()[1]), target);
  return 0;
}

int RunImport(BatchContext& ctx) {
  const char* usage =
      "import text|ldb|csv FILE DEF OUT.Cds [--codepage 0|2|3] [--sep C] [--quote C] [--xdef X.Def]";
  Args a(ctx.args, {{"--codepage", true}, {"--sep", true}, {"--quote", true}, {"--xdef", true}});
  if (!a.Ok() || a.Positional().size() != 4) return Usage(ctx, usage, a.Error());
  const std::string& kind = a.Positional()[0];
  if (kind != "text" && kind != "ldb" && kind != "csv") return Usage(ctx, usage, "unknown kind " + kind);
  const std::string codePage = a.Value("--codepage", "0");
  if (codePage != "0" && codePage != "2" && codePage != "3") return Usage(ctx, usage, "--codepage is 0, 2 or 3");
  const std::string separator = a.Value("--sep", "|");
  const std::string quote = a.Value("--quote", "\"");
  if (separator.size() != 1) return Usage(ctx, usage, "--sep needs one character");
  if (quote.size() != 1) return Usage(ctx, usage, "--quote needs one character");
  std::string outCds, xDef;
  if (int rc = OutputFile(ctx, a.Positional()[3], &outCds); rc != 0) return rc;
  if (int rc = OutputFile(ctx, a.Value("--xdef", kCompanionDef), &xDef); rc != 0) return rc;
  MakeDirPath(ctx.env, kWorkDir);
  TCdsProc& cds = ctx.session.engine;
  cds.params.DatName = InputFile(ctx, a.Positional()[1]);
  cds.params.DefName = InputFile(ctx, a.Positional()[2]);
  cds.params.CdsName = outCds;
  cds.params.XDefName = xDef;
  const int cp = codePage[0] - '0';
  bool ok = kind == "text"  ? KonvTxCds(cds, cp)
            : kind == "ldb" ? KonvLdbCds(cds, cp)
                            : KonvCsvCds(cds, cp, separator[0], quote[0]);
  return ok ? 0 : 1;
}

}  // namespace orvo::cli
