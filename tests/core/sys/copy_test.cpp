#include "core/sys/copy.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "core/sys/clock.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"
#include "support/file_size_limit.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

namespace stdfs = std::filesystem;

RecordedMessage YesNoCancel(std::string text) {
  return {MessageKind::YesNoCancel, std::move(text), "Ano=True, Ne=False, Storno=Halt"};
}

class CopyTest : public Scratch {
 protected:
  void PutDated(std::string_view logical, std::string_view bytes, DateTime when,
                unsigned attr = kAttrArchive) {
    Put(logical, bytes);
    ASSERT_EQ(fs->SetModTime(logical, ToTimeT(when)), kIoOk);
    ASSERT_EQ(fs->SetAttributes(logical, attr), kIoOk);
  }
  std::vector<std::string> Names(std::string_view pathWithMask) {
    std::vector<std::string> names;
    for (const auto& e : fs->List(pathWithMask)) names.push_back(e.name);
    return names;
  }
};

// --- CopyFile ---------------------------------------------------------------------

TEST_F(CopyTest, CopyFileKeepsDateAndAttributesOverAReadOnlyTarget) {
  PutDated("D:\\a.cds", "source", {2016, 2, 1, 9, 30, 0}, kAttrArchive | kAttrReadOnly);
  PutDated("C:\\Work\\a.cds", "old target", {2016, 3, 1, 0, 0, 0}, kAttrReadOnly);
  EXPECT_EQ(CopyFile(*env, "D:\\a.cds", "C:\\Work\\a.cds", false), 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\Work\\a.cds"), "source");
  EXPECT_EQ(fs->ModTime("C:\\Work\\a.cds"), ToTimeT({2016, 2, 1, 9, 30, 0}));
  EXPECT_EQ(fs->Attributes("C:\\Work\\a.cds"), unsigned{kAttrArchive | kAttrReadOnly});
  EXPECT_EQ(fs->Attributes("D:\\a.cds"), unsigned{kAttrArchive | kAttrReadOnly});
}

TEST_F(CopyTest, CopyFileWithNewDateTakesTheTimeOfTheCopy) {
  PutDated("D:\\a.cds", "source", {2016, 2, 1, 9, 30, 0});
  EXPECT_EQ(CopyFile(*env, "D:\\a.cds", "D:\\b.cds", true), 0);
  EXPECT_GT(*fs->ModTime("D:\\b.cds"), ToTimeT({2020, 1, 1, 0, 0, 0}));
}

TEST_F(CopyTest, CopyFileOfALargeFileCopiesEveryBlock) {
  std::string big(32000 * 3 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  Put("D:\\big.bin", big);
  EXPECT_EQ(CopyFile(*env, "D:\\big.bin", "C:\\big.bin", false), 0);
  EXPECT_EQ(Get("C:\\big.bin"), big);
  Put("D:\\exact.bin", std::string(32000, 'x'));
  EXPECT_EQ(CopyFile(*env, "D:\\exact.bin", "C:\\exact.bin", false), 0);
  EXPECT_EQ(Get("C:\\exact.bin").size(), 32000u);
}

TEST_F(CopyTest, CopyFileOfAMissingSourceIsMinusOne) {
  EXPECT_EQ(CopyFile(*env, "d:\\chybi.cds", "C:\\x.cds", false), -1);
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\chybi.cds\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(Exists("C:\\x.cds"));
}

TEST_F(CopyTest, CopyFileOntoItselfIsMinusTwoAndTouchesNothing) {
  PutDated("C:\\Work\\a.cds", "keep", {2016, 2, 1, 9, 30, 0});
  EXPECT_EQ(CopyFile(*env, "C:\\Work\\a.cds", "C:\\Work\\a.cds", false), -2);
  EXPECT_EQ(ui.Single(), Error("Vstupni soubor:   C:\\Work\\a.cds\rVystupni soubor:  C:\\Work\\a.cds"
                               "\r\rSoubory se rovnaji !"));
  EXPECT_EQ(Get("C:\\Work\\a.cds"), "keep");
}

TEST_F(CopyTest, CopyFileOntoAnotherSpellingOfItselfIsMinusTwo) {
  Put("C:\\Work\\a.cds", "keep");
  ASSERT_EQ(fs->ChangeDir("C:\\Work"), kIoOk);
  EXPECT_EQ(CopyFile(*env, "c:\\WORK\\A.CDS", "a.cds", false), -2);
  EXPECT_EQ(ui.Single(), Error("Vstupni soubor:   c:\\WORK\\A.CDS\rVystupni soubor:  a.cds"
                               "\r\rSoubory se rovnaji !"));
  EXPECT_EQ(Get("C:\\Work\\a.cds"), "keep");
}

TEST_F(CopyTest, CopyFileIntoAMissingDirectoryIsMinusThree) {
  Put("D:\\a.cds", "x");
  EXPECT_EQ(CopyFile(*env, "D:\\a.cds", "d:\\Chybi\\a.cds", false), -3);
  EXPECT_EQ(ui.Single(), Error("Adresar:\r\r\"D:\\Chybi\"\r\r     - nebyl nalezen !"));
}

TEST_F(CopyTest, CopyFileIntoADriveRootChecksTheRoot) {
  Put("D:\\a.cds", "x");
  EXPECT_EQ(CopyFile(*env, "D:\\a.cds", "C:\\a.cds", false), 0);  // C:\A_Run does not exist
  EXPECT_EQ(Get("C:\\a.cds"), "x");
}

TEST_F(CopyTest, CopyFileGivesUpWhenTheUserSaysNo) {
  Put("D:\\a.cds", "x");
  stdfs::create_directories(cDir + "/Dir");  // a directory cannot be created as a file
  ui.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(CopyFile(*env, "D:\\a.cds", "C:\\Dir", false), -5);
  auto question = YesNoCancel("C:\\Dir\r\rSoubor nelze zalozit. Opakovat akci ? ");
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{question, question}));
}

