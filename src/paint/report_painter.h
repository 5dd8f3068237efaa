// The graphic print of a report on a Qt paged device (a printer or a PDF
// writer). The layout is the core's; this measures with the device's font
// metrics, hands the measures to a planner and draws the placed lines.
#pragma once

#include <QFont>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/office/font_choice.h"
#include "core/output/report_print.h"

class QPagedPaintDevice;
class QPaintDevice;

class QGuiApplication;

namespace orvo {

// A Qt application for the length of a call when the program has none
// (orvo-batch); nothing when one runs already.
class GuiApplicationScope {
 public:
  GuiApplicationScope();
  ~GuiApplicationScope();
  GuiApplicationScope(const GuiApplicationScope&) = delete;
  GuiApplicationScope& operator=(const GuiApplicationScope&) = delete;

 private:
  int argc_ = 1;
  char name_[11] = "orvo-batch";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

QFont QFontOf(const FontChoice& font);

// The page and the text measures of `device` in `font`, in device units.
PageMeasure MeasureOn(const QPaintDevice& device, const QFont& font);

// Lays out the print for the measures it is given: nothing when it is not
// to be printed (after the planner's own message).
using GraphicPlanner = std::function<std::optional<GraphicPrintPlan>(const PageMeasure&)>;

// Plans with the device's measures and paints every sheet; the number of
// sheets painted (0: nothing was started on the device).
int PaintGraphicPrint(QPagedPaintDevice& device, const FontChoice& font, const GraphicPlanner& planner);

// The text print's bytes on a paged device, as a text printer prints them:
// lines in the device's fixed font from the top of the printable area, a
// new sheet at every form-feed line and whenever a sheet is full. The number
// of sheets.
int PaintTextPrint(QPagedPaintDevice& device, const std::string& bytes);

// The page set-up of a PDF without a printer: A4, the orientation of the
// print settings, 5 mm left unprinted on every side as a printer does.
void SetUpPdfPage(QPagedPaintDevice& device, int orientation);

// The graphic print written as a PDF file (a host path), crash-safe: the
// number of pages written, 0 when nothing was printed (no file is made),
// nothing when the file cannot be written. Makes a Qt application for the
// call when the program has none (orvo-batch).
std::optional<int> WriteGraphicPrintPdf(const std::string& hostPath, const FontChoice& font,
                                        int orientation, const GraphicPlanner& planner);

}  // namespace orvo
