#include "core/screens/report_hand_over.h"

namespace orvo {

RamHandOver RamHandOverOf(const ReportLayout& layout, bool frames) {
  RamHandOver h;
  h.RamFile = layout.file;
  h.RamTopLines = layout.topLines;
  h.RamCaptionLines = layout.captionLines;
  h.RamColStart = layout.start;
  h.RamColWidth = layout.width;
  h.RamFrames = frames;
  return h;
}

ImaHandOver ImaHandOverOf(const ReportLayout& layout, const PrintSettings& settings) {
  ImaHandOver h;
  h.ImaFile = layout.file;
  h.ImaDef = layout.defFile;
  h.ImaTopLines = layout.topLines;
  h.ImaCaptionLines = layout.captionLines;
  h.ImaColStart = layout.start;
  h.ImaColWidth = layout.width;
  h.ImaItemFont = settings.ReportFont;
  h.ImaItemFont.name = "Courier New";
  h.ImaHeadFont = h.ImaItemFont;
  h.ImaHeadFont.bold = true;
  h.ImaLineColour = 0xFF0000;
  h.ImaPageRows = settings.PageRows;
  return h;
}

}  // namespace orvo