TEST_F(CopyTest, CopyFileCancelEndsTheApplication) {
  Put("D:\\a.cds", "x");
  stdfs::create_directories(cDir + "/Dir");
  ui.answers = {Answer::Cancel};
  EXPECT_THROW(CopyFile(*env, "D:\\a.cds", "C:\\Dir", false), Termination);
}

// A copy onto an existing file that cannot be completed leaves the target
// as it was: the old file goes only when the new one is whole.
struct KeptTargetCase {
  const char* name;
  int sourceBytes;   // size of the source
  rlim_t diskBytes;  // what the "disk" takes per file
};

class CopyKeepsTargetTest : public CopyTest, public ::testing::WithParamInterface<KeptTargetCase> {};

TEST_P(CopyKeepsTargetTest, DiskFullKeepsTheTargetByteForByte) {
  const KeptTargetCase& c = GetParam();
  Put("D:\\big.cds", std::string(c.sourceBytes, 'n'));
  PutDated("C:\\Work\\t.cds", "current content", {2016, 3, 1, 8, 0, 0}, kAttrReadOnly);
  int result;
  {
    FileSizeLimit disk(c.diskBytes);
    result = CopyFile(*env, "D:\\big.cds", "C:\\Work\\t.cds", false);
  }
  EXPECT_EQ(result, -4);
  EXPECT_EQ(Get("C:\\Work\\t.cds"), "current content");
  EXPECT_EQ(fs->ModTime("C:\\Work\\t.cds"), ToTimeT({2016, 3, 1, 8, 0, 0}));
  EXPECT_EQ(fs->Attributes("C:\\Work\\t.cds"), unsigned{kAttrReadOnly});
  EXPECT_EQ(Names("C:\\Work\\*.*"), (std::vector<std::string>{"t.cds"}));
}

INSTANTIATE_TEST_SUITE_P(Copy, CopyKeepsTargetTest,
                         ::testing::Values(KeptTargetCase{"first_block", 1000, 10},
                                           KeptTargetCase{"later_block", 100000, 40000}),
                         [](const auto& info) { return std::string(info.param.name); });

