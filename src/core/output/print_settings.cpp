#include "core/output/print_settings.h"

#include <algorithm>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

namespace {

constexpr size_t kNameMax = 100;
constexpr size_t kSizeOffset = 101;
constexpr size_t kColorOffset = 104;
constexpr size_t kStyleOffset = 108;
constexpr size_t kRowsOffset = 109;
constexpr size_t kOrientationOffset = 110;

uint8_t Byte(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

}  // namespace

int StyleCode(const FontChoice& font) {
  int tens = (font.bold ? 1 : 0) + (font.italic ? 2 : 0);
  int units = (font.underline ? 1 : 0) + (font.strikeOut ? 2 : 0);
  return 10 * tens + units;
}

bool ApplyStyleCode(int code, FontChoice& font) {
  if (code < 0 || code > 33 || code % 10 > 3) return false;
  int tens = code / 10;
  int units = code % 10;
  font.bold = (tens & 1) != 0;
  font.italic = (tens & 2) != 0;
  font.underline = (units & 1) != 0;
  font.strikeOut = (units & 2) != 0;
  return true;
}

int StoredPageRows(int rows) { return std::clamp(rows, 1, kMaxPageRows); }

std::string EncodeNumRowFont(const PrintSettings& settings) {
  std::string record(kNumRowFontSize, '\0');
  const std::string& name = settings.ReportFont.name;
  const size_t length = std::min(name.size(), kNameMax);
  record[0] = static_cast<char>(length);
  std::copy_n(name.begin(), length, record.begin() + 1);
  record[kSizeOffset] = static_cast<char>(std::clamp(settings.ReportFont.size, 1, 255));
  const auto color = static_cast<uint32_t>(settings.ReportFont.color);
  for (int i = 0; i < 4; ++i) {
    record[kColorOffset + i] = static_cast<char>((color >> (8 * i)) & 0xFF);
  }
  record[kStyleOffset] = static_cast<char>(StyleCode(settings.ReportFont));
  record[kRowsOffset] = static_cast<char>(StoredPageRows(settings.PageRows));
  record[kOrientationOffset] = static_cast<char>(settings.PageOrientation == kLandscape ? 1 : 0);
  return record;
}

std::optional<PrintSettings> DecodeNumRowFont(std::string_view record) {
  if (record.size() < kNumRowFontSize) return std::nullopt;
  PrintSettings s;
  const size_t length = Byte(record, 0);
  if (length == 0 || length > kNameMax) return std::nullopt;
  s.ReportFont.name = std::string(record.substr(1, length));
  s.ReportFont.size = Byte(record, kSizeOffset);
  if (s.ReportFont.size == 0) return std::nullopt;
  uint32_t color = 0;
  for (int i = 0; i < 4; ++i) color |= static_cast<uint32_t>(Byte(record, kColorOffset + i)) << (8 * i);
  s.ReportFont.color = static_cast<int32_t>(color);
  if (!ApplyStyleCode(Byte(record, kStyleOffset), s.ReportFont)) return std::nullopt;
  s.PageRows = StoredPageRows(Byte(record, kRowsOffset));
  const int orientation = Byte(record, kOrientationOffset);
  if (orientation != kPortrait && orientation != kLandscape) return std::nullopt;
  s.PageOrientation = orientation;
  return s;
}

bool PutPrintSettings(Env& env, const PrintSettings& settings) {
  const int result = env.fs.WriteWhole(kNumRowFontFile, EncodeNumRowFont(settings));
  if (result == kIoOk) return true;
  InfoBox(env, "Chyba" + IntText(result, 5) + " -Soubor nelze vytvorit !",
          "Soubor:  " + std::string(kNumRowFontFile));
  return false;
}

std::optional<PrintSettings> ReadPrintSettingsQuiet(Env& env) {
  int result = kIoOk;
  auto bytes = env.fs.ReadWhole(kNumRowFontFile, &result);
  if (!bytes) return std::nullopt;
  return DecodeNumRowFont(*bytes);
}

void ReplaceDamagedPrintSettings(Env& env, PrintSettings& settings) {
  ErrorBox(env, "Soubor \r\r" + std::string(kNumRowFontFile) + "\r\r" + "je poskozen !" + "\r\r" +
                    "Bude automaticky ulozena predvolba.");
  settings = PrintSettings{};
  PutPrintSettings(env, settings);
}

void GetPrintSettings(Env& env, PrintSettings& settings) {
  if (!FileExistsOrSay(env, kNumRowFontFile)) {
    // When even the fresh file cannot be written its own message has been
    // shown; the current settings stay in use.
    if (!PutPrintSettings(env, settings)) return;
    InfoBox(env, "Vygenerovany obvykle vlastnosti.\r\rProvedte prednostne opravu !");
  }
  auto read = ReadPrintSettingsQuiet(env);
  if (!read) {
    ReplaceDamagedPrintSettings(env, settings);
    return;
  }
  settings = *read;
}

}  // namespace orvo
