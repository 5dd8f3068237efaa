#include "core/office/builtin_backend.h"

#include "core/office/document_writers.h"
#include "core/sys/files.h"
#include "core/sys/program.h"

namespace orvo {

OfficeResult BuiltinOfficeBackend::ShowText(Env& env, const TextDocument& document) {
  if (env.fs.WriteWhole(document.file, RtfDocument(document.text, document.font)) != kIoOk) {
    return OfficeResult::Failed;
  }
  int code = 0;
  return OpenDocument(env, document.file, &code) ? OfficeResult::Done : OfficeResult::Failed;
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

}  // namespace orvo
