#include "core/data/definition.h"

#include <algorithm>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr size_t kCountedLine = 72;
constexpr const char* kUnusableCaption = "Soubor nelze pouzit pro dalsi operace";

// Columns `from` .. `to` (1-based, inclusive) of a line, as far as it reaches.
std::string_view Columns(std::string_view line, size_t from, size_t to) {
  if (from > line.size()) return {};
  return line.substr(from - 1, std::min(to, line.size()) - from + 1);
}

// Numeric columns keep only their digits and minus signs; what remains is
// converted, and anything that is not then a plain integer reads as 0.
int ColumnNumber(std::string_view column) {
  std::string kept;
  for (char c : column) {
    if ((c >= '0' && c <= '9') || c == '-') kept += c;
  }
  size_t i = 0;
  bool negative = false;
  if (!kept.empty() && kept[0] == '-') {
    negative = true;
    i = 1;
  }
  if (i >= kept.size()) return 0;
  int value = 0;
  for (; i < kept.size(); ++i) {
    if (kept[i] == '-') return 0;
    if (value > 100000000) return 0;
    value = value * 10 + (kept[i] - '0');
  }
  return negative ? -value : value;
}

// Lines end at CR LF, LF or a lone CR; a final line without an ending counts.
template <typename Fn>
void ForEachLine(std::string_view text, Fn fn) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) {
      fn(text.substr(at));
      return;
    }
    if (!fn(text.substr(at, end - at))) return;
    at = end + 1;
    if (text[end] == '\r' && at < text.size() && text[at] == '\n') ++at;
  }
}

}  // namespace

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&](std::string_view line) {
    lines.push_back(line);
    return true;
  });
  return lines;
}

void LoadedDef::Clear() {
  PSl = 0;
  RecLen = 0;
  HeaderCount = 0;
  ItemCount = 0;
  HasMemo = false;
  KeyList.fill(0);
  DefLines.clear();
  words.clear();
}

int LoadedDef::KeyCount() const {
  int n = 0;
  while (n < kMaxDefWords && KeyList[static_cast<size_t>(n)] != 0) ++n;
  return n;
}

std::string FieldNameOf(std::string_view tns1) {
  size_t dot = tns1.find('.');
  // 0-based start: two places after the full stop, or the second character.
  size_t start = dot == std::string_view::npos ? 1 : dot + 2;
  if (start >= tns1.size()) return std::string();
  return Trim(tns1.substr(start, 25));
}

DefParse ParseDef(std::string_view text, LoadedDef& def) {
  def.Clear();
  DefParse result;
  int gap = 0;
  int prevTP = 1;
  int prevTD = 0;
  int counted = 0;
  ForEachLine(text, [&](std::string_view line) {
    if (line.size() < kCountedLine) return true;
    ++counted;
    if (counted > kMaxDefLines) {
      result.problem = DefProblem::TooManyLines;
      return false;
    }
    def.DefLines.emplace_back(line.substr(0, std::min<size_t>(80, line.size())));
    std::string tms(Columns(line, 71, 72));
    int td = ColumnNumber(Columns(line, 1, 3));
    if (td < 0) {
      result.problem = DefProblem::NegativeLength;
      result.line = counted;
      return false;
    }
    if (tms == "ZS") {
      gap += td;
      return true;
    }
    DefWord w;
    const int n = ++def.PSl;
    if (tms == "ME") def.HasMemo = true;
    if (line.size() > 85) {
      if (line[85] == '@') {
        char digit = line.size() > 86 ? line[86] : ' ';
        // The decorations of the "@" form are empty in this system, so
        // digits 1-3 give the bare name and any other gives none.
        if (digit >= '1' && digit <= '3') w.JmSCis = RemoveBlanks(Columns(line, 88, 135));
      } else {
        w.JmSCis = RemoveBlanks(Columns(line, 86, 135));
      }
      char ip = line[77];
      if (ip == 'P' || ip == 'N' || ip == 'K') {
        w.IP = ip;
        w.IndUlozP = ColumnNumber(Columns(line, 79, 80));
        w.UlozZ = ColumnNumber(Columns(line, 81, 82));
        w.UlozDo = ColumnNumber(Columns(line, 83, 85));
      }
    }
    if (line.size() > 140) w.JmPole = RemoveBlanks(Columns(line, 141, 150));
    w.TD = td;
    def.RecLen += td;
    w.LineNo = counted;
    w.TNS1 = std::string(Columns(line, 5, 34));
    w.FieldName = FieldNameOf(w.TNS1);
    w.TMS = tms;
    w.SP = line.size() > 72 ? line[72] : ' ';
    std::string heading = PadRight(Columns(line, 41, 70), std::min(td, 50) + 1);
    w.Heading = heading.substr(0, static_cast<size_t>(td) + 1);
    if (def.RecLen > kMaxRecLen) result.recLenOver = true;
    w.TP = prevTP + prevTD + gap;
    gap = 0;
    prevTP = w.TP;
    prevTD = w.TD;
    if (line.size() >= 80 && line[77] == 'I') {
      int pos = ColumnNumber(Columns(line, 79, 80));
      if (pos > 0) w.KeyPos = pos;
    }
    if (line.size() >= 76 && Columns(line, 75, 76) == "KH") def.HeaderCount = n;
    def.words.push_back(std::move(w));
    return true;
  });
  if (result.problem != DefProblem::None) {
    def.Clear();
    return result;
  }
  def.ItemCount = def.PSl - def.HeaderCount;
  int keys = 0;
  for (int k = 1; k <= def.PSl; ++k) {
    auto it = std::find_if(def.words.begin(), def.words.end(),
                           [k](const DefWord& w) { return w.KeyPos == k; });
    if (it == def.words.end()) break;
    def.KeyList[static_cast<size_t>(keys++)] = static_cast<int>(it - def.words.begin()) + 1;
  }
  return result;
}

bool ReadDef(Env& env, LoadedDef& def, std::string_view name) {
  def.Clear();
  if (!FileExistsQuiet(env, name)) {
    InfoBox(env, "Soubor nebyl nalezen", name);
    return false;
  }
  if (!TryOpenFile(env, name)) return false;
  int io = 0;
  std::optional<std::string> text = env.fs.ReadWhole(name, &io);
  if (!text) {
    ErrorBox(env, "Soubor:\r\r" + QuotedName(name) + "\r\r     - nelze precist !\r\rChyba:" +
                      IntText(io, 5));
    return false;
  }
  DefParse parsed = ParseDef(*text, def);
  switch (parsed.problem) {
    case DefProblem::None: break;
    case DefProblem::TooManyLines:
      InfoBox(env, "Soubor:\r\r" + QuotedName(name) + "\r\r     - obsahuje vice nez 200 radku !",
              kUnusableCaption);
      return false;
    case DefProblem::NegativeLength:
      InfoBox(env, "Soubor:\r\r" + QuotedName(name) + "\r\r     - zaporna delka slova na radku " +
                       std::to_string(parsed.line) + " !",
              kUnusableCaption);
      return false;
  }
  if (parsed.recLenOver) {
    // The definition stays loaded; the application ends as soon as control
    // gets back to it, which for us is now.
    InfoBox(env, "Veta obsahuje vice nez " + std::to_string(kMaxRecLen) + " znaku !",
            kUnusableCaption);
    throw Termination("record longer than 5000 characters: " + std::string(name));
  }
  return true;
}

}  // namespace orvo
