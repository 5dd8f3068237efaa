// A scratch installation with the shipped accounting definitions, the
// initialisation file of plant 01 and a working period, and helpers that
// write posting and balance files from "|"-separated rows and read files
// back as rows of trimmed values.
#pragma once

#include <string>
#include <vector>

#include "core/accounting/uct_proc.h"
#include "core/data/cds_dump.h"
#include "core/data/dataset.h"
#include "core/shell/init_file.h"
#include "core/sys/files.h"
#include "core/sys/text.h"
#include "support/app_fixture.h"

namespace orvo::test {

class BooksScratch : public AppScratch {
 protected:
  BooksScratch() {
    for (const char* name : {"UctO.Def", "UctS.Def", "UctSS.Def", "UctSC.Def", "UctOSub.Def"}) {
      InstallDef(name);
    }
    for (const char* dir : {"D:\\LOrvo\\Data", "C:\\A_Run\\Work", "C:\\A_Run\\Aplikace\\LOrvo\\Archiv"}) {
      MakeDirPath(*env, dir);
    }
    PutInit();
    PutPeriod("26 05");
    LoadPeriod(session);
    ReadInitFile(session);
  }

  // install/defs/NAME into D:\LOrvo\DefSoub with CR LF line ends.
  void InstallDef(const std::string& name) {
    std::string text = ReadHost(std::string(ORVO_SOURCE_DIR) + "/install/defs/" + name);
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    Put("D:\\LOrvo\\DefSoub\\" + name, crlf);
  }
  static std::string Def(const std::string& name) { return "D:\\LOrvo\\DefSoub\\" + name; }
  static std::string Data(const std::string& name) { return "D:\\LOrvo\\Data\\" + name; }

  // A file of layout `def` from rows of "|"-separated values (normalised as
  // typed values are).
  void Make(const std::string& file, const std::string& def, const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& r : rows) text += r + "\n";
    std::string error;
    ASSERT_TRUE(DatasetFromText(session.engine, Def(def), text, file, &error)) << error;
  }
  // A balance row: unit, account, activity, konto, debit, credit (period 26 05).
  static std::string Bal(const std::string& unit, const std::string& ucet, const std::string& cinn,
                         const std::string& konto, const std::string& md, const std::string& dal,
                         const std::string& period = "26|05") {
    return period + "|" + unit + "|" + ucet + "|" + cinn + "|" + konto + "|" + md + "|" + dal;
  }
  // A posting row of 21 values.
  static std::string Post(const std::string& unit, const std::string& ucet, const std::string& cinn,
                          const std::string& konto, const std::string& md, const std::string& dal,
                          const std::string& period = "26|05", const std::string& doc = "1") {
    return period + "|010203    |" + doc + "|1|" + unit + "|" + ucet + "|" + cinn + "||" + konto +
           "|" + md + "|" + dal + "|15.05.2026||||||";
  }

  // Every record as its values with the trailing blanks removed.
  std::vector<std::vector<std::string>> Rows(const std::string& file) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(file)) << file;
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < ds.RecordCount(); ++r) {
      std::vector<std::string> row;
      for (int f = 0; f < ds.FieldCount(); ++f) row.push_back(TrimRight(ds.StringAt(r, f)));
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::string> FieldNames(const std::string& file) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(file)) << file;
    std::vector<std::string> names;
    for (const FieldDef& f : ds.Fields()) names.push_back(f.name);
    return names;
  }
  std::string Dump(const std::string& file) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(file)) << file;
    return DumpDataset(ds);
  }

  TUctProc proc{session, session.engine};
};

}  // namespace orvo::test
