#include "core/office/office_port.h"

#include "core/office/builtin_backend.h"
#include "core/office/libreoffice_backend.h"

namespace orvo {

namespace {

template <typename Call>
OfficeResult FirstDone(const std::vector<std::unique_ptr<OfficeBackend>>& backends, Call call) {
  OfficeResult outcome = OfficeResult::CannotDo;
  for (const auto& b : backends) {
    OfficeResult r = call(*b);
    if (r == OfficeResult::Done) return r;
    if (r == OfficeResult::Failed) outcome = r;
  }
  return outcome;
}

}  // namespace

OfficeResult OfficeBackend::PicturesToPdf(Env&, const std::vector<std::string>&, std::string_view) {
  return OfficeResult::CannotDo;
}

OfficeResult OfficeBackend::ShowWorkbook(Env&, const Workbook&) { return OfficeResult::CannotDo; }

OfficeResult Office::ShowText(Env& env, const TextDocument& document) {
  return FirstDone(backends_, [&](OfficeBackend& b) { return b.ShowText(env, document); });
}

OfficeResult Office::ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                                 std::string_view target) {
  return FirstDone(backends_,
                   [&](OfficeBackend& b) { return b.ConvertText(env, document, format, target); });
}

OfficeResult Office::PicturesToPdf(Env& env, const std::vector<std::string>& pictures,
                                   std::string_view target) {
  return FirstDone(backends_,
                   [&](OfficeBackend& b) { return b.PicturesToPdf(env, pictures, target); });
}

OfficeResult Office::ShowWorkbook(Env& env, const Workbook& workbook) {
  return FirstDone(backends_, [&](OfficeBackend& b) { return b.ShowWorkbook(env, workbook); });
}

std::string_view FormatExtension(DocumentFormat format) {
  switch (format) {
    case DocumentFormat::Rtf: return ".Rtf";
    case DocumentFormat::Text: return ".Txt";
    case DocumentFormat::Html: return ".Html";
    case DocumentFormat::Pdf: return ".Pdf";
    case DocumentFormat::Odt: return ".Odt";
    case DocumentFormat::Docx: return ".Docx";
  }
  return "";
}

Office DefaultOffice() {
  Office office;
  office.Add(std::make_unique<BuiltinOfficeBackend>());
  if (auto soffice = FindLibreOffice()) office.Add(std::make_unique<LibreOfficeBackend>(*soffice));
  return office;
}

}  // namespace orvo
