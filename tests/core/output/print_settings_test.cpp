#include "core/output/print_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/output/num_row_model.h"
#include "support/scratch.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

std::string Golden(const std::string& name) {
  return ReadHostFile(std::string(ORVO_SOURCE_DIR) + "/tests/golden/reports/print_settings/" + name);
}

const std::string kFile = "C:\\A_Run\\PomSoub\\NumRowFont.Dat";
const std::string kDamaged =
    "Soubor \r\rC:\\A_Run\\PomSoub\\NumRowFont.Dat\r\rje poskozen !\r\r"
    "Bude automaticky ulozena predvolba.";
const std::string kMissing =
    "Soubor:\r\r\"C:\\A_Run\\PomSoub\\NumRowFont.Dat\"\r\r     - nebyl nalezen !";
const std::string kGenerated = "Vygenerovany obvykle vlastnosti.\r\rProvedte prednostne opravu !";

TEST(NumRowFontRecord, DefaultsMatchTheGoldenFile) {
  const std::string golden = Golden("default_NumRowFont.Dat");
  ASSERT_EQ(golden.size(), kNumRowFontSize);
  EXPECT_EQ(EncodeNumRowFont(PrintSettings{}), golden);
  EXPECT_EQ(DecodeNumRowFont(golden), PrintSettings{});
}

class StyleCodeTest : public ::testing::TestWithParam<int> {};

TEST_P(StyleCodeTest, RoundTripsThroughTheRecord) {
  const int code = GetParam();
  PrintSettings s;
  ASSERT_TRUE(ApplyStyleCode(code, s.ReportFont));
  EXPECT_EQ(StyleCode(s.ReportFont), code);
  const std::string record = EncodeNumRowFont(s);
  EXPECT_EQ(static_cast<uint8_t>(record[108]), code);
  auto back = DecodeNumRowFont(record);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ReportFont, s.ReportFont);
}

INSTANTIATE_TEST_SUITE_P(NumRowFontRecord, StyleCodeTest,
                         ::testing::Values(0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33),
                         [](const auto& info) { return "code_" + std::to_string(info.param); });

TEST(NumRowFontRecord, StyleCodesMeanWhatTheTableSays) {
  FontChoice f;
  ASSERT_TRUE(ApplyStyleCode(31, f));
  EXPECT_TRUE(f.bold && f.italic && f.underline && !f.strikeOut);
  ASSERT_TRUE(ApplyStyleCode(22, f));
  EXPECT_TRUE(!f.bold && f.italic && !f.underline && f.strikeOut);
  for (int bad : {4, 9, 14, 34, 40, 99, 255}) {
    FontChoice g;
    EXPECT_FALSE(ApplyStyleCode(bad, g)) << bad;
    EXPECT_EQ(g, FontChoice{}) << bad;
  }
}

TEST(NumRowFontRecord, EveryFieldAtItsOffset) {
  PrintSettings s;
  s.ReportFont = {"Lucida Console \x8a", 11, true, false, false, true, static_cast<int32_t>(0x80000008)};
  s.PageRows = 66;
  s.PageOrientation = kLandscape;
  const std::string r = EncodeNumRowFont(s);
  ASSERT_EQ(r.size(), 112u);
  EXPECT_EQ(r[0], 16);
  EXPECT_EQ(r.substr(1, 16), "Lucida Console \x8a");
  EXPECT_EQ(r.substr(17, 84), std::string(84, '\0'));
  EXPECT_EQ(r[101], 11);
  EXPECT_EQ(r.substr(104, 4), std::string("\x08\x00\x00\x80", 4));  // little-endian, signed
  EXPECT_EQ(r[108], 12);
  EXPECT_EQ(r[109], 66);
  EXPECT_EQ(r[110], 1);
  auto back = DecodeNumRowFont(r);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, s);
  EXPECT_LT(back->ReportFont.color, 0);
}

TEST(NumRowFontRecord, ReservedBytesAreIgnoredOnReading) {
  std::string r = EncodeNumRowFont(PrintSettings{});
  r[102] = '\x55';
  r[103] = '\x66';
  r[111] = '\x77';
  EXPECT_EQ(DecodeNumRowFont(r), PrintSettings{});
}

