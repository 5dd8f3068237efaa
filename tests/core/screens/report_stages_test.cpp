// The stages of GenerSes where the golden reports cannot see a fault: the
// column boxes the framed and graphic reports draw must lie over the
// columns the lines print.
#include "core/screens/report_stages.h"

#include <gtest/gtest.h>

namespace orvo::test {
namespace {

TEST(ReportStages, ColumnBoxesLieOverThePrintedValues) {
  // A narrow text, a text wider than a printed column may be, a figure.
  const std::vector<ReportColumn> printed{
      {0, 6, false, 0, "Ucet"}, {2, 70, false, 0, "Popis"}, {3, 12, true, 2, "Castka"}};
  const std::vector<std::string> values{"311000", "unused", std::string(70, 'x') + "tail",
                                        "      125,50"};
  ReportLayout layout;
  LayOutColumns(printed, layout);
  const std::string line = RecordLine(printed, values);
  ASSERT_EQ(layout.start.size(), printed.size());
  ASSERT_EQ(layout.width.size(), printed.size());
  const std::vector<std::string> shown{"311000", std::string(50, 'x'), "      125,50"};
  for (size_t i = 0; i < printed.size(); ++i) {
    const size_t from = static_cast<size_t>(layout.start[i] - 1);
    // The box is one character wider than its value: the value and a blank.
    EXPECT_EQ(line.substr(from, static_cast<size_t>(layout.width[i] - 1)), shown[i]) << i;
  }
  // The last box ends with the line.
  EXPECT_EQ(static_cast<size_t>(layout.start.back() + layout.width.back() - 2), line.size());
}

}  // namespace
}  // namespace orvo::test
