// orvo-batch convert: a text or rich-text file into another format, as the
// text editor's "Ulozit do jinych formatu" makes it.
#include <memory>
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "core/app/main_menu.h"
#include "cli/file_args.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/desk/document_conversion.h"
#include "core/output/rtf_text.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/dosfs.h"
#include "core/sys/encoding.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"
#ifdef ORVO_BATCH_WITH_QT
#include "paint/qt_pdf_backend.h"
#endif

namespace orvo::cli {

namespace {

constexpr const char* kConvertUsage =
    "orvo-batch convert IN OUT --format txt|dos|rtf|html|pdf|doc|xml|xps\n";

// The login of the application (no menu item guards the conversion).
int LogIn(BatchContext& ctx) { return EnterBooks(ctx, MenuAction::None); }

}  // namespace

int RunConvert(BatchContext& ctx) {
  Args args(ctx.args, {{"--format", true}});
  EditorFormat format{};
  if (!args.Ok() || args.Positional().size() != 2 || !EditorFormatOf(args.Value("--format"), &format)) {
    ctx.err << kConvertUsage;
    return kBatchUsage;
  }
  try {
    int rc = LogIn(ctx);
    if (rc != kBatchOk) return rc;
    const std::string in = InputFile(ctx, args.Positional()[0]);
    std::string out;
    rc = OutputFile(ctx, args.Positional()[1], &out);
    if (rc != kBatchOk) return rc;
    if (SamePath(in, out)) {
      ErrorBox(ctx.env, "Cilovy soubor je prave upravovany soubor, zvolte jine jmeno !", out);
      return kBatchFailed;
    }
    int io = kIoOk;
    const std::optional<std::string> bytes = ctx.env.fs.ReadWhole(in, &io);
    if (!bytes) {
      ErrorBox(ctx.env, "Soubor nelze precist ! -Chyba:" + IntText(io, 6), in);
      return kBatchFailed;
    }
    // A rich-text input keeps its formatting when converted into rich text.
    const bool rich = LooksLikeRtf(*bytes);
    const std::string text = rich ? RtfWindowsText(ReadRtf(*bytes)) : *bytes;
    Office* office = &ctx.session.office;
#ifdef ORVO_BATCH_WITH_QT
    // PDF as the windows write it, through Qt.
    Office qtPdf;
    qtPdf.Add(std::make_unique<gui::QtPdfBackend>());
    if (format == EditorFormat::Pdf) office = &qtPdf;
#endif
    const std::string rtf = rich && format == EditorFormat::Rtf ? *bytes : std::string();
    if (!ConvertDocument(ctx.env, *office, text, format, out, rtf)) return kBatchFailed;
    WriteText(ctx.out, in + " -> " + out + "\n");
    return kBatchOk;
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace orvo::cli
