// The statement definition (VykZ*.Def): its title, its column headings and
// its lines - text, line number, type and one formula per column - read
// from the text of the file, with every line that cannot be placed in the
// statement named; and the check of a definition against the chart of
// accounts that `orvo-batch statement check` prints.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

inline constexpr int kMaxStatementLine = 999;
inline constexpr int kMaxStatementColumns = 3;

// One term of an account-sum ('U') formula: sign, side and account prefix.
enum class TermSide { Balance, Debit, Credit };  // MD - Dal, "M": MD, "D": Dal
struct AccountTerm {
  int sign = 1;
  TermSide side = TermSide::Balance;
  std::string prefix;
};

struct StatementLine {
  int number = 0;        // 1 ... 999
  std::string text;      // columns 1-60, blanks kept
  char type = 'Z';       // 'U', 'V', 'R', 'Z', 'T' or another character (no value)
  std::array<std::string, kMaxStatementColumns> formula;  // column by column, "R[" rewritten
  int fileLine = 0;      // line of the definition file, 1-based
};

struct StatementDefinition {
  std::string title;
  std::string headingLine;
  int columns = 1;
  std::vector<std::string> headings;   // one per column, trimmed (empty when unnamed)
  std::vector<StatementLine> lines;    // in definition order
  std::vector<std::string> problems;   // lines refused, each naming its line; empty when usable

  bool Usable() const { return problems.empty(); }
  // Index into `lines` of line number n, or -1.
  int IndexOf(int number) const;
  int HighestNumber() const;
};

// Reads the text of a definition (Windows-1250, any line ends). A line
// shorter than 71 characters after the heading line is not a statement
// line. A line number that is not 1 ... 999 or that is repeated is a
// problem; so is a heading line with more than three columns.
StatementDefinition ParseStatementDefinition(std::string_view text);

// The terms of a 'U' formula, in order; `bad` gets the words that are no
// term (a sign or side letter without a prefix).
std::vector<AccountTerm> ParseAccountTerms(std::string_view formula, std::vector<std::string>* bad = nullptr);

// The line numbers of an 'R' formula with their signs.
struct LineTerm {
  int sign = 1;
  int number = 0;
};
std::vector<LineTerm> ParseLineTerms(std::string_view formula);

// The references R[n], R1[n], R2[n] of a 'V' formula: column (1 or 2) and
// line number (0 when it is not a number).
struct LineReference {
  int column = 1;
  int number = 0;
  std::string name;
};
std::vector<LineReference> ParseLineReferences(std::string_view formula);

// Everything `statement check` reports: the problems of the reading, 'V'
// lines that use lines computed after them ('R' lines, 'V' lines defined
// later), 'U' words that are no term, and the accounts of the chart (the
// most detailed ones: those no other account of the chart extends) of the
// account classes the definition's terms touch that no 'U' term covers.
std::vector<std::string> CheckStatementDefinition(const StatementDefinition& def,
                                                  const std::vector<std::string>& chart);

}  // namespace orvo
