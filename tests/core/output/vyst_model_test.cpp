#include "core/output/vyst_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/scratch.h"
#include "support/recording_office.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

const std::string kReport = "C:\\A_Run\\Sestavy\\HlKniha.Ses";
const std::string kCopy = "C:\\A_Run\\Work\\T_P_HlKniha.Txt";
const std::string kThreePages =
    "\r\nKniha  STR:    1\r\n0123456789\r\n\f\r\nKniha  STR:    2\r\nabcdefghij\r\n"
    "\f\r\nKniha  STR:    3\r\nKLMNOPQRST\r\n";

class VystModelTest : public Scratch {
 protected:
  void SetUp() override {
    Put(kReport, kThreePages);
    std::filesystem::create_directories(Host("C:\\A_Run\\Work"));
    handOver.VystFile = "c:\\a_run\\sestavy\\HlKniha.Ses";
  }

  PageMeasure Canvas(int width = 10000, int height = 10000) {
    return {width, height, [](std::string_view s) { return static_cast<int>(s.size()) * 10; },
            [](std::string_view) { return 10; }};
  }

  VystHandOver handOver;
  PrintSettings settings;
  VystModel model{*env, handOver, settings};
};

TEST_F(VystModelTest, OpeningPreparesTheFields) {
  Put(kCopy, "stale copy");
  handOver.VystLeftMargin = 6;
  handOver.VystTopMargin = 0;
  settings.ReportFont.name = "Lucida Console";
  settings.PageOrientation = kLandscape;
  model.MaskText() = "1/2";
  model.Open();
  EXPECT_FALSE(Exists(kCopy));
  EXPECT_EQ(handOver.VystFile, "C:\\a_run\\sestavy\\HlKniha.Ses");
  EXPECT_EQ(model.MaskText(), "x1/y1 x2/y2 ... xn/yn");
  EXPECT_EQ(model.LeftMarginText(), "    6");
  EXPECT_EQ(model.TopMarginText(), "    0");
  EXPECT_EQ(model.FirstPageText(), "  001");
  EXPECT_EQ(model.PrinterFont().name, "Lucida Console");
  EXPECT_EQ(model.EditorFont().name, "Lucida Console");
  EXPECT_EQ(model.Orientation(), kLandscape);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VystModelTest, PageFieldsEmptyOnEntryAndFormatOnLeaving) {
  model.Open();
  model.EnterFirstPage();
  EXPECT_EQ(model.FirstPageText(), "");
  model.FirstPageText() = "2";
  model.LeaveFirstPage();
  EXPECT_EQ(model.FirstPageText(), "  002");
  model.EnterLastPage();
  model.LastPageText() = "x45";
  model.LeaveLastPage();
  EXPECT_EQ(model.LastPageText(), "  045");
}

TEST_F(VystModelTest, MaskedCopyIsUsedUntilDropped) {
  model.Open();
  model.MaskText() = "7/8 1/2";
  ASSERT_TRUE(model.MakeMaskedCopy());
  EXPECT_EQ(Get(kCopy), "\r\n SKn\r\n6701\r\n\f\r\n SKn\r\nghab\r\n\f\r\n SKn\r\nQRKL\r\n");
  EXPECT_EQ(model.UsedFile(), kCopy);
  auto lines = model.ReadUsedFile();
  ASSERT_TRUE(lines);
  EXPECT_EQ((*lines)[2], "6701");

  model.DropMaskedCopy();
  EXPECT_FALSE(Exists(kCopy));
  EXPECT_EQ(model.UsedFile(), handOver.VystFile);
  EXPECT_EQ((*model.ReadUsedFile())[2], "0123456789");

  model.MakeMaskedCopy();
  model.Close();
  EXPECT_FALSE(Exists(kCopy));
  EXPECT_TRUE(ui.messages.empty());
}

struct NoCopyCase {
  const char* name;
  const char* mask;
};

