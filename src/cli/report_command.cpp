// orvo-batch report: a dataset as the browser's text report.
#include <ostream>

#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/app/session.h"
#include "core/screens/report_batch.h"
#include "core/sys/encoding.h"
#include "core/sys/termination.h"

namespace orvo::cli {

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
    switch (RunReportJob(engine, job)) {
      case ReportJobResult::Written: return 0;
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
