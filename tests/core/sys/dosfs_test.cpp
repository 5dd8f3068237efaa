#include "core/sys/dosfs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/sys/clock.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

namespace stdfs = std::filesystem;

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// --- drive map ---------------------------------------------------------------

TEST(DriveMapTest, ParsesEntriesSeparatorsAndComments) {
  std::string error;
  auto map = DriveMap::Parse("c=/home/me/orvo/C/;D=/srv/orvo\n# data of the firm\n E = /mnt/e \n", &error);
  ASSERT_TRUE(map.has_value()) << error;
  EXPECT_EQ(map->HostDir('C'), "/home/me/orvo/C");
  EXPECT_EQ(map->HostDir('d'), "/srv/orvo");
  EXPECT_EQ(map->HostDir('E'), "/mnt/e");
  EXPECT_FALSE(map->IsMapped('F'));
  EXPECT_EQ(map->ToSpec(), "C=/home/me/orvo/C;D=/srv/orvo;E=/mnt/e");
}

struct BadSpec {
  const char* name;
  const char* mapText;
};
class DriveMapBadTest : public ::testing::TestWithParam<BadSpec> {};
TEST_P(DriveMapBadTest, FailsWithTheEntryNamed) {
  std::string error;
  EXPECT_FALSE(DriveMap::Parse(GetParam().mapText, &error).has_value());
  EXPECT_NE(error.find("bad drive map entry"), std::string::npos) << error;
}
INSTANTIATE_TEST_SUITE_P(DriveMap, DriveMapBadTest,
                         ::testing::Values(BadSpec{"relative_dir", "C=orvo/C"},
                                           BadSpec{"no_letter", "=/srv"},
                                           BadSpec{"digit_letter", "1=/srv"},
                                           BadSpec{"no_equals", "C/srv"},
                                           BadSpec{"no_dir", "C="}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DriveMapTest, EnvironmentWinsOverConfigAndDefault) {
  TempDir home;
  ScopedEnv drives("ORVO_DRIVES", "C=/x/c;D=/x/d");
  ScopedEnv homeVar("HOME", home.path().c_str());
  auto map = DriveMap::FromEnvironment();
  EXPECT_EQ(map.ToSpec(), "C=/x/c;D=/x/d");
}

TEST(DriveMapTest, ConfigFileThenDefaultWithoutCreatingAnything) {
  TempDir home;
  ScopedEnv drives("ORVO_DRIVES", nullptr);
  ScopedEnv homeVar("HOME", home.path().c_str());
  ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  ScopedEnv data("XDG_DATA_HOME", nullptr);

  auto fallback = DriveMap::FromEnvironment();
  EXPECT_EQ(fallback.ToSpec(), "C=" + home.path() + "/.local/share/orvo/C");
  EXPECT_TRUE(stdfs::is_empty(home.path()));

  stdfs::create_directories(home.path() + "/.config/orvo");
  std::ofstream(home.path() + "/.config/orvo/drives") << "# mine\nC=/a/c\nQ=/a/q\n";
  EXPECT_EQ(DriveMap::FromEnvironment().ToSpec(), "C=/a/c;Q=/a/q");
}

TEST(DriveMapTest, DefaultFollowsXdgDataHome) {
  TempDir home;
  ScopedEnv drives("ORVO_DRIVES", nullptr);
  ScopedEnv homeVar("HOME", home.path().c_str());
  ScopedEnv data("XDG_DATA_HOME", "/data/home");
  EXPECT_EQ(DriveMap::FromEnvironment().ToSpec(), "C=/data/home/orvo/C");
}

TEST(DriveMapTest, HostDataRootTakesFirstFreeLetterFromD) {
  DriveMap map;
  map.Map('C', "/c");
  map.Map('D', "/d");
  map.Map('F', "/f");
  EXPECT_EQ(map.MapFreeLetter("/srv/orvo/"), 'E');
  EXPECT_EQ(map.MapFreeLetter("/srv/orvo"), 'E');  // the same directory again
  EXPECT_EQ(map.MapFreeLetter("/srv/other"), 'G');
  EXPECT_EQ(map.LogicalPathOf("/srv/orvo/LOrvo/Data"), "E:\\LOrvo\\Data");
  EXPECT_EQ(map.LogicalPathOf("/f"), "F:\\");
  EXPECT_FALSE(map.LogicalPathOf("/ff/x").has_value());
}

// --- paths ---------------------------------------------------------------------

class DosFsTest : public Scratch {};

TEST_F(DosFsTest, FullPathFoldsAndJoins) {
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
  EXPECT_EQ(fs->FullPath("Work\\X.Cds"), "C:\\A_Run\\Work\\X.Cds");
  EXPECT_EQ(fs->FullPath("c:/a/./b/../c\\"), "C:\\a\\c");
  EXPECT_EQ(fs->FullPath("\\Temp"), "C:\\Temp");
  EXPECT_EQ(fs->FullPath("d:data"), "D:\\data");
  EXPECT_EQ(fs->FullPath("C:\\..\\..\\etc\\passwd"), "C:\\etc\\passwd");
  EXPECT_EQ(fs->FullPath("D:"), "D:\\");
}

TEST_F(DosFsTest, DotDotNeverLeavesTheDrive) {
  auto host = fs->HostPath("C:\\A_Run\\..\\..\\..\\D\\secret");
  ASSERT_TRUE(host.has_value());
  EXPECT_EQ(*host, cDir + "/D/secret");
}

TEST_F(DosFsTest, ResolvesCaseInsensitivelyPerComponent) {
  Put("C:\\A_Run\\Work\\Orvoork.Cds", "x");
  EXPECT_EQ(fs->HostPath("c:\\a_run\\WORK\\orvoORK.cds"), cDir + "/A_Run/Work/Orvoork.Cds");
  EXPECT_TRUE(fs->FileExists("C:\\A_RUN\\WORK\\ORVOORK.CDS"));
  EXPECT_TRUE(fs->DirExists("c:\\a_run\\work"));
  EXPECT_FALSE(fs->FileExists("c:\\a_run\\work"));
}

TEST_F(DosFsTest, CzechLettersCompareWithoutCase) {
  // The host keeps UTF-8 names; the logical name is Windows-1250 ("Účty" and "ÚČTY").
  stdfs::create_directories(dDir + "/\xc3\x9a\xc4\x8dty");
  std::string upper = "D:\\\xda\xc8TY";
  EXPECT_EQ(fs->HostPath(upper), dDir + "/\xc3\x9a\xc4\x8dty");
  auto listed = fs->List("D:\\*.*");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "\xda\xe8ty");
}

