// The rich text of the text export, opened by LibreOffice: skipped with a
// message where `soffice` is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/office/builtin_backend.h"
#include "core/office/host_process.h"
#include "core/office/libreoffice_backend.h"
#include "core/output/report_file.h"
#include "core/sys/encoding.h"
#include "support/scratch.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

// Windows-1250 with Czech letters, leading and inner blank runs, RTF's
// special characters and a page boundary.
const std::string kReport =
    "\r\n"
    "Hlavni kniha \x9e\xe1" "dost\xed" "                 STR:    1\r\n"
    "\r\n"
    "  \xc8" "\xed" "slo  {N\xe1zev}  \\ \x8a" "koda   \x8e" "lu\x9d" "ou\xe8k\xfd k\xf9\xf2\r\n"
    "\f\r\n"
    "Celkem        1 234,50\r\n";

std::string ReadHost(const std::filesystem::path& p) { return ReadHostFile(p); }

class LibreOfficeTest : public Scratch {
 protected:
  void SetUp() override {
    auto soffice = FindLibreOffice();
    if (!soffice) GTEST_SKIP() << "soffice (LibreOffice) is not installed: the check is skipped";
    soffice_ = *soffice;
    std::filesystem::create_directories(Host("C:\\A_Run\\Work"));
  }
  std::string soffice_;
};

TEST_F(LibreOfficeTest, OpensTheRichTextAndReadsTheReport) {
  BuiltinOfficeBackend builtin;
  TextDocument doc{kReport, FontChoice{}, ""};
  ASSERT_EQ(builtin.ConvertText(*env, doc, DocumentFormat::Rtf, "C:\\A_Run\\Work\\W_Kniha.Rtf"),
            OfficeResult::Done);
  const std::filesystem::path out = root.path() + "/out";
  std::filesystem::create_directories(out);
  int rc = RunHostProgram({soffice_, "-env:UserInstallation=file://" + root.path() + "/profile",
                           "--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir",
                           out.string(), Host("C:\\A_Run\\Work\\W_Kniha.Rtf")},
                          true);
  ASSERT_EQ(rc, 0);
  std::string text = ReadHost(out / "W_Kniha.txt");
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  // The boundary line becomes a page break whose paragraph is empty.
  std::vector<std::string> want = SplitReportLines(Cp1250ToUtf8(kReport));
  for (auto& l : want) {
    if (IsPageBoundary(l)) l.clear();
  }
  EXPECT_EQ(SplitReportLines(text), want);
}

TEST_F(LibreOfficeTest, ConvertsTheTextToPdfWithItsPages) {
  LibreOfficeBackend lo(soffice_);
  TextDocument doc{kReport, FontChoice{}, ""};
  ASSERT_EQ(lo.ConvertText(*env, doc, DocumentFormat::Pdf, "C:\\A_Run\\Work\\Kniha.Pdf"),
            OfficeResult::Done);
  const std::string pdf = Get("C:\\A_Run\\Work\\Kniha.Pdf");
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  // Nothing of the conversion is left beside the target.
  for (const auto& e : std::filesystem::directory_iterator(Host("C:\\A_Run\\Work"))) {
    EXPECT_EQ(e.path().filename().string().rfind(".orvo-office", 0), std::string::npos)
        << e.path();
  }
  if (FindOnPath("pdfinfo")) {
    const std::string info = root.path() + "/info.txt";
    ASSERT_EQ(RunHostProgram({"sh", "-c", "pdfinfo \"$0\" > \"$1\"",
                              Host("C:\\A_Run\\Work\\Kniha.Pdf"), info},
                             true),
              0);
    EXPECT_TRUE(std::regex_search(ReadHost(info), std::regex("\nPages: +2\n"))) << ReadHost(info);
  }
}

}  // namespace
}  // namespace orvo::test