// A source whose reads fail after it opened (the page at address 0 of the
// process is never mapped): the target stays.
TEST_F(CopyTest, UnreadableSourceKeepsTheTarget) {
  stdfs::create_directories(dDir);
  stdfs::create_symlink("/proc/self/mem", dDir + "/mem.cds");
  Put("C:\\Work\\t.cds", "current content");
  EXPECT_EQ(CopyFile(*env, "D:\\mem.cds", "C:\\Work\\t.cds", false), -4);
  EXPECT_EQ(Get("C:\\Work\\t.cds"), "current content");
  EXPECT_EQ(Names("C:\\Work\\*.*"), (std::vector<std::string>{"t.cds"}));
}

TEST_F(CopyTest, CopyOneFileJoinsTheDirectories) {
  Put("D:\\Src\\a.cds", "a");
  stdfs::create_directories(cDir + "/Tgt");
  EXPECT_EQ(CopyOneFile(*env, "a.cds", "D:\\Src\\", "C:\\Tgt", false), 0);
  EXPECT_EQ(Get("C:\\Tgt\\a.cds"), "a");
}

// --- CopyDirFiles -------------------------------------------------------------------

struct DirCopyCase {
  const char* name;
  int mode;
  const char* b;  // content of the target's b.cds afterwards (target newer)
  const char* c;  // content of the target's c.cds afterwards (target older)
};
class CopyDirFilesTest : public CopyTest, public ::testing::WithParamInterface<DirCopyCase> {};
TEST_P(CopyDirFilesTest, CopiesByMode) {
  const auto& p = GetParam();
  PutDated("D:\\Src\\a.cds", "src a", {2016, 3, 1, 8, 0, 0});
  PutDated("D:\\Src\\b.cds", "src b", {2016, 3, 1, 8, 0, 0});
  PutDated("D:\\Src\\c.cds", "src c", {2016, 3, 10, 8, 0, 0});
  PutDated("D:\\Src\\x.txt", "not matching", {2016, 3, 1, 8, 0, 0});
  PutDated("D:\\Src\\hidden.cds", "h", {2016, 3, 1, 8, 0, 0}, kAttrHidden);
  PutDated("D:\\Src\\readonly.cds", "r", {2016, 3, 1, 8, 0, 0}, kAttrReadOnly | kAttrArchive);
  PutDated("D:\\Src\\normal.cds", "n", {2016, 3, 1, 8, 0, 0}, 0);
  PutDated("C:\\Tgt\\b.cds", "tgt b", {2016, 3, 5, 8, 0, 0});
  PutDated("C:\\Tgt\\c.cds", "tgt c", {2016, 3, 5, 8, 0, 0}, kAttrArchive | kAttrHidden);

  CopyDirFiles(*env, "*.cds", "D:\\Src", "c:\\tgt\\", p.mode);

  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\Tgt\\a.cds"), "src a");
  EXPECT_EQ(Get("C:\\Tgt\\b.cds"), p.b);
  EXPECT_EQ(Get("C:\\Tgt\\c.cds"), p.c);
  EXPECT_EQ(Get("C:\\Tgt\\normal.cds"), "n");
  EXPECT_FALSE(Exists("C:\\Tgt\\x.txt"));
  if (fs->Attributes("D:\\Src\\hidden.cds").value_or(0) & kAttrHidden) {
    EXPECT_FALSE(Exists("C:\\Tgt\\hidden.cds"));
  }
  EXPECT_FALSE(Exists("C:\\Tgt\\readonly.cds"));
  // Copies keep the source's date and carry the archive bit alone.
  EXPECT_EQ(fs->ModTime("C:\\Tgt\\a.cds"), ToTimeT({2016, 3, 1, 8, 0, 0}));
  EXPECT_EQ(fs->Attributes("C:\\Tgt\\a.cds"), unsigned{kAttrArchive});
  EXPECT_EQ(fs->Attributes("C:\\Tgt\\normal.cds"), unsigned{kAttrArchive});
}
INSTANTIATE_TEST_SUITE_P(Copy, CopyDirFilesTest,
                         ::testing::Values(DirCopyCase{"mode0_all", 0, "src b", "src c"},
                                           DirCopyCase{"mode1_missing_or_older", 1, "tgt b", "src c"},
                                           DirCopyCase{"mode2_missing_only", 2, "tgt b", "tgt c"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyTest, CopyDirFilesModeTwoLeavesExistingTargetsUntouched) {
  PutDated("D:\\Src\\b.cds", "src b", {2016, 3, 10, 8, 0, 0});
  PutDated("C:\\Tgt\\b.cds", "tgt b", {2016, 3, 5, 8, 0, 0}, kAttrArchive | kAttrReadOnly);
  CopyDirFiles(*env, "*.*", "D:\\Src", "C:\\Tgt", 2);
  EXPECT_EQ(Get("C:\\Tgt\\b.cds"), "tgt b");
  EXPECT_EQ(fs->Attributes("C:\\Tgt\\b.cds"), unsigned{kAttrArchive | kAttrReadOnly});
  EXPECT_EQ(fs->ModTime("C:\\Tgt\\b.cds"), ToTimeT({2016, 3, 5, 8, 0, 0}));
}

// --- moving and replacing -------------------------------------------------------------

TEST_F(CopyTest, MoveFileSafeOnOneDriveRenames) {
  Put("D:\\a.cds", "a");
  Put("D:\\Tgt\\b.cds", "old");
  MoveFileSafe(*env, "D:\\a.cds", "D:\\Tgt\\b.cds");
  EXPECT_EQ(Get("D:\\Tgt\\b.cds"), "a");
  EXPECT_FALSE(Exists("D:\\a.cds"));
}

TEST_F(CopyTest, MoveFileSafeBetweenDrivesCopiesAndErases) {
  PutDated("D:\\a.cds", "a", {2016, 1, 2, 3, 4, 6});
  Put("C:\\Tgt\\a.cds", "old");
  MoveFileSafe(*env, "d:\\a.cds", "C:\\Tgt\\a.cds");
  EXPECT_EQ(Get("C:\\Tgt\\a.cds"), "a");
  EXPECT_EQ(fs->ModTime("C:\\Tgt\\a.cds"), ToTimeT({2016, 1, 2, 3, 4, 6}));
  EXPECT_FALSE(Exists("D:\\a.cds"));
}

TEST_F(CopyTest, MoveFileSafeKeepsTheSourceWhenTheCopyFails) {
  Put("D:\\a.cds", "a");
  MoveFileSafe(*env, "D:\\a.cds", "C:\\Chybi\\a.cds");
  EXPECT_EQ(Get("D:\\a.cds"), "a");
  EXPECT_EQ(ui.Single(), Error("Adresar:\r\r\"C:\\Chybi\"\r\r     - nebyl nalezen !"));
}

TEST_F(CopyTest, SafeReplaceReplacesAndLeavesNoTemporary) {
  PutDated("D:\\new.cds", "new", {2016, 3, 1, 8, 0, 0});
  Put("C:\\Work\\T.Cds", "old");
  ASSERT_EQ(fs->SetAttributes("C:\\Work\\T.Cds", kAttrReadOnly | kAttrHidden), kIoOk);
  EXPECT_TRUE(SafeReplace(*env, "D:\\new.cds", "C:\\Work\\T.Cds", true));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\Work\\T.Cds"), "new");
  EXPECT_EQ(fs->ModTime("C:\\Work\\T.Cds"), ToTimeT({2016, 3, 1, 8, 0, 0}));
  EXPECT_EQ(Names("C:\\Work\\*.*"), (std::vector<std::string>{"T.Cds"}));
}

TEST_F(CopyTest, SafeReplaceOfAMissingSourceKeepsTheTarget) {
  Put("C:\\Work\\T.Cds", "old");
  EXPECT_FALSE(SafeReplace(*env, "D:\\chybi.cds", "C:\\Work\\T.Cds", true));
  EXPECT_EQ(Get("C:\\Work\\T.Cds"), "old");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1],
            Info("Nepodarilo se zkopirovat soubor !-Copy", "D:\\chybi.cds ==> C:\\Work\\T.Cds"));
  EXPECT_EQ(Names("C:\\Work\\*.*"), (std::vector<std::string>{"T.Cds"}));
}

