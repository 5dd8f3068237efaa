#include "core/desk/text_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/desk/desk.h"
#include "core/desk/document_conversion.h"
#include "core/output/rtf_text.h"
#include "core/sys/dosfs.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

constexpr const char* kDef = "D:\\LOrvo\\DefSoub\\VykZVysl.Def";

// A backend that leaves half a file behind and reports the failure, or
// writes a whole one.
class HalfWritingOffice : public OfficeBackend {
 public:
  explicit HalfWritingOffice(OfficeResult answer) : answer_(answer) {}
  std::string_view Name() const override { return "half"; }
  OfficeResult ShowText(Env&, const TextDocument&) override { return OfficeResult::CannotDo; }
  OfficeResult ConvertText(Env& env, const TextDocument& d, DocumentFormat, std::string_view target) override {
    env.fs.WriteWhole(target, answer_ == OfficeResult::Done ? "converted:" + d.text : "half");
    return answer_;
  }

 private:
  OfficeResult answer_;
};

class TextEditorTest : public Scratch {
 protected:
  TVEText Editor(const std::string& file, bool rich = false) {
    TVEText editor(*env, office);
    editor.VETextFile = file;
    editor.VETextRich = rich;
    return editor;
  }
  Office office;
};

TEST_F(TextEditorTest, UnchangedSaveIsByteIdentical) {
  // Lone LF, CR LF, a byte Windows-1250 leaves undefined, Czech letters.
  const std::string bytes = "R1 = SU[501]\r\nlone\nP\xf8\xedli\x9a \x81 end\r\n\r\nno end";
  Put(kDef, bytes);
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  editor.Enable();
  editor.Edit(editor.Text() + "x");
  editor.Edit(editor.Text().substr(0, editor.Text().size() - 1));
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(Get(kDef), bytes);
  EXPECT_FALSE(editor.Modified());
}

TEST_F(TextEditorTest, EditedTextIsWrittenAsWindowsTextWithCrLf) {
  Put(kDef, "a\r\nb\r\n");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  editor.Enable();
  EXPECT_EQ(editor.Text(), "a\nb\n");
  editor.Edit("a\nP\xc5\x99\xc3\xad\x6c\x69\xc5\xa1\n");  // "Příliš" in UTF-8
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(Get(kDef), "a\r\nP\xf8\xedli\x9a\r\n");
  EXPECT_EQ(ui.messages.size(), 0u);
}

TEST_F(TextEditorTest, ReadOnlyUntilEnabledAndClosingUnchangedAsksNothing) {
  Put(kDef, "text\r\n");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  EXPECT_TRUE(editor.ReadOnly());
  editor.Edit("changed");
  EXPECT_EQ(editor.Text(), "text\n");
  EXPECT_FALSE(editor.Modified());
  EXPECT_TRUE(editor.Close());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_EQ(editor.VETextFile, kNoFileName);
  EXPECT_TRUE(editor.VETextRich);
}

TEST_F(TextEditorTest, FailedSaveIsReportedAndKeepsTheChange) {
  Put(kDef, "old\r\n");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  editor.Enable();
  editor.Edit("new\n");
  // The file's place is taken by a directory: the write cannot complete.
  std::filesystem::remove(Host(kDef));
  std::filesystem::create_directory(Host(kDef));
  EXPECT_FALSE(editor.Save());
  EXPECT_TRUE(editor.Modified());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("Soubor nelze ulozit !"), std::string::npos);
  EXPECT_EQ(ui.messages[0].caption, kDef);
  // Closing asks, the failed save keeps the window open.
  ui.answers.push_back(Answer::Yes);
  EXPECT_FALSE(editor.Close());
  EXPECT_TRUE(editor.IsOpen());
}

TEST_F(TextEditorTest, CharactersOutsideWindows1250AreWarnedAbout) {
  Put(kDef, "old\r\n");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  editor.Enable();
  editor.Edit("\xe2\x82\xac \xe2\x98\x83\n");  // the euro sign fits, the snowman does not
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(Get(kDef), "old\r\n");
  EXPECT_TRUE(editor.Modified());
  ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(editor.Save());
  EXPECT_EQ(Get(kDef), "\x80 ?\r\n");
}

