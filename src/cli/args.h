// The arguments of one orvo-batch command: the words in order and the
// options the command knows, each with or without a value ("--keys 3,1",
// "--utf8"). Every command parses through here, so an unknown option, an
// option without its value and a repeated option read the same everywhere.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo::cli {

struct OptionSpec {
  std::string_view name;  // "--keys"
  bool takesValue = false;
};

class Args {
 public:
  Args(const std::vector<std::string>& args, std::initializer_list<OptionSpec> options);

  // Empty when the arguments fit the options.
  const std::string& Error() const { return error_; }
  bool Ok() const { return error_.empty(); }

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(std::string_view option) const;
  // The value of an option given with one; `fallback` when it was not given.
  std::string Value(std::string_view option, std::string fallback = {}) const;

 private:
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::string>> given_;
  std::string error_;
};

// "3,1,2" -> {3, 1, 2}: at most `maxCount` numbers from 1 to `highest`;
// nothing on anything else.
std::optional<std::vector<int>> NumberList(std::string_view text, int highest, int maxCount);

}  // namespace orvo::cli