TEST_F(CopyTest, SafeReplaceGivesUpWhenTheTargetCannotBeErased) {
  Put("D:\\new.cds", "new");
  stdfs::create_directories(cDir + "/Work/T.Cds");  // a directory: never erased as a file
  EXPECT_FALSE(SafeReplace(*env, "D:\\new.cds", "C:\\Work\\T.Cds", true));
  EXPECT_EQ(ui.Single(),
            Info("Nepodarilo se zkopirovat soubor !-Erase", "D:\\new.cds ==> C:\\Work\\T.Cds"));
  EXPECT_EQ(Names("C:\\Work\\*.*"), (std::vector<std::string>{"T.Cds"}));
  EXPECT_GE(clock.slept, 100 * 100);
}

// Old code: the target was erased and only then was the copy renamed to it,
// so a reader (or a crash) in between found no file at all.
TEST_F(CopyTest, SafeReplaceNeverLeavesTheTargetMissing) {
  Put("D:\\new.cds", "new");
  Put("C:\\Work\\T.Cds", "old");
  const std::string host = Host("C:\\Work\\T.Cds");
  std::atomic<bool> done{false};
  std::atomic<int> missing{0};
  std::thread reader([&] {
    while (!done) {
      if (::access(host.c_str(), F_OK) != 0) ++missing;
    }
  });
  bool replaced = true;
  for (int i = 0; i < 50 && replaced; ++i) replaced = SafeReplace(*env, "D:\\new.cds", "C:\\Work\\T.Cds", true);
  done = true;
  reader.join();
  EXPECT_TRUE(replaced);
  EXPECT_EQ(missing.load(), 0);
  EXPECT_EQ(Get("C:\\Work\\T.Cds"), "new");
}

