#include "core/sys/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/sys/clock.h"
#include "core/sys/termination.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

namespace stdfs = std::filesystem;

class FilesTest : public Scratch {
 protected:
  void PutDated(std::string_view logical, DateTime when, unsigned attr = kAttrArchive) {
    Put(logical, "x");
    ASSERT_EQ(fs->SetModTime(logical, ToTimeT(when)), kIoOk);
    ASSERT_EQ(fs->SetAttributes(logical, attr), kIoOk);
  }
};

TEST_F(FilesTest, FileExistsOrSayNamesTheFile) {
  EXPECT_FALSE(FileExistsOrSay(*env, "c:\\A_Run\\Chybi.Txt"));
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"C:\\A_Run\\Chybi.Txt\"\r\r     - nebyl nalezen !"));
  EXPECT_EQ(ui.beeps, 3);
}

TEST_F(FilesTest, FileExistsOrSayTakesNoMaskOrEmptyName) {
  Put("C:\\A_Run\\a.txt", "a");
  EXPECT_TRUE(FileExistsOrSay(*env, "c:\\a_run\\A.TXT"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(FileExistsOrSay(*env, "C:\\A_Run\\*.txt"));
  EXPECT_FALSE(FileExistsOrSay(*env, ""));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1], Error("Soubor:\r\r\"\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(FileExistsQuiet(*env, "C:\\A_Run\\*.txt"));
  EXPECT_FALSE(FileExistsQuiet(*env, "C:\\A_Run"));  // a directory is no file
}

TEST_F(FilesTest, DriveAndDirectoryMessages) {
  EXPECT_TRUE(DriveUsableOrSay(*env, "d:\\data"));
  EXPECT_FALSE(DriveUsableOrSay(*env, "q"));
  EXPECT_EQ(ui.Single(), Error("Disk:  \"Q\"\r\r     - nebyl nalezen !"));
  ui.Clear();

  stdfs::create_directories(dDir + "/LOrvo");
  EXPECT_TRUE(DirExistsOrSay(*env, "d:\\lorvo"));
  EXPECT_FALSE(DirExistsOrSay(*env, "d:\\LOrvo\\Data"));
  EXPECT_EQ(ui.Single(), Error("Adresar:\r\r\"D:\\LOrvo\\Data\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(DirExistsQuiet(*env, "D"));
  EXPECT_FALSE(DirExistsQuiet(*env, "Q:\\"));
  EXPECT_TRUE(DirExistsQuiet(*env, "D:\\"));
}

TEST_F(FilesTest, SizesAttributesAndStampsOfTheFirstMatch) {
  PutDated("C:\\Work\\b.cds", {2016, 3, 1, 12, 0, 0}, kAttrArchive | kAttrReadOnly);
  Put("C:\\Work\\c.cds", "longer");
  EXPECT_EQ(FileSizeOf(*env, "C:\\Work\\*.cds"), 1u);
  EXPECT_EQ(FileAttrOf(*env, "c:\\work\\B.CDS"), unsigned{kAttrArchive | kAttrReadOnly});
  EXPECT_EQ(FileTimeOf(*env, "C:\\Work\\b.cds"), PackDosTime(ToTimeT({2016, 3, 1, 12, 0, 0})));
  EXPECT_EQ(FileSizeOf(*env, "C:\\Work\\c.cds"), 6u);
  EXPECT_EQ(FileSizeOf(*env, "C:\\Work\\none.cds"), 0u);
  EXPECT_EQ(FileAttrOf(*env, "Q:\\x"), 0u);
  EXPECT_EQ(FileTimeOf(*env, "C:\\Missing\\x"), 0u);
}

TEST_F(FilesTest, DiskFreeBytesOfALetterOrTheCurrentDrive) {
  fs->SetFreeSpaceSource([](char letter) -> std::optional<uint64_t> {
    if (letter == 'C') return 500;
    if (letter == 'D') return 700;
    return std::nullopt;
  });
  EXPECT_EQ(DiskFreeBytes(*env, 'd'), 700u);
  EXPECT_EQ(DiskFreeBytes(*env, '@'), 500u);  // the current drive
  EXPECT_EQ(DiskFreeBytes(*env, 'Q'), 0u);
}

struct NameCase {
  const char* name;
  const char* path;
  const char* base;
  const char* dir;
  const char* file;
  const char* ext;
};
class NamePartsTest : public ::testing::TestWithParam<NameCase> {};
TEST_P(NamePartsTest, Splits) {
  const auto& c = GetParam();
  EXPECT_EQ(BaseName(c.path), c.base);
  EXPECT_EQ(DirectoryOf(c.path), c.dir);
  EXPECT_EQ(FileNameOf(c.path), c.file);
  EXPECT_EQ(ExtensionOf(c.path), c.ext);
}
INSTANTIATE_TEST_SUITE_P(
    Files, NamePartsTest,
    ::testing::Values(
        NameCase{"full", "D:\\LOrvo\\Data\\160301UctO.Cds", "160301UctO", "D:\\LOrvo\\Data",
                 "160301UctO.Cds", ".Cds"},
        NameCase{"two_dots", "C:\\A.b.Txt", "A", "C:", "A.b.Txt", ".Txt"},
        NameCase{"dot_in_directory", "C:\\x.y\\Name", "Name", "C:\\x.y", "Name", ""},
        NameCase{"drive_relative", "C:Name.Def", "Name", "", "Name.Def", ".Def"},
        NameCase{"bare", "Name.Def", "Name", "", "Name.Def", ".Def"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpperFirstTest, UpperCasesTheFirstByteOnly) {
  EXPECT_EQ(UpperFirst("c:\\a"), "C:\\a");
  EXPECT_EQ(UpperFirst("\xe8\xe8"), "\xc8\xe8");  // čč -> Čč
  EXPECT_EQ(UpperFirst(""), "");
}

TEST_F(FilesTest, MakeDirPathCreatesEveryLevel) {
  MakeDirPath(*env, "D:\\LOrvo\\Archiv\\Old");
  EXPECT_TRUE(stdfs::is_directory(dDir + "/LOrvo/Archiv/Old"));
  MakeDirPath(*env, "d:\\lorvo\\ARCHIV\\New\\");  // existing levels are reused
  EXPECT_TRUE(stdfs::is_directory(dDir + "/LOrvo/Archiv/New"));
}

TEST_F(FilesTest, EnterDirPathEndsInTheLastLevel) {
  EnterDirPath(*env, "D:\\A\\B");
  EXPECT_EQ(fs->CurrentDir(), "D:\\A\\B");
  EnterDirPath(*env, "C\\D");  // relative to D:\A\B, not to each level entered
  EXPECT_EQ(fs->CurrentDir(), "D:\\A\\B\\C\\D");
  EXPECT_TRUE(stdfs::is_directory(dDir + "/A/B/C/D"));
}

TEST_F(FilesTest, EraseFileClearsReadOnlyAndReportsMissing) {
  Put("C:\\f.txt", "x");
  ASSERT_EQ(fs->SetAttributes("C:\\f.txt", kAttrReadOnly | kAttrHidden), kIoOk);
  EXPECT_EQ(EraseFile(*env, "c:\\F.txt"), kIoOk);
  EXPECT_FALSE(Exists("C:\\f.txt"));
  EXPECT_EQ(EraseFile(*env, "C:\\f.txt"), kIoFileNotFound);
  EXPECT_NO_THROW(EraseOrStop(*env, "C:\\f.txt"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FilesTest, RenameFileReplacesTheTarget) {
  Put("C:\\a.txt", "a");
  Put("C:\\b.txt", "b");
  ASSERT_EQ(fs->SetAttributes("C:\\b.txt", kAttrReadOnly), kIoOk);
  EXPECT_EQ(RenameFile(*env, "C:\\a.txt", "C:\\b.txt"), 0);
  EXPECT_EQ(Get("C:\\b.txt"), "a");
  EXPECT_FALSE(Exists("C:\\a.txt"));
  EXPECT_EQ(RenameFile(*env, "C:\\missing.txt", "C:\\c.txt"), 1);
}

// Old code: the target was erased before the move, so a move that could not
// be made cost the target.
TEST_F(FilesTest, RenameFileThatCannotMoveKeepsTheTarget) {
  Put("C:\\b.txt", "b");
  ASSERT_EQ(fs->SetAttributes("C:\\b.txt", kAttrReadOnly | kAttrHidden), kIoOk);
  EXPECT_EQ(RenameFile(*env, "C:\\missing.txt", "C:\\b.txt"), 1);
  EXPECT_EQ(Get("C:\\b.txt"), "b");
  EXPECT_EQ(fs->Attributes("C:\\b.txt"), unsigned{kAttrReadOnly | kAttrHidden});
}

TEST_F(FilesTest, RenameFileOntoAnotherCaseOfItselfKeepsIt) {
  Put("C:\\a.txt", "a");
  EXPECT_EQ(RenameFile(*env, "C:\\a.txt", "C:\\A.TXT"), 0);
  EXPECT_EQ(Get("C:\\A.TXT"), "a");
}

TEST_F(FilesTest, TryOpenFileOfAMissingFileIsTrueAtOnce) {
  EXPECT_TRUE(TryOpenFile(*env, "C:\\A_Run\\Missing.Txt"));
  EXPECT_TRUE(TryOpenFile(*env, "C:\\NoDir\\Missing.Txt"));
  EXPECT_TRUE(TryOpenFile(*env, "Q:\\Missing.Txt"));
  EXPECT_EQ(clock.slept, 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FilesTest, TryCreateFileLeavesNothingBehind) {
  Put("C:\\Work\\x.txt", "old");
  ASSERT_EQ(fs->SetAttributes("C:\\Work\\x.txt", kAttrReadOnly), kIoOk);
  EXPECT_TRUE(TryCreateFile(*env, "C:\\Work\\x.txt"));
  EXPECT_FALSE(Exists("C:\\Work\\x.txt"));
  EXPECT_TRUE(TryCreateFile(*env, "C:\\NoDir\\x.txt"));  // path not found counts as done
  EXPECT_EQ(clock.slept, 0);
}

struct RetryCase {
  const char* name;
  bool create;
  const char* question;
};
class TryFileRetryTest : public Scratch, public ::testing::WithParamInterface<RetryCase> {};
TEST_P(TryFileRetryTest, AsksFromTheHundredthFailure) {
  const auto& c = GetParam();
  // A directory of that name cannot be opened or created as a file.
  stdfs::create_directories(cDir + "/Busy");
  ui.answers = {Answer::Yes, Answer::No};
  bool result = c.create ? TryCreateFile(*env, "C:\\Busy") : TryOpenFile(*env, "C:\\Busy");
  EXPECT_FALSE(result);
  EXPECT_EQ(clock.slept, 101 * 100);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], Question(c.question));
  EXPECT_EQ(ui.messages[1], ui.messages[0]);
}
INSTANTIATE_TEST_SUITE_P(
    Files, TryFileRetryTest,
    ::testing::Values(
        RetryCase{"create", true,
                  "Chyba:    5\r\rProgram nemuze zalozit Soubor: \r     C:\\Busy\r\r"
                  "Chceme opakovat pokus o zalozeni Souboru ?"},
        RetryCase{"open", false,
                  "Chyba:    5\r\rProgram nemuze otevrit Soubor: \r     C:\\Busy\r\r"
                  "Chceme opakovat pokus o otevreni Souboru ?"}),
    [](const auto& info) { return std::string(info.param.name); });

// The test clock's today is 15.3.2016.
class EraseByMaskTest : public FilesTest {
 protected:
  void SetUp() override {
    PutDated("D:\\Work\\old.tmp", {2016, 3, 14, 23, 59, 0});
    PutDated("D:\\Work\\hidden.tmp", {2016, 1, 1, 0, 0, 0}, kAttrHidden);
    PutDated("D:\\Work\\readonly.tmp", {2015, 5, 5, 5, 5, 4}, kAttrReadOnly | kAttrArchive);
    PutDated("D:\\Work\\system.tmp", {2015, 5, 5, 5, 5, 4}, kAttrSystem);
    PutDated("D:\\Work\\today.tmp", {2016, 3, 15, 0, 0, 0});
    PutDated("D:\\Work\\keep.txt", {2015, 5, 5, 5, 5, 4});
    stdfs::create_directories(dDir + "/Work/old.tmp.d");
    Put("C:\\A_Run\\here.tmp", "must stay");
    if ((fs->Attributes("D:\\Work\\system.tmp").value_or(0) & kAttrSystem) == 0) {
      GTEST_SKIP() << "no extended attributes on " << dDir;
    }
  }
  std::vector<std::string> Left() {
    std::vector<std::string> names;
    for (const auto& e : fs->List("D:\\Work\\*.*")) names.push_back(e.name);
    return names;
  }
};

TEST_F(EraseByMaskTest, EraseAllFilesSkipsOnlySystemFilesAndDirectories) {
  EraseAllFiles(*env, "d:\\work\\*.TMP");
  EXPECT_EQ(Left(), (std::vector<std::string>{"keep.txt", "old.tmp.d", "system.tmp"}));
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
  EXPECT_TRUE(Exists("C:\\A_Run\\here.tmp"));
}

TEST_F(EraseByMaskTest, EraseOlderFilesKeepsToday) {
  EraseOlderFiles(*env, "D:\\Work\\*.tmp");
  EXPECT_EQ(Left(), (std::vector<std::string>{"keep.txt", "old.tmp.d", "system.tmp", "today.tmp"}));
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
}

TEST_F(EraseByMaskTest, WorksInTheCurrentDirectoryWithoutADirectoryPart) {
  ASSERT_EQ(fs->ChangeDir("D:\\Work"), kIoOk);
  EraseAllFiles(*env, "*.tmp");
  EXPECT_EQ(Left(), (std::vector<std::string>{"keep.txt", "old.tmp.d", "system.tmp"}));
  EXPECT_EQ(fs->CurrentDir(), "D:\\Work");
}

TEST_F(EraseByMaskTest, MissingDirectoryErasesNothingElsewhere) {
  EraseAllFiles(*env, "C:\\A_Run\\Missing\\*.tmp");
  EraseOlderFiles(*env, "C:\\A_Run\\Missing\\*.tmp");
  EXPECT_TRUE(Exists("C:\\A_Run\\here.tmp"));
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
}

TEST_F(EraseByMaskTest, DriveRootMaskMeansTheRoot) {
  Put("C:\\root.tmp", "x");
  EraseAllFiles(*env, "C:\\*.tmp");
  EXPECT_FALSE(Exists("C:\\root.tmp"));
  EXPECT_TRUE(Exists("C:\\A_Run\\here.tmp"));
}

}  // namespace
}  // namespace orvo::test
