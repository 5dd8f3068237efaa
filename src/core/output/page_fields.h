// The page fields "Str1:" and "Str2:" of the report windows that show one
// page at a time (the framed and the graphic reports): five digits each,
// the moves to the first, previous, next and last page, the checks when a
// field is left, and the range a print takes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kPageOutOfRange = "Zvolena strana je mimo rozsah !";
inline constexpr std::string_view kStr1AboveStr2 = "Strana 1 je vetsi nez Strana 2 !";
// The page fields take five digits, as the report's own page numbers do.
inline constexpr int kPageFieldDigits = 5;

class PageFields {
 public:
  // `exists`: whether the file of a page is there.
  PageFields(Env& env, std::function<bool(int)> exists) : env_(env), exists_(std::move(exists)) {}

  // Before any build: "00000" and "99999", no pages.
  void Reset();
  // After a build of `count` pages: "00001" and the count, page 1 current.
  void Built(int count);
  int Count() const { return count_; }
  int Page() const { return page_; }
  void SetPage(int page) { page_ = page; }

  std::string& Str1() { return str1_; }
  std::string& Str2() { return str2_; }
  // The page a button shows (it becomes the current one), or nothing when
  // its file is missing.
  std::optional<int> First();
  std::optional<int> Prior();
  std::optional<int> Next();
  std::optional<int> Last();
  std::optional<int> ShowStr1();
  // Leaving a field: false after the message when it was replaced.
  bool LeaveStr1();
  bool LeaveStr2();
  // Str1 to Str2 up to the first missing page.
  std::vector<int> PrintRange() const;

  static int Number(std::string_view text);
  static std::string Digits(int page);

 private:
  std::optional<int> ShowIfExists(int page);
  bool Leave(std::string& field, bool first);

  Env& env_;
  std::function<bool(int)> exists_;
  int count_ = 0;
  int page_ = 0;
  std::string str1_ = "00000";
  std::string str2_ = "99999";
};

}  // namespace orvo
