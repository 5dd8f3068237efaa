#include "core/office/document_writers.h"

#include <gtest/gtest.h>

namespace orvo::test {
namespace {

bool Has(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

TEST(RtfDocument, HeaderCarriesTheCodePageAndTheFont) {
  FontChoice font{"Courier New", 8, false, false, false, false, 0};
  const std::string rtf = RtfDocument("a\r\n", font);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1250\\deff0\r\n", 0), 0u);
  EXPECT_TRUE(Has(rtf, "{\\fonttbl{\\f0\\fmodern\\fcharset238 Courier New;}}"));
  EXPECT_TRUE(Has(rtf, "{\\colortbl;\\red0\\green0\\blue0;}"));
  EXPECT_TRUE(Has(rtf, "\\f0\\fs16\\cf1\r\n"));
  EXPECT_FALSE(Has(rtf, "\\cf1\\b"));
  EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
}

TEST(RtfDocument, StyleSizeAndColour) {
  FontChoice font{"Lucida Console", 11, true, true, true, true, 0x00336699};
  const std::string rtf = RtfDocument("a", font);
  EXPECT_TRUE(Has(rtf, "\\fcharset238 Lucida Console;"));
  EXPECT_TRUE(Has(rtf, "\\red153\\green102\\blue51;"));
  EXPECT_TRUE(Has(rtf, "\\fs22\\cf1\\b\\i\\ul\\strike\r\n"));
  // A system colour (negative) is shown as window text: black.
  font.color = static_cast<int32_t>(0x80000008);
  EXPECT_TRUE(Has(RtfDocument("a", font), "\\red0\\green0\\blue0;"));
}

TEST(RtfDocument, TextIsEscapedLineByLine) {
  const std::string rtf = RtfDocument("  \x8a" "ek {1}\\x\r\n\tb\x01\r\n", FontChoice{});
  // Blanks are kept, Czech letters are \'xx escapes of Windows-1250.
  EXPECT_TRUE(Has(rtf, "\r\n  \\'8aek \\{1\\}\\\\x\\par\r\n\\tab b \r\n}"));
}

TEST(RtfDocument, FormFeedLineBecomesAPageBreak) {
  const std::string rtf = RtfDocument("\r\na\r\n\f\r\nb\r\n", FontChoice{});
  EXPECT_TRUE(Has(rtf, "\\cf1\r\n\\par\r\na\\par\r\n\\page \\par\r\nb\r\n}"));
}

TEST(HtmlDocument, PreformattedInTheFont) {
  FontChoice font{"Courier New", 9, true, false, true, false, 0x000000FF};
  const std::string html = HtmlDocument("<a & \"b\">\r\n\f\r\n\x9e\r\n", font, "Obraty");
  EXPECT_TRUE(Has(html, "<meta charset=\"windows-1250\">"));
  EXPECT_TRUE(Has(html, "<title>Obraty</title>"));
  EXPECT_TRUE(Has(html, "font-family:'Courier New',monospace;font-size:9pt;color:#ff0000"));
  EXPECT_TRUE(Has(html, "font-weight:bold"));
  EXPECT_TRUE(Has(html, "text-decoration: underline"));
  EXPECT_TRUE(Has(html, "&lt;a &amp; &quot;b&quot;&gt;\r\n</pre>"));
  EXPECT_TRUE(Has(html, "page-break-before:always\">\x9e\r\n</pre>"));
}

TEST(PlainTextDocument, EveryLineEndsWithCrLf) {
  EXPECT_EQ(PlainTextDocument("a\nb\r\n\f\rc"), "a\r\nb\r\n\f\r\nc\r\n");
}

}  // namespace
}  // namespace orvo::test
