#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/host_file.h"
#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

// The size a JPEG file declares in its frame header; {0, 0} when the file
// is not a complete JPEG (start and end markers, a frame header).
std::pair<int, int> JpegSize(const std::string& bytes) {
  if (bytes.size() < 4 || bytes.substr(0, 2) != "\xff\xd8" || bytes.substr(bytes.size() - 2) != "\xff\xd9") {
    return {0, 0};
  }
  size_t at = 2;
  while (at + 9 < bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(bytes[at + 1]);
    const size_t length = (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    if (marker == 0xC0 || marker == 0xC2) {
      const int h = (static_cast<unsigned char>(bytes[at + 5]) << 8) | static_cast<unsigned char>(bytes[at + 6]);
      const int w = (static_cast<unsigned char>(bytes[at + 7]) << 8) | static_cast<unsigned char>(bytes[at + 8]);
      return {w, h};
    }
    at += 2 + length;
  }
  return {0, 0};
}

class SesToJpegCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunBatch({"--help"}).out.find("ses-to-jpeg") == std::string::npos) {
      GTEST_SKIP() << "orvo-batch is built without Qt (ORVO_CORE_ONLY): no ses-to-jpeg";
    }
    // Pages of 10, 20 and 30 lines, then an empty page after the last boundary.
    std::string report;
    for (int page = 1; page <= 3; ++page) {
      report += "Obraty  STR:    " + std::to_string(page) + "\r\n";
      for (int i = 1; i < page * 10; ++i) report += "  radek " + std::to_string(i) + "  \x8a" "koda\r\n";
      report += "\f\r\n";
    }
    std::ofstream(c.path() + "/r.Ses", std::ios::binary) << report;
  }
  BatchResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), "ses-to-jpeg");
    return RunBatch(args, {"ORVO_DRIVES=C=" + c.path(), "QT_QPA_PLATFORM=offscreen", "ORVO_USER=Admin",
                           "ORVO_PASSWORD=Qzpfr"});
  }
  TempDir c;
};

TEST_F(SesToJpegCommand, PicturesOfEveryPageAndAPdfOfARange) {
  auto r = Run({"C:\\r.Ses", "--pdf", "C:\\r.pdf", "--from", "2", "--to", "3"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "C:\\A_Run\\Sestavy\\T_I_r_0001.Jpg\nC:\\A_Run\\Sestavy\\T_I_r_0002.Jpg\n"
            "C:\\A_Run\\Sestavy\\T_I_r_0003.Jpg\nC:\\r.pdf\n");
  std::vector<std::pair<int, int>> sizes;
  for (int n = 1; n <= 3; ++n) {
    sizes.push_back(JpegSize(ReadHostFile(c.path() + "/A_Run/Sestavy/T_I_r_000" + std::to_string(n) + ".Jpg")));
    EXPECT_GT(sizes.back().first, 0) << n;
  }
  // One width for the report, heights growing with the lines.
  EXPECT_EQ(sizes[0].first, sizes[2].first);
  EXPECT_LT(sizes[0].second, sizes[1].second);
  EXPECT_LT(sizes[1].second, sizes[2].second);

  // The PDF holds pages 2 and 3 in order, both at one scale.
  const std::string list = c.path() + "/list.txt";
  ASSERT_EQ(std::system(("pdfimages -list '" + c.path() + "/r.pdf' > '" + list + "' 2>/dev/null").c_str()), 0);
  std::istringstream in(ReadHostFile(list));
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  std::vector<std::vector<std::string>> rows;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string w; fields >> w;) f.push_back(w);
    if (f.size() > 13) rows.push_back(f);
  }
  ASSERT_EQ(rows.size(), 2u) << ReadHostFile(list);
  EXPECT_EQ(rows[0][0], "1");
  EXPECT_EQ(std::stoi(rows[0][4]), sizes[1].second);  // page 1 of the PDF: report page 2
  EXPECT_EQ(std::stoi(rows[1][4]), sizes[2].second);
  EXPECT_EQ(rows[0][12], rows[1][12]);  // the same pixels per inch: one scale
}

TEST_F(SesToJpegCommand, RefusalsAreClear) {
  EXPECT_EQ(Run({}).exitCode, 2);
  EXPECT_EQ(Run({"C:\\r.Ses", "--from", "2"}).exitCode, 2);
  auto missing = Run({"C:\\none.Ses"});
  EXPECT_EQ(missing.exitCode, 1);
  std::ofstream(c.path() + "/empty.Ses");
  auto empty = Run({"C:\\empty.Ses"});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_NE(empty.err.find("Sestava je prazdna !"), std::string::npos) << empty.err;
}

}  // namespace
}  // namespace orvo::test
