// The print settings window and the text report window, offscreen: a
// three-page report printed to PDF through the window (pdfinfo counts the
// pages), the page range, the mask, the refusal of a wide report, the
// viewer, the word processor export; and pictures of both windows.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/output/print_settings.h"
#include "gui/gui_support.h"
#include "gui/output/num_row_window.h"
#include "paint/qt_pdf_backend.h"
#include "gui/output/vyst_window.h"
#include "support/scratch.h"
#include "support/recording_office.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

namespace stdfs = std::filesystem;

const std::string kReport = "C:\\A_Run\\Sestavy\\HlKniha.Ses";
const std::string kPdf = "C:\\A_Run\\Sestavy\\HlKniha.pdf";

std::string ThreePages() {
  std::string r = "\r\n";
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) r += "\f\r\n";
    r += "Hlavni kniha \x9e\xe1" "dost\xed" "                 STR:    " + std::to_string(page) +
         "\r\n\r\n";
    for (int i = 0; i < 40; ++i) {
      r += "  " + std::to_string(300 + i) + "   \xc8\xe1stka  " + std::to_string(i * 7) + ",50\r\n";
    }
  }
  return r;
}

int PdfPages(const std::string& hostPdf) {
  const std::string info = hostPdf + ".info";
  const std::string command = "pdfinfo '" + hostPdf + "' > '" + info + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return -1;
  std::smatch m;
  std::string text = ReadHostFile(info);
  stdfs::remove(info);
  return std::regex_search(text, m, std::regex("Pages: +([0-9]+)")) ? std::stoi(m[1]) : -1;
}

class ReportWindowsTest : public Scratch {
 protected:
  void SetUp() override {
    Put(kReport, ThreePages());
    stdfs::create_directories(Host("C:\\A_Run\\Work"));
    stdfs::create_directories(Host("C:\\A_Run\\PomSoub"));
    handOver.VystFile = kReport;
  }

  std::unique_ptr<gui::VystWindow> OpenVyst() {
    auto w = std::make_unique<gui::VystWindow>(*env, handOver, settings, office);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }

  VystHandOver handOver;
  PrintSettings settings;
  Office office;
};

TEST_F(ReportWindowsTest, GraphicPrintOfThreePagesToPdf) {
  if (std::system("command -v pdfinfo > /dev/null") != 0) {
    GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  }
  auto w = OpenVyst();
  EXPECT_EQ(w->fileField()->text().toStdString(), "C:\\A_Run\\Sestavy\\HlKniha.Ses");
  EXPECT_EQ(w->maskField()->text(), QStringLiteral("x1/y1 x2/y2 ... xn/yn"));
  EXPECT_EQ(w->leftMarginField()->text(), QStringLiteral("    4"));
  EXPECT_EQ(w->topMarginField()->text(), QStringLiteral("    2"));
  Screenshot(w.get(), "text_report_window");

  w->SetPdfOutput(kPdf);
  w->button(QStringLiteral("      Graficky tisk"))->click();
  ASSERT_TRUE(Exists(kPdf));
  EXPECT_EQ(PdfPages(Host(kPdf)), 3);
  EXPECT_EQ(w->firstPageField()->text(), QStringLiteral(" 001"));
  EXPECT_EQ(w->lastPageField()->text(), QStringLiteral(" 003"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportWindowsTest, PageRangeThroughTheFields) {
  if (std::system("command -v pdfinfo > /dev/null") != 0) GTEST_SKIP() << "pdfinfo is not installed";
  auto w = OpenVyst();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  w->firstPageField()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return w->firstPageField()->hasFocus(); }));
  EXPECT_EQ(w->firstPageField()->text(), QString());  // emptied on entry
  QTest::keyClicks(w->firstPageField(), QStringLiteral("2"));
  w->lastPageField()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return w->lastPageField()->hasFocus(); }));
  EXPECT_EQ(w->firstPageField()->text(), QStringLiteral("  002"));  // formatted on leaving
  QTest::keyClicks(w->lastPageField(), QStringLiteral("70"));
  w->maskField()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return w->maskField()->hasFocus(); }));
  EXPECT_EQ(w->lastPageField()->text(), QStringLiteral("  070"));

  w->SetPdfOutput(kPdf);
  w->button(QStringLiteral("      Graficky tisk"))->click();
  EXPECT_EQ(PdfPages(Host(kPdf)), 2);
  EXPECT_EQ(w->lastPageField()->text(), QStringLiteral(" 003"));  // clamped
}

TEST_F(ReportWindowsTest, RangeAfterTheEndPrintsNothing) {
  auto w = OpenVyst();
  w->firstPageField()->setText(QStringLiteral("  004"));
  w->SetPdfOutput(kPdf);
  w->button(QStringLiteral("      Graficky tisk"))->click();
  EXPECT_FALSE(Exists(kPdf));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportWindowsTest, MaskCopyUntilZpet) {
  auto w = OpenVyst();
  const std::string copy = "C:\\A_Run\\Work\\T_P_HlKniha.Txt";
  w->maskField()->setText(QStringLiteral("3/5 1/2"));
  w->button(QStringLiteral("&Upravit.."))->click();
  ASSERT_TRUE(Exists(copy));
  EXPECT_EQ(w->model().UsedFile(), copy);
  EXPECT_NE(Get(copy).find("\r\n300  \r\n"), std::string::npos);
  w->button(QStringLiteral(" Z&pet..."))->click();
  EXPECT_FALSE(Exists(copy));
  EXPECT_EQ(w->model().UsedFile(), kReport);

  w->button(QStringLiteral("&Upravit.."))->click();
  ASSERT_TRUE(Exists(copy));
  w->button(QStringLiteral("&Konec"))->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(Exists(copy));
}

