// TIma and TTxIma without their widgets: the page pictures of a report on
// disk (JPEG files, and the work bitmap of the page shown or edited only),
// the page fields, the print scale field, the picture editor to run, and
// the removal of the files when the window closes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/office/font_choice.h"
#include "core/output/graphic_report.h"
#include "core/output/page_fields.h"
#include "core/sys/env.h"

namespace orvo {

class GraphicPagesModel {
 public:
  // `reportFile`: ImaFile or TxImaFile; `defFile`: ImaDef (TIma only).
  GraphicPagesModel(Env& env, GraphicKind kind, std::string reportFile, std::string defFile = {});
  GraphicPagesModel(const GraphicPagesModel&) = delete;
  GraphicPagesModel& operator=(const GraphicPagesModel&) = delete;

  // False when the report (or the definition of TIma) is missing.
  bool Open();
  GraphicKind Kind() const { return kind_; }
  const std::string& ReportFile() const { return report_; }
  // The first letter of each column's type from the definition (TIma).
  std::vector<char> ColumnTypes();

  std::string PictureFile(int n) const { return orvo::PictureFile(kind_, report_, n); }
  std::string WorkPicture() const { return orvo::WorkPicture(kind_, report_); }
  PageFields& Fields() { return fields_; }
  // After a build of `count` pictures; pictures of an earlier, longer
  // build are removed.
  void Built(int count);

  // "Procento rozmeru plochy urcene k tisku": the digits as a whole
  // number, right-aligned in four characters (blank for 0); the scale is
  // the value / 100.
  std::string& Percent() { return percent_; }
  void LeavePercent();
  double Scale() const { return scale_; }

  // The picture editor: ORVO_IMAGE_EDITOR (a program that returns when
  // the editing is done), else nothing (the window opens the picture with
  // the desktop and asks when the editing is done).
  static std::optional<std::string> ImageEditor();

  // Removes the work picture and the page pictures 1, 2, ... up to the
  // first missing one.
  void Close();

 private:
  Env& env_;
  GraphicKind kind_;
  std::string report_;
  std::string def_;
  PageFields fields_;
  std::string percent_ = " 100";
  double scale_ = 1.0;
};

}  // namespace orvo
