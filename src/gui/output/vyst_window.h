// The text report window TVyst ("Zobrazeni/Editace/Tisk textoveho souboru")
// over VystModel: the report's name, the page range, the column mask, the
// margins and the buttons that view, cut, print and hand the report on.
// The graphic and the text print go to the window's printer, which writes a
// PDF file when it is told to or when the machine has no printer.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

#include "core/office/office_port.h"
#include "core/output/vyst_model.h"

class QLineEdit;
class QPushButton;
class QPlainTextEdit;

namespace orvo::gui {

class VystWindow final : public QDialog {
  Q_OBJECT
 public:
  // Slots run their work through the guard (the application's, which
  // catches the end of the application); by default they run it directly.
  using SlotGuard = std::function<void(const std::function<void()>&)>;

  // Over a model it does not own (the session's).
  VystWindow(Env& env, VystModel& model, Office& office, QWidget* parent = nullptr,
             SlotGuard guard = {});
  // With a model of its own over the hand-over values and the settings.
  VystWindow(Env& env, VystHandOver& handOver, PrintSettings& settings, Office& office,
             QWidget* parent = nullptr, SlotGuard guard = {});
  ~VystWindow() override;

  VystModel& model() { return model_; }
  QPrinter& printer() { return *printer_; }

  // The printer writes this PDF file (a logical path) instead of printing.
  void SetPdfOutput(const std::string& logicalPath);
  // What "&Grafika" calls with the report; the button is disabled without it.
  void SetGraphicConversion(std::function<void(const GraphicConversionInput&)> handler);

  // The controls, by their captions.
  QLineEdit* fileField() const { return file_; }
  QLineEdit* firstPageField() const { return firstPage_; }
  QLineEdit* lastPageField() const { return lastPage_; }
  QLineEdit* maskField() const { return mask_; }
  QLineEdit* leftMarginField() const { return leftMargin_; }
  QLineEdit* topMarginField() const { return topMargin_; }
  QPushButton* button(const QString& caption) const;
  // The plain viewer of "&Zobraz.." (once it has been opened).
  QDialog* viewer() const { return viewer_.get(); }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The model is `shared` when given, else `own`.
  VystWindow(Env& env, std::unique_ptr<VystModel> own, VystModel* shared, Office& office,
             QWidget* parent, SlotGuard guard);
  void Run(const std::function<void()>& work);
  void ShowModel();
  void TakeFields();
  bool PrinterReady();
  void GraphicPrint();
  void TextPrint();
  void View();
  void ChooseFont();
  void ChoosePrinter();

  Env& env_;
  std::unique_ptr<VystModel> ownModel_;
  VystModel& model_;
  Office& office_;
  SlotGuard guard_;
  std::unique_ptr<QPrinter> printer_;
  std::function<void(const GraphicConversionInput&)> graphicConversion_;
  std::unique_ptr<QDialog> viewer_;
  QPlainTextEdit* viewerText_ = nullptr;
  bool closed_ = false;

  QLineEdit* file_ = nullptr;
  QLineEdit* firstPage_ = nullptr;
  QLineEdit* lastPage_ = nullptr;
  QLineEdit* mask_ = nullptr;
  QLineEdit* leftMargin_ = nullptr;
  QLineEdit* topMargin_ = nullptr;
  std::vector<QPushButton*> buttons_;
};

}  // namespace orvo::gui