TEST_F(ReportWindowsTest, WideReportIsRefused) {
  Put(kReport, "\r\n" + std::string(3000, 'W') + "\r\n");
  auto w = OpenVyst();
  w->SetPdfOutput(kPdf);
  w->button(QStringLiteral("      Graficky tisk"))->click();
  EXPECT_EQ(ui.Single(), Info("Sestava je priliz siroka,je treba zmensit velikost fontu."));
  EXPECT_FALSE(Exists(kPdf));
}

TEST_F(ReportWindowsTest, TextPrintToPdf) {
  if (std::system("command -v pdfinfo > /dev/null") != 0) GTEST_SKIP() << "pdfinfo is not installed";
  auto w = OpenVyst();
  w->SetPdfOutput(kPdf);
  w->lastPageField()->setText(QStringLiteral("  002"));
  w->button(QStringLiteral("      Textovy tisk"))->click();
  EXPECT_EQ(PdfPages(Host(kPdf)), 2);
  EXPECT_EQ(w->lastPageField()->text(), QStringLiteral(" 002"));
}

TEST_F(ReportWindowsTest, ViewerShowsTheUsedFile) {
  auto w = OpenVyst();
  w->button(QStringLiteral("&Zobraz.."))->click();
  ASSERT_NE(w->viewer(), nullptr);
  EXPECT_TRUE(w->viewer()->isVisible());
  auto* text = w->viewer()->findChild<QPlainTextEdit*>();
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Hlavni kniha žádostí")));
  EXPECT_EQ(text->toPlainText().count(QChar('\f')), 2);
}

TEST_F(ReportWindowsTest, WordGetsTheReport) {
  auto backend = std::make_unique<RecordingOffice>();
  RecordingOffice* recording = backend.get();
  office.Add(std::move(backend));
  auto w = OpenVyst();
  w->button(QStringLiteral("&Word..."))->click();
  ASSERT_EQ(recording->shown.size(), 1u);
  EXPECT_EQ(recording->shown[0].text, ThreePages());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportWindowsTest, WordUnavailableWithoutBackends) {
  auto w = OpenVyst();
  w->button(QStringLiteral("&Word..."))->click();
  EXPECT_EQ(ui.Single(), Info("Aplikace Microsoft Word neni dostupna !"));
}

TEST_F(ReportWindowsTest, GrafikaWaitsForItsWindow) {
  auto w = OpenVyst();
  QPushButton* grafika = w->button(QStringLiteral("&Grafika"));
  EXPECT_FALSE(grafika->isEnabled());
  GraphicConversionInput got;
  w->SetGraphicConversion([&](const GraphicConversionInput& in) { got = in; });
  ASSERT_TRUE(grafika->isEnabled());
  grafika->click();
  EXPECT_EQ(got.file, kReport);
  EXPECT_EQ(got.pageRows, 80);
}

TEST_F(ReportWindowsTest, QtPdfBackendConvertsAText) {
  gui::QtPdfBackend backend;
  TextDocument doc{ThreePages(), FontChoice{}, ""};
  ASSERT_EQ(backend.ConvertText(*env, doc, DocumentFormat::Pdf, "C:\\A_Run\\Work\\Kniha.Pdf"),
            OfficeResult::Done);
  if (std::system("command -v pdfinfo > /dev/null") == 0) {
    EXPECT_EQ(PdfPages(Host("C:\\A_Run\\Work\\Kniha.Pdf")), 3);
  }
  EXPECT_EQ(backend.ConvertText(*env, doc, DocumentFormat::Rtf, "C:\\A_Run\\Work\\a.Rtf"),
            OfficeResult::CannotDo);
}

// The print settings window.

TEST_F(ReportWindowsTest, PrintSettingsWindowSavesOnConfirm) {
  gui::NumRowWindow w(*env, settings);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("  Zadej pocet radku tistene stranky !"));
  // A missing file is written from the defaults at once.
  EXPECT_EQ(ReadPrintSettingsQuiet(*env), PrintSettings{});
  EXPECT_EQ(w.rowsField()->text(), QStringLiteral("080"));
  EXPECT_EQ(w.orientationField()->currentText(), QStringLiteral("H - Na vysku"));
  Screenshot(&w, "print_settings_window");

  w.rowsField()->setText(QStringLiteral("200"));
  w.orientationField()->setEditText(QStringLiteral("V - Na sirku"));
  w.confirmButton()->click();
  EXPECT_FALSE(w.isVisible());
  auto saved = ReadPrintSettingsQuiet(*env);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->PageRows, 150);
  EXPECT_EQ(saved->PageOrientation, kLandscape);
  EXPECT_EQ(settings.PageRows, 150);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportWindowsTest, EnterInTheRowsFieldClosesAndSaves) {
  gui::NumRowWindow w(*env, settings);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.rowsField()->setText(QStringLiteral("66"));
  QTest::keyClick(w.rowsField(), Qt::Key_Return);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(ReadPrintSettingsQuiet(*env)->PageRows, 66);
}

TEST_F(ReportWindowsTest, DamagedSettingsAreReplacedOnOpening) {
  Put("C:\\A_Run\\PomSoub\\NumRowFont.Dat", "damaged");
  gui::NumRowWindow w(*env, settings);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(ui.Single(),
            Error("Soubor \r\rC:\\A_Run\\PomSoub\\NumRowFont.Dat\r\rje poskozen !\r\r"
                  "Bude automaticky ulozena predvolba."));
  EXPECT_EQ(ReadPrintSettingsQuiet(*env), PrintSettings{});
}

}  // namespace
}  // namespace orvo::test
