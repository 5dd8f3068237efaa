// orvo-batch ses-to-pdf: a report rendered as the graphic print does it,
// into a PDF file, for scripts. Built only with Qt.
#ifdef ORVO_BATCH_WITH_QT

#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/output/column_mask.h"
#include "core/output/print_settings.h"
#include "core/output/report_file.h"
#include "core/output/report_print.h"
#include "core/output/vyst_model.h"
#include "core/sys/encoding.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"
#include "paint/report_painter.h"

namespace orvo::cli {

namespace {

// "X:\..." names a logical path; anything else is a path of this machine.
std::optional<std::string> HostPathOf(Env& env, const std::string& arg) {
  if (arg.size() >= 2 && arg[1] == ':' &&
      ((arg[0] >= 'A' && arg[0] <= 'Z') || (arg[0] >= 'a' && arg[0] <= 'z'))) {
    return env.fs.HostPath(env.fs.FullPath(arg));  // arguments arrive in Windows-1250
  }
  return arg;
}

int Usage(BatchContext& ctx, std::string_view why) {
  ctx.err << "orvo-batch ses-to-pdf: " << why
          << "\nUsage: orvo-batch ses-to-pdf REPORT.Ses OUT.pdf [--from N --to M] "
             "[--mask \"x1/y1 ...\"] [--left N] [--top N]\n";
  return 2;
}

}  // namespace

int RunSesToPdf(BatchContext& ctx) {
  Env& env = ctx.env;
  Args args(ctx.args, {{"--from", true}, {"--to", true}, {"--left", true}, {"--top", true}, {"--mask", true}});
  if (!args.Ok()) return Usage(ctx, args.Error());
  for (const char* option : {"--from", "--to", "--left", "--top"}) {
    const std::string value = args.Value(option, "0");
    if (value.empty() || !IsDigits(value)) return Usage(ctx, std::string("bad option ") + option + " " + value);
  }
  const std::vector<std::string>& positional = args.Positional();
  VystHandOver margins;
  const std::string first = args.Value("--from", "1");
  const std::string last = args.Value("--to", "99999");
  const std::string left = args.Value("--left", std::to_string(margins.VystLeftMargin));
  const std::string top = args.Value("--top", std::to_string(margins.VystTopMargin));
  const std::string mask = args.Value("--mask");
  if (positional.size() != 2) return Usage(ctx, "needs REPORT.Ses and OUT.pdf");
  std::string outLogical;
  if (int rc = OutputFile(ctx, positional[1], &outLogical); rc != 0) return rc;
  auto report = HostPathOf(env, InputFile(ctx, positional[0]));
  auto out = HostPathOf(env, outLogical);
  if (!report || !out) return Usage(ctx, "the drive of a path is not mapped");

  std::ifstream in(*report, std::ios::binary);
  if (!in) {
    ErrorBox(env, "Soubor:\r\r\"" + positional[0] + "\"\r\r     - nebyl nalezen !");
    return 1;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::vector<std::string> lines = SplitReportLines(bytes.str());
  if (MaskWanted(mask)) lines = ApplyMaskToReport(lines, ParseMask(mask));

  const PrintSettings settings = ReadPrintSettingsQuiet(env).value_or(PrintSettings{});
  const PageRange range = PageRangeFromFields(first, last);
  bool tooWide = false;
  PageRange printed;
  auto pages = WriteGraphicPrintPdf(
      *out, settings.ReportFont, settings.PageOrientation,
      [&](const PageMeasure& measure) -> std::optional<GraphicPrintPlan> {
        GraphicPrintPlan plan = PlanGraphicPrint(lines, range, PageNumberFromText(left),
                                                 PageNumberFromText(top), measure);
        tooWide = plan.tooWide;
        printed = plan.range;
        if (tooWide) return std::nullopt;
        return plan;
      });
  if (tooWide) {
    InfoBox(env, kReportTooWide);
    return 1;
  }
  if (!pages) {
    ctx.err << "orvo-batch ses-to-pdf: cannot write " << positional[1] << "\n";
    return 1;
  }
  if (*pages == 0) {
    ctx.out << "Nothing to print: the report has " << CountPages(lines) << " page(s).\n";
    return 1;
  }
  ctx.out << "Pages " << printed.first << " to " << printed.last << " of the report: " << *pages
          << " sheet(s) written to " << positional[1] << "\n";
  return 0;
}

}  // namespace orvo::cli

#endif  // ORVO_BATCH_WITH_QT
