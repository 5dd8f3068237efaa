#include "core/output/framed_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/output/rtf_page.h"
#include "support/host_file.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;
const fs::path kGolden = fs::path(ORVO_SOURCE_DIR) / "tests/golden/framed";
constexpr const char* kReport = "C:\\A_Run\\Sestavy\\Pokladna.Ses";

// Ucet 6, Nazev 12 and Castka 10 as the browser lays them out.
RamHandOver PokladnaHandOver() {
  RamHandOver h;
  h.RamFile = kReport;
  h.RamTopLines = 1;
  h.RamCaptionLines = 1;
  h.RamColStart = {1, 9, 23};
  h.RamColWidth = {7, 13, 11};
  return h;
}

class FramedReportTest : public Scratch {
 protected:
  FramedReportTest() {
    Put("C:\\A_Run\\Work\\.keep", "");
    Put(kReport, ReadHostFile((kGolden / "Pokladna.Ses").string()));
  }

  // Builds the pages with the frames on or off and compares them with the
  // golden files <prefix>_nnnn.Rtf.
  void BuildAndCompare(bool frames, const std::string& prefix) {
    handOver = PokladnaHandOver();
    handOver.RamFrames = frames;
    RamModel model(*env, handOver, FontChoice{});
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(model.Build(), 2);
    for (int p = 1; p <= 2; ++p) {
      const std::string name = prefix + "_000" + std::to_string(p) + ".Rtf";
      const std::string got = Get(model.PageFile(p));
      if (std::getenv("ORVO_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(kGolden / name, std::ios::binary) << got;
      }
      EXPECT_EQ(got, ReadHostFile((kGolden / name).string())) << name;
    }
    model.Close();
  }

  RamHandOver handOver;
};

TEST_F(FramedReportTest, PagesMatchTheGoldenFilesWithFramesOnAndOff) {
  BuildAndCompare(true, "R_Pokladna");
  BuildAndCompare(false, "frames_off");
}

TEST_F(FramedReportTest, BordersAndRulesOfOneColumn) {
  FramedLayout l;
  l.start = {1};
  l.width = {5};
  const std::string h = "\\u9472?";
  EXPECT_EQ(l.TopBorder(), "\\u9484?" + h + h + h + h + h + "\\u9488?");
  EXPECT_EQ(l.BottomBorder(), "\\u9492?" + h + h + h + h + h + "\\u9496?");
  EXPECT_EQ(l.BoxedLine("ab{\\}"), "\\u9474?ab\\{\\\\\\}\\u9474?  ");
  l.frames = false;
  EXPECT_EQ(l.TopBorder(), std::string(7, ' '));
  // (5 + 1) - 1 horizontals, one place right of the corner's place.
  EXPECT_EQ(l.Separator(), " " + h + h + h + h + h);
  EXPECT_EQ(l.BoxedLine("abcde"), " abcde   ");
}

TEST_F(FramedReportTest, TopLinesAreAdjustedByTheirBlankRuns) {
  struct Case {
    const char* line;
    int width;
    const char* want;
  };
  const std::vector<Case> cases{
      {"Title     STR:    1", 21, "Title       STR:    1"},  // the first run of five grows
      {"Title  STR:1", 20, "Title  STR:1"},                 // no run of three: as it is
      {"A    B  C", 7, "A  B  C"},                         // a run of four, then of three
      {"A B C", 3, "A B C"},                                // never cut
  };
  for (const Case& c : cases) EXPECT_EQ(AdjustToWidth(c.line, c.width), c.want) << c.line;
}

TEST_F(FramedReportTest, PageBoundariesAndEmptyLines) {
  handOver = PokladnaHandOver();
  handOver.RamColStart = {1};
  handOver.RamColWidth = {3};
  RamModel model(*env, handOver, FontChoice{});
  struct Case {
    const char* report;
    int pages;
    std::vector<std::string> lastPageRows;  // the boxed rows' text, without the frame
  };
  const std::vector<Case> cases{
      {"\r\nT\r\n\r\nCap\r\n\r\nab\r\n\r\ncd\r\n", 1, {"Cap", "ab", "", "cd"}},
      {"T\r\nCap\r\nab\r\n\f\r\n", 1, {"Cap", "ab"}},  // no page after the last boundary
      {"T\r\nCap\r\nab\r\nx\fy\r\nT\r\nCap\r\ncd\r\n", 2, {"Cap", "cd"}},
      {"", 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    Put(kReport, c.report);
    ASSERT_TRUE(model.Open());
    ASSERT_EQ(model.Build(), c.pages);
    auto page = model.LoadPage(c.pages);
    ASSERT_TRUE(page);
    std::vector<std::string> rows;
    for (const std::string& p : *page) {
      if (p.rfind("  \xe2\x94\x82", 0) == 0) rows.push_back(p.substr(5, 3));
    }
    for (std::string& r : rows) r.erase(r.find_last_not_of(' ') + 1);
    EXPECT_EQ(rows, c.lastPageRows);
  }
  model.Close();
  EXPECT_FALSE(Exists(model.PageFile(1)));
}

TEST_F(FramedReportTest, PageFieldsNavigationAndCorrections) {
  std::string report;
  for (int p = 1; p <= 12; ++p) report += "T " + std::to_string(p) + "\r\nCap\r\nrow\r\n\f\r\n";
  Put(kReport, report);
  handOver = PokladnaHandOver();
  RamModel model(*env, handOver, FontChoice{});
  ASSERT_TRUE(model.Open());
  EXPECT_EQ(model.Str1(), "00000");
  EXPECT_EQ(model.Str2(), "99999");
  ASSERT_EQ(model.Build(), 12);
  EXPECT_EQ(model.Str2(), "00012");

  model.Str2() = "99999";
  EXPECT_FALSE(model.LeaveStr2());
  EXPECT_EQ(model.Str2(), "00012");
  EXPECT_EQ(ui.Single(), Info("Zvolena strana je mimo rozsah !", "Str:  99999"));
  ui.Clear();
  model.Str1() = "7";
  model.Str2() = "5";
  EXPECT_TRUE(model.LeaveStr1());
  EXPECT_EQ(ui.Single(), Info("Strana 1 je vetsi nez Strana 2 !", "Str1:  00007,Str2:  5"));
  EXPECT_TRUE(model.PrintRange().empty());
  ui.Clear();

  EXPECT_EQ(model.Last(), 12);
  EXPECT_EQ(model.Str1(), "00012");
  EXPECT_EQ(model.Str2(), "00012");  // raised to Str1
  EXPECT_EQ(model.Prior(), 11);
  EXPECT_EQ(model.Next(), 12);
  EXPECT_EQ(model.Next(), 12);
  EXPECT_EQ(model.First(), 1);
  model.Str1() = "00003";
  EXPECT_EQ(model.ShowStr1(), 3);
  model.Str2() = "00005";
  EXPECT_EQ(model.PrintRange(), (std::vector<int>{3, 4, 5}));

  // A correction saved into the page comes back when it is shown again.
  auto page = model.LoadPage(3);
  ASSERT_TRUE(page);
  EXPECT_EQ((*page)[2], "  T 3  ");
  (*page)[2] = "  Opraveno {\\} \xc5\x99 \xe2\x94\x80";
  ASSERT_TRUE(model.SavePage(3, *page));
  EXPECT_EQ(model.LoadPage(3), page);
  // Two empty lines and the top line highlighted; captions only without frames.
  EXPECT_TRUE(model.Highlighted(2));
  EXPECT_FALSE(model.Highlighted(3));
  EXPECT_FALSE(model.Highlighted(4));
  model.SetFrames(false);
  EXPECT_TRUE(model.Highlighted(4));

  model.Close();
  EXPECT_TRUE(handOver.RamFrames);
  EXPECT_FALSE(Exists(model.WorkFile()));
  for (int p = 1; p <= 12; ++p) EXPECT_FALSE(Exists(model.PageFile(p))) << p;
}

TEST(RtfPage, ReaderTakesEscapesTablesAndUnicode) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 A{\\*\\x}};}}{\\colortbl ;\\red1;}"
      "{\\*\\generator Msftedit;}\\viewkind4\\uc1\\pard\\f0\\fs16 a\\'e8\\par   b\\{\\}\\\\\r\n"
      "\\par x\\u9472?y\\u-4064?\\tab z\\par }";
  EXPECT_EQ(RtfParagraphs(rtf),
            (std::vector<std::string>{"a\xc4\x8d", "  b{}\\", "x\xe2\x94\x80y\xef\x80\xa0\tz", ""}));
  EXPECT_EQ(RtfParagraphs("{\\rtf1 broken \\'zz {\\b"), (std::vector<std::string>{"broken zz "}));
}

}  // namespace
}  // namespace orvo::test
