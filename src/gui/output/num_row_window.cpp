#include "gui/output/num_row_window.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/sys/qt_text.h"
#include "gui/output/font_convert.h"

namespace orvo::gui {

NumRowWindow::NumRowWindow(Env& env, PrintSettings& settings, QWidget* parent)
    : QDialog(parent), model_(env, settings) {
  setWindowTitle(FromCp(kNumRowCaption));
  setModal(true);

  file_ = new QLineEdit(this);
  file_->setReadOnly(true);
  file_->setFocusPolicy(Qt::NoFocus);
  rows_ = new QLineEdit(this);
  rows_->setMaxLength(3);
  rows_->setFixedWidth(rows_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  orientation_ = new QComboBox(this);
  orientation_->setEditable(true);
  orientation_->addItem(FromCp(kOrientationPortraitText));
  orientation_->addItem(FromCp(kOrientationLandscapeText));
  printer_ = new QPushButton(QStringLiteral("Tiskarna..."), this);
  printer_->setAutoDefault(false);
  confirm_ = new QPushButton(QStringLiteral("Potvrd"), this);
  confirm_->setAutoDefault(false);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Soubor:"), file_);
  form->addRow(QStringLiteral("Pocet radku:"), rows_);
  form->addRow(QStringLiteral("Orientace:"), orientation_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(printer_);
  buttons->addStretch();
  buttons->addWidget(confirm_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  resize(420, sizeHint().height());

  connect(confirm_, &QPushButton::clicked, this, &QDialog::accept);
  connect(rows_, &QLineEdit::returnPressed, this, &QDialog::accept);
  connect(printer_, &QPushButton::clicked, this, &NumRowWindow::ChoosePrinter);
  ShowModel();
}

void NumRowWindow::showEvent(QShowEvent* event) {
  confirmed_ = false;
  model_.Open();
  ShowModel();
  // 40 pixels from the right edge of the screen, 170 above its bottom.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.right() - width() - 40, area.bottom() - height() - 170);
  }
  rows_->setFocus();
  rows_->selectAll();
  QDialog::showEvent(event);
}

void NumRowWindow::done(int result) {
  if (!confirmed_) {
    confirmed_ = true;
    TakeFields();
    model_.Confirm();
    ShowModel();
  }
  QDialog::done(result);
}

void NumRowWindow::ShowModel() {
  file_->setText(FromCp(model_.FileText()));
  rows_->setText(FromCp(model_.RowsText()));
  orientation_->setEditText(FromCp(model_.OrientationText()));
}

void NumRowWindow::TakeFields() {
  model_.RowsText() = ToCp(rows_->text());
  model_.OrientationText() = ToCp(orientation_->currentText());
}

void NumRowWindow::ChoosePrinter() {
  TakeFields();
  bool ok = false;
  const FontChoice current = model_.Settings().ReportFont;
  QFont chosen = QFontDialog::getFont(&ok, ToQFont(current), this, QString(),
                                      QFontDialog::MonospacedFonts);
  if (ok) model_.ApplyPrinterFont(ToFontChoice(chosen, current));
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(model_.Settings().PageOrientation == kLandscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait);
  QPageSetupDialog setup(&printer, this);
  if (setup.exec() != QDialog::Accepted) {
    ShowModel();
    return;
  }
  QFontMetricsF metrics(ToQFont(model_.Settings().ReportFont), &printer);
  PrinterPage page;
  page.printableHeight = printer.height();
  page.heightOfW = metrics.height();
  page.orientation =
      printer.pageLayout().orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
  model_.ApplyPrinterPage(page);
  ShowModel();
}

}  // namespace orvo::gui
