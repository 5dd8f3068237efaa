// orvo-batch convert over the demo company: the shipped help converted into
// plain, DOS and HTML text and into PDF; the edited file itself, an unknown
// format and a wrong password refused.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchConvert : public ::testing::Test {
 protected:
  void SetUp() override {
    drives = {"ORVO_DRIVES=C=" + c.path() + ";L=" + d.path()};
    auto r = RunBatch({"demo", d.path()}, drives);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string marker = "Uzivatel: Admin   Heslo: ";
    size_t at = r.out.find(marker);
    ASSERT_NE(at, std::string::npos) << r.out;
    password = r.out.substr(at + marker.size());
    password = password.substr(0, password.find('\n'));
  }
  BatchResult Admin(std::vector<std::string> args, const std::string& pw = "") {
    std::vector<std::string> all{"--root", "L:", "--user", "Admin", "--password", pw.empty() ? password : pw};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  std::string Host(const std::string& rel) {
    std::ifstream in(d.path() + "/" + rel, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
};

TEST_F(BatchConvert, HelpIntoOtherFormats) {
  const std::string help = "L:\\LOrvo\\Dokum\\OrvoDokl.Rtf";
  ASSERT_EQ(Host("LOrvo/Dokum/OrvoDokl.Rtf").substr(0, 5), "{\\rtf");

  auto r = Admin({"convert", help, "L:\\Help.Txt", "--format", "txt"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string text = Host("Help.Txt");
  // Windows-1250 "Klávesy v řádcích", lines ended by CR LF, no RTF left.
  EXPECT_NE(text.find("Kl\xe1vesy v \xf8\xe1" "dc\xed" "ch\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("\\par"), std::string::npos);

  ASSERT_EQ(Admin({"convert", help, "L:\\Help.Dos", "--format", "dos"}).exitCode, 0);
  // "ř" is 0xFD in code page 852.
  EXPECT_NE(Host("Help.Dos").find("Kl\xa0vesy v \xfd\xa0" "dc\xa1" "ch\r\n"), std::string::npos);

  // Into rich text the help keeps its bold headings.
  ASSERT_EQ(Admin({"convert", help, "L:\\Help.Rtf", "--format", "rtf"}).exitCode, 0);
  EXPECT_EQ(Host("Help.Rtf"), Host("LOrvo/Dokum/OrvoDokl.Rtf"));

  ASSERT_EQ(Admin({"convert", help, "L:\\Help.Html", "--format", "HTML"}).exitCode, 0);
  EXPECT_NE(Host("Help.Html").find("<html"), std::string::npos);

  r = Admin({"convert", help, "L:\\Help.Pdf", "--format", "pdf"});
  // PDF needs the Qt build or LibreOffice; where it was made, it is a PDF.
  if (r.exitCode == 0) {
    EXPECT_EQ(Host("Help.Pdf").substr(0, 5), "%PDF-");
  }
}

TEST_F(BatchConvert, Refusals) {
  const std::string init = "L:\\LOrvo\\PomSoub\\UctInic.TXT";
  const std::string before = Host("LOrvo/PomSoub/UctInic.TXT");
  ASSERT_FALSE(before.empty());
  // The file itself in another spelling: refused and kept.
  EXPECT_EQ(Admin({"convert", init, "l:\\lorvo\\pomsoub\\uctinic.txt", "--format", "txt"}).exitCode, 1);
  EXPECT_EQ(Host("LOrvo/PomSoub/UctInic.TXT"), before);
  // A format no backend makes.
  auto r = Admin({"convert", init, "L:\\Init.Xps", "--format", "xps"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE((r.out + r.err).find("Aplikace Microsoft Word neni dostupna !"), std::string::npos) << r.out << r.err;
  EXPECT_EQ(Admin({"convert", init, "L:\\Init.X", "--format", "odt"}).exitCode, 2);
  EXPECT_EQ(Admin({"convert", init}).exitCode, 2);
  EXPECT_EQ(Admin({"convert", init, "L:\\Init.Txt", "--format", "txt"}, "wrong").exitCode, 3);
}

}  // namespace
}  // namespace orvo::test
