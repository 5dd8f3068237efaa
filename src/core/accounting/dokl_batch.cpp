#include "core/accounting/dokl_batch.h"

#include <algorithm>
#include <unordered_map>

#include "core/accounting/progress_scope.h"
#include "core/data/cds_file.h"
#include "core/data/definition.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

std::vector<std::string> SplitBar(std::string_view line) {
  std::vector<std::string> values;
  size_t from = 0;
  while (true) {
    size_t bar = line.find('|', from);
    values.emplace_back(line.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
    if (bar == std::string_view::npos) break;
    from = bar + 1;
  }
  return values;
}

struct Line {
  int number = 0;  // in the file, 1-based
  std::vector<std::string> values;
};

struct Group {
  std::vector<std::string> id;
  std::vector<Line> lines;
};

}  // namespace

bool PostDocuments(TUctDokl& dokl, std::string_view text, std::string_view source, DoklBatchResult* result) {
  Env& env = dokl.Run().env;
  DoklGrid& grid = dokl.Grid();
  const int k = grid.HeaderCount();
  const int words = grid.Def().PSl;
  const std::string where = "Soubor:  " + std::string(source);
  auto fail = [&](int line, const std::string& why) {
    InfoBox(env, why, where + "   radek " + std::to_string(line));
    return false;
  };

  // Lines grouped by identification, in the order of first appearance.
  std::vector<Group> groups;
  std::unordered_map<std::string, size_t> groupOf;
  int number = 0;
  for (std::string_view raw : TextLines(text)) {
    ++number;
    std::string line(raw);
    if (Trim(line).empty()) continue;
    std::vector<std::string> values = SplitBar(line);
    if (static_cast<int>(values.size()) > words) {
      return fail(number, "Radek ma " + std::to_string(values.size()) + " udaju, zaznam jich ma " +
                              std::to_string(words) + " !");
    }
    values.resize(static_cast<size_t>(words));
    std::vector<std::string> id(values.begin(), values.begin() + k);
    for (std::string& v : id) v = Trim(v);
    std::string key;
    for (const std::string& v : id) key += v + '\x1f';
    auto [it, fresh] = groupOf.emplace(key, groups.size());
    if (fresh) groups.push_back({id, {}});
    groups[it->second].lines.push_back({number, std::move(values)});
  }
  if (groups.empty()) {
    InfoBox(env, "Soubor neobsahuje zadny doklad !", where);
    return false;
  }

  // Empty numbers take the free numbers after the file's and the batch's own.
  const std::string plant = PlantCode(dokl.Run());
  std::string next = dokl.NextNumber();
  if (next.empty()) return false;
  int64_t free = TextToInt(next);
  for (const Group& g : groups) {
    if (k >= 4 && !g.id[3].empty() && g.id[2].compare(0, 2, plant) == 0 && g.id[2].size() >= 8 &&
        g.id[2].compare(6, 2, "00") == 0) {
      free = std::max(free, TextToInt(g.id[3]) + 1);
    }
  }

  std::vector<DocumentRecord> add;
  std::unordered_set<std::string> ids;
  std::vector<std::vector<std::string>> headers;
  for (Group& g : groups) {
    dokl.StartDocument();
    const int first = g.lines.front().number;
    for (int c = 0; c < k; ++c) {
      std::string value = g.id[static_cast<size_t>(c)];
      if (c == k - 1 && value.empty()) {
        if (free > 99999) return fail(first, "Neni volne cislo dokladu (posledni je 99999) !");
        value = std::to_string(free++);
      }
      grid.Header(c) = value;
      if (Trim(value).empty()) return fail(first, "Chyba v identifikaci dokladu !!!");
      bool loaded = false;
      if (c == k - 1) {
        // The number is checked, never loaded: the file's document is replaced.
        DoklCheck check = grid.Check(grid.HeaderWord(c), value, 'C');
        if (!check.ok) return fail(first, "Chybne zadany udaj: " + Trim(value));
        grid.Header(c) = value;
      } else if (!dokl.LeaveHeaderCell(c, &loaded)) {
        return false;
      }
    }
    if (!dokl.EnterRows()) return false;
    std::vector<char> used(static_cast<size_t>(grid.RowCount()), 0);
    int nextRow = 0;
    std::vector<std::pair<int, int>> rowOfLine;  // grid row, file line
    for (const Line& l : g.lines) {
      const std::string lineNo = Trim(l.values[static_cast<size_t>(k)]);
      int row = -1;
      if (lineNo.empty()) {
        while (nextRow < grid.RowCount() && used[static_cast<size_t>(nextRow)] != 0) ++nextRow;
        row = nextRow;
      } else if (lineNo.find_first_not_of("0123456789") == std::string::npos) {
        row = static_cast<int>(TextToInt(lineNo)) - 1;
      }
      if (row < 0 || row >= grid.RowCount() || used[static_cast<size_t>(row)] != 0) {
        return fail(l.number, "Chybne nebo opakovane cislo radku dokladu: " + (lineNo.empty() ? "(dalsi)" : lineNo));
      }
      used[static_cast<size_t>(row)] = 1;
      for (int c = 1; c < grid.ItemCount(); ++c) dokl.Put(row, c, l.values[static_cast<size_t>(k + c)]);
      for (int c = 1; c < grid.ItemCount(); ++c) {
        if (Trim(grid.Cell(row, c)).empty()) continue;
        // A number column takes nothing but a number from a file: the
        // normalisation would drop the rest without a word.
        const DefWord& w = grid.Def().Word(grid.ItemWord(c));
        if (!w.TMS.empty() && w.TMS[0] == 'N' &&
            Trim(grid.Cell(row, c)).find_first_not_of("0123456789,.- ") != std::string::npos) {
          return fail(l.number, TrimRight(w.Heading) + ": " + Trim(grid.Cell(row, c)) + std::string(kDoklNotInList));
        }
        if (!dokl.LeaveItemCell(row, c)) {
          return fail(l.number, TrimRight(grid.Def().Word(grid.ItemWord(c)).Heading) + ": " + dokl.CodeLine());
        }
      }
      if (!grid.RowHasData(row)) return fail(l.number, "Radek dokladu neobsahuje zadny udaj !");
      rowOfLine.emplace_back(row, l.number);
    }
    const int bad = dokl.ClassCheck();
    if (bad >= 0) {
      for (const auto& [row, line] : rowOfLine) {
        if (row == bad) return fail(line, "Nebyla zadana cinnost !");
      }
      return false;
    }
    std::vector<std::string> header;
    for (int c = 0; c < k; ++c) header.push_back(grid.Header(c));
    const std::string id = DocumentIdOfValues(header, k);
    if (!ids.insert(id).second) return fail(first, "Doklad je v souboru dvakrat !");
    headers.push_back(header);
    for (DocumentRecord& r : dokl.DocumentRows()) add.push_back(std::move(r));
    if (result != nullptr) result->numbers.push_back(Trim(header[static_cast<size_t>(k - 1)]));
  }

  const std::string file = dokl.PostingFileName();
  if (!dokl.MakePostingFile()) return false;
  {
    Dataset ds(env);
    ds.SetReadOnly(true);
    if (FileExistsQuiet(env, file) && LoadCdsFile(env, file, ds)) {
      std::unordered_set<std::string> asked;
      for (int r = 0; r < ds.RecordCount(); ++r) {
        const std::string id = DocumentIdOf(ds, r, k);
        if (ids.count(id) == 0 || !asked.insert(id).second) continue;
        std::string caption = "Doklad:  ";
        for (int c = 0; c < k; ++c) caption += ds.StringAt(r, c) + " ";
        if (!AskYesNo(env, "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?", caption)) return false;
      }
    }
  }
  ComputingProgress progress(env);
  if (!FileExistsOrSay(env, file)) return false;
  if (!RewriteDocuments(env, file, k, ids, add)) return false;
  if (result != nullptr) {
    result->documents = static_cast<int>(headers.size());
    result->postings = static_cast<int>(add.size());
  }
  dokl.StartDocument();
  return true;
}

}  // namespace orvo
