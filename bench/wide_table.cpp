// Loading a table of 65,535 fields (the most a table may have), in the
// binary form and in the XML form, against a yardstick in the same run: an
// ordinary table of 20 fields with as many records as make a file of the
// same byte size. A check of the field names that grows faster than the
// field count shows up as a wide file loading far slower than the
// yardstick. Usage: wide_table [fields] (default 65535).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/data/cds_file.h"
#include "core/data/cds_xml.h"
#include "core/data/dataset.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"

#include "bench_support.h"

namespace {

using orvo::Dataset;
using orvo::DataFormat;
using orvo::FieldType;
using orvo::bench::Seconds;

// One record; every field a text of one character.
void Wide(Dataset& ds, int fields) {
  for (int f = 0; f < fields; ++f) ds.AddField("Pole" + std::to_string(f), FieldType::Text, 1);
  ds.CreateDataSet();
  ds.Append();
  for (int f = 0; f < fields; f += 7) ds.SetAsString(f, "x");
  ds.Post();
}

// 20 text fields of 10 characters; records added until the file reaches
// `bytes` (one record is 220 bytes in the binary form).
void Ordinary(Dataset& ds, uint64_t bytes, bool xml) {
  for (int f = 0; f < 20; ++f) ds.AddField("Slovo" + std::to_string(f), FieldType::Text, 10);
  ds.CreateDataSet();
  const uint64_t perRecord = xml ? 20 * 20 + 10 : 20 * 11;
  const uint64_t records = bytes / perRecord + 1;
  for (uint64_t r = 0; r < records; ++r) {
    ds.Append();
    for (int f = 0; f < 20; ++f) ds.SetAsString(f, std::to_string(r * 20 + static_cast<uint64_t>(f)));
    ds.Post();
  }
}

// The best of `rounds` loads, in seconds.
double LoadTime(orvo::Env& env, const std::string& file, int rounds, int* fields) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    Dataset ds(env);
    auto t0 = std::chrono::steady_clock::now();
    if (!ds.LoadFromFile(file)) return -1;
    best = std::min(best, Seconds(t0));
    *fields = ds.FieldCount();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int fields = argc > 1 ? std::atoi(argv[1]) : orvo::kMaxFieldCount;
  std::string base = std::filesystem::temp_directory_path().string() + "/orvo-bench-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  orvo::DriveMap drives;
  drives.Map('C', base);
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::ConsoleUi ui(std::cerr, false);
  orvo::Env env{ui, fs, clock};

  std::printf("%-6s %-9s %8s %10s %10s\n", "form", "table", "fields", "file KB", "load s");
  for (DataFormat format : {DataFormat::Binary, DataFormat::Xml}) {
    const bool xml = format == DataFormat::Xml;
    const char* formName = xml ? "xml" : "binary";
    const std::string wideFile = std::string("C:\\Wide.") + (xml ? "Xml" : "Cds");
    const std::string plainFile = std::string("C:\\Plain.") + (xml ? "Xml" : "Cds");
    {
      Dataset ds(env);
      Wide(ds, fields);
      if (!ds.SaveToFile(wideFile, format)) return 1;
    }
    const uint64_t wideBytes = std::filesystem::file_size(base + "/" + wideFile.substr(3));
    {
      Dataset ds(env);
      Ordinary(ds, wideBytes, xml);
      if (!ds.SaveToFile(plainFile, format)) return 1;
    }
    const uint64_t plainBytes = std::filesystem::file_size(base + "/" + plainFile.substr(3));
    int wideFields = 0, plainFields = 0;
    const double wide = LoadTime(env, wideFile, 5, &wideFields);
    const double plain = LoadTime(env, plainFile, 5, &plainFields);
    std::printf("%-6s %-9s %8d %10.0f %10.4f\n", formName, "wide", wideFields, wideBytes / 1024.0, wide);
    std::printf("%-6s %-9s %8d %10.0f %10.4f   (yardstick)\n", formName, "ordinary", plainFields,
                plainBytes / 1024.0, plain);
    std::printf("%-6s wide / ordinary: %.1f\n", formName, plain > 0 ? wide / plain : 0.0);
  }
  std::filesystem::remove_all(base);
  return 0;
}