TEST_F(DosFsTest, NewFileKeepsTheGivenCase) {
  stdfs::create_directories(cDir + "/A_Run/Work");
  ASSERT_EQ(fs->WriteWhole("c:\\a_run\\work\\NewFile.Txt", "abc"), kIoOk);
  EXPECT_TRUE(stdfs::exists(cDir + "/A_Run/Work/NewFile.Txt"));
  ASSERT_EQ(fs->MakeDir("C:\\a_run\\SubDir"), kIoOk);
  EXPECT_TRUE(stdfs::is_directory(cDir + "/A_Run/SubDir"));
}

TEST_F(DosFsTest, UnmappedDriveIsAFailureNotAWriteElsewhere) {
  EXPECT_FALSE(fs->HostPath("Q:\\x.txt").has_value());
  EXPECT_EQ(fs->WriteWhole("Q:\\x.txt", "abc"), kIoInvalidDrive);
  int result = 0;
  EXPECT_FALSE(fs->Open("Q:\\x.txt", DosFile::Mode::Write, &result).IsOpen());
  EXPECT_EQ(result, kIoInvalidDrive);
  EXPECT_EQ(fs->MakeDir("Q:\\dir"), kIoInvalidDrive);
  EXPECT_EQ(fs->ChangeDir("Q:\\"), kIoInvalidDrive);
  EXPECT_FALSE(fs->DriveUsable('Q'));
  EXPECT_TRUE(fs->DriveUsable('c'));
  EXPECT_TRUE(fs->List("Q:\\*.*").empty());
  EXPECT_EQ(fs->CurrentDir(), "C:\\A_Run");
}

