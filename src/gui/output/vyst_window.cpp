#include "gui/output/vyst_window.h"

#include <QEvent>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/output/report_file.h"
#include "core/sys/files.h"
#include "gui/sys/qt_text.h"
#include "gui/output/font_convert.h"
#include "paint/report_painter.h"

namespace orvo::gui {

namespace {

QLineEdit* Field(QWidget* parent, int maxLength) {
  auto* f = new QLineEdit(parent);
  if (maxLength > 0) {
    f->setMaxLength(maxLength);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('0'))) + 8);
  }
  return f;
}

}  // namespace

VystWindow::VystWindow(Env& env, VystHandOver& handOver, PrintSettings& settings, Office& office,
                       QWidget* parent, SlotGuard guard)
    : VystWindow(env, std::make_unique<VystModel>(env, handOver, settings), nullptr, office, parent,
                 std::move(guard)) {}

VystWindow::VystWindow(Env& env, VystModel& model, Office& office, QWidget* parent, SlotGuard guard)
    : VystWindow(env, nullptr, &model, office, parent, std::move(guard)) {}

VystWindow::VystWindow(Env& env, std::unique_ptr<VystModel> own, VystModel* shared, Office& office,
                       QWidget* parent, SlotGuard guard)
    : QDialog(parent),
      env_(env),
      ownModel_(std::move(own)),
      model_(shared != nullptr ? *shared : *ownModel_),
      office_(office),
      guard_(std::move(guard)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(FromCp(kVystCaption));
  setModal(true);

  file_ = Field(this, 0);
  file_->setReadOnly(true);
  firstPage_ = Field(this, 5);
  lastPage_ = Field(this, 5);
  mask_ = Field(this, 0);
  leftMargin_ = Field(this, 5);
  topMargin_ = Field(this, 5);
  for (QLineEdit* f : {firstPage_, lastPage_}) f->installEventFilter(this);

  auto makeButton = [this](const char* caption, void (VystWindow::*action)()) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setAutoDefault(false);
    buttons_.push_back(b);
    connect(b, &QPushButton::clicked, this, [this, action] { Run([this, action] { (this->*action)(); }); });
    return b;
  };
  auto makeModelButton = [this](const char* caption, std::function<void()> action) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setAutoDefault(false);
    buttons_.push_back(b);
    connect(b, &QPushButton::clicked, this, [this, action] {
      Run([this, action] {
        TakeFields();
        action();
        ShowModel();
      });
    });
    return b;
  };

  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(new QLabel(QStringLiteral("Jmeno souboru:"), this), row, 0);
  grid->addWidget(file_, row, 1);
  ++row;
  grid->addWidget(new QLabel(QStringLiteral("Tisk od strany:"), this), row, 0);
  auto* pages = new QHBoxLayout;
  pages->addWidget(firstPage_);
  pages->addSpacing(16);
  pages->addWidget(new QLabel(QStringLiteral("Tisk do strany:"), this));
  pages->addWidget(lastPage_);
  pages->addStretch();
  grid->addLayout(pages, row, 1);
  ++row;
  grid->addWidget(new QLabel(QStringLiteral("Maska:"), this), row, 0);
  grid->addWidget(mask_, row, 1);
  ++row;
  auto* maskButtons = new QHBoxLayout;
  maskButtons->addWidget(makeModelButton("&Upravit..", [this] { model_.MakeMaskedCopy(); }));
  maskButtons->addWidget(makeModelButton(" Z&pet...", [this] { model_.DropMaskedCopy(); }));
  maskButtons->addStretch();
  grid->addLayout(maskButtons, row, 1);
  grid->setColumnStretch(1, 1);
  auto* margins = new QFormLayout;
  margins->addRow(QStringLiteral("Levy okraj (vynechany pocet znaku):"), leftMargin_);
  margins->addRow(QStringLiteral("Horni okraj (vynechany pocet radku):"), topMargin_);

  auto* actions = new QGridLayout;
  actions->addWidget(makeButton("&Zobraz..", &VystWindow::View), 0, 0);
  actions->addWidget(makeButton("      Graficky tisk", &VystWindow::GraphicPrint), 0, 1);
  actions->addWidget(makeButton("      Textovy tisk", &VystWindow::TextPrint), 0, 2);
  actions->addWidget(makeModelButton("  Consolovy tisk", [this] { model_.RunTool(VystTool::PrnOut); }), 0, 3);
  actions->addWidget(makeModelButton("&Editor..", [this] { model_.RunTool(VystTool::RtfPad); }), 1, 0);
  actions->addWidget(makeModelButton("&T-Zobraz", [this] { model_.RunTool(VystTool::TxtView); }), 1, 1);
  actions->addWidget(makeModelButton("&Grafika", [this] {
                       if (graphicConversion_) graphicConversion_(model_.GraphicConversion());
                     }),
                     1, 2);
  actions->addWidget(makeModelButton("&Word...", [this] { model_.ExportToWord(office_); }), 1, 3);
  actions->addWidget(makeButton("Font pro tisk", &VystWindow::ChooseFont), 2, 0);
  actions->addWidget(makeButton("      Tiskarny", &VystWindow::ChoosePrinter), 2, 1);
  auto* close = new QPushButton(QStringLiteral("&Konec"), this);
  close->setAutoDefault(false);
  buttons_.push_back(close);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  actions->addWidget(close, 2, 3);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(margins);
  layout->addStretch();
  layout->addLayout(actions);
  resize(651, 400);
  button(QStringLiteral("&Grafika"))->setEnabled(false);
}

VystWindow::~VystWindow() = default;

