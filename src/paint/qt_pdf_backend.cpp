#include "paint/qt_pdf_backend.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>

#include "core/office/builtin_backend.h"
#include "core/office/libreoffice_backend.h"
#include "core/output/report_file.h"
#include "core/output/report_print.h"
#include "core/output/vyst_model.h"
#include "paint/report_painter.h"

namespace orvo::gui {

OfficeResult QtPdfBackend::ShowText(Env&, const TextDocument&) { return OfficeResult::CannotDo; }

OfficeResult QtPdfBackend::ConvertText(Env& env, const TextDocument& document,
                                       DocumentFormat format, std::string_view target) {
  if (format != DocumentFormat::Pdf) return OfficeResult::CannotDo;
  auto host = env.fs.HostPath(env.fs.FullPath(target));
  if (!host) return OfficeResult::Failed;
  const std::vector<std::string> lines = SplitReportLines(document.text);
  const VystHandOver margins;
  auto pages = WriteGraphicPrintPdf(*host, document.font, kPortrait, [&](const PageMeasure& m) {
    GraphicPrintPlan plan =
        PlanGraphicPrint(lines, {1, CountPages(lines)}, margins.VystLeftMargin, margins.VystTopMargin, m);
    return plan.tooWide ? std::nullopt : std::optional<GraphicPrintPlan>(plan);
  });
  return pages && *pages > 0 ? OfficeResult::Done : OfficeResult::Failed;
}

OfficeResult QtPdfBackend::PicturesToPdf(Env& env, const std::vector<std::string>& pictures,
                                         std::string_view target) {
  auto host = env.fs.HostPath(env.fs.FullPath(target));
  if (!host || pictures.empty()) return OfficeResult::Failed;
  GuiApplicationScope app;
  const std::string temp = *host + ".tmp";
  {
    QPdfWriter writer(QString::fromStdString(temp));
    writer.setCreator(QStringLiteral("Orvo"));
    SetUpPdfPage(writer, kPortrait);
    QPainter painter;
    bool first = true;
    for (const std::string& picture : pictures) {
      auto pictureHost = env.fs.HostPath(env.fs.FullPath(picture));
      QImage image;
      if (!pictureHost || !image.load(QString::fromStdString(*pictureHost))) {
        if (painter.isActive()) painter.end();
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        return OfficeResult::Failed;
      }
      if (first) {
        if (!painter.begin(&writer)) return OfficeResult::Failed;
        first = false;
      } else {
        writer.newPage();
      }
      const QSize fitted = image.size().scaled(writer.width(), writer.height(), Qt::KeepAspectRatio);
      painter.drawImage(QRect(QPoint(0, 0), fitted), image);
    }
    painter.end();
  }
  std::error_code ec;
  std::filesystem::rename(temp, *host, ec);
  return ec ? OfficeResult::Failed : OfficeResult::Done;
}

Office WindowOffice() {
  Office office;
  office.Add(std::make_unique<BuiltinOfficeBackend>());
  office.Add(std::make_unique<QtPdfBackend>());
  if (auto soffice = FindLibreOffice()) office.Add(std::make_unique<LibreOfficeBackend>(*soffice));
  return office;
}

}  // namespace orvo::gui
