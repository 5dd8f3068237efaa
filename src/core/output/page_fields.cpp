#include "core/output/page_fields.h"

#include <algorithm>

#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

int PageFields::Number(std::string_view text) {
  int64_t v = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9' && v < 100000000) v = v * 10 + (c - '0');
  }
  return static_cast<int>(v);
}

std::string PageFields::Digits(int page) { return IntTextPadded(page, kPageFieldDigits); }

void PageFields::Reset() {
  count_ = 0;
  page_ = 0;
  str1_ = Digits(0);
  str2_ = std::string(kPageFieldDigits, '9');
}

void PageFields::Built(int count) {
  count_ = count;
  page_ = 1;
  str1_ = Digits(1);
  str2_ = Digits(count);
}

std::optional<int> PageFields::ShowIfExists(int page) {
  page_ = page;
  if (page < 1 || !exists_(page)) return std::nullopt;
  str1_ = Digits(page);
  if (Number(str2_) < page) str2_ = str1_;
  return page;
}

std::optional<int> PageFields::First() { return ShowIfExists(1); }
std::optional<int> PageFields::Prior() { return ShowIfExists(page_ > 1 ? page_ - 1 : page_); }
std::optional<int> PageFields::Next() { return ShowIfExists(page_ < count_ ? page_ + 1 : page_); }
std::optional<int> PageFields::Last() { return ShowIfExists(count_); }

std::optional<int> PageFields::ShowStr1() {
  const int page = Number(str1_);
  page_ = page;
  if (page < 1 || !exists_(page)) return std::nullopt;
  return page;
}

bool PageFields::Leave(std::string& field, bool first) {
  const int v = Number(field);
  if (v >= 1 && v <= count_) {
    field = Digits(v);
    if (Number(str2_) < Number(str1_)) InfoBox(env_, kStr1AboveStr2, "Str1:  " + str1_ + ",Str2:  " + str2_);
    return true;
  }
  InfoBox(env_, kPageOutOfRange, "Str:  " + field);
  field = first ? Digits(1) : Digits(count_);
  return false;
}

bool PageFields::LeaveStr1() { return Leave(str1_, true); }
bool PageFields::LeaveStr2() { return Leave(str2_, false); }

std::vector<int> PageFields::PrintRange() const {
  std::vector<int> pages;
  const int to = Number(str2_);
  for (int p = std::max(Number(str1_), 1); p <= to && exists_(p); ++p) pages.push_back(p);
  return pages;
}

}  // namespace orvo
