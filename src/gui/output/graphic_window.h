// The graphic report windows over GraphicPagesModel: TIma ("  Sestava III"
// of the dataset browser: the report by its columns, heading and item
// fonts, frame lines) and TTxIma ("&Grafika" of the text report window:
// any report line by line in one font). Both build the page pictures as
// JPEG files, show one page in a scrollable area, page with the buttons
// and the "Str1:"/"Str2:" fields, print a page or a range at the print
// scale, hand a page to the picture editor and wait for it, and save the
// pages Str1 to Str2 as a PDF through the office port.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/office/office_port.h"
#include "core/output/graphic_pages.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace orvo::gui {

class GraphicWindow final : public QDialog {
  Q_OBJECT
 public:
  using SlotGuard = std::function<void(const std::function<void()>&)>;

  // TIma over its hand-over.
  GraphicWindow(Env& env, ImaHandOver& handOver, Office& office, QWidget* parent = nullptr,
                SlotGuard guard = {});
  // TTxIma over a report, its page length and font.
  GraphicWindow(Env& env, const std::string& reportFile, int pageRows, const FontChoice& font,
                Office& office, QWidget* parent = nullptr, SlotGuard guard = {});
  ~GraphicWindow() override;

  GraphicPagesModel& model() { return model_; }
  QLabel* picture() const { return picture_; }
  QLineEdit* str1Field() const { return str1_; }
  QLineEdit* str2Field() const { return str2_; }
  QPushButton* button(const QString& captionOrHint) const;

  // The buttons, callable from tests.
  void Build();
  void ShowPage(int page);
  void PrintCurrent();
  void PrintRange();
  void EditPage();
  // "  PDF" into `target` (a logical path; without one, the save dialog asks).
  void ExportPdf(std::optional<std::string> target = std::nullopt);

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  GraphicWindow(Env& env, GraphicKind kind, std::string report, std::string def, Office& office,
                QWidget* parent, SlotGuard guard);
  void SetUp();
  void Run(const std::function<void()>& work);
  void SyncFields();
  void Show(std::optional<int> page);
  void PrintPages(const std::vector<int>& pages);
  void ChooseFont(FontChoice& font, bool fixedPitchOnly);

  Env& env_;
  Office& office_;
  SlotGuard guard_;
  GraphicPagesModel model_;
  ImaHandOver* ima_ = nullptr;
  FontChoice textFont_;
  int pageRows_ = 80;
  bool opened_ = false;
  bool abort_ = false;
  std::unique_ptr<QPrinter> printer_;
  QLabel* picture_ = nullptr;
  QScrollArea* area_ = nullptr;
  QLineEdit* str1_ = nullptr;
  QLineEdit* str2_ = nullptr;
  QLineEdit* percent_ = nullptr;
  QCheckBox* frames_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace orvo::gui
