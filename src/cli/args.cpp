#include "cli/args.h"

#include <algorithm>

namespace orvo::cli {

Args::Args(const std::vector<std::string>& args, std::initializer_list<OptionSpec> options) {
  for (size_t i = 0; i < args.size() && error_.empty(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
      positional_.push_back(a);
      continue;
    }
    auto spec = std::find_if(options.begin(), options.end(),
                             [&](const OptionSpec& o) { return o.name == a; });
    if (spec == options.end()) {
      error_ = "unknown option " + a;
    } else if (Has(a)) {
      error_ = a + " is given twice";
    } else if (!spec->takesValue) {
      given_.emplace_back(a, std::string());
    } else if (i + 1 >= args.size()) {
      error_ = a + " needs a value";
    } else {
      given_.emplace_back(a, args[++i]);
    }
  }
}

bool Args::Has(std::string_view option) const {
  return std::any_of(given_.begin(), given_.end(), [&](const auto& g) { return g.first == option; });
}

std::string Args::Value(std::string_view option, std::string fallback) const {
  for (const auto& [name, value] : given_) {
    if (name == option) return value;
  }
  return fallback;
}

std::optional<std::vector<int>> NumberList(std::string_view text, int highest, int maxCount) {
  std::vector<int> numbers;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(',', start);
    std::string_view part = text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                               : comma - start);
    if (part.empty() || part.size() > 6 ||
        part.find_first_not_of("0123456789") != std::string_view::npos) {
      return std::nullopt;
    }
    int n = 0;
    for (char c : part) n = n * 10 + (c - '0');
    if (n < 1 || n > highest || static_cast<int>(numbers.size()) >= maxCount) return std::nullopt;
    numbers.push_back(n);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return numbers;
}

}  // namespace orvo::cli