// Old code: temporary copies took random names like the target's own
// ("T123456.Cds"), so one a crash left behind passed for data and stayed.
TEST_F(CopyTest, SafeReplaceRemovesTheTemporaryFilesOfEndedPrograms) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string stale = "~T.Cds." + std::to_string(gone) + ".tmp";
  const std::vector<std::string> kept = {"~Jiny.Cds." + std::to_string(gone) + ".tmp",  // another file's
                                         "~T.Cds.1.tmp",                                // pid 1 runs
                                         "~T.Cds.x1.tmp"};                              // not a process id
  for (const std::string& name : kept) Put("C:\\Work\\" + name, "half");
  Put("C:\\Work\\" + stale, "half");
  Put("C:\\Work\\T.Cds", "old");
  Put("D:\\new.cds", "new");
  EXPECT_TRUE(SafeReplace(*env, "D:\\new.cds", "C:\\Work\\T.Cds", true));
  EXPECT_EQ(Get("C:\\Work\\T.Cds"), "new");
  EXPECT_FALSE(Exists("C:\\Work\\" + stale));
  for (const std::string& name : kept) EXPECT_TRUE(Exists("C:\\Work\\" + name)) << name;
  EXPECT_EQ(Names("C:\\Work\\*.Cds").size(), 1u);
}

TEST_F(CopyTest, SafeReplaceWithoutMessagesIsQuiet) {
  Put("D:\\new.cds", "new");
  stdfs::create_directories(cDir + "/Work/T.Cds");
  EXPECT_FALSE(SafeReplace(*env, "D:\\new.cds", "C:\\Work\\T.Cds", false));
  EXPECT_TRUE(ui.messages.empty());
}

// --- generations -----------------------------------------------------------------------

struct GenerationCase {
  const char* name;
  const char* file;
  int k;
  const char* generation;
  const char* mask;
};
class GenerationNameTest : public ::testing::TestWithParam<GenerationCase> {};
TEST_P(GenerationNameTest, InsertsTheNumberBeforeTheFirstDot) {
  const auto& c = GetParam();
  EXPECT_EQ(GenerationName(c.file, c.k), c.generation);
  EXPECT_EQ(GenerationMask(c.file), c.mask);
  EXPECT_TRUE(MatchesDosMask(FileNameOf(c.generation), FileNameOf(c.mask)));
}
INSTANTIATE_TEST_SUITE_P(
    Copy, GenerationNameTest,
    ::testing::Values(
        GenerationCase{"posting_file", "160301UctO.Cds", 7, "160301UctO_007.Cds", "160301UctO*.Cds"},
        GenerationCase{"first", "160300UctS.Cds", 1, "160300UctS_001.Cds", "160300UctS*.Cds"},
        GenerationCase{"highest", "a.Cds", 999, "a_999.Cds", "a*.Cds"},
        GenerationCase{"two_dots", "a.b.Cds", 20, "a_020.b.Cds", "a*.b.Cds"},
        GenerationCase{"no_extension", "Obdobi", 3, "Obdobi_003", "Obdobi*.*"},
        GenerationCase{"dot_in_directory", "D:\\x.y\\U.Cds", 2, "D:\\x.y\\U_002.Cds",
                       "D:\\x.y\\U*.Cds"}),
    [](const auto& info) { return std::string(info.param.name); });

