// Definitions and dataset files from the command line.
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/session.h"
#include "core/data/cds_dump.h"
#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/def_view.h"
#include "core/data/definition.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

int Usage(BatchContext& ctx, const char* usage, const std::string& error = {}) {
  if (!error.empty()) ctx.err << "orvo-batch: " << error << "\n";
  ctx.err << "orvo-batch: usage: orvo-batch " << usage << "\n";
  return 2;
}

constexpr const char* kCdsUsage =
    "cds dump FILE | cds from-text DEF TEXT OUT.Cds | cds to-xml FILE [--utf8] | "
    "cds from-xml FILE | cds def FILE DEF";

}  // namespace

int RunDef(BatchContext& ctx) {
  Args args(ctx.args, {});
  const auto& a = args.Positional();
  if (!args.Ok() || a.size() != 2 || a[0] != "show") return Usage(ctx, "def show DEF", args.Error());
  LoadedDef& def = ctx.session.def;
  if (!ReadDef(ctx.env, def, InputFile(ctx, a[1]))) return 1;
  WriteText(ctx.out, RenderDef(def));
  return 0;
}

int RunCds(BatchContext& ctx) {
  Args args(ctx.args, {{"--utf8"}});
  const auto& a = args.Positional();
  const std::string verb = a.empty() ? "" : a[0];
  const bool utf8 = args.Has("--utf8");
  TCdsProc& engine = ctx.session.engine;
  if (args.Ok() && utf8 && verb != "to-xml") return Usage(ctx, kCdsUsage, "--utf8 belongs to to-xml");
  if (!args.Ok()) return Usage(ctx, kCdsUsage, args.Error());
  if (verb == "dump" && a.size() == 2) {
    Dataset ds(ctx.env);
    if (!ds.LoadFromFile(InputFile(ctx, a[1]))) return 1;
    WriteText(ctx.out, DumpDataset(ds));
    return 0;
  }
  if (verb == "from-text" && a.size() == 4) {
    std::string out;
    if (int rc = OutputFile(ctx, a[3], &out); rc != 0) return rc;
    // The text is UTF-8, as a user writes it; named like every other file.
    const std::string textFile = InputFile(ctx, a[2]);
    int io = 0;
    auto text = ctx.env.fs.ReadWhole(textFile, &io);
    if (!text) {
      ctx.err << "orvo-batch: cannot read " << Cp1250ToUtf8(a[2]) << "\n";
      return 1;
    }
    // The table is made beside the target and takes its place only when
    // whole: a wrong definition or a bad line leaves the old file as it was.
    std::string dir = DirectoryOf(ctx.env.fs.FullPath(out));
    std::string made = dir + "\\~orvo-from-text.Cds";
    std::string error;
    bool ok = DatasetFromText(engine, InputFile(ctx, a[1]), Utf8ToCp1250(*text), made, &error);
    int placed = kIoOk;
    if (ok) {
      placed = ctx.env.fs.FileExists(out) ? ctx.env.fs.ReplaceWith(made, out)
                                          : ctx.env.fs.Rename(made, out);
    }
    if (!ok || placed != kIoOk) {
      ctx.env.fs.Remove(made);
      if (ok) error = "cannot write " + out;
      ctx.err << "orvo-batch: " << Cp1250ToUtf8(a[2]) << ": " << Cp1250ToUtf8(error) << "\n";
      return 1;
    }
    return 0;
  }
  if ((verb == "to-xml" || verb == "from-xml") && a.size() == 2) {
    std::string file;
    if (int rc = OutputFile(ctx, a[1], &file); rc != 0) return rc;
    engine.CdsXml(file, verb == "to-xml" && utf8 ? 1 : 2);
    return 0;
  }
  if (verb == "def" && a.size() == 3) {
    std::string def;
    if (int rc = OutputFile(ctx, a[2], &def); rc != 0) return rc;
    engine.params.CdsName = InputFile(ctx, a[1]);
    engine.params.DefName = def;
    engine.CdsDef();
    return 0;
  }
  return Usage(ctx, kCdsUsage);
}

}  // namespace orvo::cli
