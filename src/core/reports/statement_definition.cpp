#include "core/reports/statement_definition.h"

#include <algorithm>
#include <set>

#include "core/data/definition.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

std::string Columns(std::string_view line, size_t from, size_t to) {
  if (line.size() < from) return std::string();
  return std::string(line.substr(from - 1, std::min(line.size(), to) - (from - 1)));
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

// Every "R[" (either case) that is not part of a longer name becomes
// "R<column>[".
std::string RewriteReferences(std::string_view formula, int column) {
  std::string out;
  for (size_t i = 0; i < formula.size(); ++i) {
    const char c = formula[i];
    const bool startsName = i == 0 || !(std::isalnum(static_cast<unsigned char>(formula[i - 1])) ||
                                        formula[i - 1] == '_' || formula[i - 1] == '[');
    if ((c == 'R' || c == 'r') && i + 1 < formula.size() && formula[i + 1] == '[' && startsName) {
      out += "R" + std::to_string(column);
      continue;
    }
    out += c;
  }
  return out;
}

std::string Say(const StatementLine& l, std::string_view what) {
  return "Radek " + std::to_string(l.fileLine) + " definice: " + std::string(what);
}

}  // namespace

int StatementDefinition::IndexOf(int number) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].number == number) return static_cast<int>(i);
  }
  return -1;
}

int StatementDefinition::HighestNumber() const {
  int n = 0;
  for (const StatementLine& l : lines) n = std::max(n, l.number);
  return n;
}

