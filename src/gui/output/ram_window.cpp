#include "gui/output/ram_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "core/output/print_settings.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "gui/output/font_convert.h"
#include "gui/output/page_bar.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

RamWindow::RamWindow(Env& env, RamHandOver& handOver, const FontChoice& reportFont, QWidget* parent,
                     SlotGuard guard)
    : QDialog(parent), env_(env), model_(env, handOver, reportFont), guard_(std::move(guard)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(FromCp(kRamCaption));
  resize(900, 540);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - 900 - 30, area.bottom() - 540 - 30);
  }
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* build = new QPushButton(FromCp("Vytvoreni sestavy"), this);
  build->setObjectName("Vytvoreni sestavy");
  connect(build, &QPushButton::clicked, this, &RamWindow::Build);
  bar->addWidget(build);
  PageBarHooks hooks;
  hooks.fields = [this]() -> PageFields& { return model_.Fields(); };
  hooks.run = [this](const std::function<void()>& work) { Run(work); };
  // Corrections typed into the page are saved before another page is shown.
  hooks.mayLeave = [this] { return SaveCorrections(); };
  hooks.show = [this](std::optional<int> page) { Show(page); };
  hooks.sync = [this] { SyncFields(); };
  const PageBar pages = AddPageBar(this, bar, hooks);
  str1_ = pages.str1;
  str2_ = pages.str2;
  auto* printOne = Hinted(this, "Tisk", "Tisk aktualni stranky");
  connect(printOne, &QPushButton::clicked, this, &RamWindow::PrintCurrent);
  bar->addWidget(printOne);
  auto* printRange = Hinted(this, "Tisk Str1-Str2", "Tisk stranek Str1 az Str2");
  connect(printRange, &QPushButton::clicked, this, &RamWindow::PrintRange);
  bar->addWidget(printRange);
  auto* font = Hinted(this, "F", "Font pro vystupni sestavu");
  connect(font, &QPushButton::clicked, this, &RamWindow::ChooseFont);
  bar->addWidget(font);
  auto* edit = Hinted(this, "E", "Povolit / Zakazat editaci");
  connect(edit, &QPushButton::clicked, this, &RamWindow::ToggleEditing);
  bar->addWidget(edit);
  frames_ = new QCheckBox(FromCp("Ramecky"), this);
  connect(frames_, &QCheckBox::toggled, this, [this](bool on) { model_.SetFrames(on); });
  bar->addWidget(frames_);
  auto* close = new QPushButton(FromCp("Konec"), this);
  close->setObjectName("Konec");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  bar->addWidget(close);
  bar->addStretch();
  layout->addLayout(bar);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  layout->addWidget(progress_);
  editor_ = new QTextEdit(this);
  editor_->setLineWrapMode(QTextEdit::NoWrap);
  editor_->setAcceptRichText(false);
  editor_->setReadOnly(true);
  layout->addWidget(editor_, 1);

  opened_ = model_.Open();
  str1_->setText(FromCp(model_.Str1()));
  str2_->setText(FromCp(model_.Str2()));
  frames_->setChecked(model_.Frames());
  if (opened_) {
    editor_->document()->setDefaultFont(ToQFont(model_.Font()));
    const auto settings = ReadPrintSettingsQuiet(env_);
    if (settings) {
      printer_->setPageOrientation(settings->PageOrientation == kLandscape ? QPageLayout::Landscape
                                                                             : QPageLayout::Portrait);
    }
    editor_->setFocus();
  }
}

RamWindow::~RamWindow() = default;

void RamWindow::Run(const std::function<void()>& work) {
  if (guard_) {
    guard_(work);
  } else {
    work();
  }
}

QPushButton* RamWindow::button(const QString& captionOrHint) const {
  for (QPushButton* b : findChildren<QPushButton*>()) {
    if (b->objectName() == captionOrHint || b->text() == captionOrHint) return b;
  }
  return nullptr;
}

void RamWindow::SyncFields() {
  str1_->setText(FromCp(model_.Str1()));
  str2_->setText(FromCp(model_.Str2()));
}

