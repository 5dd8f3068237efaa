// The office backend that writes PDF through Qt: a report text laid out as
// the graphic print lays it out, and page pictures one to a sheet.
#pragma once

#include "core/office/office_port.h"

namespace orvo::gui {

class QtPdfBackend final : public OfficeBackend {
 public:
  std::string_view Name() const override { return "PDF through Qt"; }
  OfficeResult ShowText(Env& env, const TextDocument& document) override;
  OfficeResult ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                           std::string_view target) override;
  OfficeResult PicturesToPdf(Env& env, const std::vector<std::string>& pictures,
                             std::string_view target) override;
};

// The backends of the windows: the built-in writers, PDF through Qt, then
// LibreOffice where it is installed.
Office WindowOffice();

}  // namespace orvo::gui
