#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/output/print_settings.h"
#include "support/run_batch.h"
#include "support/scratch.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

namespace stdfs = std::filesystem;

std::string ReadFile(const std::string& path) { return ReadHostFile(path); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class PrintSettingsCommand : public ::testing::Test {
 protected:
  BatchResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--drive", "C=" + c.path(), "print-settings"});
    return RunBatch(args, {"ORVO_DRIVES=", "ORVO_USER=Admin", "ORVO_PASSWORD=Qzpfr"});
  }
  std::string File() const { return c.path() + "/A_Run/PomSoub/NumRowFont.Dat"; }
  TempDir c;
};

TEST_F(PrintSettingsCommand, ShowsTheDefaultsOfAMissingFileWithoutWritingIt) {
  auto r = Run({});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "File: C:\\A_Run\\PomSoub\\NumRowFont.Dat   (missing: the defaults apply)\n"
            "Rows per page: 80\nOrientation: H - Na vysku\nFont: Courier New, 8\n"
            "Style: plain (code 0)\nColour: 0\n");
  EXPECT_FALSE(stdfs::exists(File()));
}

TEST_F(PrintSettingsCommand, SetWritesTheRecord) {
  auto r = Run({"set", "--rows", "200", "--orientation", "v", "--font", "Lucida Console,10"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto s = DecodeNumRowFont(ReadFile(File()));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->PageRows, 150);
  EXPECT_EQ(s->PageOrientation, kLandscape);
  EXPECT_EQ(s->ReportFont.name, "Lucida Console");
  EXPECT_EQ(s->ReportFont.size, 10);

  // Options not given keep what the file holds.
  r = Run({"set", "--rows", "66"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Run({"show"});
  EXPECT_NE(r.out.find("Rows per page: 66\nOrientation: V - Na sirku\nFont: Lucida Console, 10\n"),
            std::string::npos)
      << r.out;
}

struct BadSetCase {
  const char* name;
  std::vector<std::string> args;
};

class PrintSettingsBadSet : public PrintSettingsCommand,
                            public ::testing::WithParamInterface<BadSetCase> {};

TEST_P(PrintSettingsBadSet, IsRefusedWithoutWriting) {
  auto r = Run(GetParam().args);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("Usage: orvo-batch print-settings"), std::string::npos);
  EXPECT_FALSE(stdfs::exists(File()));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, PrintSettingsBadSet,
    ::testing::Values(BadSetCase{"rows_not_a_number", {"set", "--rows", "x"}},
                      BadSetCase{"orientation_other", {"set", "--orientation", "Q"}},
                      BadSetCase{"font_without_size", {"set", "--font", "Courier New"}},
                      BadSetCase{"font_size_zero", {"set", "--font", "Courier New,0"}},
                      BadSetCase{"missing_value", {"set", "--rows"}},
                      BadSetCase{"nothing_to_set", {"set"}},
                      BadSetCase{"unknown_action", {"reset"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintSettingsCommand, DamagedFileIsShownAsSuch) {
  stdfs::create_directories(c.path() + "/A_Run/PomSoub");
  WriteFile(File(), "short");
  auto r = Run({"show"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("(damaged: the defaults apply)"), std::string::npos);
}

// ses-to-pdf exists where orvo-batch is built with Qt.
class SesToPdfCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunBatch({"--help"}).out.find("ses-to-pdf") == std::string::npos) {
      GTEST_SKIP() << "orvo-batch is built without Qt (ORVO_CORE_ONLY): no ses-to-pdf";
    }
    std::string report = "\r\n";
    for (int page = 1; page <= 3; ++page) {
      if (page > 1) report += "\f\r\n";
      report += "Obraty  STR:    " + std::to_string(page) + "\r\n\r\n";
      for (int i = 0; i < 20; ++i) report += "  radek " + std::to_string(i) + "  \x8a" "koda\r\n";
    }
    WriteFile(dir.path() + "/r.Ses", report);
  }
  BatchResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--drive", "C=" + dir.path(), "ses-to-pdf"});
    return RunBatch(args, {"ORVO_DRIVES=", "QT_QPA_PLATFORM=offscreen", "ORVO_USER=Admin",
                           "ORVO_PASSWORD=Qzpfr"});
  }
  int PdfPages(const std::string& pdf) {
    const std::string info = dir.path() + "/info.txt";
    if (std::system(("pdfinfo '" + pdf + "' > '" + info + "' 2>/dev/null").c_str()) != 0) return -1;
    std::string text = ReadFile(info);
    size_t at = text.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 6);
  }
  TempDir dir;
};

TEST_F(SesToPdfCommand, WritesOnePageASheet) {
  auto r = Run({dir.path() + "/r.Ses", dir.path() + "/all.pdf"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.path() + "/all.pdf").rfind("%PDF", 0), 0u);
  EXPECT_EQ(PdfPages(dir.path() + "/all.pdf"), 3);
}

TEST_F(SesToPdfCommand, RangeAndMaskAndLogicalPaths) {
  auto r = Run({"C:\\r.Ses", "C:\\two.pdf", "--from", "2", "--to", "50", "--mask", "3/7"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find("Pages 2 to 3 of the report"), 0u) << r.out;
  EXPECT_EQ(PdfPages(dir.path() + "/two.pdf"), 2);
}

TEST_F(SesToPdfCommand, RangeAfterTheEndWritesNothing) {
  auto r = Run({dir.path() + "/r.Ses", dir.path() + "/none.pdf", "--from", "4"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(stdfs::exists(dir.path() + "/none.pdf"));
}

TEST_F(SesToPdfCommand, TooWideReportIsRefused) {
  WriteFile(dir.path() + "/wide.Ses", "\r\n" + std::string(2000, 'W') + "\r\n");
  auto r = Run({dir.path() + "/wide.Ses", dir.path() + "/wide.pdf"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Sestava je priliz siroka,je treba zmensit velikost fontu."), std::string::npos)
      << r.err;
  EXPECT_FALSE(stdfs::exists(dir.path() + "/wide.pdf"));
}

}  // namespace
}  // namespace orvo::test
