#include "core/accounting/auto_transfer.h"

#include <cmath>
#include <optional>

#include "core/accounting/posting_rewrite.h"
#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/cds_file.h"
#include "core/data/foreign_records.h"
#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/table_viewer.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr size_t kRuleWidth = 78;
constexpr size_t kRuleMinLength = 76;
constexpr int kSourceWords = 10;
constexpr int kLinesPerDocument = 2 * kAutPairsPerDocument;

bool IsNumber(std::string_view text) {
  const std::string t = Trim(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digit = false;
  bool separator = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      digit = true;
    } else if ((t[i] == ',' || t[i] == '.') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digit || t.empty();
}

bool SideValid(std::string_view side) {
  return side.size() == 2 && (side[0] == 'M' || side[0] == 'D') && (side[1] == ' ' || side[1] == '-');
}

// Whether the value begins with the significant part of the pattern.
bool Matches(const std::string& significant, const std::string& value) {
  return value.size() >= significant.size() && value.compare(0, significant.size(), significant) == 0;
}

// The significant part followed by the source value from the next
// character on.
std::string Substituted(const std::string& significant, const std::string& value) {
  return value.size() > significant.size() ? significant + value.substr(significant.size()) : significant;
}

std::string Two(std::string text) {
  text.resize(2, ' ');
  return text;
}

// The amount of one side: empty unless the side is "M" or "D".
void Amount(std::string_view side, double amount, std::string* md, std::string* dal) {
  if (side.size() > 1 && side[1] == '-') amount = -amount;
  const std::string text = Trim(RealTextRounded(15, 2, amount));
  if (side[0] == 'M') *md = text;
  if (side[0] == 'D') *dal = text;
}

}  // namespace

std::string SignificantPart(std::string_view pattern) {
  size_t end = pattern.size();
  while (end > 0 && (pattern[end - 1] == 'X' || pattern[end - 1] == ' ')) --end;
  return std::string(pattern.substr(0, end));
}

