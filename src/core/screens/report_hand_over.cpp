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

}  // namespace orvo
