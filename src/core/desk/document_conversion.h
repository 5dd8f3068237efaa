// Conversion of an editor text into other formats ("Ulozit do jinych
// formatu" and orvo-batch convert): plain Windows text, DOS text in code
// page 852, RTF and HTML are written here; the other formats go through the
// office port's backends. A target is replaced only once its conversion has
// worked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/office/office_port.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kNoWordProcessor = "Aplikace Microsoft Word neni dostupna !";

enum class EditorFormat { Doc, DosTxt, WindowsTxt, Rtf, Pdf, Xml, Html, Xps };

struct EditorFormatInfo {
  EditorFormat format;
  std::string_view menuText;   // "Dos Txt"
  std::string_view batchName;  // "dos"
  std::string_view extension;  // "Txt"
};
// In the order of the editor's menu.
const std::vector<EditorFormatInfo>& EditorFormats();
const EditorFormatInfo& FormatInfo(EditorFormat format);
// The format of a batch name (txt, dos, rtf, html, pdf, doc, xml, xps,
// any case); false when there is none.
bool EditorFormatOf(std::string_view batchName, EditorFormat* format);

// The bytes of a format the built-in writers make from a Windows-1250 text
// with CR LF lines; false for the formats only an office application makes.
bool BuiltinConversion(EditorFormat format, std::string_view text, std::string_view title,
                       std::string* bytes);

// The text converted into `target` (a logical path). Messages name the
// target: kNoWordProcessor when no backend can make the format, a failure
// with its code otherwise. True when the target holds the conversion. A
// rich text of the same text, when given, is what an RTF target gets.
bool ConvertDocument(Env& env, Office& office, std::string_view text, EditorFormat format,
                     const std::string& target, std::string_view rtf = {});

// The path with its extension (from the last "." of the name) replaced by
// `extension` ("" drops it; ".Txt" sets it).
std::string ChangeExtension(std::string_view path, std::string_view extension);
// Whether two logical paths name one file (case and "/" against "\" aside).
bool SamePath(std::string_view a, std::string_view b);

}  // namespace orvo
