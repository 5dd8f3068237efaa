// Golden reports of GenerSes: one folder per case under
// tests/golden/report_gen/<case>/ holding the table (Table.Def and
// Table.txt, "|"-separated values), any further definitions, the call
// (call.txt: the arguments of `orvo-batch report`, blanks separate them,
// double quotes group them), and what must come out: expected.Ses, the
// report byte for byte (absent when no report may be written), and
// messages.txt, the boxes shown (absent when none). Set
// ORVO_UPDATE_GOLDEN=1 to rewrite the expected files from a run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/data/cds_dump.h"
#include "core/data/cds_proc.h"
#include "core/screens/report_batch.h"
#include "support/scratch.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(ORVO_SOURCE_DIR) / "tests/golden/report_gen";


void WriteHostFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::string> SplitCall(const std::string& line) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false;
  bool any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ' ' || c == '\r' || c == '\n' || c == '\t')) {
      if (any) args.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) args.push_back(current);
  return args;
}

std::string DescribeMessages(const std::vector<RecordedMessage>& messages) {
  std::string text;
  for (const RecordedMessage& m : messages) {
    text += m.kind == MessageKind::Error ? "Error" : m.kind == MessageKind::Info ? "Info" : "Question";
    text += " [" + m.caption + "] ";
    for (char c : m.text) text += c == '\r' ? std::string("\\r") : std::string(1, c);
    text += "\n";
  }
  return text;
}

std::vector<std::string> Cases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ReportGolden : public Scratch, public ::testing::WithParamInterface<std::string> {};

TEST_P(ReportGolden, WritesExpectedBytes) {
  const fs::path dir = kGoldenDir / GetParam();
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".Def") {
      Put("C:\\Case\\" + entry.path().filename().string(), ReadHostFile(entry.path()));
    }
  }
  LoadedDef def;
  TCdsProc engine(*env, def);
  std::string error;
  ASSERT_TRUE(DatasetFromText(engine, "C:\\Case\\Table.Def", ReadHostFile(dir / "Table.txt"),
                              "C:\\Case\\Table.Cds", &error))
      << error;
  ui.Clear();

  ReportJob job;
  ASSERT_TRUE(ParseReportArgs(SplitCall(ReadHostFile(dir / "call.txt")), &job, &error)) << error;
  RunReportJob(engine, job);

  const std::string messages = DescribeMessages(ui.messages);
  const bool written = Exists("D:\\Out.Ses");
  if (std::getenv("ORVO_UPDATE_GOLDEN") != nullptr) {
    fs::remove(dir / "expected.Ses");
    fs::remove(dir / "messages.txt");
    if (written) WriteHostFile(dir / "expected.Ses", Get("D:\\Out.Ses"));
    if (!messages.empty()) WriteHostFile(dir / "messages.txt", messages);
    return;
  }
  const std::string expectedMessages =
      fs::exists(dir / "messages.txt") ? ReadHostFile(dir / "messages.txt") : std::string();
  EXPECT_EQ(messages, expectedMessages);
  if (fs::exists(dir / "expected.Ses")) {
    ASSERT_TRUE(written);
    EXPECT_EQ(Get("D:\\Out.Ses"), ReadHostFile(dir / "expected.Ses"));
  } else {
    EXPECT_FALSE(written);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportGolden, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orvo::test
