// "Word" of the text editor: the whole text handed to the word processor
// as Windows-1250 with CR LF in the editor's font, and the messages when
// no backend can show it or one fails.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "core/desk/text_editor.h"
#include "support/recording_office.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

constexpr const char* kFile = "D:\\LOrvo\\DefSoub\\VykZVysl.Def";

class TextEditorWordTest : public Scratch {};

TEST_F(TextEditorWordTest, WholeTextInTheEditorFontOrAMessage) {
  struct Case {
    std::optional<OfficeResult> backend;  // none: no backend at all
    bool shown;
    std::vector<RecordedMessage> messages;
  };
  const Case cases[] = {
      {OfficeResult::Done, true, {}},
      {std::nullopt, false, {Info("Aplikace Microsoft Word neni dostupna !")}},
      {OfficeResult::CannotDo, false, {Info("Aplikace Microsoft Word neni dostupna !")}},
      {OfficeResult::Failed, false, {Info("Text se nepodarilo predat aplikaci Microsoft Word !", kFile)}},
  };
  for (const Case& c : cases) {
    Put(kFile, "P\xf8\xedli\x9a\r\nlong\r\n");
    Office office;
    RecordingOffice* recording = nullptr;
    if (c.backend) {
      auto backend = std::make_unique<RecordingOffice>(*c.backend);
      recording = backend.get();
      office.Add(std::move(backend));
    }
    TVEText editor(*env, office);
    editor.VETextFile = kFile;
    editor.VETextRich = false;
    ASSERT_TRUE(editor.Show());
    editor.Enable();
    editor.Edit(editor.Text() + "\xc5\xbe" "e");  // "že", changed but not saved
    ui.Clear();
    FontChoice font;
    font.name = "Arial";
    font.size = 12;
    font.bold = true;
    EXPECT_EQ(editor.ShowInWord(font), c.shown);
    EXPECT_EQ(ui.messages, c.messages);
    if (recording != nullptr) {
      ASSERT_EQ(recording->shown.size(), 1u);
      EXPECT_EQ(recording->shown[0].text, "P\xf8\xedli\x9a\r\nlong\r\n\x9e" "e");
      EXPECT_EQ(recording->shown[0].font, font);
      EXPECT_EQ(recording->shown[0].file, "C:\\A_Run\\Work\\W_VykZVysl.Rtf");
    }
    // The text stays as it was: nothing saved, still modified.
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(Get(kFile), "P\xf8\xedli\x9a\r\nlong\r\n");
  }
}

}  // namespace
}  // namespace orvo::test