TEST_F(DosFsTest, CurrentDirectoryIsLogical) {
  Put("D:\\Data\\A.txt", "a");
  std::string processDir = stdfs::current_path().string();
  EXPECT_EQ(fs->ChangeDir("d:\\data"), kIoOk);
  EXPECT_EQ(stdfs::current_path().string(), processDir);
  EXPECT_TRUE(fs->FileExists("a.TXT"));
  EXPECT_EQ(fs->DriveOf("x.txt"), 'D');
  EXPECT_EQ(fs->ChangeDir("D:\\Missing"), kIoPathNotFound);
  EXPECT_EQ(fs->CurrentDir(), "D:\\data");
}

TEST_F(DosFsTest, ResultsOfOpenRemoveAndRename) {
  int result = 0;
  fs->Open("C:\\Nowhere\\x.txt", DosFile::Mode::Read, &result);
  EXPECT_EQ(result, kIoPathNotFound);
  fs->Open("C:\\x.txt", DosFile::Mode::Read, &result);
  EXPECT_EQ(result, kIoFileNotFound);
  EXPECT_EQ(fs->Remove("C:\\x.txt"), kIoFileNotFound);

  Put("C:\\a.txt", "a");
  Put("C:\\b.txt", "b");
  EXPECT_EQ(fs->Rename("C:\\a.txt", "C:\\B.TXT"), kIoFileExists);
  EXPECT_EQ(fs->Rename("C:\\a.txt", "C:\\Nowhere\\a.txt"), kIoPathNotFound);
  EXPECT_EQ(fs->Rename("C:\\a.txt", "C:\\A.TXT"), kIoOk);  // only the case changes
  EXPECT_TRUE(stdfs::exists(cDir + "/A.TXT"));
  EXPECT_EQ(Get("C:\\a.txt"), "a");
}

// --- masks -------------------------------------------------------------------

