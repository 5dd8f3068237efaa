// The listing of a code list ("  Tisk"): its pages and their headings.
#include "core/screens/code_list_listing.h"

#include <gtest/gtest.h>

#include "cis_fixture.h"

namespace orvo::test {
namespace {

struct PageCase {
  const char* name;
  int rows;
  int records;
  int pages;
};

class ListingPagesTest : public CisTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(ListingPagesTest, FirstPageBeginsWithItsHeading) {
  const PageCase& c = GetParam();
  std::vector<Row> rows;
  for (int i = 0; i < c.records; ++i) rows.push_back({std::to_string(100 + i), "Nazev", "A"});
  WriteAccounts(rows);
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kList));
  std::string text = CodeListListing(*env, table, kList, c.rows);
  EXPECT_EQ(text.rfind("\r\n\r\n  Zobrazeni/opis souboru:  D:\\Cisel\\16Ucty.Cds", 0), 0u) << text;
  EXPECT_NE(text.find("  STR:   1\r\n\r\n  Ucet    Nazev uctu            D\r\n\r\n\r\n"),
            std::string::npos);
  int pages = 1;
  for (size_t at = text.find("\r\n\f\r\n"); at != std::string::npos; at = text.find("\r\n\f\r\n", at + 1)) {
    ++pages;
    // Every later page: the form feed, an empty line, the title.
    EXPECT_EQ(text.substr(at + 5, 2), "\r\n");
    EXPECT_EQ(text.substr(at + 7, 27), "  Zobrazeni/opis souboru:  ");
  }
  EXPECT_EQ(pages, c.pages);
  EXPECT_NE(text.find("STR:" + std::string(4 - std::to_string(c.pages).size(), ' ') +
                      std::to_string(c.pages)),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListingPagesTest,
                         ::testing::Values(PageCase{"one_row_a_page", 1, 3, 3},
                                           PageCase{"smaller_than_the_heading", 7, 3, 3},
                                           PageCase{"heading_and_one_line", 8, 3, 3},
                                           PageCase{"heading_and_two_lines", 9, 5, 3},
                                           PageCase{"all_on_one_page", 150, 142, 1},
                                           PageCase{"second_page", 150, 144, 2},
                                           PageCase{"empty_list", 80, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CisTest, ListingTitleIsPaddedToAWideColumnLine) {
  WriteList(kList, {{"Ucet", 6}, {"Dlouhy nazev", 90}}, {{"311", "x"}});
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kList));
  std::string text = CodeListListing(*env, table, "Ucty.Cds", 80);
  std::string columns = "  Ucet    Dlouhy nazev";
  columns.resize(2 + 8 + 90, ' ');
  const std::string title = "  Zobrazeni/opis souboru:  Ucty.Cds     15.03.2016  10:20:30";
  std::string expectedTitle = title;
  expectedTitle.resize(columns.size(), ' ');
  EXPECT_NE(text.find("\r\n" + expectedTitle + "  STR:   1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n" + columns + "\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace orvo::test
