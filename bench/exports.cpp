// The exports: 1,000,000 postings into a spreadsheet workbook (goal: under
// 30 s and 300 MB peak), beside the yardstick of the same table written as
// separated text; and a report of 1,000 pages into JPEG page pictures (goal:
// under 60 s), beside the yardstick of painting the same pictures without
// storing them. Each phase runs in a child process of its own, so its peak
// memory is its own; the processor time is printed beside the wall time, as
// the machine may be shared. Usage: exports [postings pages] (default 1000000 1000).
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bench_support.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/output/graphic_report.h"
#include "core/screens/cds_excel.h"
#include "core/sys/clock.h"
#include "core/sys/console_ui.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/numbers.h"
#include "paint/graphic_pictures.h"
#include "paint/report_painter.h"

namespace {

using orvo::bench::Random;
using orvo::bench::RunChild;
using orvo::bench::Seconds;

std::string DefLine(int td, const std::string& name, const std::string& tms) {
  std::string line = std::string(td < 10 ? "  " : td < 100 ? " " : "") + std::to_string(td) + " ";
  line += name + std::string(36 - name.size(), ' ');
  line += name.substr(3) + std::string(30 - (name.size() - 3), ' ');
  return line + tms + " ";
}

// The postings of a year: account, activity, document, text, both sides.
void MakePostings(orvo::Dataset& ds, int count) {
  ds.AddField("Ucet", orvo::FieldType::Text, 6);
  ds.AddField("Cinnost", orvo::FieldType::Text, 4);
  ds.AddField("Doklad", orvo::FieldType::Text, 8);
  ds.AddField("Text", orvo::FieldType::Text, 30);
  ds.AddField("MD", orvo::FieldType::Text, 15);
  ds.AddField("Dal", orvo::FieldType::Text, 15);
  ds.CreateDataSet();
  Random random;
  for (int i = 0; i < count; ++i) {
    ds.Append();
    ds.SetAsString(0, std::to_string(311000 + random.Below(400) * 100));
    ds.SetAsString(1, orvo::IntTextPadded(random.Below(20), 4));
    ds.SetAsString(2, orvo::IntTextPadded(i, 8));
    ds.SetAsString(3, i % 2 ? "P\xf8\xedjem hotovosti" : "Faktura dodavatele");
    const std::string amount = orvo::RealTextRounded(15, 2, random.Below(10000000) / 100.0);
    ds.SetAsString(i % 2 ? 4 : 5, amount);
    ds.Post();
  }
}

orvo::LoadedDef PostingsDef() {
  orvo::LoadedDef def;
  const std::string text = DefLine(6, "1. Ucet", "LN") + "\r\n" + DefLine(4, "2. Cinnost", "PN") + "\r\n" +
                           DefLine(8, "3. Doklad", "PM") + "\r\n" + DefLine(30, "4. Text", "PM") + "\r\n" +
                           DefLine(15, "5. MD", "N2") + "\r\n" + DefLine(15, "6. Dal", "N2") + "\r\n";
  orvo::ParseDef(text, def);
  return def;
}

double CpuSeconds(std::clock_t since) { return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC; }

double Cpu(const orvo::bench::PhaseResult& r) { return r.figures.size() > 1 ? r.figures[1] : 0; }

struct Scratch {
  std::filesystem::path dir;
  orvo::DriveMap drives;
  std::unique_ptr<orvo::DosFs> fs;
  orvo::ConsoleUi ui{std::cerr, false};
  orvo::SystemClock clock;
  std::unique_ptr<orvo::Env> env;
  explicit Scratch(const std::filesystem::path& d) : dir(d) {
    std::filesystem::create_directories(dir / "C");
    drives.Map('C', (dir / "C").string());
    fs = std::make_unique<orvo::DosFs>(drives);
    env = std::make_unique<orvo::Env>(orvo::Env{ui, *fs, clock});
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int postings = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int pages = argc > 2 ? std::atoi(argv[2]) : 1000;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvo-bench-exports";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);

  auto xlsx = RunChild([&] {
    Scratch s(dir);
    orvo::Dataset ds(*s.env);
    MakePostings(ds, postings);
    const orvo::LoadedDef def = PostingsDef();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const bool ok = orvo::XlsxFromDataset(*s.env, ds, def, "C:\\Postings.Cds", "C:\\Postings.Def",
                                          orvo::FontChoice{}, (dir / "postings.xlsx").string())
                        .written;
    return ok ? std::vector<double>{Seconds(start), CpuSeconds(cpu)} : std::vector<double>{};
  });
  auto csv = RunChild([&] {
    Scratch s(dir);
    orvo::Dataset ds(*s.env);
    MakePostings(ds, postings);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    std::ofstream out(dir / "postings.csv", std::ios::binary);
    for (int r = 0; r < ds.RecordCount(); ++r) {
      std::string line;
      for (int f = 0; f < ds.FieldCount(); ++f) line += ds.StringAt(r, f) + ";";
      line += "\r\n";
      out << line;
    }
    out.close();
    return std::vector<double>{Seconds(start), CpuSeconds(cpu)};
  });
  std::printf("postings to a workbook: %d rows  %.2f s (cpu %.2f s)  peak %.0f MB  (%s, %.1f MB file)\n",
              postings, xlsx.seconds, Cpu(xlsx), xlsx.peakMb, xlsx.ok ? "ok" : "FAILED",
              std::filesystem::exists(dir / "postings.xlsx")
                  ? std::filesystem::file_size(dir / "postings.xlsx") / 1e6
                  : 0.0);
  std::printf("  yardstick, the same rows as separated text: %.2f s (cpu %.2f s)  peak %.0f MB\n", csv.seconds,
              Cpu(csv), csv.peakMb);

  // A report of `pages` pages of 60 lines each.
  {
    std::ofstream report(dir / "C" / "Kniha.Ses", std::ios::binary);
    for (int p = 1; p <= pages; ++p) {
      report << "Hlavni kniha                                   STR:" << orvo::IntText(p, 5) << "\r\n\r\n";
      for (int i = 0; i < 58; ++i) {
        report << "311000  0001  P\xf8\xedjem hotovosti          " << orvo::IntText(1000 + i, 10) << ",00\r\n";
      }
      if (p < pages) report << "\f\r\n";
    }
  }
  auto jpeg = RunChild([&] {
    Scratch s(dir);
    orvo::GuiApplicationScope app;
    orvo::QtTextMetrics metrics;
    std::filesystem::create_directories(dir / "C" / "A_Run" / "Sestavy");
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const int n = orvo::BuildTextPictures(*s.env, metrics, "C:\\Kniha.Ses", orvo::FontChoice{},
                                          [&](const orvo::PagePicture& picture, int k) {
                                            return orvo::SaveJpeg(orvo::PaintPicture(picture),
                                                                  *s.fs->HostPath(orvo::PictureFile(
                                                                      orvo::GraphicKind::TxIma, "Kniha", k)));
                                          });
    return n == pages ? std::vector<double>{Seconds(start), CpuSeconds(cpu)} : std::vector<double>{};
  });
  auto paint = RunChild([&] {
    Scratch s(dir);
    orvo::GuiApplicationScope app;
    orvo::QtTextMetrics metrics;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    uint64_t pixels = 0;
    const int n = orvo::BuildTextPictures(*s.env, metrics, "C:\\Kniha.Ses", orvo::FontChoice{},
                                          [&](const orvo::PagePicture& picture, int) {
                                            pixels += orvo::PaintPicture(picture).sizeInBytes();
                                            return true;
                                          });
    return n == pages && pixels > 0 ? std::vector<double>{Seconds(start), CpuSeconds(cpu)} : std::vector<double>{};
  });
  std::printf("report to JPEG pages: %d pages  %.2f s (cpu %.2f s)  peak %.0f MB  (%s)\n", pages,
              jpeg.seconds, Cpu(jpeg), jpeg.peakMb, jpeg.ok ? "ok" : "FAILED");
  std::printf("  yardstick, the same pictures painted only: %.2f s (cpu %.2f s)  peak %.0f MB\n",
              paint.seconds, Cpu(paint), paint.peakMb);
  std::filesystem::remove_all(dir);
  return xlsx.ok && jpeg.ok ? 0 : 1;
}