void RamWindow::Build() {
  Run([&] {
    if (!opened_ || !SaveCorrections()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int pages = model_.Build([this](int percent) {
      progress_->setValue(std::clamp(percent, 0, 100));
      QApplication::processEvents();
    });
    progress_->setValue(100);
    QApplication::processEvents();
    QThread::msleep(pages > 0 ? 500 : 0);
    progress_->setValue(0);
    QApplication::restoreOverrideCursor();
    SyncFields();
    if (pages > 0) ShowPage(1);
  });
}

void RamWindow::Show(std::optional<int> page) {
  SyncFields();
  if (page) ShowPage(*page);
}

void RamWindow::ShowPage(int page) {
  auto paragraphs = model_.LoadPage(page);
  if (!paragraphs) return;
  editor_->hide();
  editor_->clear();
  QTextDocument* document = editor_->document();
  const QFont font = ToQFont(model_.Font());
  document->setDefaultFont(font);
  QTextCursor cursor(document);
  QTextCharFormat plain;
  plain.setFont(font);
  const Rgb rgb = RgbOf(model_.Font().color);
  plain.setForeground(QColor(rgb.red, rgb.green, rgb.blue));
  QTextCharFormat highlighted = plain;
  highlighted.setForeground(QColor(128, 0, 0));
  if (model_.HighlightBold()) highlighted.setFontWeight(QFont::Bold);
  for (size_t i = 0; i < paragraphs->size(); ++i) {
    if (i > 0) cursor.insertBlock();
    cursor.setCharFormat(model_.Highlighted(static_cast<int>(i)) ? highlighted : plain);
    cursor.insertText(QString::fromUtf8((*paragraphs)[i]));
  }
  editor_->moveCursor(QTextCursor::Start);
  editor_->show();
}

std::vector<std::string> RamWindow::EditorParagraphs() const {
  std::vector<std::string> paragraphs;
  for (QTextBlock b = editor_->document()->begin(); b.isValid(); b = b.next()) {
    paragraphs.push_back(b.text().toStdString());
  }
  return paragraphs;
}

// While the page is being corrected, the corrections go into its file
// before anything else is shown or built.
bool RamWindow::SaveCorrections() {
  if (editor_->isReadOnly() || model_.Page() < 1) return true;
  return model_.SavePage(model_.Page(), EditorParagraphs());
}

void RamWindow::ToggleEditing() {
  Run([&] {
    if (editor_->isReadOnly()) {
      editor_->setReadOnly(false);
      return;
    }
    if (SaveCorrections()) editor_->setReadOnly(true);
  });
}

bool RamWindow::PrintEditor(const std::string& title) {
  if (!pdfDir_.empty()) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(QString::fromStdString(pdfDir_ + "/" + FileNameOf(title) + ".pdf"));
  }
  printer_->setDocName(FromCp(title));
  editor_->document()->print(printer_.get());
  return true;
}

void RamWindow::PrintCurrent() {
  Run([&] {
    if (model_.Page() < 1 || !env_.fs.FileExists(model_.PageFile(model_.Page()))) return;
    if (pdfDir_.empty()) {
      QPrintDialog dialog(printer_.get(), this);
      if (dialog.exec() != QDialog::Accepted) return;
    }
    if (!model_.SaveWork(EditorParagraphs())) return;
    PrintEditor(model_.WorkFile());
  });
}

void RamWindow::PrintRange() {
  Run([&] {
    if (!SaveCorrections()) return;
    model_.Str1() = ToCp(str1_->text());
    model_.Str2() = ToCp(str2_->text());
    if (pdfDir_.empty()) {
      QPrintDialog dialog(printer_.get(), this);
      if (dialog.exec() != QDialog::Accepted) return;
    }
    for (int page : model_.PrintRange()) {
      ShowPage(page);
      PrintEditor(model_.PageFile(page));
    }
    SyncFields();
  });
}

void RamWindow::ChooseFont() {
  Run([&] {
    bool ok = false;
    const FontChoice current = model_.Font();
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(current), this, FromCp("Font pro vystupni sestavu"),
                                        QFontDialog::MonospacedFonts);
    if (!ok) return;
    // Any face whose characters are all as wide: the columns must stay.
    if (!QFontInfo(chosen).fixedPitch()) {
      ErrorBox(env_, kRamNotFixedPitch);
      return;
    }
    model_.Font() = ToFontChoice(chosen, current);
    QTextCharFormat format;
    format.setFont(ToQFont(model_.Font()));
    editor_->textCursor().mergeCharFormat(format);
  });
}

void RamWindow::done(int result) {
  Run([&] {
    SaveCorrections();
    model_.Close();
  });
  QDialog::done(result);
}

}  // namespace orvo::gui
