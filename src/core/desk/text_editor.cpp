#include "core/desk/text_editor.h"

#include "core/desk/document_conversion.h"
#include "core/office/document_writers.h"
#include "core/shell/file_names.h"
#include "core/sys/dosfs.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/ui.h"

namespace orvo {

namespace {

std::string WithoutCr(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
    out += s[i];
  }
  return out;
}

std::string WithCrLf(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

RtfFormat EditorFont() { return RtfFormat{}; }

TVEText::TVEText(Env& env, Office& office) : env_(env), office_(office) {}

bool TVEText::Show() {
  open_ = true;
  text_.clear();
  loadedText_.clear();
  loadedBytes_.clear();
  caption_ = std::string(kEditorCaption);
  modified_ = false;
  readOnly_ = true;
  if (!VETextFile.empty() && VETextFile != kNoFileName) {
    canOpen_ = false;
    if (!FileExistsOrSay(env_, VETextFile)) {
      const int rc = env_.fs.WriteWhole(VETextFile, "");
      if (rc != kIoOk) {
        InfoBox(env_, "Novy soubor nelze vytvorit ! -Chyba:" + IntText(rc, 6), VETextFile);
        open_ = false;
        return false;
      }
    }
    if (!ReadInto(VETextFile)) {
      open_ = false;
      return false;
    }
    env_.fs.SetAttributes(VETextFile, kAttrArchive);
    caption_ = "  " + VETextFile + "  -Zobrazeni/Editace (Rtf/Txt)";
  } else {
    VETextFile = std::string(kNoFileName);
    canOpen_ = true;
  }
  return true;
}

bool TVEText::ReadInto(const std::string& file) {
  int rc = kIoOk;
  std::optional<std::string> bytes = env_.fs.ReadWhole(file, &rc);
  if (!bytes) {
    InfoBox(env_, "Soubor nelze precist ! -Chyba:" + IntText(rc, 6), file);
    return false;
  }
  if (VETextRich) {
    rich_ = LooksLikeRtf(*bytes) ? ReadRtf(*bytes) : RtfFromPlain(Cp1250ToUtf8(*bytes), EditorFont());
    // A closing paragraph mark leaves no empty last line.
    if (rich_.paragraphs.size() > 1 && rich_.paragraphs.back().runs.empty()) rich_.paragraphs.pop_back();
    text_ = RtfPlain(rich_);
  } else {
    rich_ = RtfText{};
    text_ = WithoutCr(Cp1250ToUtf8(*bytes));
  }
  loadedText_ = text_;
  loadedRich_ = rich_;
  loadedBytes_ = std::move(*bytes);
  modified_ = false;
  return true;
}

bool TVEText::Close(bool ask) {
  if (ask && open_ && !AskSave(true)) return false;
  open_ = false;
  VETextRich = true;
  VETextInitialDir.clear();
  modified_ = false;
  readOnly_ = true;
  VETextFile = std::string(kNoFileName);
  text_.clear();
  loadedText_.clear();
  loadedBytes_.clear();
  rich_ = loadedRich_ = RtfText{};
  caption_ = std::string(kEditorCaption);
  return true;
}

void TVEText::Edit(std::string utf8) {
  if (readOnly_ || utf8 == text_) return;
  if (VETextRich) {
    const RtfParagraph& first = rich_.paragraphs.front();
    rich_ = RtfFromPlain(utf8, first.runs.empty() ? EditorFont() : first.runs.front().format);
  }
  text_ = std::move(utf8);
  modified_ = true;
}

void TVEText::EditRich(RtfText text) {
  if (readOnly_ || text == rich_) return;
  rich_ = std::move(text);
  text_ = RtfPlain(rich_);
  modified_ = true;
}

void TVEText::Enable() { readOnly_ = false; }

bool TVEText::Disable() {
  if (!AskSave()) return false;
  readOnly_ = true;
  modified_ = false;
  return true;
}

bool TVEText::New() {
  if (!AskSave()) return false;
  if (!text_.empty()) modified_ = true;
  text_.clear();
  rich_ = RtfText{};
  return true;
}

bool TVEText::CloseText() {
  if (!AskSave()) return false;
  text_.clear();
  rich_ = RtfText{};
  modified_ = false;
  return true;
}

bool TVEText::OpenFile() {
  if (!AskSave()) return false;
  modified_ = false;
  const std::optional<std::string> name =
      env_.ui.OpenFileDialog({"Otevrit", VETextInitialDir, std::string(kEditorFilter), {}});
  if (!name || name->empty()) return false;
  return Load(*name);
}

bool TVEText::Load(const std::string& file) {
  if (!ReadInto(file)) return false;
  VETextFile = file;
  caption_ = "  -Zobrazeni/Editace (Rtf/Txt)  " + file;
  env_.fs.SetAttributes(file, kAttrArchive);
  return true;
}

std::string TVEText::WindowsText() const { return WithCrLf(Utf8ToCp1250(text_)); }

bool TVEText::Unchanged() const { return VETextRich ? rich_ == loadedRich_ : text_ == loadedText_; }

std::string TVEText::FileBytes() const {
  if (Unchanged()) return loadedBytes_;
  if (VETextRich) return WriteRtf(rich_);
  return WindowsText();
}

bool TVEText::SaveTo(const std::string& file) {
  // Rich text holds every character; a plain Windows-1250 file does not.
  if (!VETextRich && !Utf8FitsCp1250(text_) &&
      !AskYesNo(env_,
                "Text obsahuje znaky, ktere soubor v kodu Windows-1250 neudrzi; budou ulozeny jako \"?\"."
                "\r\rMa byt soubor presto ulozen ?",
                file)) {
    return false;
  }
  const std::string bytes = FileBytes();
  const int rc = env_.fs.WriteWhole(file, bytes);
  if (rc != kIoOk) {
    InfoBox(env_, "Soubor nelze ulozit ! -Chyba:" + IntText(rc, 6), file);
    return false;
  }
  modified_ = false;
  loadedText_ = text_;
  loadedRich_ = rich_;
  loadedBytes_ = bytes;
  return true;
}

bool TVEText::Save() {
  if (VETextFile.empty() || VETextFile == kNoFileName) return SaveAs();
  if (!SaveTo(VETextFile)) return false;
  env_.ui.ShowInformation("Informace", VETextFile, kSavedText, 1000, true);
  return true;
}

bool TVEText::SaveAs() {
  const std::optional<std::string> chosen =
      env_.ui.SaveFileDialog({"Ulozit jako", VETextInitialDir, std::string(kEditorFilter), {}});
  if (!chosen || chosen->empty()) return false;
  const std::string name = *chosen;
  if (!SaveTo(name)) return false;
  VETextFile = name;
  caption_ = "  " + name + "  -Zobrazeni/Editace (Rtf/Txt)";
  env_.ui.ShowInformation("Informace", VETextFile, kSavedText, 2000, true);
  return true;
}

bool TVEText::AskSave(bool closing) {
  if (!modified_) return true;
  const bool yes = closing ? AskYesNo(env_, VETextFile + "\r\r" + std::string(kChangedQuestion))
                           : AskYesNo(env_, kChangedQuestion, VETextFile);
  return !yes || Save();
}

bool TVEText::Convert(EditorFormat format) {
  const EditorFormatInfo& info = FormatInfo(format);
  const std::string ext(info.extension);
  const std::optional<std::string> name = env_.ui.SaveFileDialog(
      {"Ulozit do jinych formatu", DirectoryOf(VETextFile), ext + " soubory|*." + ext,
       ChangeExtension(FileNameOf(VETextFile), "")});
  if (!name || name->empty()) return false;
  return ConvertTo(format, ChangeExtension(*name, "." + ext));
}

bool TVEText::ConvertTo(EditorFormat format, const std::string& target) {
  if (VETextFile != kNoFileName && SamePath(target, VETextFile)) {
    InfoBox(env_, "Cilovy soubor je prave upravovany soubor, zvolte jine jmeno !", target);
    return false;
  }
  // A rich text converted into rich text keeps its formatting.
  const std::string rtf = VETextRich && format == EditorFormat::Rtf ? FileBytes() : std::string();
  return ConvertDocument(env_, office_, WindowsText(), format, target, rtf);
}

bool TVEText::ShowInWord(const FontChoice& font) {
  const std::string name = VETextFile.empty() ? std::string(kNoFileName) : VETextFile;
  const TextDocument document{WindowsText(), font, std::string(kWorkDir) + "\\W_" + BaseName(name) + ".Rtf"};
  switch (office_.ShowText(env_, document)) {
    case OfficeResult::Done:
      return true;
    case OfficeResult::CannotDo:
      InfoBox(env_, kNoWordProcessor);
      return false;
    case OfficeResult::Failed:
      break;
  }
  InfoBox(env_, kWordFailed, name);
  return false;
}

}  // namespace orvo
