// What the table viewer does with a large posting table before and while a
// person looks at it: load with its definition, read every shown cell once,
// sort by an amount and by a text column, find a text near the end, write
// CSV. Usage: viewer_table [records ...] (default 100000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/tabview/viewer_table.h"
#include "core/data/cds_file.h"
#include "core/data/dataset.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string DefLine(int td, const std::string& name, const std::string& heading,
                    const std::string& type) {
  std::string line(72, ' ');
  std::string n = std::to_string(td);
  line.replace(3 - n.size(), n.size(), n);
  line.replace(4, name.size(), name);
  line.replace(40, heading.size(), heading);
  line.replace(70, 2, type);
  return line + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {100000};

  std::string dir = (std::filesystem::temp_directory_path() / "orvo-bench-viewer").string();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  orvo::DriveMap map;
  map.Map('D', dir);
  orvo::DosFs fs(map);
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::SystemClock clock;
  orvo::Env env{ui, fs, clock};
  fs.WriteWhole("D:\\Ucty.Def", DefLine(6, "1. Ucet", "Ucet", "PM") +
                                    DefLine(15, "2. MD", "Ma dati", "N2") +
                                    DefLine(40, "3. Text", "Text", "PM"));

  for (int records : sizes) {
    orvo::Dataset ds(env);
    ds.AddField("Ucet", orvo::FieldType::Text, 6);
    ds.AddField("MD", orvo::FieldType::Text, 15);
    ds.AddField("Text", orvo::FieldType::Text, 40);
    ds.CreateDataSet();
    uint64_t x = 88172645463325252ULL;
    for (int i = 0; i < records; ++i) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
      ds.Append();
      ds.SetAsString(0, std::to_string(100000 + x % 900000));
      ds.SetAsString(1, orvo::RealTextRounded(15, 2, static_cast<double>(x % 10000000) / 100.0));
      ds.SetAsString(2, "Doklad " + std::to_string(i));
      ds.Post();
    }
    orvo::SaveCdsFile(env, "D:\\Data.Cds", ds);

    auto t = Clock::now();
    orvo::ViewerTable table(env);
    table.Load({"D:\\Data.Cds", "D:\\Ucty.Def", "Orvo", "", true});
    double load = Seconds(t);
    t = Clock::now();
    size_t bytes = 0;
    for (int r = 0; r < table.RowCount(); ++r) {
      for (int c = 0; c < table.ColumnCount(); ++c) bytes += table.Cell(r, c).size();
    }
    double cells = Seconds(t);
    t = Clock::now();
    table.Sort(1, false);
    double sortAmount = Seconds(t);
    t = Clock::now();
    table.Sort(2, true);
    double sortText = Seconds(t);
    t = Clock::now();
    table.Sort(-1, true);
    auto found = table.Find("Doklad " + std::to_string(records - 1), 0, 0);
    double find = Seconds(t);
    t = Clock::now();
    std::string csv = table.CsvText();
    double csvTime = Seconds(t);
    std::printf(
        "%8d rows: load %.3f s, every cell %.3f s (%zu bytes), sort amount %.3f s, sort text "
        "%.3f s, find last %.3f s (row %d), CSV %.3f s (%zu bytes)\n",
        records, load, cells, bytes, sortAmount, sortText, find, found.first, csvTime, csv.size());
  }
  std::filesystem::remove_all(dir);
  return 0;
}
