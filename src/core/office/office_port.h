// The office port: what the system asks of a word processor or a
// spreadsheet application, and the backends that can do it. Callers use
// Office, which asks its backends in turn; only when none of them can do a
// request does the caller show its "... neni dostupna !" message.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"
#include "core/sys/env.h"

namespace orvo {

enum class DocumentFormat { Rtf, Text, Html, Pdf, Odt, Docx };

enum class OfficeResult {
  Done,
  CannotDo,  // this backend does not offer the operation (or is not installed)
  Failed,    // it tried and failed
};

// A report text for a document: Windows-1250, lines ended by CR LF, a line
// holding a form feed a page break.
struct TextDocument {
  std::string text;
  FontChoice font;
  std::string file;  // logical path of the document the backend writes
};

// A complete workbook file to be shown in the desktop's spreadsheet.
struct Workbook {
  std::string hostFile;  // host path of the .xlsx file
};

class OfficeBackend {
 public:
  virtual ~OfficeBackend() = default;
  virtual std::string_view Name() const = 0;

  // A visible document holding exactly the text in the font, opened with
  // the desktop's application; the caller does not wait for the user.
  virtual OfficeResult ShowText(Env& env, const TextDocument& document) = 0;
  // The text in the font written as `target` (a logical path) in `format`.
  virtual OfficeResult ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                                   std::string_view target) = 0;
  // Pictures (logical paths), one a page, saved as the PDF `target`.
  virtual OfficeResult PicturesToPdf(Env& env, const std::vector<std::string>& pictures,
                                     std::string_view target);
  // The workbook opened in a spreadsheet application; the caller does not
  // wait for the user.
  virtual OfficeResult ShowWorkbook(Env& env, const Workbook& workbook);
};

class Office {
 public:
  void Add(std::unique_ptr<OfficeBackend> backend) { backends_.push_back(std::move(backend)); }
  const std::vector<std::unique_ptr<OfficeBackend>>& Backends() const { return backends_; }

  // Each asks the backends in order and returns Done from the first that
  // does it; otherwise Failed when one tried, CannotDo when none could.
  OfficeResult ShowText(Env& env, const TextDocument& document);
  OfficeResult ConvertText(Env& env, const TextDocument& document, DocumentFormat format,
                           std::string_view target);
  OfficeResult PicturesToPdf(Env& env, const std::vector<std::string>& pictures,
                             std::string_view target);
  OfficeResult ShowWorkbook(Env& env, const Workbook& workbook);

 private:
  std::vector<std::unique_ptr<OfficeBackend>> backends_;
};

// The file name extension of a format (".Rtf", ".Txt", ".Html", ".Pdf", ".Odt", ".Docx").
std::string_view FormatExtension(DocumentFormat format);

// The backends of this machine: the built-in writers, then LibreOffice when
// `soffice` can be found (ORVO_SOFFICE names it; set empty, it is not used).
Office DefaultOffice();

}  // namespace orvo