TEST(NumRowFontRecord, RowsAboveTheLimitAreStoredAs150) {
  PrintSettings s;
  s.PageRows = 200;
  EXPECT_EQ(EncodeNumRowFont(s)[109], static_cast<char>(150));
  s.PageRows = 0;
  EXPECT_EQ(EncodeNumRowFont(s)[109], 1);
  std::string r = EncodeNumRowFont(PrintSettings{});
  r[109] = static_cast<char>(220);
  EXPECT_EQ(DecodeNumRowFont(r)->PageRows, 150);
}

TEST(NumRowFontRecord, LongNamesKeepTheirFirst100Bytes) {
  PrintSettings s;
  s.ReportFont.name = std::string(130, 'N');
  auto back = DecodeNumRowFont(EncodeNumRowFont(s));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ReportFont.name, std::string(100, 'N'));
}

struct DamageCase {
  const char* name;
  size_t offset;  // byte to set, or npos to cut the record
  int value;
};

class DamagedRecordTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedRecordTest, IsRefused) {
  std::string r = EncodeNumRowFont(PrintSettings{});
  const auto& c = GetParam();
  if (c.offset == std::string::npos) {
    r.resize(static_cast<size_t>(c.value));
  } else {
    r[c.offset] = static_cast<char>(c.value);
  }
  EXPECT_EQ(DecodeNumRowFont(r), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    NumRowFontRecord, DamagedRecordTest,
    ::testing::Values(DamageCase{"empty_file", std::string::npos, 0},
                      DamageCase{"truncated", std::string::npos, 111},
                      DamageCase{"name_length_above_100", 0, 101},
                      DamageCase{"name_length_255", 0, 255},
                      DamageCase{"empty_name", 0, 0},
                      DamageCase{"size_zero", 101, 0},
                      DamageCase{"unknown_style", 108, 45},
                      DamageCase{"orientation_2", 110, 2}),
    [](const auto& info) { return std::string(info.param.name); });

class PrintSettingsFile : public Scratch {
 protected:
  void SetUp() override { std::filesystem::create_directories(Host("C:\\A_Run\\PomSoub")); }
  PrintSettings shared;
};

TEST_F(PrintSettingsFile, PutAndGetRoundTrip) {
  PrintSettings s;
  s.PageRows = 120;
  s.PageOrientation = kLandscape;
  s.ReportFont.size = 10;
  ASSERT_TRUE(PutPrintSettings(*env, s));
  PrintSettings read;
  GetPrintSettings(*env, read);
  EXPECT_EQ(read, s);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PrintSettingsFile, GetOfAMissingFileWritesTheCurrentSettings) {
  PrintSettings s;
  s.PageRows = 60;
  GetPrintSettings(*env, s);
  EXPECT_EQ(ui.messages, (std::vector<RecordedMessage>{Error(kMissing), Info(kGenerated)}));
  EXPECT_EQ(s.PageRows, 60);
  ASSERT_EQ(Get(kFile).size(), 112u);
  EXPECT_EQ(Get(kFile)[109], 60);
}

TEST_F(PrintSettingsFile, GetOfADamagedFileRestoresTheDefaults) {
  Put(kFile, "too short");
  PrintSettings s;
  s.PageRows = 33;
  GetPrintSettings(*env, s);
  EXPECT_EQ(ui.Single(), Error(kDamaged));
  EXPECT_EQ(s, PrintSettings{});
  EXPECT_EQ(Get(kFile), Golden("default_NumRowFont.Dat"));
}

TEST_F(PrintSettingsFile, PutFailureNamesTheFile) {
  std::filesystem::remove_all(Host("C:\\A_Run\\PomSoub"));
  EXPECT_FALSE(PutPrintSettings(*env, PrintSettings{}));
  EXPECT_EQ(ui.Single(), Info("Chyba    3 -Soubor nelze vytvorit !",
                              "Soubor:  C:\\A_Run\\PomSoub\\NumRowFont.Dat"));
}

TEST_F(PrintSettingsFile, GetStopsAfterTheFailedWriteOfAMissingFile) {
  std::filesystem::remove_all(Host("C:\\A_Run\\PomSoub"));
  PrintSettings s;
  s.PageRows = 44;
  GetPrintSettings(*env, s);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], Error(kMissing));
  EXPECT_EQ(ui.messages[1].text, "Chyba    3 -Soubor nelze vytvorit !");
  EXPECT_EQ(s.PageRows, 44);
}

// The print settings window.

