#include "core/output/graphic_pages.h"

#include <cstdlib>

#include "core/data/definition.h"
#include "core/sys/numbers.h"

namespace orvo {

GraphicPagesModel::GraphicPagesModel(Env& env, GraphicKind kind, std::string reportFile, std::string defFile)
    : env_(env), kind_(kind), report_(std::move(reportFile)), def_(std::move(defFile)),
      fields_(env, [this](int n) { return env_.fs.FileExists(PictureFile(n)); }) {}

bool GraphicPagesModel::Open() {
  fields_.Reset();
  percent_ = " 100";
  scale_ = 1.0;
  if (report_.empty() || !env_.fs.FileExists(report_)) return false;
  return kind_ == GraphicKind::TxIma || (!def_.empty() && env_.fs.FileExists(def_));
}

std::vector<char> GraphicPagesModel::ColumnTypes() {
  std::vector<char> types;
  LoadedDef def;
  if (kind_ != GraphicKind::Ima || !ReadDef(env_, def, def_)) return types;
  for (const DefWord& w : def.words) types.push_back(w.TMS.empty() ? ' ' : w.TMS[0]);
  return types;
}

void GraphicPagesModel::Built(int count) {
  for (int n = count + 1; env_.fs.FileExists(PictureFile(n)); ++n) env_.fs.Remove(PictureFile(n));
  fields_.Built(count);
}

void GraphicPagesModel::LeavePercent() {
  const int value = PageFields::Number(percent_);
  percent_ = IntText(value, 4);
  scale_ = value / 100.0;
}

std::optional<std::string> GraphicPagesModel::ImageEditor() {
  const char* editor = std::getenv("ORVO_IMAGE_EDITOR");
  if (editor == nullptr || *editor == '\0') return std::nullopt;
  return std::string(editor);
}

void GraphicPagesModel::Close() {
  env_.fs.Remove(WorkPicture());
  for (int n = 1; env_.fs.FileExists(PictureFile(n)); ++n) env_.fs.Remove(PictureFile(n));
  fields_.Reset();
}

}  // namespace orvo
