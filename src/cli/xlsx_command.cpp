// orvo-batch xlsx: a table into a spreadsheet workbook, as the dataset
// browser's "  Excel" writes it (in the report font of the print settings).
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/output/print_settings.h"
#include "core/screens/cds_excel.h"
#include "core/sys/encoding.h"
#include "core/sys/termination.h"

namespace orvo::cli {

int RunXlsx(BatchContext& ctx) {
  Args args(ctx.args, {});
  if (!args.Ok() || args.Positional().size() != 3) {
    ctx.err << "orvo-batch xlsx: " << (args.Ok() ? "needs DATA.Cds, DEF.Def and OUT.xlsx" : args.Error())
            << "\nusage: orvo-batch xlsx DATA.Cds DEF.Def OUT.xlsx\n";
    return 2;
  }
  const std::vector<std::string>& positional = args.Positional();
  std::string out;
  if (int rc = OutputFile(ctx, positional[2], &out); rc != 0) return rc;
  const std::string data = InputFile(ctx, positional[0]);
  const std::string defFile = InputFile(ctx, positional[1]);
  auto host = ctx.env.fs.HostPath(out);
  if (!host) {
    ctx.err << "orvo-batch xlsx: the drive of " << Cp1250ToUtf8(out) << " is not mapped\n";
    return 2;
  }
  try {
    LoadedDef def;
    if (!ReadDef(ctx.env, def, defFile)) return 1;
    Dataset table(ctx.env);
    if (!table.LoadFromFile(data)) return 1;
    const PrintSettings settings = ReadPrintSettingsQuiet(ctx.env).value_or(PrintSettings{});
    if (!XlsxFromDataset(ctx.env, table, def, data, defFile, settings.ReportFont, *host).written) return 1;
  } catch (const Termination&) {
    return 1;
  }
  WriteText(ctx.out, out + "\n");
  return 0;
}

}  // namespace orvo::cli
