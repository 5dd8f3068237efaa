#include "core/accounting/demo_transfers.h"

#include "core/accounting/uct_proc.h"
#include "core/data/cds_file.h"
#include "core/data/format_word.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

using Row = std::vector<std::string>;

bool WriteDataset(RunValues& run, TCdsProc& cds, const std::string& def, const std::vector<Row>& rows,
                  const std::string& file) {
  Dataset out(run.env);
  cds.params.DefName = def;
  cds.MakeTableVirt(out);
  const LoadedDef& loaded = cds.Def();
  for (const Row& values : rows) {
    out.Append();
    for (size_t f = 0; f < values.size() && static_cast<int>(f) < out.FieldCount(); ++f) {
      std::string v = values[f];
      FormatWord(run.env, loaded, v, static_cast<int>(f) + 1, ' ');
      out.SetAsString(static_cast<int>(f), v);
    }
    out.Post();
  }
  return SaveCdsFile(run.env, file, out);
}

bool WriteCsv(Env& env, const std::vector<Row>& rows, const std::string& file) {
  std::string text;
  for (const Row& r : rows) {
    for (size_t i = 0; i < r.size(); ++i) text += (i ? "|" : "") + r[i];
    text += "\r\n";
  }
  return WriteFileOrAsk(env, file, text);
}

std::string Money(double x) { return Trim(RealTextRounded(15, 2, x)); }

// A transfer posting of the 17-word layout.
Row Transfer(const std::string& yy, const std::string& mm, const DemoUnit& u, const std::string& source,
             const std::string& ucet, const std::string& cinn, const std::string& konto, double md, double dal,
             const std::string& text) {
  const std::string date = "28." + mm + ".20" + yy;
  return {yy, mm, u.zavod + u.sprava + u.stredisko + source, "00001", "0001", u.zavod, u.sprava, u.stredisko,
          ucet, cinn, "", konto, md ? Money(md) : "", dal ? Money(dal) : "", date, text, ""};
}

// The same in the whole posting layout (words 15-18 empty).
Row Whole(Row r) {
  Row out(r.begin(), r.begin() + 15);
  out.insert(out.end(), {"", "", "", ""});
  out.push_back(r[15]);
  out.push_back(r[16]);
  return out;
}

}  // namespace

std::vector<std::string> WriteDemoTransfers(RunValues& run, TCdsProc& cds, const std::vector<DemoUnit>& units) {
  Env& env = run.env;
  std::vector<std::string> written;
  ReadInitFile(run);
  LoadPeriod(run);
  TUctProc proc(run, cds);
  const std::string yy = run.PeriodYear;
  const std::string mm = run.PeriodMonth;
  const std::string key = yy + mm;
  const std::string dir = AppDir(run, "Prevody");
  const std::string pexoDir = run.DataRoot + "\\LPexo\\Prevody";
  MakeDirPath(env, dir);
  MakeDirPath(env, pexoDir);
  auto fresh = [&](const std::string& file) { return !FileExistsQuiet(env, file); };

  // Finance: the month's finance postings as the finance system hands them
  // over, and a bank fee of every unit.
  const std::string pexo = pexoDir + "\\" + key + "PexoUctPr.Cds";
  if (fresh(pexo)) {
    std::vector<Row> rows;
    Dataset month(env);
    month.SetReadOnly(true);
    const std::string postings = PostingFile(run, key);
    if (FileExistsQuiet(env, postings) && LoadCdsFile(env, postings, month)) {
      for (int r = 0; r < month.RecordCount(); ++r) {
        std::string id = month.StringAt(r, 2);
        id.resize(10, ' ');
        if (static_cast<unsigned char>(id[6]) > '4' || id.compare(6, 2, "00") == 0) continue;
        Row row;
        for (int f = 0; f <= 14; ++f) row.push_back(TrimRight(month.StringAt(r, f)));
        row.push_back(TrimRight(month.StringAt(r, 19)));
        row.push_back(TrimRight(month.StringAt(r, 20)));
        rows.push_back(std::move(row));
      }
    }
    for (size_t u = 0; u < units.size(); ++u) {
      const double fee = 150.0 + 50.0 * static_cast<double>(u);
      rows.push_back(Transfer(yy, mm, units[u], "1200", "568", "60200", "", fee, 0, "Bankovni poplatky"));
      rows.push_back(Transfer(yy, mm, units[u], "1200", "221100", "", "", 0, fee, "Bankovni poplatky"));
    }
    if (WriteDataset(run, cds, proc.DefFile("UctOSub.Def"), rows, pexo)) written.push_back(pexo);
  }

  std::vector<Row> wages;
  for (size_t u = 0; u < units.size(); ++u) {
    const DemoUnit& unit = units[u];
    const double k = 1.0 + 0.25 * static_cast<double>(u);
    const std::string plantKey = key + unit.zavod;
    const std::string unitKey = key + unit.zavod + unit.sprava + unit.stredisko;
    struct File {
      std::string name;
      std::vector<Row> rows;
      bool csv;
    };
    const std::vector<File> files = {
        {plantKey + "RamuUctPr.Csv",
         {Whole(Transfer(yy, mm, unit, "5100", "551", "60200", "", 8200 * k, 0, "Odpisy DHM")),
          Whole(Transfer(yy, mm, unit, "5100", "082100", "", "", 0, 8200 * k, "Odpisy DHM"))},
         true},
        {plantKey + "SramuUctPr.Csv",
         {Whole(Transfer(yy, mm, unit, "5200", "501300", "60100", "", 1890 * k, 0, "Vydej drobneho majetku")),
          Whole(Transfer(yy, mm, unit, "5200", "112100", "", "", 0, 1890 * k, "Vydej drobneho majetku"))},
         true},
        {plantKey + "KoloUctPr.Cds",
         {Transfer(yy, mm, unit, "5300", "501100", "60100", "", 12400 * k, 0, "Spotreba materialu"),
          Transfer(yy, mm, unit, "5300", "112100", "", "", 0, 12400 * k, "Spotreba materialu")},
         false},
        {plantKey + "VintUctPr.Cds",
         {Transfer(yy, mm, unit, "7100", "311100", "", "100001", 36300 * k, 0, "Prodej dreva"),
          Transfer(yy, mm, unit, "7100", "602100", "20100", "", 0, 36300 * k, "Prodej dreva")},
         false},
        {unitKey + "VintUctPr.Cds",
         {Transfer(yy, mm, unit, "7100", "518200", "20100", "", 5400 * k, 0, "Tezba - sluzby"),
          Transfer(yy, mm, unit, "7100", "321100", "", "200002", 0, 5400 * k, "Tezba - sluzby")},
         false},
    };
    for (const File& f : files) {
      const std::string file = dir + "\\" + f.name;
      if (!fresh(file)) continue;
      const bool ok = f.csv ? WriteCsv(env, f.rows, file)
                            : WriteDataset(run, cds, proc.DefFile("UctOSub.Def"), f.rows, file);
      if (ok) written.push_back(file);
    }
    const double gross = 41000 * k;
    wages.push_back({yy, mm, unit.zavod, unit.sprava, unit.stredisko, "521100", "20100", "", Money(gross), ""});
    wages.push_back({yy, mm, unit.zavod, unit.sprava, unit.stredisko, "331100", "", "", "", Money(gross)});
  }
  const std::string mzdy = dir + "\\" + key + "01MzdUctPr.Csv";
  if (fresh(mzdy) && WriteCsv(env, wages, mzdy)) written.push_back(mzdy);
  return written;
}

}  // namespace orvo
