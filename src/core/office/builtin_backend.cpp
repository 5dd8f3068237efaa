#include "core/office/builtin_backend.h"

#include "core/office/document_writers.h"
#include "core/office/user_documents.h"
#include "core/sys/files.h"
#include "core/sys/program.h"

namespace orvo {

OfficeResult BuiltinOfficeBackend::ShowText(Env& env, const TextDocument& document) {
  // Into the user's documents: the work directory is emptied at closing,
  // and a document saved there would be lost.
  auto host = WriteUserDocument(FileNameOf(document.file), RtfDocument(document.text, document.font));
  if (!host) return OfficeResult::Failed;
  int code = 0;
  return OpenHostDocument(env, *host, &code) ? OfficeResult::Done : OfficeResult::Failed;
}

OfficeResult BuiltinOfficeBackend::ConvertText(Env& env, const TextDocument& document,
                                               DocumentFormat format, std::string_view target) {
  std::string bytes;
  switch (format) {
    case DocumentFormat::Rtf:
      bytes = RtfDocument(document.text, document.font);
      break;
    case DocumentFormat::Html:
      bytes = HtmlDocument(document.text, document.font, BaseName(target));
      break;
    case DocumentFormat::Text:
      bytes = PlainTextDocument(document.text);
      break;
    default:
      return OfficeResult::CannotDo;
  }
  return env.fs.WriteWhole(target, bytes) == kIoOk ? OfficeResult::Done : OfficeResult::Failed;
}

OfficeResult BuiltinOfficeBackend::ShowWorkbook(Env& env, const Workbook& workbook) {
  int code = 0;
  return OpenHostDocument(env, workbook.hostFile, &code) ? OfficeResult::Done : OfficeResult::CannotDo;
}

}  // namespace orvo