TEST_F(TextEditorTest, MissingFileIsCreatedEmptyAndAttributesBecomeArchive) {
  // Without its directory the file cannot be created: the window shows nothing.
  auto nowhere = Editor(kDef);
  EXPECT_FALSE(nowhere.Show());
  EXPECT_FALSE(nowhere.IsOpen());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text.substr(0, 36), "Novy soubor nelze vytvorit ! -Chyba:");
  EXPECT_EQ(ui.messages[1].caption, kDef);
  ui.Clear();

  Put("D:\\LOrvo\\DefSoub\\Other.Def", "");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  EXPECT_TRUE(Exists(kDef));
  EXPECT_EQ(Get(kDef), "");
  ASSERT_EQ(ui.messages.size(), 1u);  // the missing-file message
  editor.Close();

  fs->SetAttributes(kDef, kAttrReadOnly | kAttrHidden);
  auto again = Editor(kDef);
  ASSERT_TRUE(again.Show());
  EXPECT_EQ(fs->Attributes(kDef).value_or(0) & (kAttrReadOnly | kAttrHidden), 0u);
  EXPECT_EQ(again.Caption(), std::string("  ") + kDef + "  -Zobrazeni/Editace (Rtf/Txt)");
}

TEST_F(TextEditorTest, NewThenSaveWritesTheEmptyTextUnderTheSameName) {
  Put(kDef, "content\r\n");
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  editor.Enable();
  ASSERT_TRUE(editor.New());
  EXPECT_EQ(editor.VETextFile, kDef);
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(Get(kDef), "");
}

TEST_F(TextEditorTest, ConversionGuard) {
  const std::string file = "D:\\LOrvo\\PomSoub\\UctInic.TXT";
  Put(file, "Init\r\n");
  auto editor = Editor(file);
  ASSERT_TRUE(editor.Show());
  // The edited file itself, in any spelling, is refused and kept.
  EXPECT_FALSE(editor.ConvertTo(EditorFormat::WindowsTxt, "d:\\lorvo\\pomsoub\\uctinic.txt"));
  EXPECT_EQ(Get(file), "Init\r\n");
  ASSERT_EQ(ui.messages.size(), 1u);
  ui.Clear();

  // The dialog's name gets the format's extension; DOS text in code page 852.
  editor.Enable();
  editor.Edit("\xc5\x99\n");  // "ř"
  ui.fileAnswers.push_back("D:\\LOrvo\\PomSoub\\Kopie.Abc");
  EXPECT_TRUE(editor.Convert(EditorFormat::DosTxt));
  EXPECT_EQ(ui.fileRequests.back().fileName, "UctInic");
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\Kopie.Txt"), "\xfd\r\n");

  // A format no backend makes: the message, no target.
  EXPECT_FALSE(editor.ConvertTo(EditorFormat::Xml, "D:\\LOrvo\\PomSoub\\Kopie.Xml"));
  EXPECT_EQ(ui.Single(), Info(std::string(kNoWordProcessor)));
  EXPECT_FALSE(Exists("D:\\LOrvo\\PomSoub\\Kopie.Xml"));
}

