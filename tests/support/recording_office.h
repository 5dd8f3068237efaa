// An office backend for tests: records every text and workbook it is asked
// to show and answers as told; it converts nothing.
#pragma once

#include <string_view>
#include <vector>

#include "core/office/office_port.h"

namespace orvo::test {

class RecordingOffice : public OfficeBackend {
 public:
  explicit RecordingOffice(OfficeResult answer = OfficeResult::Done) : answer_(answer) {}
  std::string_view Name() const override { return "recording"; }
  OfficeResult ShowText(Env&, const TextDocument& d) override {
    shown.push_back(d);
    return answer_;
  }
  OfficeResult ConvertText(Env&, const TextDocument&, DocumentFormat, std::string_view) override {
    return OfficeResult::CannotDo;
  }
  OfficeResult ShowWorkbook(Env&, const Workbook& w) override {
    workbooks.push_back(w);
    return answer_;
  }
  std::vector<TextDocument> shown;
  std::vector<Workbook> workbooks;

 private:
  OfficeResult answer_;
};

}  // namespace orvo::test
