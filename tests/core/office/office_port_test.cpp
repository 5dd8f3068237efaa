#include "core/office/office_port.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/office/builtin_backend.h"
#include "core/office/document_writers.h"
#include "core/office/host_process.h"
#include "core/office/libreoffice_backend.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class Canned : public OfficeBackend {
 public:
  Canned(std::string name, OfficeResult answer, std::vector<std::string>* calls)
      : name_(std::move(name)), answer_(answer), calls_(calls) {}
  std::string_view Name() const override { return name_; }
  OfficeResult ShowText(Env&, const TextDocument&) override { return Answer(); }
  OfficeResult ConvertText(Env&, const TextDocument&, DocumentFormat, std::string_view) override {
    return Answer();
  }

 private:
  OfficeResult Answer() {
    calls_->push_back(name_);
    return answer_;
  }
  std::string name_;
  OfficeResult answer_;
  std::vector<std::string>* calls_;
};

std::string ReadHostFile(const std::string& host) {
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets an environment variable for one test and restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class OfficeTest : public Scratch {
 protected:
  void SetUp() override { std::filesystem::create_directories(Host("C:\\A_Run\\Work")); }
  TextDocument Doc() { return {"\r\nPrehled \x9a\r\n\f\r\nstrana 2\r\n", FontChoice{}, "C:\\A_Run\\Work\\W_x.Rtf"}; }
  // Documents shown to the user go here, never into the real home.
  const std::string documents = root.path() + "/Dokumenty";
  ScopedEnv documentsDir{"XDG_DOCUMENTS_DIR", documents};
};

struct DispatchCase {
  const char* name;
  std::vector<OfficeResult> answers;
  OfficeResult want;
  size_t calls;
};

class OfficeDispatchTest : public OfficeTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(OfficeDispatchTest, AsksInTurnUntilOneDoesIt) {
  std::vector<std::string> calls;
  Office office;
  int i = 0;
  for (OfficeResult a : GetParam().answers) {
    office.Add(std::make_unique<Canned>("b" + std::to_string(i++), a, &calls));
  }
  EXPECT_EQ(office.ShowText(*env, Doc()), GetParam().want);
  EXPECT_EQ(calls.size(), GetParam().calls);
  EXPECT_EQ(office.ConvertText(*env, Doc(), DocumentFormat::Pdf, "C:\\x.Pdf"), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Office, OfficeDispatchTest,
    ::testing::Values(
        DispatchCase{"no_backend", {}, OfficeResult::CannotDo, 0},
        DispatchCase{"first_does_it", {OfficeResult::Done, OfficeResult::Done}, OfficeResult::Done, 1},
        DispatchCase{"second_after_cannot",
                     {OfficeResult::CannotDo, OfficeResult::Done}, OfficeResult::Done, 2},
        DispatchCase{"second_after_failure",
                     {OfficeResult::Failed, OfficeResult::Done}, OfficeResult::Done, 2},
        DispatchCase{"failure_is_told",
                     {OfficeResult::Failed, OfficeResult::CannotDo}, OfficeResult::Failed, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OfficeTest, BuiltinOpensWorkbooksWithTheDesktopButMakesNoPdfOfPictures) {
  Office office;
  office.Add(std::make_unique<BuiltinOfficeBackend>());
  EXPECT_EQ(office.PicturesToPdf(*env, {"C:\\A_Run\\Work\\I_1.Jpg"}, "C:\\A_Run\\Work\\a.Pdf"),
            OfficeResult::CannotDo);
  {
    ScopedEnv opener{"ORVO_OPENER", root.path() + "/no-such-opener"};
    EXPECT_EQ(office.ShowWorkbook(*env, Workbook{root.path() + "/a.xlsx"}), OfficeResult::CannotDo);
  }
  ScopedEnv opener{"ORVO_OPENER", ORVO_TEST_CHILD};
  EXPECT_EQ(office.ShowWorkbook(*env, Workbook{root.path() + "/a.xlsx"}), OfficeResult::Done);
}

TEST_F(OfficeTest, BuiltinWritersConvert) {
  BuiltinOfficeBackend b;
  const TextDocument d = Doc();
  ASSERT_EQ(b.ConvertText(*env, d, DocumentFormat::Rtf, "C:\\A_Run\\Work\\a.Rtf"), OfficeResult::Done);
  EXPECT_EQ(Get("C:\\A_Run\\Work\\a.Rtf"), RtfDocument(d.text, d.font));
  ASSERT_EQ(b.ConvertText(*env, d, DocumentFormat::Text, "C:\\A_Run\\Work\\a.Txt"), OfficeResult::Done);
  EXPECT_EQ(Get("C:\\A_Run\\Work\\a.Txt"), d.text);
  ASSERT_EQ(b.ConvertText(*env, d, DocumentFormat::Html, "C:\\A_Run\\Work\\a.Html"), OfficeResult::Done);
  EXPECT_EQ(Get("C:\\A_Run\\Work\\a.Html"), HtmlDocument(d.text, d.font, "a"));
  EXPECT_EQ(b.ConvertText(*env, d, DocumentFormat::Pdf, "C:\\A_Run\\Work\\a.Pdf"), OfficeResult::CannotDo);
  EXPECT_EQ(b.ConvertText(*env, d, DocumentFormat::Rtf, "C:\\Chybi\\a.Rtf"), OfficeResult::Failed);
}

// The document goes where nothing empties it (the user's documents, not
// C:\A_Run\Work, which closing empties), under a name of its own each time.
TEST_F(OfficeTest, BuiltinShowsTheRichTextFromTheUsersDocuments) {
  const std::string opener = root.path() + "/opener.sh";
  const std::string argsFile = root.path() + "/opened.txt";
  {
    std::ofstream s(opener);
    s << "#!/bin/sh\necho \"$1\" >> " << argsFile << "\n";
  }
  chmod(opener.c_str(), 0755);
  ScopedEnv e("ORVO_OPENER", opener);
  BuiltinOfficeBackend b;
  ASSERT_EQ(b.ShowText(*env, Doc()), OfficeResult::Done);
  ASSERT_EQ(b.ShowText(*env, Doc()), OfficeResult::Done);
  const std::string first = documents + "/Orvo/W_x.Rtf";
  const std::string second = documents + "/Orvo/W_x_2.Rtf";
  EXPECT_EQ(ReadHostFile(first), RtfDocument(Doc().text, Doc().font));
  EXPECT_EQ(ReadHostFile(second), RtfDocument(Doc().text, Doc().font));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\W_x.Rtf"));
  std::string opened;
  for (int i = 0; i < 500; ++i) {
    opened = ReadHostFile(argsFile);
    if (opened == first + "\n" + second + "\n" || opened == second + "\n" + first + "\n") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(opened == first + "\n" + second + "\n" || opened == second + "\n" + first + "\n")
      << opened;
}

// LibreOffice opens the exported text as a new, untitled document, so that
// saving it asks where to keep it.
TEST_F(OfficeTest, LibreOfficeOpensTheDocumentAsANewOne) {
  const std::string soffice = root.path() + "/soffice.sh";
  const std::string argsFile = root.path() + "/soffice-args.txt";
  {
    std::ofstream s(soffice);
    s << "#!/bin/sh\nprintf '%s\\n' \"$@\" > " << argsFile << ".tmp\nmv " << argsFile << ".tmp "
      << argsFile << "\n";
  }
  chmod(soffice.c_str(), 0755);
  LibreOfficeBackend b(soffice);
  ASSERT_EQ(b.ShowText(*env, Doc()), OfficeResult::Done);
  std::string args;
  for (int i = 0; i < 500 && (args = ReadHostFile(argsFile)).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(args, "--writer\n-n\n" + documents + "/Orvo/W_x.Rtf\n");
  EXPECT_EQ(ReadHostFile(documents + "/Orvo/W_x.Rtf"), RtfDocument(Doc().text, Doc().font));
}

TEST_F(OfficeTest, BuiltinFailsWithoutADesktopOpener) {
  ScopedEnv e("ORVO_OPENER", root.path() + "/no-such-opener");
  BuiltinOfficeBackend b;
  EXPECT_EQ(b.ShowText(*env, Doc()), OfficeResult::Failed);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(LibreOfficeLookup, NamedProgramOrNone) {
  {
    ScopedEnv e("ORVO_SOFFICE", "");
    EXPECT_EQ(FindLibreOffice(), std::nullopt);
  }
  {
    ScopedEnv e("ORVO_SOFFICE", "/bin/sh");
    EXPECT_EQ(FindLibreOffice(), "/bin/sh");
  }
  {
    ScopedEnv e("ORVO_SOFFICE", "/no/such/soffice");
    EXPECT_EQ(FindLibreOffice(), std::nullopt);
  }
  EXPECT_EQ(FindOnPath("sh").value_or("").substr(0, 1), "/");
  EXPECT_EQ(FindOnPath("no-such-program-orvo"), std::nullopt);
}

TEST(HostProcess, ExitCodes) {
  EXPECT_EQ(RunHostProgram({"sh", "-c", "exit 7"}, true), 7);
  EXPECT_EQ(RunHostProgram({"no-such-program-orvo"}, true), -1);
  EXPECT_EQ(RunHostProgram({}, true), -1);
}

TEST_F(OfficeTest, DefaultOfficeWithoutLibreOffice) {
  ScopedEnv e("ORVO_SOFFICE", "");
  Office office = DefaultOffice();
  ASSERT_EQ(office.Backends().size(), 1u);
  EXPECT_EQ(office.Backends()[0]->Name(), "built-in writers");
}

}  // namespace
}  // namespace orvo::test