TEST_F(TextEditorTest, FailedOfficeConversionKeepsTheOldTarget) {
  const std::string target = "D:\\LOrvo\\Kopie.Pdf";
  Put(target, "old pdf");
  Put(kDef, "x\r\n");
  office.Add(std::make_unique<HalfWritingOffice>(OfficeResult::Failed));
  auto editor = Editor(kDef);
  ASSERT_TRUE(editor.Show());
  EXPECT_FALSE(editor.ConvertTo(EditorFormat::Pdf, target));
  EXPECT_EQ(Get(target), "old pdf");
  EXPECT_FALSE(Exists("D:\\LOrvo\\~Kopie.Pdf"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, target);

  Office working;
  working.Add(std::make_unique<HalfWritingOffice>(OfficeResult::Done));
  EXPECT_TRUE(ConvertDocument(*env, working, "x\r\n", EditorFormat::Pdf, target));
  EXPECT_EQ(Get(target), "converted:x\r\n");
}

TEST_F(TextEditorTest, HelpAndDefinitionsUseSeparateEditors) {
  RunValues run(*env);
  SetDataRoot(run, "D:");
  const std::string helpFile = HelpFileOf(run, "OrvoDokl");
  EXPECT_EQ(helpFile, "D:\\LOrvo\\Dokum\\OrvoDokl.Rtf");
  Put(helpFile, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 N\\'e1pov\\'ecda\\par Druh\\u253? \\'f8\\'e1dek}");
  Put(kDef, "R1 = 1\r\n");
  Desk desk(*env, office);
  ASSERT_TRUE(desk.Help(run, "OrvoDokl"));
  EXPECT_EQ(desk.help.Text(), "N\xc3\xa1pov\xc4\x9b" "da\nDruh\xc3\xbd \xc5\x99\xc3\xa1" "dek");

  // A second help while the first is shown is refused.
  EXPECT_FALSE(desk.Help(run, "OrvoObn"));
  EXPECT_EQ(ui.Single(), Info("Uzavrete predeslou napovedu, a akci opakujte.", "Napovedu nelze otevrit !"));
  EXPECT_EQ(desk.help.VETextFile, helpFile);

  // The definition opens in its own editor; saving it leaves the help alone.
  auto definition = Editor(kDef);
  ASSERT_TRUE(definition.Show());
  definition.Enable();
  definition.Edit("R1 = 2\n");
  ASSERT_TRUE(definition.Save());
  EXPECT_EQ(Get(kDef), "R1 = 2\r\n");
  EXPECT_EQ(desk.help.VETextFile, helpFile);
  EXPECT_TRUE(LooksLikeRtf(Get(helpFile)));

  // Closed, the help opens again; a missing topic is created empty.
  desk.help.Close();
  ASSERT_TRUE(desk.Help(run, "OrvoObn"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Dokum\\OrvoObn.Rtf"));
  EXPECT_EQ(desk.help.Text(), "");
}

TEST_F(TextEditorTest, RichTextKeepsItsFormattingThroughAnEdit) {
  const std::string file = "D:\\LOrvo\\Dokum\\Pomoc.Rtf";
  Put(file,
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\fmodern Courier New;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "\\pard\\f0\\fs28\\b Nadpis\\b0\\par\r\n\\f1\\fs20 Zaj\\'edmav\\'fd \\cf1\\i text\\par\r\n}\r\n");
  auto editor = Editor(file, true);
  ASSERT_TRUE(editor.Show());
  EXPECT_EQ(editor.Text(), "Nadpis\nZajímavý text");
  ASSERT_EQ(editor.Rich().paragraphs.size(), 2u);
  const RtfRun& heading = editor.Rich().paragraphs[0].runs.at(0);
  EXPECT_EQ(heading.format.font, "Arial");
  EXPECT_EQ(heading.format.halfPoints, 28);
  EXPECT_TRUE(heading.format.bold);

  // Unchanged, the file is saved byte for byte; edited, the formats stay.
  const std::string before = Get(file);
  editor.Enable();
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(Get(file), before);
  RtfText changed = editor.Rich();
  changed.paragraphs[1].runs.back().text = "text ř─";
  editor.EditRich(changed);
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(editor.Text(), "Nadpis\nZajímavý text ř─");
  ASSERT_TRUE(editor.Save());
  // Rich text holds characters Windows-1250 has not: no warning.
  for (const auto& m : ui.messages) EXPECT_EQ(m.text.find("Windows-1250"), std::string::npos);
  const RtfText back = ReadRtf(Get(file));
  EXPECT_EQ(back.paragraphs, changed.paragraphs);
  EXPECT_EQ(back.paragraphs[1].runs.back().format.color, 0x0000FF);
  EXPECT_TRUE(back.paragraphs[1].runs.back().format.italic);

  // Converted into rich text it keeps them too.
  ASSERT_TRUE(editor.ConvertTo(EditorFormat::Rtf, "D:\\Kopie.Rtf"));
  EXPECT_EQ(ReadRtf(Get("D:\\Kopie.Rtf")).paragraphs, changed.paragraphs);
}

TEST_F(TextEditorTest, RichModeShowsAPlainFileInTheEditorFont) {
  const std::string file = "D:\\Pozn.Txt";
  Put(file, "prvni\r\ndruh\xe1\r\n");
  auto editor = Editor(file, true);
  ASSERT_TRUE(editor.Show());
  EXPECT_EQ(editor.Text(), "prvni\ndruhá");
  EXPECT_EQ(editor.Rich().paragraphs[0].runs.at(0).format, EditorFont());
  editor.Enable();
  editor.Edit("jen jeden");
  ASSERT_TRUE(editor.Save());
  EXPECT_TRUE(LooksLikeRtf(Get(file)));
  EXPECT_EQ(RtfPlain(ReadRtf(Get(file))), "jen jeden");
}

}  // namespace
}  // namespace orvo::test
