// Definitions and dataset files from the command line.
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/batch.h"
#include "core/data/cds_dump.h"
#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/def_view.h"
#include "core/data/definition.h"
#include "core/sys/encoding.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

int Usage(BatchContext& ctx, const char* usage) {
  ctx.err << "orvo-batch: usage: orvo-batch " << usage << "\n";
  return 2;
}

bool ArgIs(const std::string& arg, const char* word) { return arg == word; }

}  // namespace

int RunDef(BatchContext& ctx) {
  if (ctx.args.size() != 2 || !ArgIs(ctx.args[0], "show")) return Usage(ctx, "def show DEF");
  LoadedDef def;
  if (!ReadDef(ctx.env, def, ctx.args[1])) return 1;
  WriteText(ctx.out, RenderDef(def));
  return 0;
}

int RunCds(BatchContext& ctx) {
  const auto& a = ctx.args;
  const std::string verb = a.empty() ? "" : a[0];
  LoadedDef def;
  TCdsProc engine(ctx.env, def);
  if (verb == "dump" && a.size() == 2) {
    Dataset ds(ctx.env);
    if (!ds.LoadFromFile(a[1])) return 1;
    WriteText(ctx.out, DumpDataset(ds));
    return 0;
  }
  if (verb == "from-text" && a.size() == 4) {
    // The text file is a host file in UTF-8, as a user writes it.
    std::ifstream in(Cp1250ToUtf8(a[2]), std::ios::binary);
    if (!in) {
      ctx.err << "orvo-batch: cannot read " << Cp1250ToUtf8(a[2]) << "\n";
      return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    if (!DatasetFromText(engine, a[1], Utf8ToCp1250(text.str()), a[3], &error)) {
      ctx.err << "orvo-batch: " << Cp1250ToUtf8(a[2]) << ": " << Cp1250ToUtf8(error) << "\n";
      return 1;
    }
    return 0;
  }
  if (verb == "to-xml" && (a.size() == 2 || (a.size() == 3 && a[2] == "--utf8"))) {
    engine.CdsXml(a[1], a.size() == 3 ? 1 : 2);
    return 0;
  }
  if (verb == "from-xml" && a.size() == 2) {
    engine.CdsXml(a[1], 2);
    return 0;
  }
  if (verb == "def" && a.size() == 3) {
    engine.params.CdsName = a[1];
    engine.params.DefName = a[2];
    engine.CdsDef();
    return 0;
  }
  return Usage(ctx,
               "cds dump FILE | cds from-text DEF TEXT OUT.Cds | cds to-xml FILE [--utf8] | "
               "cds from-xml FILE | cds def FILE DEF");
}

}  // namespace orvo::cli