class VystNoCopyTest : public VystModelTest, public ::testing::WithParamInterface<NoCopyCase> {};

TEST_P(VystNoCopyTest, MakesNoCopy) {
  model.Open();
  model.MaskText() = GetParam().mask;
  EXPECT_FALSE(model.MakeMaskedCopy());
  EXPECT_FALSE(Exists(kCopy));
  EXPECT_EQ(model.UsedFile(), handOver.VystFile);
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Vyst, VystNoCopyTest,
                         ::testing::Values(NoCopyCase{"default_text", "x1/y1 x2/y2 ... xn/yn"},
                                           NoCopyCase{"empty", ""}, NoCopyCase{"blanks", "   "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VystModelTest, MaskOfAMissingReportSaysSo) {
  handOver.VystFile = "C:\\A_Run\\Sestavy\\Chybi.Ses";
  model.Open();
  model.MaskText() = "1/5";
  EXPECT_FALSE(model.MakeMaskedCopy());
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"C:\\A_Run\\Sestavy\\Chybi.Ses\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\T_P_Chybi.Txt"));
}

TEST_F(VystModelTest, GraphicPrintClampsTheRangeAndShowsIt) {
  model.Open();
  model.FirstPageText() = "  002";
  model.LastPageText() = "  100";
  auto plan = model.PlanGraphicPrint(Canvas());
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->sheets.size(), 2u);
  EXPECT_EQ(plan->sheets[0].lines[0].text, "Kniha  STR:    2");
  EXPECT_EQ(plan->sheets[0].lines[0].x, 41);
  EXPECT_EQ(plan->sheets[0].lines[0].y, 21);
  EXPECT_EQ(model.FirstPageText(), " 002");
  EXPECT_EQ(model.LastPageText(), " 003");
}

TEST_F(VystModelTest, GraphicPrintFromBeyondTheEndPrintsNothing) {
  model.Open();
  model.FirstPageText() = "  004";
  auto plan = model.PlanGraphicPrint(Canvas());
  ASSERT_TRUE(plan);
  EXPECT_TRUE(plan->sheets.empty());
  EXPECT_EQ(model.FirstPageText(), " 004");
  EXPECT_EQ(model.LastPageText(), " 003");
}

TEST_F(VystModelTest, GraphicPrintUsesTheMarginFields) {
  model.Open();
  model.LeftMarginText() = "    0";
  model.TopMarginText() = "    5";
  auto plan = model.PlanGraphicPrint(Canvas());
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->sheets[0].lines[0].x, 1);
  EXPECT_EQ(plan->sheets[0].lines[0].y, 51);
}

TEST_F(VystModelTest, TooWideReportIsRefused) {
  model.Open();
  // 4 + 16 + 2 characters of 10 units.
  EXPECT_EQ(model.PlanGraphicPrint(Canvas(219)), std::nullopt);
  EXPECT_EQ(ui.Single(), Info("Sestava je priliz siroka,je treba zmensit velikost fontu."));
  ui.Clear();
  // The mask makes it narrow enough.
  model.MaskText() = "1/5";
  ASSERT_TRUE(model.MakeMaskedCopy());
  EXPECT_TRUE(model.PlanGraphicPrint(Canvas(219)));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VystModelTest, TextPrintOfTheRange) {
  model.Open();
  model.FirstPageText() = "  003";
  model.LastPageText() = "  999";
  auto bytes = model.TextPrint();
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "    Kniha  STR:    3\r\n    KLMNOPQRST\r\n");
  EXPECT_EQ(model.LastPageText(), " 003");
}

