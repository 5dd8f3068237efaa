// A scratch installation with a code-list window model and the look-ups:
// the engine with its loaded definition, the hand-over values, ports that
// record what the window would show, and small code-list files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/screens/cds_cis.h"
#include "core/screens/code_list_lookup.h"
#include "support/scratch.h"

namespace orvo::test {

using Row = std::vector<std::string>;

struct Col {
  std::string name;
  int size;
};

class CisTest : public Scratch {
 protected:
  CisTest() : cds(*env, def), cis(*env, cds, handOver, Ports()), lookup(*env, cds, handOver) {
    fs->MakeDir("C:\\A_Run");
    fs->MakeDir("C:\\A_Run\\Work");
    fs->MakeDir("C:\\A_Run\\Sestavy");
    fs->MakeDir("D:\\Cisel");
  }

  static constexpr const char* kList = "D:\\Cisel\\16Ucty.Cds";

  CisPorts Ports() {
    CisPorts p;
    p.showWindow = [this] {
      ++shown;
      if (!cis.Open()) return;
      if (whileShown) whileShown();
      cis.Close();
    };
    p.rowsPerPage = [this] { return rowsPerPage; };
    p.showReport = [this](const std::string& report) { reports.push_back(report); };
    return p;
  }

  void WriteList(const std::string& name, const std::vector<Col>& cols, const std::vector<Row>& rows) {
    Dataset ds(*env);
    for (const Col& c : cols) ds.AddField(c.name, FieldType::Text, c.size);
    ASSERT_TRUE(ds.CreateDataSet());
    for (const Row& r : rows) {
      ds.Append();
      for (size_t f = 0; f < r.size(); ++f) ds.SetAsString(static_cast<int>(f), r[f]);
      ds.Post();
    }
    ASSERT_TRUE(ds.SaveToFile(name, DataFormat::Binary));
  }
  // The usual chart of accounts: account of 6, name of 20, kind of 1.
  void WriteAccounts(const std::vector<Row>& rows, const std::string& name = kList) {
    WriteList(name, {{"Ucet", 6}, {"Nazev uctu", 20}, {"Druh", 1}}, rows);
  }
  std::vector<Row> RowsOf(const std::string& name) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(name)) << name;
    std::vector<Row> rows;
    for (int r = 0; r < ds.RecordCount(); ++r) {
      Row row;
      for (int f = 0; f < ds.FieldCount(); ++f) row.push_back(ds.StringAt(r, f));
      rows.push_back(row);
    }
    return rows;
  }
  // The grid as the window would paint it.
  std::vector<Row> Grid() {
    std::vector<Row> rows;
    for (int r = 0; r < cis.RowCount(); ++r) {
      Row row;
      for (int c = 0; c < cis.ColCount(); ++c) row.push_back(cis.CellText(r, c));
      rows.push_back(row);
    }
    return rows;
  }
  // Opens kList as the main menu does (editing permitted, key field 1).
  void OpenForEditing(int keys = 1) {
    handOver.CisFileName = kList;
    handOver.CisEditAllowed = 'A';
    handOver.CisKeyCount = keys;
    for (int k = 0; k < keys; ++k) handOver.CisKeyFields[static_cast<size_t>(k)] = k + 1;
    ASSERT_TRUE(cis.Open());
  }
  void OpenForPicking(const std::string& name = kList) {
    handOver.CisFileName = name;
    handOver.CisEditAllowed = 'N';
    handOver.CisKeyCount = 1;
    handOver.CisKeyFields[0] = 1;
    ASSERT_TRUE(cis.Open());
  }
  bool Press(CisKey key, bool ctrl = false, bool alt = false) {
    CisKeyEvent e;
    e.key = key;
    e.ctrl = ctrl;
    e.alt = alt;
    return cis.Key(e);
  }
  void TypeDigits(const std::string& digits) {
    for (char d : digits) {
      CisKeyEvent e;
      e.key = CisKey::Digit;
      e.digit = d;
      cis.Key(e);
    }
  }

  LoadedDef def;
  TCdsProc cds;
  CisHandOver handOver;
  TCdsCis cis;
  CodeListLookup lookup;
  int shown = 0;
  int rowsPerPage = 80;
  std::function<void()> whileShown;
  std::vector<std::string> reports;
};

}  // namespace orvo::test