class ArchiveTest : public CopyTest {
 protected:
  const std::string file = "D:\\LOrvo\\Data\\160301UctO.Cds";
  const std::string archive = "D:\\LOrvo\\Archiv";
  std::string Gen(int k) { return archive + "\\" + GenerationName("160301UctO.Cds", k); }
};

TEST_F(ArchiveTest, TwentyFirstRotationDropsTheOldest) {
  for (int i = 1; i <= 21; ++i) {
    PutDated(file, "content " + std::to_string(i), {2016, 3, 1, 8, i, 0});
    ArchiveRotate(*env, file, archive, 20);
  }
  EXPECT_TRUE(ui.messages.empty());
  auto names = Names(archive + "\\*.*");
  ASSERT_EQ(names.size(), 20u);
  EXPECT_EQ(names.front(), "160301UctO_001.Cds");
  EXPECT_EQ(names.back(), "160301UctO_020.Cds");
  for (int k = 1; k <= 20; ++k) {
    EXPECT_EQ(Get(Gen(k)), "content " + std::to_string(k + 1)) << k;
  }
  // A generation carries the time stamp of the file it was copied from.
  EXPECT_EQ(fs->ModTime(Gen(20)), ToTimeT({2016, 3, 1, 8, 21, 0}));
  EXPECT_EQ(Get(file), "content 21");
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
}

TEST_F(ArchiveTest, RotationFillsTheFirstFreeNumberAndCreatesTheDirectory) {
  PutDated(file, "one", {2016, 3, 1, 8, 0, 0}, kAttrArchive | kAttrReadOnly);
  ArchiveRotate(*env, file, archive + "\\", 20);
  EXPECT_EQ(Names(archive + "\\*.*"), (std::vector<std::string>{"160301UctO_001.Cds"}));
  EXPECT_EQ(fs->Attributes(Gen(1)), unsigned{kAttrArchive | kAttrReadOnly});
  ArchiveRotate(*env, file, archive, 20);
  EXPECT_EQ(Get(Gen(2)), "one");
}

TEST_F(ArchiveTest, RotationOfAMissingFileDoesNothing) {
  ArchiveRotate(*env, file, archive, 20);
  EXPECT_FALSE(fs->DirExists(archive));
}

TEST_F(ArchiveTest, ArchiveDirectoryThatCannotBeEnteredEndsTheApplication) {
  Put(file, "x");
  Put("D:\\LOrvo\\Archiv", "a file in the way");
  try {
    ArchiveRotate(*env, file, archive, 20);
    FAIL() << "no Termination";
  } catch (const Termination&) {
  }
  EXPECT_EQ(ui.Single(), Error("Chyba:      3   - Program bude ukoncen", "D:\\LOrvo\\Archiv-CHDIR"));
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
}

TEST_F(ArchiveTest, RawCopyOntoItselfEndsTheApplication) {
  Put("C:\\a.cds", "keep");
  EXPECT_THROW(RawCopy(*env, "C:\\a.cds", "c:\\A.CDS"), Termination);
  EXPECT_EQ(ui.Single(), Error("Chyba:      3   - Program bude ukoncen", "LRCopy: C:\\a.cds=c:\\A.CDS"));
  EXPECT_EQ(Get("C:\\a.cds"), "keep");
}

