#include "core/shell/range_dialog.h"

#include <vector>

#include "core/sys/text_lines.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

std::string RangeDialogModel::RangeFileName() const {
  return session_.period.rangeDir + "\\Obdobi12.Txt";
}

void RangeDialogModel::Show() {
  RangeCancelled = false;
  RangeFrom = "0201";
  RangeTo = "2012";
  int io = 0;
  if (auto text = session_.env.fs.ReadWhole(RangeFileName(), &io)) {
    std::vector<std::string> lines = SplitLines(*text);
    std::string line = lines.empty() ? std::string() : lines[0].substr(0, 20);
    RangeFrom = line.substr(0, 4);
    RangeTo = line.size() > 5 ? line.substr(5, 4) : std::string();
  }
  fields_ = {RangeFrom, RangeTo};
  focus_ = 0;
}

bool RangeDialogModel::LeaveField(int index) {
  const std::string& text = fields_.at(index);
  if (text.size() == 4 && IsDigits(text) && (text[2] - '0') * 10 + (text[3] - '0') < 14) {
    return true;
  }
  ErrorBox(session_.env, "Chybne zadane obdobi !", "Obdobi: " + text);
  focus_ = index;
  return false;
}

void RangeDialogModel::Enter() {
  if (focus_ > 1) {
    Proceed();
    return;
  }
  int from = focus_;
  if (LeaveField(from)) focus_ = from + 1;
}

void RangeDialogModel::Proceed() { Close(); }

void RangeDialogModel::Escape() {
  RangeCancelled = true;
  Close();
}

void RangeDialogModel::Close() {
  // The range is only remembered for the next time; a file that cannot be
  // written costs nothing else, so it is not reported.
  session_.env.fs.WriteWhole(RangeFileName(), JoinLines({fields_[0] + "-" + fields_[1]}));
  RangeFrom = fields_[0].substr(0, 4);
  RangeTo = fields_[1].substr(0, 4);
}

}  // namespace orvo
