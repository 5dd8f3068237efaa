#include "core/desk/document_conversion.h"

#include "core/office/document_writers.h"
#include "core/sys/dosfs.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

const std::vector<EditorFormatInfo>& EditorFormats() {
  static const std::vector<EditorFormatInfo> formats = {
      {EditorFormat::Doc, "Doc", "doc", "Doc"},
      {EditorFormat::DosTxt, "Dos Txt", "dos", "Txt"},
      {EditorFormat::WindowsTxt, "Windows Txt", "txt", "Txt"},
      {EditorFormat::Rtf, "Rtf", "rtf", "Rtf"},
      {EditorFormat::Pdf, "Pdf", "pdf", "Pdf"},
      {EditorFormat::Xml, "Xml", "xml", "Xml"},
      {EditorFormat::Html, "Html", "html", "Html"},
      {EditorFormat::Xps, "Xps", "xps", "Xps"},
  };
  return formats;
}

const EditorFormatInfo& FormatInfo(EditorFormat format) {
  for (const EditorFormatInfo& info : EditorFormats()) {
    if (info.format == format) return info;
  }
  return EditorFormats().front();
}

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return UpperCz(out);
}

}  // namespace

bool EditorFormatOf(std::string_view batchName, EditorFormat* format) {
  for (const EditorFormatInfo& info : EditorFormats()) {
    if (info.batchName.size() != batchName.size()) continue;
    bool same = true;
    for (size_t i = 0; i < batchName.size(); ++i) same = same && AsciiLower(batchName[i]) == info.batchName[i];
    if (same) {
      *format = info.format;
      return true;
    }
  }
  return false;
}

bool BuiltinConversion(EditorFormat format, std::string_view text, std::string_view title,
                       std::string* bytes) {
  switch (format) {
    case EditorFormat::WindowsTxt: *bytes = PlainTextDocument(text); return true;
    case EditorFormat::DosTxt: *bytes = ConvertChars(PlainTextDocument(text), 1, 2); return true;
    case EditorFormat::Rtf: *bytes = RtfDocument(text, FontChoice{}); return true;
    case EditorFormat::Html: *bytes = HtmlDocument(text, FontChoice{}, title); return true;
    default: return false;
  }
}

bool ConvertDocument(Env& env, Office& office, std::string_view text, EditorFormat format,
                     const std::string& target, std::string_view rtf) {
  std::string bytes;
  if (format == EditorFormat::Rtf && !rtf.empty()) bytes = std::string(rtf);
  if (!bytes.empty() || BuiltinConversion(format, text, FileNameOf(target), &bytes)) {
    const int rc = env.fs.WriteWhole(target, bytes);
    if (rc == kIoOk) return true;
    InfoBox(env, "Soubor nelze zapsat ! -Chyba:" + IntText(rc, 6), target);
    return false;
  }
  DocumentFormat officeFormat;
  switch (format) {
    case EditorFormat::Pdf: officeFormat = DocumentFormat::Pdf; break;
    case EditorFormat::Doc: officeFormat = DocumentFormat::Docx; break;
    default:
      // No backend of this system makes XML or XPS documents.
      InfoBox(env, kNoWordProcessor);
      return false;
  }
  // The backend writes beside the target; the target changes only when the
  // conversion is complete.
  const std::string dir = DirectoryOf(target);
  const std::string work = (dir.empty() ? std::string() : dir + "\\") + "~" + FileNameOf(target);
  env.fs.Remove(work);
  TextDocument document;
  document.text = std::string(text);
  document.file = work;
  const OfficeResult result = office.ConvertText(env, document, officeFormat, work);
  if (result == OfficeResult::CannotDo) {
    env.fs.Remove(work);
    InfoBox(env, kNoWordProcessor);
    return false;
  }
  int rc = result == OfficeResult::Done && env.fs.FileExists(work) ? kIoOk : kIoWriteFault;
  if (rc == kIoOk) rc = env.fs.FileExists(target) ? env.fs.ReplaceWith(work, target) : env.fs.Rename(work, target);
  if (rc != kIoOk) {
    env.fs.Remove(work);
    InfoBox(env, "Prevod se nezdaril, soubor nebyl zmenen ! -Chyba:" + IntText(rc, 6), target);
    return false;
  }
  return true;
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  const size_t slash = path.find_last_of("\\/:");
  const size_t dot = path.find_last_of('.');
  const size_t end = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash) ? dot : path.size();
  return std::string(path.substr(0, end)) + std::string(extension);
}

bool SamePath(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

}  // namespace orvo
