#include "core/reports/evaluator.h"

#include <cmath>
#include <vector>

#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr long double kPi = 3.1415926535897932385L;

bool IsOperator(char c) { return c == '*' || c == '/' || c == '+' || c == '-'; }

long double Finite(long double v) { return std::isfinite(v) ? v : 0.0L; }

// One evaluation: its intermediate results, which stand in the text as
// "~" + number + "~" (the closing mark keeps a token apart from digits that
// follow it, so the table can grow without limit).
class Evaluation {
 public:
  explicit Evaluation(const EvalResolver& resolver) : resolver_(resolver) {}

  long double Run(std::string text) {
    for (;;) {
      const size_t close = text.find(')');
      if (close == std::string::npos) break;
      const size_t open = text.rfind('(', close);
      if (open == std::string::npos) return 0.0L;
      const long double inner = Flat(text.substr(open + 1, close - open - 1));
      size_t at = open;
      long double value = inner;
      static const char* const kFunctions[] = {"ABS",  "ARCTAN", "COS",  "EXP",  "FRAC", "INT", "LN",
                                               "SIN",  "SQRT",   "PLUS", "NNUL", "NUL",  "SGN"};
      for (const char* name : kFunctions) {
        const std::string_view f(name);
        if (at >= f.size() && std::string_view(text).substr(at - f.size(), f.size()) == f) {
          value = Apply(f, value);
          at -= f.size();
        }
      }
      text.replace(at, close + 1 - at, Token(Store(value)));
    }
    return Flat(text);
  }

 private:
  static long double Apply(std::string_view f, long double x) {
    if (f == "ABS") return std::fabs(x);
    if (f == "ARCTAN") return std::atan(x);
    if (f == "COS") return std::cos(x);
    if (f == "EXP") return Finite(std::exp(x));
    if (f == "FRAC") return x - std::trunc(x);
    if (f == "INT") return std::trunc(x);
    if (f == "LN") return x > 0 ? std::log(x) : 0.0L;
    if (f == "SIN") return std::sin(x);
    if (f == "SQRT") return x >= 0 ? std::sqrt(x) : 0.0L;
    if (f == "PLUS") return x > 0 ? 1.0L : 0.0L;
    if (f == "NNUL") return x != 0 ? 1.0L : 0.0L;
    if (f == "NUL") return x == 0 ? 1.0L : 0.0L;
    return x > 0 ? 1.0L : (x < 0 ? -1.0L : 0.0L);  // SGN
  }

  size_t Store(long double v) {
    results_.push_back(Finite(v));
    return results_.size();
  }
  static std::string Token(size_t k) { return "~" + std::to_string(k) + "~"; }

  // Whether text[i] is an operator rather than the sign of an operand: a
  // "+" or "-" at the start or right after another operator is a sign.
  static bool OperatorAt(const std::string& text, size_t i) {
    if (!IsOperator(text[i])) return false;
    if (text[i] == '*' || text[i] == '/') return true;
    return i > 0 && !IsOperator(text[i - 1]);
  }

  long double Flat(std::string text) {
    if (text.empty()) return 0.0L;
    if (text[0] == '-' || text[0] == '+') text.insert(0, "0");
    bool found = false;
    for (const char* ops : {"*/", "+-"}) {
      for (;;) {
        size_t op = std::string::npos;
        for (size_t i = 0; i < text.size(); ++i) {
          if (std::string_view(ops).find(text[i]) != std::string_view::npos && OperatorAt(text, i)) {
            op = i;
            break;
          }
        }
        if (op == std::string::npos) break;
        found = true;
        size_t begin = op;
        while (begin > 0 && !OperatorAt(text, begin - 1)) --begin;
        size_t end = op + 1;
        if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
        while (end < text.size() && !IsOperator(text[end])) ++end;
        const long double a = Operand(text.substr(begin, op - begin));
        const long double b = Operand(text.substr(op + 1, end - op - 1));
        long double v = 0;
        switch (text[op]) {
          case '*': v = a * b; break;
          case '/': v = a / (std::fabs(b) < 1e-20L ? 1.0L : b); break;
          case '+': v = a + b; break;
          default: v = a - b; break;
        }
        text.replace(begin, end - begin, Token(Store(v)));
      }
    }
    if (!found) Store(Operand(text));
    return results_.back();
  }

  long double Operand(std::string_view text) {
    if (!text.empty() && text[0] == '-') return -Operand(text.substr(1));
    if (!text.empty() && text[0] == '+') return Operand(text.substr(1));
    if (text.empty()) return 0.0L;
    if (text == "PI") return kPi;
    if (text.find_first_not_of("0123456789.") == std::string_view::npos) {
      // A malformed number such as "1.2.3" or "." counts as 0.
      if (text.find('.') != text.rfind('.') || text == ".") return 0.0L;
      return Finite(std::strtold(std::string(text).c_str(), nullptr));
    }
    if (text[0] == '~') {
      size_t k = 0;
      for (size_t i = 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        k = k * 10 + static_cast<size_t>(text[i] - '0');
        if (k > results_.size()) return 0.0L;
      }
      return k >= 1 && k <= results_.size() ? results_[k - 1] : 0.0L;
    }
    return resolver_ ? Finite(resolver_(std::string(text))) : 0.0L;
  }

  const EvalResolver& resolver_;
  std::vector<long double> results_;
};

}  // namespace

std::string NormaliseExpression(std::string_view expression) {
  std::string text;
  text.reserve(expression.size());
  for (char c : expression) {
    if (c == ' ' || c == '\t') continue;
    text += c == ',' ? '.' : c;
  }
  return UpperCz(text);
}

long double Evaluate(std::string_view expression, const EvalResolver& resolver) {
  Evaluation evaluation(resolver);
  return evaluation.Run(NormaliseExpression(expression));
}

}  // namespace orvo