TEST_F(PrintSettingsFile, OpeningWithoutAFileWritesTheDefaultsSilently) {
  NumRowModel m(*env, shared);
  m.Settings().PageRows = 12;
  m.Open();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(m.Settings(), PrintSettings{});
  EXPECT_EQ(m.RowsText(), "080");
  EXPECT_EQ(m.OrientationText(), "H - Na vysku");
  EXPECT_EQ(m.FileText(), kFile);
  EXPECT_EQ(Get(kFile), Golden("default_NumRowFont.Dat"));
}

TEST_F(PrintSettingsFile, OpeningReadsTheFileIntoTheFields) {
  PrintSettings s;
  s.PageRows = 7;
  s.PageOrientation = kLandscape;
  ASSERT_TRUE(PutPrintSettings(*env, s));
  NumRowModel m(*env, shared);
  m.Open();
  EXPECT_EQ(m.Settings(), s);
  EXPECT_EQ(m.RowsText(), "007");
  EXPECT_EQ(m.OrientationText(), "V - Na sirku");
}

TEST_F(PrintSettingsFile, OpeningADamagedFileSaysSoAndSavesTheDefaults) {
  std::string r = EncodeNumRowFont(PrintSettings{});
  r[0] = static_cast<char>(200);
  Put(kFile, r);
  NumRowModel m(*env, shared);
  m.Open();
  EXPECT_EQ(ui.Single(), Error(kDamaged));
  EXPECT_EQ(m.Settings(), PrintSettings{});
  EXPECT_EQ(Get(kFile), Golden("default_NumRowFont.Dat"));
}

struct ConfirmCase {
  const char* name;
  const char* rows;
  const char* orientation;
  int wantRows;
  int wantOrientation;
};

class NumRowConfirmTest : public PrintSettingsFile,
                          public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(NumRowConfirmTest, FieldsBecomeTheSavedSettings) {
  const auto& c = GetParam();
  NumRowModel m(*env, shared);
  m.Open();
  m.RowsText() = c.rows;
  m.OrientationText() = c.orientation;
  m.Confirm();
  EXPECT_EQ(m.Settings().PageRows, c.wantRows);
  EXPECT_EQ(m.Settings().PageOrientation, c.wantOrientation);
  auto saved = ReadPrintSettingsQuiet(*env);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->PageRows, c.wantRows);
  EXPECT_EQ(saved->PageOrientation, c.wantOrientation);
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    NumRow, NumRowConfirmTest,
    ::testing::Values(ConfirmCase{"plain", "066", "H - Na vysku", 66, 0},
                      ConfirmCase{"above_150", "999", "H", 150, 0},
                      ConfirmCase{"digits_among_garbage", "1a2", "  v", 12, 1},
                      ConfirmCase{"lower_case_v", " 50", "vodorovne", 50, 1},
                      ConfirmCase{"other_letter_is_portrait", "50", "X", 50, 0},
                      ConfirmCase{"zero_rows_kept_at_one", "000", "", 1, 0},
                      ConfirmCase{"no_digits", "abc", "V - Na sirku", 1, 1},
                      ConfirmCase{"huge_number", "99999999999999999999", "H", 150, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintSettingsFile, PrinterSetupGivesTheRowsThatFit) {
  NumRowModel m(*env, shared);
  m.Open();
  FontChoice font{"DejaVu Sans Mono", 9, true, false, false, false, 0};
  m.ApplyPrinterFont(font);
  // round(1000 / (8 + 2)) - 4 = 96
  m.ApplyPrinterPage({1000, 8, kLandscape});
  EXPECT_EQ(m.Settings().PageRows, 96);
  EXPECT_EQ(m.Settings().PageOrientation, kLandscape);
  EXPECT_EQ(m.Settings().ReportFont, font);
  EXPECT_EQ(m.RowsText(), "096");
  EXPECT_EQ(m.OrientationText(), "V - Na sirku");
  m.ApplyPrinterPage({100000, 8, kPortrait});
  EXPECT_EQ(m.Settings().PageRows, 150);
  // A page too small for five lines still prints one.
  m.ApplyPrinterPage({30, 8, kPortrait});
  EXPECT_EQ(m.Settings().PageRows, 1);
  m.Confirm();
  EXPECT_EQ(ReadPrintSettingsQuiet(*env)->ReportFont, font);
}

}  // namespace
}  // namespace orvo::test
