#include "core/output/num_row_model.h"

#include <algorithm>
#include <cmath>

#include "core/sys/files.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

std::string NumRowModel::RowsFieldText(int rows) { return IntTextPadded(rows, 3); }

std::string NumRowModel::OrientationFieldText(int orientation) {
  return std::string(orientation == kLandscape ? kOrientationLandscapeText
                                               : kOrientationPortraitText);
}

int NumRowModel::RowsFromText(std::string_view text) {
  int64_t rows = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    rows = std::min<int64_t>(rows * 10 + (c - '0'), kMaxPageRows + 1);
  }
  return StoredPageRows(static_cast<int>(rows));
}

int NumRowModel::OrientationFromText(std::string_view text) {
  std::string t = TrimLeft(text);
  return (!t.empty() && (t[0] == 'V' || t[0] == 'v')) ? kLandscape : kPortrait;
}

void NumRowModel::ShowSettings() {
  fileText_ = std::string(kNumRowFontFile);
  rowsText_ = RowsFieldText(settings_.PageRows);
  orientationText_ = OrientationFieldText(settings_.PageOrientation);
}

void NumRowModel::Get() {
  GetPrintSettings(env_, settings_);
  ShowSettings();
}

bool NumRowModel::Put() { return PutPrintSettings(env_, settings_); }

void NumRowModel::Open() {
  if (FileExistsQuiet(env_, kNumRowFontFile)) {
    Get();
    return;
  }
  settings_ = PrintSettings{};
  ShowSettings();
  Put();
}

void NumRowModel::Confirm() {
  settings_.PageRows = RowsFromText(rowsText_);
  settings_.PageOrientation = OrientationFromText(orientationText_);
  ShowSettings();
  Put();
}

void NumRowModel::ApplyPrinterFont(const FontChoice& font) { settings_.ReportFont = font; }

void NumRowModel::ApplyPrinterPage(const PrinterPage& page) {
  if (page.printableHeight > 0 && page.heightOfW >= 0) {
    const double rows = std::round(page.printableHeight / (page.heightOfW + 2)) - 4;
    settings_.PageRows = StoredPageRows(static_cast<int>(std::clamp(rows, 0.0, 1000.0)));
  }
  settings_.PageOrientation = page.orientation == kLandscape ? kLandscape : kPortrait;
  ShowSettings();
}

}  // namespace orvo
