// orvo-batch report: a dataset as the browser's text report.
#include <ostream>

#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/session.h"
#include "core/output/framed_report.h"
#include "core/output/print_settings.h"
#include "core/screens/report_batch.h"
#include "core/screens/report_hand_over.h"
#include "core/sys/encoding.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

// The framed report's pages of the written report, named after OUT; their
// names are printed, one a line.
int WriteFramedPages(BatchContext& ctx, const ReportJob& job, ReportLayout layout) {
  layout.file = job.out;
  RamHandOver handOver = RamHandOverOf(layout, job.frames);
  const PrintSettings settings = ReadPrintSettingsQuiet(ctx.env).value_or(PrintSettings{});
  RamModel model(ctx.env, handOver, settings.ReportFont);
  if (!model.Open()) return 1;
  const int pages = model.Build();
  ctx.env.fs.Remove(model.WorkFile());
  if (pages == 0) return 1;
  for (int p = 1; p <= pages; ++p) WriteText(ctx.out, model.PageFile(p) + "\n");
  return 0;
}

}  // namespace

int RunReport(BatchContext& ctx) {
  ReportJob job;
  std::string error;
  if (!ParseReportArgs(ctx.args, &job, &error)) {
    ctx.err << "orvo-batch report: " << Cp1250ToUtf8(error) << "\n"
            << "usage: orvo-batch " << kReportUsage << "\n";
    return 2;
  }
  if (int rc = OutputFile(ctx, job.out, &job.out); rc != 0) return rc;
  job.request.ScrFile = InputFile(ctx, job.request.ScrFile);
  job.request.ScrDef = InputFile(ctx, job.request.ScrDef);
  TCdsProc& engine = ctx.session.engine;
  try {
    ReportLayout layout;
    switch (RunReportJob(engine, job, &layout)) {
      case ReportJobResult::Written:
        return job.framed ? WriteFramedPages(ctx, job, layout) : 0;
      case ReportJobResult::EmptyTable:
        ctx.err << "orvo-batch report: " << Cp1250ToUtf8(job.request.ScrFile)
                << " holds no records; no report is made\n";
        return 1;
      case ReportJobResult::Failed: return 1;
    }
  } catch (const Termination&) {
    return 1;
  }
  return 1;
}

}  // namespace orvo::cli