TEST_F(VystModelTest, PrintingAMissingFileSaysSo) {
  handOver.VystFile = "C:\\A_Run\\Sestavy\\Chybi.Ses";
  model.Open();
  EXPECT_EQ(model.TextPrint(), std::nullopt);
  EXPECT_EQ(model.PlanGraphicPrint(Canvas()), std::nullopt);
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(VystModelTest, ToolsNeedATheToolDirectory) {
  model.Open();
  EXPECT_FALSE(model.RunTool(VystTool::PrnOut));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VystModelTest, ToolGetsTheUsedFileAsItsOnlyParameter) {
  const std::string argsFile = root.path() + "/args.txt";
  Put("D:\\LOrvo\\Programy\\TxtView.Exe",
      "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > " + argsFile + ".tmp\nmv " + argsFile +
          ".tmp " + argsFile + "\n");
  chmod(Host("D:\\LOrvo\\Programy\\TxtView.Exe").c_str(), 0755);
  handOver.VystToolDir = "D:\\LOrvo\\Programy";
  model.Open();
  model.MaskText() = "1/3";
  ASSERT_TRUE(model.MakeMaskedCopy());
  ASSERT_TRUE(model.RunTool(VystTool::TxtView));
  for (int i = 0; i < 500 && !std::filesystem::exists(argsFile); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::string content = ReadHostFile(argsFile);
  EXPECT_EQ(content, kCopy + "\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VystModelTest, MissingToolIsReported) {
  handOver.VystToolDir = "D:\\LOrvo\\Programy";
  model.Open();
  EXPECT_FALSE(model.RunTool(VystTool::PrnOut));
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Programy\\PrnOut.Exe\"\r\r     - nebyl nalezen !"));
}

TEST_F(VystModelTest, WordGetsTheUsedTextInTheEditorFont) {
  settings.ReportFont = {"Courier New", 10, true, false, false, false, 255};
  model.Open();
  Office office;
  auto cannot = std::make_unique<RecordingOffice>(OfficeResult::CannotDo);
  auto done = std::make_unique<RecordingOffice>(OfficeResult::Done);
  RecordingOffice* doneRaw = done.get();
  office.Add(std::move(cannot));
  office.Add(std::move(done));
  ASSERT_TRUE(model.ExportToWord(office));
  ASSERT_EQ(doneRaw->shown.size(), 1u);
  EXPECT_EQ(doneRaw->shown[0].text, kThreePages);
  EXPECT_EQ(doneRaw->shown[0].font, settings.ReportFont);
  EXPECT_EQ(doneRaw->shown[0].file, "C:\\A_Run\\Work\\W_HlKniha.Rtf");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VystModelTest, WordUnavailableOnlyWhenNoBackendCan) {
  model.Open();
  Office office;
  office.Add(std::make_unique<RecordingOffice>(OfficeResult::Failed));
  office.Add(std::make_unique<RecordingOffice>(OfficeResult::CannotDo));
  EXPECT_FALSE(model.ExportToWord(office));
  EXPECT_EQ(ui.Single(), Info("Aplikace Microsoft Word neni dostupna !"));
  ui.Clear();
  Office none;
  EXPECT_FALSE(model.ExportToWord(none));
  EXPECT_EQ(ui.Single(), Info("Aplikace Microsoft Word neni dostupna !"));
}

TEST_F(VystModelTest, GraphicConversionTakesTheReportNeverTheCopy) {
  settings.PageRows = 60;
  model.Open();
  model.MaskText() = "1/3";
  ASSERT_TRUE(model.MakeMaskedCopy());
  GraphicConversionInput in = model.GraphicConversion();
  EXPECT_EQ(in.file, handOver.VystFile);
  EXPECT_EQ(in.pageRows, 60);
  EXPECT_EQ(in.font, settings.ReportFont);
}

TEST(VystGeometry, ViewerFollowsTheScreen) {
  EXPECT_EQ(ViewerGeometryFor(1600, 900), (ViewerGeometry{100, 56, 1400, 787}));
  EXPECT_EQ(MaskedCopyName("C:\\A_Run\\Sestavy\\Obraty.2016.Ses"), "C:\\A_Run\\Work\\T_P_Obraty.Txt");
}

}  // namespace
}  // namespace orvo::test
