#include "core/output/rtf_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/output/rtf_page.h"

namespace orvo::test {
namespace {

TEST(RtfText, PlainTextOfDamagedAndEscapedInput) {
  struct Case {
    std::string rtf;
    std::string text;
  };
  const Case cases[] = {
      {"{\\rtf1 a\\par b}", "a\nb"},
      {"{\\rtf1 {\\*\\generator x;}\\pard a\\tab b\\line c\\par}", "a\tb\nc"},
      {"{\\rtf1 \\{x\\} \\\\}", "{x} \\"},
      {"{\\rtf1\\uc2 \\u283\\'3f\\'3fa}", "\xc4\x9b" "a"},
      {"{\\rtf1 cut\\'4", "cut"},
      {"{\\rtf1 }}}} x", " x"},
      {"{\\rtf1 \\", ""},
      {"{\\rtf1 {\\colortbl;\\red0\\green0\\blue0;}{\\info{\\title T}}body}", "body"},
      {"{\\rtf1 {\\header hlavicka}{\\*\\bkmkstart z}{\\pict 0a0b}telo\\emdash\\~x}", "telo\xe2\x80\x94 x"},
      {"{\\rtf1\\ansi \\'8a\\'e8\\'f8}", "\xc5\xa0\xc4\x8d\xc5\x99"},
      {"{\\rtf1 \\u-4064?\\u99999999?x\\u-10179?\\u-8704?}", "\xef\x80\xa0?x??"},
  };
  for (const Case& c : cases) EXPECT_EQ(RtfPlain(ReadRtf(c.rtf)), c.text) << c.rtf;
}

TEST(RtfText, ReadsFontsSizesAttributesAndColours) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1250\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
      "{\\f1\\fmodern Courier New;}{\\f2\\fnil P\\'edsmo{\\*\\panose 0}};}}"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
      "\\pard\\fs20 v\\'fdchoz\\'ed {\\f0\\fs28\\b Tu\\'e8n\\'e9\\b0  ne}\\par "
      "\\plain\\f2\\i\\ul kurz\\ulnone\\strike\\cf2 ma\\cf0\\strike0 x}";
  const RtfText text = ReadRtf(rtf);
  ASSERT_EQ(text.paragraphs.size(), 2u);
  struct Expected {
    std::string text, font;
    int halfPoints;
    bool bold, italic, underline, strike;
    int32_t color;
  };
  const std::vector<Expected> runs[] = {
      {{"výchozí ", "Courier New", 20, false, false, false, false, -1},
       {"Tučné", "Arial", 28, true, false, false, false, -1},
       {" ne", "Arial", 28, false, false, false, false, -1}},
      {{"kurz", "Písmo", 24, false, true, true, false, -1},
       {"ma", "Písmo", 24, false, true, false, true, 0x800000},
       {"x", "Písmo", 24, false, true, false, false, -1}},
  };
  for (size_t p = 0; p < 2; ++p) {
    ASSERT_EQ(text.paragraphs[p].runs.size(), runs[p].size()) << p;
    for (size_t r = 0; r < runs[p].size(); ++r) {
      const RtfRun& got = text.paragraphs[p].runs[r];
      const Expected& want = runs[p][r];
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.format, (RtfFormat{want.font, want.halfPoints, want.bold, want.italic, want.underline,
                                       want.strike, want.color}))
          << want.text;
    }
  }
}

TEST(RtfText, WrittenTextReadsBackTheSame) {
  RtfFormat plain;
  RtfFormat heading{"Arial Černá", 32, true, false, true, false, 0x0000FF};
  RtfFormat note{"Times New Roman", 17, false, true, false, true, 0x123456};
  RtfText text;
  text.paragraphs = {
      RtfParagraph{{{"Nadpis {1} \\ ř", heading}}},
      RtfParagraph{},
      RtfParagraph{{{"a\tb ", plain}, {"─ Ω", note}, {" konec", plain}}},
      RtfParagraph{{{"  ", plain}}},
  };
  const std::string rtf = WriteRtf(text);
  EXPECT_TRUE(LooksLikeRtf(rtf));
  EXPECT_EQ(ReadRtf(rtf), text) << rtf;
  EXPECT_EQ(RtfWindowsText(text), "Nadpis {1} \\ \xf8\r\n\r\na\tb ? ? konec\r\n  ");
  // One format throughout, from lines.
  EXPECT_EQ(RtfPlain(RtfFromPlain("x\r\ny\n", heading)), "x\ny");
  EXPECT_EQ(ReadRtf(WriteRtf(RtfFromPlain("x\r\ny\n", heading))), RtfFromPlain("x\ny\n", heading));
}

TEST(RtfText, FramedPagesReadBackThroughTheSameReader) {
  const std::vector<std::string> paragraphs = {"", "  Rozvaha │ 2026", "řádek {2}", ""};
  FontChoice font;
  font.name = "Courier New";
  font.size = 9;
  font.bold = true;
  const std::string rtf = RtfPageFromParagraphs(font, paragraphs);
  EXPECT_EQ(RtfParagraphs(rtf), paragraphs);
  const RtfText text = ReadRtf(rtf);
  EXPECT_EQ(text.paragraphs[1].runs.at(0).format.halfPoints, 18);
  EXPECT_TRUE(text.paragraphs[1].runs.at(0).format.bold);
}

}  // namespace
}  // namespace orvo::test
