#include "core/shell/write_guard.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace orvo::test {
namespace {

struct GuardCase {
  const char* name;
  const char* rights;
  const char* target;
  bool readOnly;  // the target exists and carries the read-only attribute
  WriteCheck want;
};

class WriteGuardTest : public AppScratch, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(WriteGuardTest, AsksTheRightOfTheMenu) {
  const GuardCase& c = GetParam();
  // The data commands of orvo-batch may run without a data root; the
  // application tree is known by its name then.
  if (std::string(c.name).find("without_root") != std::string::npos) session.DataRoot.clear();
  session.UserName = "Jana";
  session.UserRights = c.rights;
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "postings");
  Put("C:\\A_Run\\PristPr\\LOrv.H", "access");
  if (c.readOnly) {
    Put(c.target, "protected");
    fs->SetAttributes(c.target, kAttrReadOnly | kAttrHidden);
  }
  EXPECT_EQ(CheckDataWrite(session, c.target), c.want);
  switch (c.want) {
    case WriteCheck::Allowed:
      EXPECT_TRUE(ui.messages.empty());
      break;
    case WriteCheck::NoRight:
      EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
      break;
    case WriteCheck::ReadOnly:
      EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"" + std::string(c.target) +
                                   "\"\r\r     - je chranen proti zapisu !\r\rZmena nebude provedena."));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, WriteGuardTest,
    ::testing::Values(
        GuardCase{"viewer_on_a_posting_file", "|Prohl|", "D:\\LOrvo\\Data\\160301UctO.Cds", false,
                  WriteCheck::NoRight},
        GuardCase{"manager_on_a_posting_file", "|Sprav|", "D:\\LOrvo\\Data\\160301UctO.Cds", false,
                  WriteCheck::Allowed},
        GuardCase{"another_spelling", "|Prohl|", "d:\\lorvo\\DATA\\160301ucto.cds", false,
                  WriteCheck::NoRight},
        GuardCase{"a_way_round", "|Prohl|", "D:\\Jinde\\..\\LOrvo\\Data\\novy.Cds", false,
                  WriteCheck::NoRight},
        GuardCase{"local_settings", "|Obraty|", "C:\\A_Run\\PomSoub\\x.Cds", false,
                  WriteCheck::NoRight},
        GuardCase{"work_files_for_everybody", "|Obraty|", "C:\\A_Run\\Work\\x.Cds", false,
                  WriteCheck::Allowed},
        GuardCase{"manager_on_the_access_file", "|Sprav|", "C:\\A_Run\\PristPr\\LOrv.H", false,
                  WriteCheck::NoRight},
        GuardCase{"admin_on_the_read_only_access_file", "|Admin|", "C:\\A_Run\\PristPr\\LOrv.H",
                  true, WriteCheck::ReadOnly},
        GuardCase{"read_only_data_file", "|Sprav|", "D:\\LOrvo\\Data\\Chranen.Cds", true,
                  WriteCheck::ReadOnly},
        GuardCase{"outside_the_trees", "|Prohl|", "D:\\Jinde\\x.Cds", false, WriteCheck::Allowed},
        GuardCase{"posting_file_without_root", "|Prohl|", "D:\\LOrvo\\Data\\160301UctO.Cds", false,
                  WriteCheck::NoRight},
        GuardCase{"other_data_root_without_root", "|Prohl|", "D:\\Firma\\lorvo\\Cisel\\x.Cds",
                  false, WriteCheck::NoRight},
        GuardCase{"read_only_outside", "|Admin|", "D:\\Jinde\\x.Cds", true, WriteCheck::ReadOnly}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
