// The office backend that needs no office application: rich text, HTML and
// plain text are written by our own writers, and a text document is shown
// by opening the rich-text file with the desktop's application.
#pragma once

#include "core/office/office_port.h"

namespace orvo {

class BuiltinOfficeBackend final : public OfficeBackend {
 public:
  std::string_view Name() const override { return "built-in writers"; }
  OfficeResult ShowText(Env& env, const TextDocument& document) override;
  OfficeResult ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                           std::string_view target) override;
  // Opens the workbook with the desktop's application for its type.
  OfficeResult ShowWorkbook(Env& env, const Workbook& workbook) override;
};

}  // namespace orvo