StatementDefinition ParseStatementDefinition(std::string_view text) {
  StatementDefinition def;
  std::vector<std::string_view> lines = TextLines(text);
  if (!lines.empty()) def.title = TrimRight(lines[0]);
  if (lines.size() > 1) def.headingLine = std::string(lines[1]);
  if (!Trim(def.headingLine).empty()) {
    const long bars = std::count(def.headingLine.begin(), def.headingLine.end(), '|');
    def.columns = static_cast<int>(std::min<long>(bars + 1, kMaxStatementColumns));
    if (bars + 1 > kMaxStatementColumns) {
      def.problems.push_back("Radek 2 definice: vice nez " + std::to_string(kMaxStatementColumns) +
                             " sloupce hodnot");
    }
    size_t start = 0;
    for (int c = 0; c < def.columns; ++c) {
      size_t bar = def.headingLine.find('|', start);
      def.headings.push_back(Trim(std::string_view(def.headingLine).substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
      start = bar == std::string::npos ? def.headingLine.size() : bar + 1;
    }
  } else {
    def.headings.assign(1, std::string());
  }
  std::set<int> seen;
  for (size_t n = 2; n < lines.size(); ++n) {
    std::string_view raw = lines[n];
    if (raw.size() < 71) continue;
    StatementLine l;
    l.fileLine = static_cast<int>(n + 1);
    l.text = Columns(raw, 1, 60);
    const std::string number = Trim(Columns(raw, 61, 63));
    const bool digits = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    l.number = digits ? std::stoi(number) : 0;
    if (!digits || l.number < 1 || l.number > kMaxStatementLine) {
      def.problems.push_back(Say(l, "chybne cislo radku vykazu \"" + number + "\" (1 az 999)"));
      continue;
    }
    if (!seen.insert(l.number).second) {
      def.problems.push_back(Say(l, "opakovane cislo radku vykazu " + std::to_string(l.number)));
      continue;
    }
    l.type = UpperCz(std::string(1, raw[70]))[0];
    const std::string formula = raw.size() > 80 ? std::string(raw.substr(80)) : std::string();
    size_t start = 0;
    for (int c = 0; c < kMaxStatementColumns && start <= formula.size(); ++c) {
      size_t bar = formula.find('|', start);
      std::string part = formula.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
      l.formula[static_cast<size_t>(c)] = c < 2 ? RewriteReferences(part, c + 1) : part;
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    def.lines.push_back(std::move(l));
  }
  return def;
}

std::vector<AccountTerm> ParseAccountTerms(std::string_view formula, std::vector<std::string>* bad) {
  std::vector<AccountTerm> terms;
  for (const std::string& word : Words(formula)) {
    AccountTerm t;
    std::string_view w = word;
    if (!w.empty() && w[0] == '-') {
      t.sign = -1;
      w.remove_prefix(1);
    }
    if (!w.empty() && (w[0] == 'M' || w[0] == 'm')) {
      t.side = TermSide::Debit;
      w.remove_prefix(1);
    } else if (!w.empty() && (w[0] == 'D' || w[0] == 'd')) {
      t.side = TermSide::Credit;
      w.remove_prefix(1);
    }
    if (w.empty()) {
      if (bad != nullptr) bad->push_back(word);
      continue;
    }
    t.prefix = std::string(w);
    terms.push_back(std::move(t));
  }
  return terms;
}

std::vector<LineTerm> ParseLineTerms(std::string_view formula) {
  std::vector<LineTerm> terms;
  for (const std::string& word : Words(formula)) {
    LineTerm t;
    std::string_view w = word;
    if (!w.empty() && w[0] == '-') {
      t.sign = -1;
      w.remove_prefix(1);
    }
    const bool digits = !w.empty() && w.size() <= 9 && w.find_first_not_of("0123456789") == std::string_view::npos;
    t.number = digits ? std::stoi(std::string(w)) : 0;
    terms.push_back(t);
  }
  return terms;
}

std::vector<LineReference> ParseLineReferences(std::string_view formula) {
  std::vector<LineReference> refs;
  const std::string text = UpperCz(formula);
  for (size_t i = 0; i + 2 < text.size(); ++i) {
    if (text[i] != 'R' || (i > 0 && (std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '['))) {
      continue;
    }
    size_t j = i + 1;
    LineReference ref;
    if (text[j] == '1' || text[j] == '2') ref.column = text[j++] - '0';
    if (j >= text.size() || text[j] != '[') continue;
    const size_t close = text.find(']', j);
    const std::string inside = Trim(text.substr(j + 1, close == std::string::npos ? std::string::npos : std::min<size_t>(close - j - 1, 10)));
    ref.name = text.substr(i, close == std::string::npos ? std::string::npos : close + 1 - i);
    const bool digits = !inside.empty() && inside.size() <= 9 && inside.find_first_not_of("0123456789") == std::string::npos;
    ref.number = digits ? std::stoi(inside) : 0;
    refs.push_back(ref);
  }
  return refs;
}

std::vector<std::string> CheckStatementDefinition(const StatementDefinition& def,
                                                  const std::vector<std::string>& chart) {
  std::vector<std::string> report = def.problems;
  std::vector<std::string> prefixes;
  const int columns = std::min(def.columns, 2);
  for (size_t i = 0; i < def.lines.size(); ++i) {
    const StatementLine& l = def.lines[i];
    if (l.type == 'U') {
      for (int c = 0; c < columns; ++c) {
        std::vector<std::string> bad;
        for (const AccountTerm& t : ParseAccountTerms(l.formula[static_cast<size_t>(c)], &bad)) prefixes.push_back(t.prefix);
        for (const std::string& b : bad) report.push_back(Say(l, "\"" + b + "\" neni ucet"));
      }
    } else if (l.type == 'V') {
      for (int c = 0; c < columns; ++c) {
        for (const LineReference& ref : ParseLineReferences(l.formula[static_cast<size_t>(c)])) {
          const int at = def.IndexOf(ref.number);
          if (at < 0) {
            report.push_back(Say(l, ref.name + " odkazuje na nedefinovany radek (hodnota 0)"));
          } else if (def.lines[static_cast<size_t>(at)].type == 'R' ||
                     (def.lines[static_cast<size_t>(at)].type == 'V' && static_cast<size_t>(at) >= i)) {
            report.push_back(Say(l, ref.name + " odkazuje na radek pocitany pozdeji (hodnota 0)"));
          }
        }
      }
    } else if (l.type == 'R') {
      for (int c = 0; c < 1; ++c) {
        for (const LineTerm& t : ParseLineTerms(l.formula[0])) {
          if (def.IndexOf(t.number) < 0) {
            report.push_back(Say(l, "radek " + std::to_string(t.number) + " souctu neni definovan (hodnota 0)"));
          }
        }
      }
    }
  }
  std::set<char> classes;
  for (const std::string& p : prefixes) classes.insert(p[0]);
  std::vector<std::string> sorted = chart;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) {
    const std::string& account = sorted[i];
    if (account.empty() || !classes.count(account[0])) continue;
    const bool extended = i + 1 < sorted.size() && sorted[i + 1].size() > account.size() &&
                          sorted[i + 1].compare(0, account.size(), account) == 0;
    if (extended) continue;
    const bool covered = std::any_of(prefixes.begin(), prefixes.end(), [&](const std::string& p) {
      return account.compare(0, p.size(), p) == 0;
    });
    if (!covered) report.push_back("Ucet " + account + " neni v zadnem radku typu U");
  }
  return report;
}

}  // namespace orvo