bool ReadAutDefinition(Env& env, std::string_view file, AutDefinition* def) {
  *def = {};
  if (!FileExistsOrSay(env, file)) return false;
  int io = 0;
  std::optional<std::string> text = env.fs.ReadWhole(file, &io);
  if (!text) {
    ErrorBox(env, UnreadableFileText(file, io));
    return false;
  }
  auto fault = [&](int line, const std::string& what, std::string_view content) {
    ErrorBox(env, "Definicni soubor:\r\r\"" + std::string(file) + "\"\r\r     - radek " + std::to_string(line) +
                      ": " + what + "\r\r" + std::string(content) + "\r\rPrevod nebyl proveden.",
             kAutCaption);
    return false;
  };
  int number = 0;
  int selectorLine = 0;
  for (std::string_view raw : ForeignLines(*text)) {
    ++number;
    if (number == 1) continue;
    const std::string line = UpperCz(raw);
    const bool colon = line.find(':') != std::string::npos;
    if (line.size() >= kRuleMinLength) {
      if (colon) return fault(number, "pravidlo nesmi obsahovat \":\"", line);
      if (static_cast<int>(def->rules.size()) == kAutMaxRules) {
        return fault(number, "vice nez " + std::to_string(kAutMaxRules) + " pravidel", line);
      }
      std::string l = line.substr(0, kRuleWidth);
      l.resize(kRuleWidth, ' ');
      AutRule rule;
      rule.srcUnit = SignificantPart(l.substr(0, 6));
      rule.srcUcet = SignificantPart(l.substr(7, 6));
      rule.srcCinn = SignificantPart(l.substr(14, 5));
      const std::string koef = l.substr(20, 10);
      if (!IsNumber(koef)) return fault(number, "koeficient \"" + Trim(koef) + "\" neni cislo", line);
      rule.koef = TextToReal(koef);
      rule.aUnit = SignificantPart(l.substr(31, 6));
      rule.aUcet = SignificantPart(l.substr(38, 6));
      rule.aCinn = SignificantPart(l.substr(45, 5));
      rule.aSide = l.substr(51, 2);
      rule.bUnit = SignificantPart(l.substr(54, 6));
      rule.bUcet = SignificantPart(l.substr(61, 6));
      rule.bCinn = SignificantPart(l.substr(68, 5));
      rule.bSide = l.substr(74, 2);
      rule.condition = l[77];
      if (!SideValid(rule.aSide)) return fault(number, "strana A \"" + rule.aSide + "\" neni M, D, M- ani D-", line);
      if (!SideValid(rule.bSide)) return fault(number, "strana B \"" + rule.bSide + "\" neni M, D, M- ani D-", line);
      if (rule.condition != ' ' && rule.condition != '+' && rule.condition != '-') {
        return fault(number, "podminka \"" + std::string(1, rule.condition) + "\" neni prazdna, + ani -", line);
      }
      def->rules.push_back(std::move(rule));
      continue;
    }
    if (!colon) continue;
    if (selectorLine != 0) {
      return fault(number, "druhy vyberovy radek (prvni je radek " + std::to_string(selectorLine) + ")", line);
    }
    selectorLine = number;
    const size_t at = line.find(':');
    const std::string column = Trim(line.substr(0, at));
    bool digits = !column.empty() && column.size() <= 2;
    for (char c : column) digits = digits && c >= '0' && c <= '9';
    const int n = digits ? NumberOf(column) : -1;
    if (n < 1 || n > kSourceWords) return fault(number, "sloupec vyberu musi byt 1 az 10", line);
    def->selectorColumn = n;
    std::string rest = line.substr(at + 1);
    size_t from = 0;
    while (true) {
      const size_t comma = rest.find(',', from);
      std::string value = RemoveBlanks(rest.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
      std::string clean;
      for (char c : value) {
        if (c != 'X') clean += c;
      }
      if (clean.empty()) return fault(number, "prazdna polozka vyberu", line);
      def->selectorValues.push_back(clean);
      if (def->selectorValues.size() > 10) return fault(number, "vice nez 10 polozek vyberu", line);
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
  }
  return true;
}

AutOutcome RunAutoTransfer(RunValues& run, TCdsProc& cds, const AutRequest& request, const AutForeignConfirm& confirm) {
  Env& env = run.env;
  AutOutcome outcome;
  const std::string id = RemoveBlanks(request.id);
  if (id.empty()) {
    ErrorBox(env, "Zdroj (identifikace prevodu) neni zadan !", kAutCaption);
    return outcome;
  }
  AutDefinition def;
  if (!ReadAutDefinition(env, RemoveBlanks(request.defFile), &def)) return outcome;
  ReadInitFile(run);
  LoadPeriod(run);
  TUctProc proc(run, cds);
  const std::string posting = PostingFile(run);
  if (!FileExistsQuiet(env, posting)) {
    proc.MakeCdsFile(posting, proc.DefFile("UctO.Def"));
    if (!FileExistsOrSay(env, posting)) return outcome;
  }
  std::string month;
  if (request.source == AutSource::Month) {
    month = BalanceFile(run, RemoveBlanks(request.period));
    if (!FileExistsOrSay(env, month)) return outcome;
  }

  // The previous run's postings: replaced, and left out of the balances.
  Dataset in(env);
  if (!LoadCdsFile(env, posting, in)) return outcome;
  if (in.FieldCount() < kPostingWords) {
    ErrorBox(env, "Soubor:\r\r\"" + posting + "\"\r\r     - neni souborem obratu !", kAutCaption);
    return outcome;
  }
  std::vector<char> keep(static_cast<size_t>(in.RecordCount()), 1);
  int foreign = 0;
  for (int r = 0; r < in.RecordCount(); ++r) {
    if (Trim(in.StringAt(r, 2)) != id) continue;
    keep[static_cast<size_t>(r)] = 0;
    ++outcome.removed;
    if (Trim(in.StringAt(r, 19)) != kAutText) ++foreign;
  }
  if (foreign > 0) {
    const bool go = confirm ? confirm(foreign)
                            : AskYesNo(env,
                                       "Pod zdrojem " + id + " je " + std::to_string(foreign) +
                                           " zaznamu, ktere nezapsaly automaticke prevody !\r\rSoubor:  " + posting +
                                           "\r\rNahradit je ?",
                                       kAutCaption);
    if (!go) return outcome;
  }

  ComputingProgress progress(env);
  std::string sourceFile = month;
  if (request.source != AutSource::Month) {
    const std::string without = WorkFile("Orvoork3.Cds");
    Dataset kept(env);
    if (!CopyKeptPostings(in, keep, kept) || !SaveCdsFile(env, without, kept)) return outcome;
    kept.Discard();
    sourceFile = WorkFile("Orvoork1.Cds");
    const bool built = request.source == AutSource::Current
                           ? proc.StNove(BalanceFile(run), without, sourceFile)
                           : proc.ObSt(without, sourceFile);
    if (!built || !FileExistsOrSay(env, sourceFile)) return outcome;
  }
  Dataset source(env);
  source.SetReadOnly(true);
  if (!LoadCdsFile(env, sourceFile, source)) return outcome;
  if (source.FieldCount() < kSourceWords) {
    ErrorBox(env, "Soubor:\r\r\"" + sourceFile + "\"\r\r     - neni souborem stavu !", kAutCaption);
    return outcome;
  }

  const std::string rok = run.CurrentPeriod.substr(0, 2);
  const std::string mesic = run.CurrentPeriod.size() >= 5 ? run.CurrentPeriod.substr(3, 2) : std::string();
  const std::string today = TodayText(env);
  std::vector<std::vector<std::string>> add;
  int doc = 1;
  int line = 0;
  auto post = [&](const std::string& unit, const std::string& sprava, const AutRule& rule, bool a,
                  const std::string& srcUcet, const std::string& srcCinn, double amount) {
    ++line;
    if (line > kLinesPerDocument) {
      ++doc;
      line = 1;
    }
    std::vector<std::string> p(kPostingWords);
    p[0] = rok;
    p[1] = mesic;
    p[2] = id;
    p[3] = IntTextPadded(doc, 5);
    p[4] = IntTextPadded(line, 4);
    const std::string targetUnit = Substituted(a ? rule.aUnit : rule.bUnit, unit);
    if (targetUnit.size() == 6) {
      p[5] = targetUnit.substr(0, 2);
      p[6] = targetUnit.substr(2, 2);
      p[7] = targetUnit.substr(4, 2);
    } else {
      p[5] = targetUnit;
      p[6] = sprava;
      p[7] = "00";
    }
    p[8] = Substituted(a ? rule.aUcet : rule.bUcet, srcUcet);
    p[9] = Substituted(a ? rule.aCinn : rule.bCinn, srcCinn);
    Amount(a ? rule.aSide : rule.bSide, amount, &p[12], &p[13]);
    p[18] = today;
    p[19] = std::string(kAutText);
    add.push_back(std::move(p));
  };
  // The rules that can match an account, by its first character, in file
  // order: those without an account pattern and those beginning with it.
  std::vector<std::vector<const AutRule*>> byFirst(256);
  for (int c = 0; c < 256; ++c) {
    for (const AutRule& rule : def.rules) {
      if (rule.srcUcet.empty() || static_cast<unsigned char>(rule.srcUcet[0]) == c) byFirst[c].push_back(&rule);
    }
  }
  std::string values[kSourceWords];
  for (int r = 0; r < source.RecordCount(); ++r) {
    for (int f = 0; f < kSourceWords; ++f) values[f] = TrimRight(source.StringAt(r, f));
    if (def.selectorColumn > 0) {
      bool skip = false;
      for (const std::string& v : def.selectorValues) skip = skip || Matches(v, values[def.selectorColumn - 1]);
      if (skip) continue;
    }
    const std::string unit = Two(values[2]) + Two(values[3]) + Two(values[4]);
    const double net = TextToReal(values[8]) - TextToReal(values[9]);
    // An empty account matches only rules without an account pattern.
    const auto& candidates = byFirst[values[5].empty() ? 0 : static_cast<unsigned char>(values[5][0])];
    for (const AutRule* candidate : candidates) {
      const AutRule& rule = *candidate;
      if (!Matches(rule.srcUnit, unit) || !Matches(rule.srcUcet, values[5]) || !Matches(rule.srcCinn, values[6])) {
        continue;
      }
      if ((rule.condition == '+' && !(net > 0)) || (rule.condition == '-' && !(net < 0))) continue;
      const double amount = net * rule.koef;
      post(unit, values[3], rule, true, values[5], values[6], amount);
      post(unit, values[3], rule, false, values[5], values[6], amount);
    }
  }
  source.Discard();

  if (ArchiveNeededByTime(env, posting, ArchiveDir(run)) &&
      !ArchiveRotate(env, posting, ArchiveDir(run), kArchiveGenerations)) {
    return outcome;
  }
  outcome.added = static_cast<int>(add.size());
  outcome.done = ReplacePostingFile(env, posting, in, keep, add);
  return outcome;
}

void TUctAut::FormCreate() {
  ReadInitFile(run_);
  LoadPeriod(run_);
  Edit2 = "  " + run_.UnitKey + "9901";
  Edit3 = "  " + RemoveBlanks(run_.CurrentPeriod);
  source = AutSource::Current;
}

void TUctAut::DefSoub() {
  std::optional<std::string> picked =
      run_.env.ui.OpenFileDialog({"", AppDir(run_, "DefSoub"), std::string(kAutFilter), ""});
  if (picked && !picked->empty()) Edit1 = "  " + *picked;
}

bool TUctAut::Proved() {
  last = RunAutoTransfer(run_, cds_, {Edit1, source, Edit3, Edit2});
  return last.done;
}

void TUctAut::Zobr() {
  const std::string posting = PostingFile(run_);
  const std::string def = AppDir(run_, "DefSoub") + "\\UctO.Def";
  if (showTable) {
    showTable(posting, def, "Orvo", "Prehlad obratov");
  } else {
    ShowInTableViewer(run_, posting, def, "Orvo", "Prehlad obratov");
  }
}

}  // namespace orvo
