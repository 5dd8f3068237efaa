// Test support for the fixed-length files, the dataset operations and the
// imports: definition lines, small dataset files and a scratch installation
// with the engine, its loaded definition and the .Dat parameter block.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "support/scratch.h"

namespace orvo::test::ops {

struct Word {
  int td;
  std::string name;  // field name; the name column reads "<n>. <name>"
  std::string tms = "PM";
  int keyPos = 0;
  std::string heading = "";  // the name when empty
};

// One counted line of a .Def file (80 characters).
std::string DefLine(int number, const Word& w);
std::string DefText(const std::vector<Word>& words);

struct Column {
  std::string name;
  FieldType type = FieldType::Text;
  int size = 10;
};

using Row = std::vector<std::string>;

class OpsTest : public Scratch {
 protected:
  OpsTest();

  void WriteDef(std::string_view name, const std::vector<Word>& words);
  // A dataset file with the given fields and rows (values as text).
  void WriteCds(std::string_view name, const std::vector<Column>& columns, const std::vector<Row>& rows);
  // Fields and rows of a dataset file, values as stored.
  std::vector<Column> ColumnsOf(std::string_view name);
  std::vector<Row> RowsOf(std::string_view name);
  // The text of a file with CR LF turned into "\n".
  std::string Lines(std::string_view name);
  // Sets the word list of the engine's parameter block.
  void SetWords(std::vector<int> words);

  LoadedDef def;
  TCdsProc cds;
  TDatProc dat;
};

}  // namespace orvo::test::ops
