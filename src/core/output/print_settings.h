// The print settings shared by every report writer and report window: rows
// per printed page, page orientation and the report font, kept as one
// 112-byte record in C:\A_Run\PomSoub\NumRowFont.Dat:
//   0  101  font name: length byte and up to 100 characters
//   101  1  font size
//   102  2  reserved (written as zeros, ignored on reading)
//   104  4  colour, signed 32-bit little-endian
//   108  1  style code: 10 x (1 bold + 2 italic) + (1 underline + 2 strike-out)
//   109  1  PageRows
//   110  1  PageOrientation
//   111  1  reserved
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/office/font_choice.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kNumRowFontFile = "C:\\A_Run\\PomSoub\\NumRowFont.Dat";
inline constexpr size_t kNumRowFontSize = 112;
inline constexpr int kMaxPageRows = 150;

inline constexpr int kPortrait = 0;   // "H - Na vysku"
inline constexpr int kLandscape = 1;  // "V - Na sirku"

struct PrintSettings {
  int PageRows = 80;
  int PageOrientation = kPortrait;
  FontChoice ReportFont;  // "Courier New" 8, plain, black

  bool operator==(const PrintSettings&) const = default;
};

// The style code of a font (0..3, 10..13, 20..23, 30..33).
int StyleCode(const FontChoice& font);
// Sets the four style flags from a code; false (font unchanged) when the
// code is none of the sixteen.
bool ApplyStyleCode(int code, FontChoice& font);

// Rows as they are stored: at most 150, and at least 1 because every
// report writer divides its lines into pages of that many rows.
int StoredPageRows(int rows);

// The record, byte for byte. A name longer than 100 bytes keeps its first
// 100; the size is kept within 1..255.
std::string EncodeNumRowFont(const PrintSettings& settings);
// Nothing when the record is damaged: shorter than 112 bytes, a name
// length above 100, an empty name, size 0, an unknown style code or an
// orientation other than 0 and 1. Rows above 150 read as 150, rows 0 as 1.
std::optional<PrintSettings> DecodeNumRowFont(std::string_view record);

// Reads the print settings file into `settings` (the windows that print
// call it before they write a report). A missing file is reported by the
// file check, written from the current settings and announced with
// "Vygenerovany obvykle vlastnosti..."; a damaged one is reported and
// replaced by the defaults.
void GetPrintSettings(Env& env, PrintSettings& settings);
// Writes the settings crash-safe; false after the message "Chyba..
// -Soubor nelze vytvorit !" when the file cannot be written.
bool PutPrintSettings(Env& env, const PrintSettings& settings);
// Reads the file without any message: nothing when it is missing or damaged.
std::optional<PrintSettings> ReadPrintSettingsQuiet(Env& env);

// The damaged file's message and its repair: defaults restored and written.
void ReplaceDamagedPrintSettings(Env& env, PrintSettings& settings);

}  // namespace orvo
