#include "core/output/report_file.h"

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace orvo::test {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string bytes;
  Lines want;
};

class SplitReportLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitReportLinesTest, Splits) {
  EXPECT_EQ(SplitReportLines(GetParam().bytes), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    ReportFile, SplitReportLinesTest,
    ::testing::Values(SplitCase{"empty", "", {}},
                      SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                      SplitCase{"last_line_without_end", "a\r\nb", {"a", "b"}},
                      SplitCase{"lone_lf_and_cr", "a\nb\rc", {"a", "b", "c"}},
                      SplitCase{"empty_lines_kept", "\r\n\r\nx\r\n", {"", "", "x"}},
                      SplitCase{"form_feed_line", "\r\nA\r\n\f\r\nB\r\n", {"", "A", "\f", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PageCase {
  const char* name;
  Lines lines;
  int pages;
};

class CountPagesTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(CountPagesTest, OnePlusTheBoundaryLines) {
  EXPECT_EQ(CountPages(GetParam().lines), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(
    ReportFile, CountPagesTest,
    ::testing::Values(
        PageCase{"empty_report", {}, 1},
        PageCase{"no_form_feed", {"", "title  STR:    1", "", "a", "b"}, 1},
        PageCase{"two_boundaries", {"", "a", "\f", "b", "\f", "c"}, 3},
        // A form feed anywhere in a line makes the line a boundary.
        PageCase{"form_feed_inside_a_line", {"", "a", "x\fy", "b"}, 2},
        PageCase{"two_form_feeds_one_line", {"", "\f\f", "b"}, 2},
        PageCase{"boundary_as_last_line", {"", "a", "\f"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportFile, PageStartsAndTitleLines) {
  Lines lines{"", "Hlavni kniha  STR:    1", "", "a", "\f", "Hlavni kniha  STR:    2", "b",
              "\f", "bez titulku"};
  EXPECT_EQ(PageStart(lines, 1), 0u);
  EXPECT_EQ(PageStart(lines, 2), 5u);
  EXPECT_EQ(PageStart(lines, 3), 8u);
  EXPECT_EQ(PageStart(lines, 4), std::nullopt);
  EXPECT_EQ(PageStart(lines, 0), std::nullopt);
  EXPECT_EQ(TitleLineOfPage(lines, 1), 1u);
  EXPECT_EQ(TitleLineOfPage(lines, 2), 5u);
  // The search stops at the next boundary, never taking another page's title.
  EXPECT_EQ(TitleLineOfPage(lines, 3), std::nullopt);
  EXPECT_EQ(ReportWidth(lines), 23u);
}

TEST(ReportFile, PageTitleLineEndsAtTheCaptionWidth) {
  EXPECT_EQ(PageTitleLine("Ucty", 7, 5, 30), "Ucty                 STR:    7");
  EXPECT_EQ(PageTitleLine("Ucty", 7, 5, 30).size(), 30u);
  EXPECT_EQ(PageTitleLine("Ucty", 12, 4, 20), "Ucty        STR:  12");
  // A title longer than the captions is kept whole.
  EXPECT_EQ(PageTitleLine("Velmi dlouhy titulek", 1, 4, 10), "Velmi dlouhy titulek  STR:   1");
}

TEST(ReportFile, ControlCharactersBecomeBlanks) {
  EXPECT_EQ(BlankControlChars(std::string("a\tb\x01" "c\fd\r\n\x1f", 10)), "a b c\fd\r\n ");
  EXPECT_EQ(BlankControlChars("\x8a\xe8"), "\x8a\xe8");  // Czech letters stay
}

TEST(ReportFile, JoinEndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinReportLines({"", "a", "\f"}), "\r\na\r\n\f\r\n");
  EXPECT_EQ(JoinReportLines({}), "");
}

class ReportFileIo : public Scratch {};

TEST_F(ReportFileIo, ReadsAndWrites) {
  fs->MakeDir("C:\\A_Run");
  fs->MakeDir("C:\\A_Run\\Sestavy");
  ASSERT_EQ(WriteReport(*env, "C:\\A_Run\\Sestavy\\a.Ses", {"", "\x8a" "ek", "\f", "b"}), kIoOk);
  EXPECT_EQ(Get("C:\\A_Run\\Sestavy\\a.Ses"), "\r\n\x8a" "ek\r\n\f\r\nb\r\n");
  auto lines = ReadReport(*env, "c:\\a_run\\sestavy\\A.SES");
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (Lines{"", "\x8a" "ek", "\f", "b"}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportFileIo, MissingReportIsReported) {
  EXPECT_EQ(ReadReport(*env, "C:\\A_Run\\Sestavy\\Chybi.Ses"), std::nullopt);
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"C:\\A_Run\\Sestavy\\Chybi.Ses\"\r\r     - nebyl nalezen !"));
}

}  // namespace
}  // namespace orvo::test
