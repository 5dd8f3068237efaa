#include "core/output/vyst_model.h"

#include "core/shell/file_names.h"
#include "core/output/report_file.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"

namespace orvo {

namespace {

std::string_view ToolFile(VystTool tool) {
  switch (tool) {
    case VystTool::PrnOut: return "\\PrnOut.Exe";
    case VystTool::RtfPad: return "\\RtfPad.Exe";
    case VystTool::TxtView: return "\\TxtView.Exe";
  }
  return "";
}

// A file name with blanks must reach the tool as one parameter.
std::string AsParameter(std::string_view file) {
  if (file.find_first_of(" \t\"") == std::string_view::npos) return std::string(file);
  return "\"" + std::string(file) + "\"";
}

}  // namespace

ViewerGeometry ViewerGeometryFor(int screenWidth, int screenHeight) {
  ViewerGeometry g;
  g.left = 100;
  g.width = screenWidth - 200;
  if (screenWidth > 0) {
    g.top = screenHeight * 100 / screenWidth;
    g.height = screenHeight * g.width / screenWidth;
  }
  return g;
}

std::string MaskedCopyName(std::string_view reportFile) {
  return std::string(kWorkDir) + "\\T_P_" + BaseName(reportFile) + ".Txt";
}

void VystModel::Open() {
  EraseFile(env_, MaskedCopyName(handOver_.VystFile));
  handOver_.VystFile = env_.fs.FullPath(handOver_.VystFile);
  maskText_ = std::string(kDefaultMaskText);
  leftMarginText_ = IntTextZero(handOver_.VystLeftMargin, 5);
  topMarginText_ = IntTextZero(handOver_.VystTopMargin, 5);
  printerFont_ = settings_.ReportFont;
  editorFont_ = settings_.ReportFont;
  orientation_ = settings_.PageOrientation;
}

void VystModel::Close() { EraseFile(env_, MaskedCopyName(handOver_.VystFile)); }

int VystModel::LeftMargin() const { return PageNumberFromText(leftMarginText_); }
int VystModel::TopMargin() const { return PageNumberFromText(topMarginText_); }

bool VystModel::MakeMaskedCopy() {
  if (!MaskWanted(maskText_)) return false;
  auto lines = ReadReport(env_, handOver_.VystFile);
  if (!lines) return false;
  const std::string copy = MaskedCopyName(handOver_.VystFile);
  const int result = WriteReport(env_, copy, ApplyMaskToReport(*lines, ParseMask(maskText_)));
  if (result != kIoOk) {
    InfoBox(env_, "Chyba" + IntText(result, 5) + " -Soubor nelze vytvorit !", "Soubor:  " + copy);
    return false;
  }
  return true;
}

void VystModel::DropMaskedCopy() { EraseFile(env_, MaskedCopyName(handOver_.VystFile)); }

std::string VystModel::UsedFile() const {
  std::string copy = MaskedCopyName(handOver_.VystFile);
  return env_.fs.FileExists(copy) ? copy : handOver_.VystFile;
}

std::optional<std::vector<std::string>> VystModel::ReadUsedFile() { return ReadReport(env_, UsedFile()); }

std::optional<GraphicPrintPlan> VystModel::PlanGraphicPrint(const PageMeasure& measure) {
  auto lines = ReadUsedFile();
  if (!lines) return std::nullopt;
  GraphicPrintPlan plan =
      orvo::PlanGraphicPrint(*lines, PageRangeFromFields(firstPageText_, lastPageText_),
                             LeftMargin(), TopMargin(), measure);
  if (plan.tooWide) {
    InfoBox(env_, kReportTooWide);
    return std::nullopt;
  }
  firstPageText_ = ClampedPageFieldText(plan.range.first);
  lastPageText_ = ClampedPageFieldText(plan.range.last);
  return plan;
}

std::optional<std::string> VystModel::TextPrint() {
  auto lines = ReadUsedFile();
  if (!lines) return std::nullopt;
  PageRange range =
      ClampPageRange(PageRangeFromFields(firstPageText_, lastPageText_), CountPages(*lines));
  firstPageText_ = ClampedPageFieldText(range.first);
  lastPageText_ = ClampedPageFieldText(range.last);
  return TextPrintBytes(*lines, range, LeftMargin());
}

bool VystModel::RunTool(VystTool tool) {
  if (handOver_.VystToolDir.empty()) return false;
  const std::string file = UsedFile();
  if (!FileExistsOrSay(env_, file)) return false;
  return RunProgram(env_, handOver_.VystToolDir + std::string(ToolFile(tool)), AsParameter(file),
                    false) == kStillActive;
}

bool VystModel::ExportToWord(Office& office) {
  const std::string file = UsedFile();
  if (!FileExistsOrSay(env_, file)) return false;
  int result = kIoOk;
  auto text = env_.fs.ReadWhole(file, &result);
  if (!text) {
    InfoBox(env_, "Chyba" + IntText(result, 5) + " -Soubor nelze cist !", "Soubor:  " + file);
    return false;
  }
  TextDocument document{*text, editorFont_,
                        std::string(kWorkDir) + "\\W_" + BaseName(file) + ".Rtf"};
  if (office.ShowText(env_, document) != OfficeResult::Done) {
    InfoBox(env_, kWordUnavailable);
    return false;
  }
  return true;
}

GraphicConversionInput VystModel::GraphicConversion() const {
  return {handOver_.VystFile, settings_.PageRows, editorFont_};
}

}  // namespace orvo
