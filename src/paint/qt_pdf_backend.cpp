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
#include "paint/graphic_pictures.h"
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
  std::vector<std::string> hostPictures;
  for (const std::string& picture : pictures) {
    auto pictureHost = env.fs.HostPath(env.fs.FullPath(picture));
    if (!pictureHost) return OfficeResult::Failed;
    hostPictures.push_back(*pictureHost);
  }
  return PicturesToPdfFile(hostPictures, *host) ? OfficeResult::Done : OfficeResult::Failed;
}

Office WindowOffice() {
  Office office;
  office.Add(std::make_unique<BuiltinOfficeBackend>());
  office.Add(std::make_unique<QtPdfBackend>());
  if (auto soffice = FindLibreOffice()) office.Add(std::make_unique<LibreOfficeBackend>(*soffice));
  return office;
}

}  // namespace orvo::gui