QPushButton* VystWindow::button(const QString& caption) const {
  for (QPushButton* b : buttons_) {
    if (b->text() == caption) return b;
  }
  return nullptr;
}

void VystWindow::SetPdfOutput(const std::string& logicalPath) {
  auto host = env_.fs.HostPath(env_.fs.FullPath(logicalPath));
  if (!host) return;
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(QString::fromStdString(*host));
  SetUpPdfPage(*printer_, model_.Orientation());
}

void VystWindow::SetGraphicConversion(std::function<void(const GraphicConversionInput&)> handler) {
  graphicConversion_ = std::move(handler);
  button(QStringLiteral("&Grafika"))->setEnabled(static_cast<bool>(graphicConversion_));
}

void VystWindow::Run(const std::function<void()>& work) {
  if (guard_) {
    guard_(work);
  } else {
    work();
  }
}

void VystWindow::showEvent(QShowEvent* event) {
  closed_ = false;
  model_.Open();
  ShowModel();
  // Without a tool directory the three tools are left out silently.
  const bool tools = !model_.HandOver().VystToolDir.empty();
  for (const char* caption : {"  Consolovy tisk", "&Editor..", "&T-Zobraz"}) {
    button(QString::fromLatin1(caption))->setEnabled(tools);
  }
  if (printer_->outputFormat() == QPrinter::NativeFormat) {
    printer_->setPageOrientation(model_.Orientation() == kLandscape ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
  } else {
    SetUpPdfPage(*printer_, model_.Orientation());
  }
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(event);
}

void VystWindow::done(int result) {
  if (!closed_) {
    closed_ = true;
    Run([this] { model_.Close(); });
  }
  if (viewer_) viewer_->close();
  QDialog::done(result);
}

bool VystWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool first = watched == firstPage_;
  if ((first || watched == lastPage_) &&
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    TakeFields();
    if (event->type() == QEvent::FocusIn) {
      first ? model_.EnterFirstPage() : model_.EnterLastPage();
    } else {
      first ? model_.LeaveFirstPage() : model_.LeaveLastPage();
    }
    ShowModel();
  }
  return QDialog::eventFilter(watched, event);
}

void VystWindow::ShowModel() {
  file_->setText(FromCp(model_.FileText()));
  firstPage_->setText(FromCp(model_.FirstPageText()));
  lastPage_->setText(FromCp(model_.LastPageText()));
  mask_->setText(FromCp(model_.MaskText()));
  leftMargin_->setText(FromCp(model_.LeftMarginText()));
  topMargin_->setText(FromCp(model_.TopMarginText()));
}

void VystWindow::TakeFields() {
  model_.FirstPageText() = ToCp(firstPage_->text());
  model_.LastPageText() = ToCp(lastPage_->text());
  model_.MaskText() = ToCp(mask_->text());
  model_.LeftMarginText() = ToCp(leftMargin_->text());
  model_.TopMarginText() = ToCp(topMargin_->text());
}

bool VystWindow::PrinterReady() {
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
    return true;
  }
  if (!QPrinterInfo::availablePrinters().isEmpty() || !printer_->printerName().isEmpty()) return true;
  // Without a printer the print goes into a PDF file.
  FileDialogRequest request;
  request.title = "Tisk do souboru PDF";
  request.startDir = std::string(kReportDir);
  request.filter = "PDF|*.pdf";
  request.fileName = BaseName(model_.FileText()) + ".pdf";
  auto chosen = env_.ui.SaveFileDialog(request);
  if (!chosen) return false;
  SetPdfOutput(*chosen);
  return printer_->outputFormat() == QPrinter::PdfFormat;
}

void VystWindow::GraphicPrint() {
  TakeFields();
  if (!PrinterReady()) return;
  PaintGraphicPrint(*printer_, model_.PrinterFont(),
                    [this](const PageMeasure& measure) { return model_.PlanGraphicPrint(measure); });
  ShowModel();
}

void VystWindow::TextPrint() {
  TakeFields();
  auto bytes = model_.TextPrint();
  ShowModel();
  if (!bytes || !PrinterReady()) return;
  PaintTextPrint(*printer_, *bytes);
}

void VystWindow::View() {
  auto lines = model_.ReadUsedFile();
  if (!lines) return;
  if (!viewer_) {
    viewer_ = std::make_unique<QDialog>(this);
    viewerText_ = new QPlainTextEdit(viewer_.get());
    viewerText_->setReadOnly(true);
    viewerText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(viewer_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewerText_);
  }
  viewer_->setWindowTitle(FromCp(model_.UsedFile()));
  viewerText_->setFont(ToQFont(model_.EditorFont()));
  viewerText_->setPlainText(FromCp(JoinReportLines(*lines)));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const ViewerGeometry g = ViewerGeometryFor(area.width(), area.height());
    viewer_->setGeometry(area.left() + g.left, area.top() + g.top, g.width, g.height);
  }
  viewer_->show();
  viewer_->raise();
}

void VystWindow::ChooseFont() {
  bool ok = false;
  const FontChoice current = model_.PrinterFont();
  QFont chosen = QFontDialog::getFont(&ok, ToQFont(current), this, QStringLiteral("Font pro tisk"),
                                      QFontDialog::MonospacedFonts);
  if (ok) model_.SetPrinterFont(ToFontChoice(chosen, current));
}

void VystWindow::ChoosePrinter() {
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  model_.SetOrientation(printer_->pageLayout().orientation() == QPageLayout::Landscape ? kLandscape
                                                                                       : kPortrait);
}

}  // namespace orvo::gui
