// The text report window TVyst ("Zobrazeni/Editace/Tisk textoveho souboru")
// without its widgets: the hand-over values a caller sets before showing
// it, the texts of its fields, the masked copy, which file every operation
// uses, and what each button does. The Qt window maps its controls onto
// this model and paints what it returns.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/office/office_port.h"
#include "core/output/column_mask.h"
#include "core/output/page_range.h"
#include "core/output/print_settings.h"
#include "core/output/report_print.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kVystCaption = "Zobrazeni/Editace/Tisk textoveho souboru";
inline constexpr std::string_view kWordUnavailable = "Aplikace Microsoft Word neni dostupna !";
inline constexpr std::string_view kReportTooWide =
    "Sestava je priliz siroka,je treba zmensit velikost fontu.";

// The hand-over values of the window: the caller sets them and shows it.
struct VystHandOver {
  std::string VystFile;     // the report to show; the window makes it a full path
  std::string VystToolDir;  // where PrnOut.Exe, RtfPad.Exe and TxtView.Exe live
  int VystLeftMargin = 4;   // blanks before every printed line
  int VystTopMargin = 2;    // blank lines at the top of every printed page
};

enum class VystTool { PrnOut, RtfPad, TxtView };

// Where the plain viewer behind "&Zobraz.." goes on a screen of this size.
struct ViewerGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ViewerGeometry&) const = default;
};
ViewerGeometry ViewerGeometryFor(int screenWidth, int screenHeight);

// What "&Grafika" hands to the text-to-graphic window: the report itself
// (never the masked copy), the rows per page and the editor font.
struct GraphicConversionInput {
  std::string file;
  int pageRows = 0;
  FontChoice font;
};

// C:\A_Run\Work\T_P_ + base name of the report + .Txt.
std::string MaskedCopyName(std::string_view reportFile);

class VystModel {
 public:
  VystModel(Env& env, VystHandOver& handOver, PrintSettings& settings)
      : env_(env), handOver_(handOver), settings_(settings) {}

  // Showing the window: deletes the masked copy, makes VystFile a full
  // path, resets the mask, shows the margins, takes the report font for the
  // printer and the editor and the orientation for the printer.
  void Open();
  // Closing it deletes the masked copy again.
  void Close();

  // The page fields are emptied when entered and re-formatted on leaving.
  void EnterFirstPage() { firstPageText_.clear(); }
  void LeaveFirstPage() { firstPageText_ = PageFieldText(PageNumberFromText(firstPageText_)); }
  void EnterLastPage() { lastPageText_.clear(); }
  void LeaveLastPage() { lastPageText_ = PageFieldText(PageNumberFromText(lastPageText_)); }

  // "&Upravit..": the masked copy, made only when the report exists and the
  // mask is neither the default text nor blank. True when it was written.
  bool MakeMaskedCopy();
  // " Z&pet...": deletes the masked copy, so the full report is used again.
  void DropMaskedCopy();

  // The masked copy when it exists, otherwise the report.
  std::string UsedFile() const;
  // Its lines, after the file check (message and nothing when missing).
  std::optional<std::vector<std::string>> ReadUsedFile();

  // "      Graficky tisk": the sheets to paint. Nothing after a message when
  // the file is missing or the report is too wide; the page fields show
  // the clamped range.
  std::optional<GraphicPrintPlan> PlanGraphicPrint(const PageMeasure& measure);
  // "      Textovy tisk": the bytes for the text printer, or nothing when the
  // file is missing.
  std::optional<std::string> TextPrint();

  // "  Consolovy tisk", "&Editor..", "&T-Zobraz": runs the tool with the
  // used file, without waiting; nothing at all when no tool directory is
  // set. False when nothing was started.
  bool RunTool(VystTool tool);
  // "&Word...": the used file in the editor font as a visible document;
  // "Aplikace Microsoft Word neni dostupna !" when no backend can do it.
  bool ExportToWord(Office& office);
  // "&Grafika".
  GraphicConversionInput GraphicConversion() const;

  // "Font pro tisk" and the printer set-up.
  void SetPrinterFont(const FontChoice& font) { printerFont_ = font; }
  void SetOrientation(int orientation) { orientation_ = orientation; }

  // Field texts, edited by the window.
  const std::string& FileText() const { return handOver_.VystFile; }
  std::string& FirstPageText() { return firstPageText_; }
  std::string& LastPageText() { return lastPageText_; }
  std::string& MaskText() { return maskText_; }
  std::string& LeftMarginText() { return leftMarginText_; }
  std::string& TopMarginText() { return topMarginText_; }

  const FontChoice& PrinterFont() const { return printerFont_; }
  const FontChoice& EditorFont() const { return editorFont_; }
  int Orientation() const { return orientation_; }
  // The margins the fields stand for (non-digits ignored).
  int LeftMargin() const;
  int TopMargin() const;

  VystHandOver& HandOver() { return handOver_; }

 private:
  Env& env_;
  VystHandOver& handOver_;
  PrintSettings& settings_;
  std::string firstPageText_ = PageFieldText(1);
  std::string lastPageText_ = PageFieldText(999);
  std::string maskText_{kDefaultMaskText};
  std::string leftMarginText_;
  std::string topMarginText_;
  FontChoice printerFont_;
  FontChoice editorFont_;
  int orientation_ = kPortrait;
};

}  // namespace orvo
