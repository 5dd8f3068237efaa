// The dataset operations and imports from the command line, for
// administrators and scripts. Each fills the engine's parameter block just
// as the accounting does before its call.
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/data/cds_proc.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset_ops.h"
#include "core/data/imports.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

namespace orvo::cli {

namespace {

constexpr const char* kWorkDir = "C:\\A_Run\\Work";
// Where the companion definition of a widened result goes unless asked.
constexpr const char* kCompanionDef = "C:\\A_Run\\Work\\CdsProcX.Def";

struct OpArgs {
  std::vector<std::string> positional;
  std::vector<int> keys;
  bool dropBlank = false;
  int codePage = 0;
  char separator = '|';
  char quote = '"';
  std::string xdef = kCompanionDef;
  std::string error;
};

// "3,1,2" -> {3, 1, 2}; empty on anything that is not a positive number.
std::vector<int> ParseKeys(const std::string& text) {
  std::vector<int> keys;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return {};
    int k = static_cast<int>(TextToInt(part));
    if (k <= 0 || k > 200) return {};
    keys.push_back(k);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return keys;
}

OpArgs Parse(const std::vector<std::string>& args) {
  OpArgs r;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        r.error = a + " needs a value";
        return {};
      }
      return args[++i];
    };
    if (a == "--keys") {
      r.keys = ParseKeys(value());
      if (r.keys.empty() && r.error.empty()) r.error = "--keys needs word numbers like 3,1";
    } else if (a == "--drop-blank") {
      r.dropBlank = true;
    } else if (a == "--codepage") {
      std::string v = value();
      if (v != "0" && v != "2" && v != "3") r.error = "--codepage is 0, 2 or 3";
      r.codePage = v.empty() ? 0 : v[0] - '0';
    } else if (a == "--sep" || a == "--quote") {
      std::string v = value();
      if (v.size() != 1) r.error = a + " needs one character";
      else (a == "--sep" ? r.separator : r.quote) = v[0];
    } else if (a == "--xdef") {
      r.xdef = value();
    } else if (a.rfind("--", 0) == 0) {
      r.error = "unknown option " + a;
    } else {
      r.positional.push_back(a);
    }
    if (!r.error.empty()) break;
  }
  return r;
}

int Usage(BatchContext& ctx, const std::string& usage, const std::string& error) {
  if (!error.empty()) ctx.err << "orvo-batch: " << error << "\n";
  ctx.err << "orvo-batch: usage: orvo-batch " << usage << "\n";
  return 2;
}

// The sort, summation and reduction of a file into another, by word list.
int KeyedOperation(BatchContext& ctx, const char* usage,
                   bool (*run)(TCdsProc&, TDatProc&, const OpArgs&)) {
  OpArgs a = Parse(ctx.args);
  if (!a.error.empty() || a.positional.size() != 4 || a.keys.empty()) {
    return Usage(ctx, usage, a.error.empty() && a.keys.empty() ? "--keys is missing" : a.error);
  }
  MakeDirPath(ctx.env, kWorkDir);
  LoadedDef def;
  TCdsProc cds(ctx.env, def);
  TDatProc dat(ctx.env, def);
  cds.params.InCds = a.positional[0];
  cds.params.InDef = a.positional[1];
  cds.params.OutCds = a.positional[2];
  cds.params.OutDef = a.positional[3];
  cds.params.XDefName = a.xdef;
  // The table holds 200 words; a longer list keeps its count, which the
  // operation refuses with its own message ("Seznam slov obsahuje ...").
  cds.params.PocSlov = static_cast<int>(a.keys.size());
  for (size_t i = 0; i < a.keys.size() && i < cds.params.SezSlov.size(); ++i) cds.params.SezSlov[i] = a.keys[i];
  cds.params.SortBlock = 2000;
  cds.params.SortMode = 2;
  return run(cds, dat, a) ? 0 : 1;
}

}  // namespace

int RunSort(BatchContext& ctx) {
  return KeyedOperation(ctx, "sort IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--drop-blank]",
                        [](TCdsProc& cds, TDatProc&, const OpArgs& a) { return SortF(cds, a.dropBlank); });
}

int RunSum(BatchContext& ctx) {
  return KeyedOperation(ctx, "sum IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--xdef X.Def]",
                        [](TCdsProc& cds, TDatProc& dat, const OpArgs&) { return SumF(cds, dat); });
}

int RunReduce(BatchContext& ctx) {
  return KeyedOperation(ctx, "reduce IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1",
                        [](TCdsProc& cds, TDatProc&, const OpArgs&) { return RedF(cds); });
}

int RunAppend(BatchContext& ctx) {
  if (ctx.args.size() != 2) return Usage(ctx, "append A.Cds R.Cds", "");
  LoadedDef def;
  TCdsProc cds(ctx.env, def);
  AppendCds(cds, ctx.args[0], ctx.args[1]);
  return 0;
}

int RunRestruct(BatchContext& ctx) {
  if (ctx.args.size() != 3) return Usage(ctx, "restruct OLD.Cds NEW.Def NEW.Cds", "");
  LoadedDef def;
  TCdsProc cds(ctx.env, def);
  ReStruktCds(cds, ctx.args[0], ctx.args[1], ctx.args[2]);
  return 0;
}

int RunImport(BatchContext& ctx) {
  const char* usage =
      "import text|ldb|csv FILE DEF OUT.Cds [--codepage 0|2|3] [--sep C] [--quote C] [--xdef X.Def]";
  OpArgs a = Parse(ctx.args);
  if (!a.error.empty() || a.positional.size() != 4) return Usage(ctx, usage, a.error);
  const std::string& kind = a.positional[0];
  if (kind != "text" && kind != "ldb" && kind != "csv") return Usage(ctx, usage, "unknown kind " + kind);
  MakeDirPath(ctx.env, kWorkDir);
  LoadedDef def;
  TCdsProc cds(ctx.env, def);
  cds.params.DatName = a.positional[1];
  cds.params.DefName = a.positional[2];
  cds.params.CdsName = a.positional[3];
  cds.params.XDefName = a.xdef;
  bool ok = kind == "text"  ? KonvTxCds(cds, a.codePage)
            : kind == "ldb" ? KonvLdbCds(cds, a.codePage)
                            : KonvCsvCds(cds, a.codePage, a.separator, a.quote);
  return ok ? 0 : 1;
}

}  // namespace orvo::cli
