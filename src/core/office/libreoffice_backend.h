// The office backend that runs LibreOffice (`soffice`) as a process: text
// documents opened in its word processor, and conversions of a text to the
// formats only an office application writes (PDF, ODT, DOCX, HTML).
#pragma once

#include <optional>
#include <string>

#include "core/office/office_port.h"

namespace orvo {

// The soffice program: ORVO_SOFFICE when it is set (empty: none), else
// `soffice` or `libreoffice` on PATH.
std::optional<std::string> FindLibreOffice();

class LibreOfficeBackend final : public OfficeBackend {
 public:
  explicit LibreOfficeBackend(std::string soffice) : soffice_(std::move(soffice)) {}
  std::string_view Name() const override { return "LibreOffice"; }
  OfficeResult ShowText(Env& env, const TextDocument& document) override;
  OfficeResult ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                           std::string_view target) override;
  OfficeResult ShowWorkbook(Env& env, const Workbook& workbook) override;

 private:
  std::string soffice_;
};

}  // namespace orvo
