// orvo-batch ses-to-jpeg: a report as the page pictures of the text-to-
// graphic window (T_I_<base>_nnnn.Jpg in C:\A_Run\Sestavy), their names
// printed, and optionally pages joined into a PDF file. Built only with Qt.
#ifdef ORVO_BATCH_WITH_QT

#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/file_args.h"
#include "core/output/graphic_report.h"
#include "core/output/print_settings.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"
#include "paint/graphic_pictures.h"
#include "paint/report_painter.h"

namespace orvo::cli {

namespace {

int Usage(BatchContext& ctx, std::string_view why) {
  ctx.err << "orvo-batch ses-to-jpeg: " << why
          << "\nUsage: orvo-batch ses-to-jpeg REPORT.Ses [--rows N] [--pdf OUT.pdf --from N --to M]\n";
  return 2;
}

}  // namespace

int RunSesToJpeg(BatchContext& ctx) {
  Env& env = ctx.env;
  Args args(ctx.args, {{"--rows", true}, {"--pdf", true}, {"--from", true}, {"--to", true}});
  if (!args.Ok()) return Usage(ctx, args.Error());
  if (args.Positional().size() != 1) return Usage(ctx, "needs REPORT.Ses");
  for (const char* option : {"--rows", "--from", "--to"}) {
    const std::string value = args.Value(option, "1");
    if (value.empty() || value.size() > 6 || !IsDigits(value)) {
      return Usage(ctx, std::string("bad option ") + option + " " + value);
    }
  }
  if (!args.Has("--pdf") && (args.Has("--from") || args.Has("--to"))) {
    return Usage(ctx, "--from and --to go with --pdf");
  }
  GuiApplicationScope app;
  if (!JpegSupported()) {
    ctx.err << "orvo-batch ses-to-jpeg: this Qt cannot write JPEG pictures (its image format "
               "plugin qjpeg, Debian qt6-image-formats-plugins or libqt6gui6, is missing)\n";
    return 1;
  }
  std::string pdf;
  if (args.Has("--pdf")) {
    if (int rc = OutputFile(ctx, args.Value("--pdf"), &pdf); rc != 0) return rc;
  }
  const std::string report = InputFile(ctx, args.Positional()[0]);
  const PrintSettings settings = ReadPrintSettingsQuiet(env).value_or(PrintSettings{});
  const int rows = args.Has("--rows") ? static_cast<int>(TextToInt(args.Value("--rows"))) : settings.PageRows;
  QtTextMetrics metrics;
  MakeDirPath(env, "C:\\A_Run\\Sestavy");
  try {
    if (!FileExistsOrSay(env, report)) return 1;
    const int count = BuildTextPictures(env, metrics, report, settings.ReportFont,
                                        [&](const PagePicture& picture, int n) {
                                          const std::string file = PictureFile(GraphicKind::TxIma, report, n);
                                          auto host = env.fs.HostPath(file);
                                          if (!host || !SaveJpeg(PaintPicture(picture), *host)) {
                                            ErrorBox(env, std::string(kNoGraphicFormat) + "\r\r" + file);
                                            return false;
                                          }
                                          return true;
                                        });
    if (count == 0) return 1;
    // Pictures of an earlier, longer run of the same report do not stay.
    for (int n = count + 1; env.fs.FileExists(PictureFile(GraphicKind::TxIma, report, n)); ++n) {
      env.fs.Remove(PictureFile(GraphicKind::TxIma, report, n));
    }
    for (int n = 1; n <= count; ++n) WriteText(ctx.out, PictureFile(GraphicKind::TxIma, report, n) + "\n");
    if (pdf.empty()) return 0;
    const int from = static_cast<int>(TextToInt(args.Value("--from", "1")));
    const int to = std::min(count, static_cast<int>(TextToInt(args.Value("--to", std::to_string(count)))));
    if (from < 1 || from > to) {
      ErrorBox(env, "Zvolena strana je mimo rozsah !", "Str:  " + std::to_string(from));
      return 1;
    }
    std::vector<std::string> hosts;
    for (int n = from; n <= to; ++n) hosts.push_back(*env.fs.HostPath(PictureFile(GraphicKind::TxIma, report, n)));
    auto pdfHost = env.fs.HostPath(pdf);
    if (!pdfHost || !PicturesToPdfFile(hosts, *pdfHost, PlannedTextHeight(metrics, settings.ReportFont, rows))) {
      ErrorBox(env, "Soubor:\r\r\"" + pdf + "\"\r\r     - nelze zapsat !");
      return 1;
    }
    WriteText(ctx.out, pdf + "\n");
  } catch (const Termination&) {
    return 1;
  }
  return 0;
}

}  // namespace orvo::cli

#endif
