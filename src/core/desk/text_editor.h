// TVEText, the model of the text editor window: one file shown read-only
// until editing is switched on, saved back crash-safe, converted into other
// formats through the office port. Plain mode reads and writes Windows-1250
// text with CR LF lines; rich mode reads and writes rich text with its
// fonts, sizes, bold, italic, underline and colours (a file that is not
// rich text is read as plain text in the editor's font). A file saved
// unchanged is written byte for byte as it was read. The text is held as
// the window's edit control holds it: UTF-8 with "\n" line ends; in rich
// mode also as formatted paragraphs.
#pragma once

#include <string>
#include <string_view>

#include "core/desk/document_conversion.h"
#include "core/office/office_port.h"
#include "core/output/rtf_text.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kNoFileName = "Ne-Jmeno";
inline constexpr std::string_view kEditorCaption = "   Zobrazeni/Editace textoveho souboru (Rtf/Txt)";
inline constexpr std::string_view kEditorFilter =
    "Rich-textove soubory (*.Rtf)|*.Rtf|Textove soubory (*.Txt)|*.Txt|Sestavy (*.Ses)|*.Ses|"
    "Dokumentace (*.Doc)|*.Doc|Vsechny soubory (*.*)|*.*";
inline constexpr std::string_view kSavedText = "Soubor byl ulozen.";
inline constexpr std::string_view kChangedQuestion = "Soubor byl zmenen. Ma byt ulozen ?";
inline constexpr std::string_view kWordFailed = "Text se nepodarilo predat aplikaci Microsoft Word !";

// The editor's font: new text and text of files that are not rich text.
RtfFormat EditorFont();

class TVEText {
 public:
  TVEText(Env& env, Office& office);

  // Hand-over values, reset on closing.
  std::string VETextFile;
  bool VETextRich = true;
  std::string VETextInitialDir;

  // Showing: the file loaded read-only (created empty when missing). False
  // when the file cannot be created or read; the window shows no file.
  bool Show();
  // The save question, then the window-open flag cleared and the hand-over
  // values reset. False when the user kept the window (a failed save).
  bool Close(bool ask = true);
  bool IsOpen() const { return open_; }

  std::string Caption() const { return caption_; }
  const std::string& Text() const { return text_; }
  // An edit of the window's text (ignored while read-only); in rich mode
  // the text takes the format of its first character.
  void Edit(std::string utf8);
  // Rich mode: the formatted text, and an edit of it.
  const RtfText& Rich() const { return rich_; }
  void EditRich(RtfText text);
  bool Modified() const { return modified_; }
  bool ReadOnly() const { return readOnly_; }
  bool CanOpen() const { return canOpen_; }
  bool CanSave() const { return modified_ && !readOnly_; }

  void Enable();        // "Povolit"
  bool Disable();       // "Zakazat"
  bool New();           // "Novy": the file name is kept
  // "Zavrit": the save question, then the text cleared; the file name is
  // kept and the cleared text is not a change to save.
  bool CloseText();
  bool OpenFile();      // "Otevrit" through the open dialog
  bool Load(const std::string& file);  // open a chosen file
  bool Save();          // "Ulozit" (Ctrl+S); "Ulozit jako" when unnamed
  bool SaveAs();        // "Ulozit jako" through the save dialog
  bool SaveTo(const std::string& file);
  // The save question when modified; true when the action may go on.
  bool AskSave(bool closing = false);

  // "Ulozit do jinych formatu": the target named through the save dialog.
  bool Convert(EditorFormat format);
  // The conversion into `target`: refused when it is the edited file; the
  // target is replaced only once the conversion has worked.
  bool ConvertTo(EditorFormat format, const std::string& target);

  // "Word": the whole text (Windows-1250, CR LF) in a new visible document
  // of the word processor, in `font`, the editor's font. kNoWordProcessor
  // when no backend can show it, a message of its own when one failed.
  bool ShowInWord(const FontChoice& font);

  // The Windows-1250 bytes the file gets: unchanged text gives the bytes
  // that were read.
  std::string FileBytes() const;

 private:
  bool ReadInto(const std::string& file);
  std::string WindowsText() const;  // Windows-1250 with CR LF
  bool Unchanged() const;

  Env& env_;
  Office& office_;
  bool open_ = false;
  bool modified_ = false;
  bool readOnly_ = true;
  bool canOpen_ = false;
  std::string caption_{kEditorCaption};
  std::string text_;
  // What was read, to write it back unchanged.
  std::string loadedText_;
  std::string loadedBytes_;
  RtfText rich_;
  RtfText loadedRich_;
};

}  // namespace orvo
