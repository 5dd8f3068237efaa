// A rich-text file on any bytes: the reader gives at least one paragraph,
// runs that are never empty, valid UTF-8 and no paragraph mark inside a
// run; what the writer makes of it reads back to the same paragraphs and
// runs once control characters (which the writer turns into blanks) are
// left aside.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/output/rtf_page.h"
#include "core/output/rtf_text.h"
#include "core/sys/encoding.h"

namespace {

bool ValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    if (orvo::DecodeUtf8(s, i) == orvo::kInvalidCodePoint) return false;
  }
  return true;
}

// The text as the writer keeps it: control characters other than the tab
// become blanks.
orvo::RtfText Written(orvo::RtfText text) {
  for (orvo::RtfParagraph& p : text.paragraphs) {
    for (orvo::RtfRun& run : p.runs) {
      for (char& c : run.text) {
        if (static_cast<unsigned char>(c) < 32 && c != '\t') c = ' ';
      }
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const orvo::RtfText text = orvo::ReadRtf(bytes);
  if (text.paragraphs.empty()) std::abort();
  for (const orvo::RtfParagraph& p : text.paragraphs) {
    for (const orvo::RtfRun& run : p.runs) {
      if (run.text.empty() || !ValidUtf8(run.text) || run.text.find('\n') != std::string::npos) std::abort();
      if (!ValidUtf8(run.format.font) || run.format.halfPoints <= 0) std::abort();
    }
  }
  if (orvo::RtfParagraphs(bytes).size() != text.paragraphs.size()) std::abort();
  const orvo::RtfText back = orvo::ReadRtf(orvo::WriteRtf(text));
  if (back.paragraphs.size() != text.paragraphs.size()) std::abort();
  for (size_t p = 0; p < text.paragraphs.size(); ++p) {
    if (back.paragraphs[p].Text() != Written(text).paragraphs[p].Text()) std::abort();
  }
  return 0;
}