TEST_F(ArchiveTest, NeededByDateComparesCalendarDays) {
  PutDated(file, "x", {2016, 3, 15, 10, 0, 0});
  EXPECT_TRUE(ArchiveNeededByDate(*env, file, archive));
  EXPECT_TRUE(fs->DirExists(archive));  // created by the test
  ArchiveRotate(*env, file, archive, 20);
  EXPECT_FALSE(ArchiveNeededByDate(*env, file, archive));

  // Changed later the same day: the start-up test still skips it.
  PutDated(file, "y", {2016, 3, 15, 18, 0, 0});
  EXPECT_FALSE(ArchiveNeededByDate(*env, file, archive));
  PutDated(file, "z", {2016, 3, 16, 7, 0, 0});
  EXPECT_TRUE(ArchiveNeededByDate(*env, file, archive));
}

TEST_F(ArchiveTest, NeededByTimeComparesFullStamps) {
  PutDated(file, "x", {2016, 3, 15, 10, 0, 0});
  EXPECT_TRUE(ArchiveNeededByTime(*env, file, archive));
  ArchiveRotate(*env, file, archive, 20);
  EXPECT_FALSE(ArchiveNeededByTime(*env, file, archive));
  // One second later is the same packed stamp; two seconds later is newer.
  PutDated(file, "y", {2016, 3, 15, 10, 0, 1});
  EXPECT_FALSE(ArchiveNeededByTime(*env, file, archive));
  PutDated(file, "y", {2016, 3, 15, 10, 0, 2});
  EXPECT_TRUE(ArchiveNeededByTime(*env, file, archive));
}

TEST_F(ArchiveTest, NeededTestsIgnoreOtherFilesAndHiddenOnes) {
  PutDated(file, "x", {2016, 3, 15, 10, 0, 0});
  PutDated(archive + "\\160302UctO_001.Cds", "other plant", {2016, 3, 20, 0, 0, 0});
  PutDated(archive + "\\160301UctO_005.Cds", "hidden", {2016, 3, 20, 0, 0, 0}, kAttrHidden);
  if ((fs->Attributes(archive + "\\160301UctO_005.Cds").value_or(0) & kAttrHidden) == 0) {
    GTEST_SKIP() << "no extended attributes on " << dDir;
  }
  EXPECT_TRUE(ArchiveNeededByDate(*env, file, archive));
  EXPECT_TRUE(ArchiveNeededByTime(*env, file, archive));
}

// An unnumbered copy left in the archive (a copy that never got its
// number) is no generation: it neither stops the archiving nor stays.
TEST_F(ArchiveTest, StrayUnnumberedCopyIsIgnoredAndCleaned) {
  PutDated(file, "x", {2016, 3, 15, 10, 0, 0});
  PutDated(archive + "\\160301UctO.Cds", "stray", {2016, 3, 15, 10, 0, 0});
  EXPECT_TRUE(ArchiveNeededByDate(*env, file, archive));
  EXPECT_TRUE(ArchiveNeededByTime(*env, file, archive));
  ArchiveRotate(*env, file, archive, 20);
  EXPECT_EQ(Names(archive + "\\*.*"), (std::vector<std::string>{"160301UctO_001.Cds"}));
  EXPECT_EQ(Get(Gen(1)), "x");
}

// The generations move only once the new copy is whole: a copy that fails
// (a full disk) loses none of them.
TEST_F(ArchiveTest, FailedCopyLosesNoGeneration) {
  for (int k = 1; k <= 20; ++k) PutDated(Gen(k), "gen " + std::to_string(k), {2016, 3, 1, 8, k, 0});
  PutDated(file, std::string(5000, 'n'), {2016, 3, 2, 8, 0, 0});
  {
    FileSizeLimit disk(1000);
    ArchiveRotate(*env, file, archive, 20);
  }
  ASSERT_EQ(Names(archive + "\\*.*").size(), 20u);
  for (int k = 1; k <= 20; ++k) EXPECT_EQ(Get(Gen(k)), "gen " + std::to_string(k)) << k;
  EXPECT_EQ(ui.Single(), Error("Soubor " + file + " se nepodarilo archivovat !\r\r" +
                               "Archiv " + archive + " zustava beze zmeny."));
}

TEST_F(ArchiveTest, NothingIsNeededForAMissingFile) {
  EXPECT_FALSE(ArchiveNeededByDate(*env, file, archive));
  EXPECT_FALSE(ArchiveNeededByTime(*env, file, archive));
}

}  // namespace
}  // namespace orvo::test
