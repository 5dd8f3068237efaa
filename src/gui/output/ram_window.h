// The framed report window TRam ("  Vytvoreni sestavy ohranicene ramecky")
// over RamModel: builds the page files, shows one page at a time in a
// rich-text editor (headings highlighted), pages with the buttons and the
// "Str1:"/"Str2:" fields, prints the page shown or a range of pages, lets
// the user choose a fixed-pitch font and correct a page, which is saved
// back into its file before any other page is shown.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/output/framed_report.h"

class QCheckBox;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace orvo::gui {

class RamWindow final : public QDialog {
  Q_OBJECT
 public:
  using SlotGuard = std::function<void(const std::function<void()>&)>;

  RamWindow(Env& env, RamHandOver& handOver, const FontChoice& reportFont, QWidget* parent = nullptr,
            SlotGuard guard = {});
  ~RamWindow() override;

  RamModel& model() { return model_; }
  QTextEdit* editor() const { return editor_; }
  QCheckBox* framesBox() const { return frames_; }
  QLineEdit* str1Field() const { return str1_; }
  QLineEdit* str2Field() const { return str2_; }
  QPushButton* button(const QString& captionOrHint) const;
  // The printer writes PDF files here (a host directory) instead of
  // printing, one file a page, without the print dialog.
  void SetPdfDirectory(const std::string& hostDir) { pdfDir_ = hostDir; }

  // The buttons, callable from tests.
  void Build();
  void ShowPage(int page);
  void ToggleEditing();
  void PrintCurrent();
  void PrintRange();
  void ChooseFont();
  // The paragraphs of the editor as the page file keeps them.
  std::vector<std::string> EditorParagraphs() const;

  void done(int result) override;

 private:
  void Run(const std::function<void()>& work);
  void Show(std::optional<int> page);
  bool SaveCorrections();
  void SyncFields();
  bool PrintEditor(const std::string& title);

  Env& env_;
  RamModel model_;
  SlotGuard guard_;
  bool opened_ = false;
  std::string pdfDir_;
  std::unique_ptr<QPrinter> printer_;
  QTextEdit* editor_ = nullptr;
  QCheckBox* frames_ = nullptr;
  QLineEdit* str1_ = nullptr;
  QLineEdit* str2_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace orvo::gui