struct MaskCase {
  const char* name;
  const char* file;
  const char* mask;
  bool matches;
};
class DosMaskTest : public ::testing::TestWithParam<MaskCase> {};
TEST_P(DosMaskTest, Matches) {
  const auto& c = GetParam();
  EXPECT_EQ(MatchesDosMask(c.file, c.mask), c.matches) << c.file << " ~ " << c.mask;
}
INSTANTIATE_TEST_SUITE_P(
    DosFs, DosMaskTest,
    ::testing::Values(
        MaskCase{"star_dot_star_any", "Orvoork.Cds", "*.*", true},
        MaskCase{"star_dot_star_without_extension", "README", "*.*", true},
        MaskCase{"star_alone", "a.b.c", "*", true},
        MaskCase{"prefix_and_extension", "AutPrev.Def", "Aut*.Def", true},
        MaskCase{"prefix_case_insensitive", "autprev.DEF", "Aut*.Def", true},
        MaskCase{"wrong_extension", "AutPrev.Cds", "Aut*.Def", false},
        MaskCase{"wrong_prefix", "XAutPrev.Def", "Aut*.Def", false},
        MaskCase{"generation", "160301UctO_007.Cds", "160301UctO_*.Cds", true},
        MaskCase{"generation_other_plant", "160302UctO_007.Cds", "160301UctO_*.Cds", false},
        MaskCase{"generation_mask", "160301UctO_007.Cds", "160301UctO*.Cds", true},
        MaskCase{"question_one_char", "A1.txt", "A?.txt", true},
        MaskCase{"question_not_empty", "A.txt", "A?.txt", false},
        MaskCase{"prefix_star_dot_star_no_ext", "UctOld", "Uct*.*", true},
        MaskCase{"dot_means_no_extension", "UctOld", "Uct*.", true},
        MaskCase{"dot_rejects_extension", "UctOld.Cds", "Uct*.", false},
        MaskCase{"exact_name", "Obdobi12.Txt", "OBDOBI12.TXT", true},
        MaskCase{"czech_letters", "\xfa\xe8ty.txt", "\xda\xc8TY.*", true},
        MaskCase{"star_in_middle", "ab.x.cd", "a*.cd", true},
        MaskCase{"empty_mask", "a", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- attributes and time stamps ---------------------------------------------------

TEST_F(DosFsTest, NewFileReadsAsArchive) {
  Put("C:\\f.txt", "x");
  EXPECT_EQ(fs->Attributes("C:\\f.txt"), unsigned{kAttrArchive});
  EXPECT_EQ(fs->Attributes("C:\\"), unsigned{kAttrDirectory});
  EXPECT_FALSE(fs->Attributes("C:\\missing.txt").has_value());
}

TEST_F(DosFsTest, ReadOnlyIsTheWriteBit) {
  Put("C:\\f.txt", "x");
  ASSERT_EQ(fs->SetAttributes("C:\\f.txt", kAttrReadOnly | kAttrArchive), kIoOk);
  struct stat st{};
  ASSERT_EQ(::stat((cDir + "/f.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  EXPECT_EQ(fs->Attributes("C:\\f.txt"), unsigned{kAttrReadOnly | kAttrArchive});

  // Read-only holds for writing and erasing, whoever runs the tests.
  int result = 0;
  EXPECT_FALSE(fs->Open("C:\\f.txt", DosFile::Mode::Write, &result).IsOpen());
  EXPECT_EQ(result, kIoAccessDenied);
  EXPECT_EQ(fs->Remove("C:\\f.txt"), kIoAccessDenied);
  EXPECT_TRUE(fs->Open("C:\\f.txt", DosFile::Mode::Read, &result).IsOpen());

  ASSERT_EQ(fs->SetAttributes("C:\\f.txt", 0), kIoOk);
  ASSERT_EQ(::stat((cDir + "/f.txt").c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IWUSR, 0u);
  EXPECT_EQ(fs->Remove("C:\\f.txt"), kIoOk);
}

bool XattrsWork(const std::string& dir) {
  std::string probe = dir + "/.xattr-probe";
  std::ofstream(probe) << "x";
  bool ok = ::setxattr(probe.c_str(), "user.orvo.probe", "1", 1, 0) == 0;
  stdfs::remove(probe);
  return ok;
}

TEST_F(DosFsTest, HiddenSystemArchiveKeptInExtendedAttribute) {
  if (!XattrsWork(cDir)) GTEST_SKIP() << "no user extended attributes on " << cDir;
  Put("C:\\f.txt", "x");
  ASSERT_EQ(fs->SetAttributes("C:\\F.TXT", kAttrHidden | kAttrSystem | kAttrReadOnly), kIoOk);
  EXPECT_EQ(fs->Attributes("C:\\f.txt"), unsigned{kAttrHidden | kAttrSystem | kAttrReadOnly});
  char value[8];
  ssize_t n = ::getxattr((cDir + "/f.txt").c_str(), "user.orvo.attrib", value, sizeof value);
  EXPECT_EQ(std::string(value, n > 0 ? static_cast<size_t>(n) : 0u), "HS");

  // A plain file without the archive bit stays plain.
  ASSERT_EQ(fs->SetAttributes("C:\\f.txt", 0), kIoOk);
  EXPECT_EQ(fs->Attributes("C:\\f.txt"), 0u);
  auto listed = fs->List("C:\\*.txt");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].attr, 0u);
}

TEST_F(DosFsTest, WriteWholeKeepsAttributesAndLeavesNoTemporary) {
  Put("C:\\data.cds", "old");
  ASSERT_EQ(fs->SetAttributes("C:\\data.cds", kAttrReadOnly | kAttrHidden), kIoOk);
  unsigned before = *fs->Attributes("C:\\data.cds");
  ASSERT_EQ(fs->WriteWhole("c:\\DATA.CDS", "new contents"), kIoOk);
  EXPECT_EQ(Get("C:\\data.cds"), "new contents");
  EXPECT_EQ(fs->Attributes("C:\\data.cds"), before);
  int count = 0;
  for (auto& e : stdfs::directory_iterator(cDir)) {
    (void)e;
    ++count;
  }
  EXPECT_EQ(count, 1);
  EXPECT_EQ(fs->WriteWhole("C:\\Nowhere\\x.cds", "x"), kIoPathNotFound);
}

TEST(DosTimeTest, PackedRoundTripHasTwoSecondResolution) {
  std::time_t t = ToTimeT(DateTime{2016, 3, 15, 10, 20, 31});
  uint32_t packed = PackDosTime(t);
  EXPECT_EQ(packed >> 16, ((2016u - 1980u) << 9) | (3u << 5) | 15u);
  EXPECT_EQ(packed & 0xFFFFu, (10u << 11) | (20u << 5) | 15u);
  EXPECT_EQ(UnpackDosTime(packed), ToTimeT(DateTime{2016, 3, 15, 10, 20, 30}));
  EXPECT_EQ(PackDosTime(UnpackDosTime(packed)), packed);
  // Later means larger, as the archive comparisons expect.
  EXPECT_LT(PackDosTime(ToTimeT(DateTime{2015, 12, 31, 23, 59, 58})),
            PackDosTime(ToTimeT(DateTime{2016, 1, 1, 0, 0, 0})));
  EXPECT_EQ(UnpackDosTime(0), 0);
}

TEST_F(DosFsTest, TimeStampSetAndListed) {
  Put("C:\\f.txt", "abcd");
  std::time_t t = ToTimeT(DateTime{2015, 6, 1, 8, 0, 0});
  ASSERT_EQ(fs->SetModTime("C:\\F.txt", t), kIoOk);
  EXPECT_EQ(fs->ModTime("C:\\f.txt"), t);
  auto e = fs->Stat("c:\\F.TXT");
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->name, "f.txt");
  EXPECT_EQ(e->size, 4u);
  EXPECT_EQ(e->packedTime, PackDosTime(t));
}

TEST_F(DosFsTest, ListSortsByNameAndTakesDirWithMask) {
  Put("D:\\Dir\\b.Cds", "");
  Put("D:\\Dir\\A.cds", "");
  Put("D:\\Dir\\c.txt", "");
  stdfs::create_directories(dDir + "/Dir/Sub.cds");
  auto entries = fs->List("d:\\dir\\*.CDS");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "A.cds");
  EXPECT_EQ(entries[1].name, "b.Cds");
  EXPECT_EQ(entries[2].name, "Sub.cds");
  EXPECT_NE(entries[2].attr & kAttrDirectory, 0u);
}

TEST_F(DosFsTest, FreeSpaceFromStatvfsOrInjected) {
  EXPECT_TRUE(fs->FreeBytes('C').has_value());
  EXPECT_FALSE(fs->FreeBytes('Q').has_value());
  fs->SetFreeSpaceSource([](char letter) -> std::optional<uint64_t> {
    return letter == 'C' ? std::optional<uint64_t>(1234) : std::nullopt;
  });
  EXPECT_EQ(fs->FreeBytes('c'), 1234u);
  EXPECT_FALSE(fs->FreeBytes('D').has_value());
}

// --- the single-instance lock -------------------------------------------------

TEST_F(DosFsTest, LockHeldTwiceFails) {
  stdfs::create_directories(cDir + "/A_Run");
  DosFs other(fs->Drives());
  int result = -1;
  auto first = fs->TryLock("C:\\A_Run\\Orvo.Lck", &result);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(result, kIoOk);
  EXPECT_EQ(other.TryLock("c:\\a_run\\orvo.lck", &result), nullptr);
  EXPECT_EQ(result, kIoSharingViolation);
  first.reset();
  EXPECT_NE(other.TryLock("C:\\A_Run\\Orvo.Lck", &result), nullptr);
}

TEST_F(DosFsTest, LockInMissingDirectoryFails) {
  int result = 0;
  EXPECT_EQ(fs->TryLock("C:\\Missing\\Orvo.Lck", &result), nullptr);
  EXPECT_EQ(result, kIoPathNotFound);
}

// --- files ----------------------------------------------------------------------

TEST_F(DosFsTest, DosFileReadsWritesAndSeeks) {
  int result = 0;
  {
    DosFile out = fs->Open("C:\\f.bin", DosFile::Mode::Write, &result);
    ASSERT_TRUE(out.IsOpen());
    EXPECT_EQ(out.Write("hello world", 11), 11u);
    EXPECT_TRUE(out.Flush());
  }
  DosFile in = fs->Open("C:\\F.BIN", DosFile::Mode::Read, &result);
  ASSERT_TRUE(in.IsOpen());
  EXPECT_EQ(in.Size(), 11u);
  ASSERT_TRUE(in.Seek(6));
  char buffer[16] = {};
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 5u);
  EXPECT_EQ(std::string(buffer, 5), "world");
  DosFile moved = std::move(in);
  EXPECT_FALSE(in.IsOpen());
  EXPECT_TRUE(moved.IsOpen());
  EXPECT_EQ(fs->ReadWhole("c:\\f.bin", &result), "hello world");
}

}  // namespace
}  // namespace orvo::test
