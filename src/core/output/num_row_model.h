// The print settings window TNumRow ("  Zadej pocet radku tistene stranky !")
// without its widgets: the settings it owns, the texts of its fields and
// what opening, confirming and the printer button do to them. The Qt window
// only maps its controls onto this model.
#pragma once

#include <string>

#include "core/output/print_settings.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kNumRowCaption = "  Zadej pocet radku tistene stranky !";
inline constexpr std::string_view kOrientationPortraitText = "H - Na vysku";
inline constexpr std::string_view kOrientationLandscapeText = "V - Na sirku";

// What the printer set-up dialog reports back, in one unit of length.
struct PrinterPage {
  double printableHeight = 0;  // height of the printable page
  double heightOfW = 0;        // height of "W" in the report font on that page
  int orientation = kPortrait;
};

class NumRowModel {
 public:
  // The settings are the shared ones every report window reads.
  NumRowModel(Env& env, PrintSettings& settings) : env_(env), settings_(settings) { ShowSettings(); }

  PrintSettings& Settings() { return settings_; }
  const PrintSettings& Settings() const { return settings_; }

  // Reads the file into the settings and the fields (see GetPrintSettings).
  void Get();
  // Writes the settings into the file.
  bool Put();

  // Showing the window: an existing file is read (a damaged one replaced by
  // the defaults with its message); a missing one is written from the
  // defaults without a word.
  void Open();
  // "Potvrd", Enter in the rows field, or closing the window: the fields
  // become the settings, which are saved.
  void Confirm();

  // The printer button: the chosen fixed-pitch font becomes the report
  // font; a confirmed printer set-up gives the rows that fit the page
  // (round(height / (height of "W" + 2)) - 4, within 1..150) and the
  // orientation.
  void ApplyPrinterFont(const FontChoice& font);
  void ApplyPrinterPage(const PrinterPage& page);

  // The fields: "Jmeno souboru", "Pocet radku:" (three digits), "Orientace:".
  const std::string& FileText() const { return fileText_; }
  std::string& RowsText() { return rowsText_; }
  std::string& OrientationText() { return orientationText_; }

  static std::string RowsFieldText(int rows);
  static std::string OrientationFieldText(int orientation);
  // The rows a field text stands for: its digits as a number, within 1..150.
  static int RowsFromText(std::string_view text);
  // 1 when the text, leading blanks removed, begins with "V" or "v".
  static int OrientationFromText(std::string_view text);

 private:
  void ShowSettings();

  Env& env_;
  PrintSettings& settings_;
  std::string fileText_;
  std::string rowsText_;
  std::string orientationText_;
};

}  // namespace orvo
