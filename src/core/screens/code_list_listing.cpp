#include "core/screens/code_list_listing.h"

#include <vector>

#include "core/sys/dates.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// Blanks and columns of two; the last two blanks are dropped.
std::string DropLastTwo(std::string line) {
  line.resize(line.size() >= 2 ? line.size() - 2 : 0);
  return line;
}

}  // namespace

std::string CodeListListing(Env& env, const Dataset& table, std::string_view fileName,
                            int rowsPerPage) {
  std::vector<int> fields;
  for (int f = 0; f < table.FieldCount(); ++f) {
    if (table.Field(f).type != FieldType::Memo) fields.push_back(f);
  }
  std::string columns = "  ";
  for (int f : fields) {
    int size = table.Field(f).size;
    std::string name = table.Field(f).name.substr(0, static_cast<size_t>(size + 1));
    columns += PadRight(name, size + 2);
  }
  columns = DropLastTwo(columns);
  std::string title = "Zobrazeni/opis souboru:  " + std::string(fileName) + "     " + TodayText(env) +
                      "  " + NowText(env);
  if (columns.size() >= title.size() + 3) title = PadRight(title, static_cast<int>(columns.size()) - 2);

  std::string out;
  auto line = [&](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  int page = 0;
  auto heading = [&] {
    ++page;
    line(page == 1 ? "" : "\f");
    line("");
    line("  " + title + "  STR:" + IntText(page, 4));
    line("");
    line(columns);
    line("");
    line("");
  };

  int counter = 0;
  const int n = table.RecordCount();
  if (n == 0) heading();
  for (int r = 0; r < n; ++r) {
    std::string text = "  ";
    for (int f : fields) text += PadRight(table.StringAt(r, f), table.Field(f).size + 2);
    ++counter;
    if (r == 0 || counter > rowsPerPage) {
      heading();
      counter = 8;
    }
    line(DropLastTwo(text));
  }
  return out;
}

}  // namespace orvo
