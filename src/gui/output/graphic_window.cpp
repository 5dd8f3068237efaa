#include "gui/output/graphic_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/office/host_process.h"
#include "core/output/print_settings.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"
#include "gui/output/font_convert.h"
#include "gui/output/page_bar.h"
#include "gui/sys/qt_text.h"
#include "paint/graphic_pictures.h"

namespace orvo::gui {

GraphicWindow::GraphicWindow(Env& env, GraphicKind kind, std::string report, std::string def, Office& office,
                             QWidget* parent, SlotGuard guard)
    : QDialog(parent), env_(env), office_(office), guard_(std::move(guard)),
      model_(env, kind, std::move(report), std::move(def)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

GraphicWindow::GraphicWindow(Env& env, ImaHandOver& handOver, Office& office, QWidget* parent, SlotGuard guard)
    : GraphicWindow(env, GraphicKind::Ima, handOver.ImaFile, handOver.ImaDef, office, parent, std::move(guard)) {
  ima_ = &handOver;
  pageRows_ = handOver.ImaPageRows;
  SetUp();
}

GraphicWindow::GraphicWindow(Env& env, const std::string& reportFile, int pageRows, const FontChoice& font,
                             Office& office, QWidget* parent, SlotGuard guard)
    : GraphicWindow(env, GraphicKind::TxIma, reportFile, {}, office, parent, std::move(guard)) {
  textFont_ = font;
  pageRows_ = pageRows;
  SetUp();
}

GraphicWindow::~GraphicWindow() = default;

void GraphicWindow::SetUp() {
  const bool ima = model_.Kind() == GraphicKind::Ima;
  setWindowTitle(FromCp(ima ? kImaCaption : kTxImaCaption));
  const int width = ima ? 930 : 900;
  const int edge = ima ? 40 : 30;
  resize(width, 540);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - width - edge, area.bottom() - 540 - edge);
  }
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* build = new QPushButton(FromCp("Vytvoreni sestavy"), this);
  build->setObjectName("Vytvoreni sestavy");
  connect(build, &QPushButton::clicked, this, &GraphicWindow::Build);
  bar->addWidget(build);
  PageBarHooks hooks;
  hooks.fields = [this]() -> PageFields& { return model_.Fields(); };
  hooks.run = [this](const std::function<void()>& work) { Run(work); };
  hooks.mayLeave = [] { return true; };
  hooks.show = [this](std::optional<int> page) { Show(page); };
  hooks.sync = [this] { SyncFields(); };
  const PageBar pages = AddPageBar(this, bar, hooks);
  str1_ = pages.str1;
  str2_ = pages.str2;
  auto* printOne = Hinted(this, "Tisk", "Tisk aktualni stranky");
  connect(printOne, &QPushButton::clicked, this, &GraphicWindow::PrintCurrent);
  bar->addWidget(printOne);
  auto* printRange = Hinted(this, "Tisk Str1-Str2", "Tisk stranek Str1 az Str2");
  connect(printRange, &QPushButton::clicked, this, &GraphicWindow::PrintRange);
  bar->addWidget(printRange);
  percent_ = new QLineEdit(this);
  percent_->setToolTip(FromCp("Procento rozmeru plochy urcene k tisku"));
  percent_->setFixedWidth(44);
  connect(percent_, &QLineEdit::editingFinished, this, [this] {
    model_.Percent() = ToCp(percent_->text());
    model_.LeavePercent();
    percent_->setText(FromCp(model_.Percent()));
  });
  bar->addWidget(percent_);
  bar->addWidget(new QLabel(QStringLiteral("%"), this));
  if (ima) {
    auto* head = Hinted(this, "H", "Volba fontu pro hlavicku");
    connect(head, &QPushButton::clicked, this, [this] { ChooseFont(ima_->ImaHeadFont, false); });
    bar->addWidget(head);
  }
  auto* items = Hinted(this, "P", "Volba fontu pro polozky");
  connect(items, &QPushButton::clicked, this, [this, ima] {
    if (ima) {
      ChooseFont(ima_->ImaItemFont, false);
    } else {
      ChooseFont(textFont_, true);
    }
  });
  bar->addWidget(items);
  auto* edit = Hinted(this, "E", "Editace aktualni stranky");
  connect(edit, &QPushButton::clicked, this, &GraphicWindow::EditPage);
  bar->addWidget(edit);
  auto* pdf = new QPushButton(FromCp("  PDF"), this);
  pdf->setObjectName("  PDF");
  connect(pdf, &QPushButton::clicked, this, [this] { ExportPdf(); });
  bar->addWidget(pdf);
  if (ima) {
    frames_ = new QCheckBox(FromCp("Ramecky"), this);
    frames_->setChecked(ima_->ImaFrames);
    bar->addWidget(frames_);
  }
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
  area_ = new QScrollArea(this);
  picture_ = new QLabel(area_);
  picture_->setBackgroundRole(QPalette::Base);
  area_->setWidget(picture_);
  area_->setBackgroundRole(QPalette::Base);
  layout->addWidget(area_, 1);

  opened_ = model_.Open();
  SyncFields();
  percent_->setText(FromCp(model_.Percent()));
  if (opened_) {
    if (const auto settings = ReadPrintSettingsQuiet(env_)) {
      printer_->setPageOrientation(settings->PageOrientation == kLandscape ? QPageLayout::Landscape
                                                                             : QPageLayout::Portrait);
    }
  } else if (!ima) {
    FileExistsOrSay(env_, model_.ReportFile());
  }
}

void GraphicWindow::Run(const std::function<void()>& work) {
  if (guard_) {
    guard_(work);
  } else {
    work();
  }
}

QPushButton* GraphicWindow::button(const QString& captionOrHint) const {
  for (QPushButton* b : findChildren<QPushButton*>()) {
    if (b->objectName() == captionOrHint || b->text() == captionOrHint) return b;
  }
  return nullptr;
}

void GraphicWindow::SyncFields() {
  str1_->setText(FromCp(model_.Fields().Str1()));
  str2_->setText(FromCp(model_.Fields().Str2()));
}

void GraphicWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) abort_ = true;
  QDialog::keyPressEvent(event);
}

void GraphicWindow::Build() {
  Run([&] {
    if (!opened_) return;
    if (!JpegSupported()) {
      ErrorBox(env_, std::string(kNoGraphicFormat) + "\r\rChybi podpora formatu JPEG (modul qjpeg knihovny Qt).");
      return;
    }
    abort_ = false;
    MakeDirPath(env_, "C:\\A_Run\\Sestavy");
    MakeDirPath(env_, "C:\\A_Run\\Work");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QtTextMetrics metrics;
    auto sink = [&](const PagePicture& p, int n) {
      if (abort_) return false;
      const std::string file = model_.PictureFile(n);
      auto host = env_.fs.HostPath(file);
      if (!host || !SaveJpeg(PaintPicture(p), *host)) {
        ErrorBox(env_, std::string(kNoGraphicFormat) + "\r\r" + file);
        return false;
      }
      return true;
    };
    auto progress = [&](int v) {
      progress_->setValue(std::clamp(v, 0, 100));
      QApplication::processEvents();
    };
    const int count = model_.Kind() == GraphicKind::Ima
                          ? BuildImaPictures(env_, metrics, *ima_, model_.ColumnTypes(), frames_->isChecked(),
                                             sink, progress)
                          : BuildTextPictures(env_, metrics, model_.ReportFile(), textFont_, sink, progress);
    QApplication::restoreOverrideCursor();
    progress_->setValue(0);
    if (abort_) {
      reject();
      return;
    }
    if (count == 0) return;
    model_.Built(count);
    SyncFields();
    ShowPage(1);
  });
}

void GraphicWindow::Show(std::optional<int> page) {
  SyncFields();
  if (page) ShowPage(*page);
}

void GraphicWindow::ShowPage(int page) {
  auto host = env_.fs.HostPath(model_.PictureFile(page));
  QImage image;
  if (!host || !image.load(QString::fromStdString(*host))) return;
  model_.Fields().SetPage(page);
  model_.Fields().Str1() = PageFields::Digits(page);
  picture_->setPixmap(QPixmap::fromImage(image));
  picture_->resize(image.size());
  SyncFields();
}

void GraphicWindow::PrintPages(const std::vector<int>& pages) {
  if (pages.empty()) return;
  QImage first;
  auto firstHost = env_.fs.HostPath(model_.PictureFile(1));
  if (!firstHost || !first.load(QString::fromStdString(*firstHost))) return;
  printer_->setPageOrientation(first.width() < first.height() ? QPageLayout::Portrait : QPageLayout::Landscape);
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // The picture at the screen's resolution, scaled, fitted to the sheet.
  const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
  const double f = printer_->resolution() / 96.0;
  double w = first.width() * 0.99 * f * model_.Scale();
  double h = first.height() * 0.99 * f * model_.Scale();
  while (w > page.width() || h > page.height()) {
    w *= 0.99;
    h *= 0.99;
  }
  const int left = (page.width() - static_cast<int>(std::lround(w))) / 2;
  const bool portrait = printer_->pageLayout().orientation() == QPageLayout::Portrait;
  const int top = std::min((page.height() - static_cast<int>(std::lround(h))) / 2,
                           page.height() / (portrait ? 30 : 20));
  const QRect target(left, top, static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h)));
  QPainter painter;
  for (size_t i = 0; i < pages.size(); ++i) {
    auto host = env_.fs.HostPath(model_.PictureFile(pages[i]));
    QImage image;
    if (!host || !image.load(QString::fromStdString(*host))) break;
    if (i == 0) {
      if (!painter.begin(printer_.get())) return;
    } else {
      printer_->newPage();
    }
    painter.drawImage(target, image);
    ShowPage(pages[i]);
  }
  if (painter.isActive()) painter.end();
}

void GraphicWindow::PrintCurrent() {
  Run([&] {
    const int page = model_.Fields().Page();
    if (page < 1 || !env_.fs.FileExists(model_.PictureFile(page)) || !env_.fs.FileExists(model_.PictureFile(1))) {
      return;
    }
    PrintPages({page});
  });
}

void GraphicWindow::PrintRange() {
  Run([&] {
    PageFields& f = model_.Fields();
    f.Str1() = ToCp(str1_->text());
    f.Str2() = ToCp(str2_->text());
    f.LeaveStr1();
    f.LeaveStr2();
    SyncFields();
    PrintPages(f.PrintRange());
  });
}

void GraphicWindow::EditPage() {
  Run([&] {
    const int page = model_.Fields().Page();
    auto jpeg = env_.fs.HostPath(model_.PictureFile(page));
    auto bmp = env_.fs.HostPath(model_.WorkPicture());
    QImage image;
    if (page < 1 || !jpeg || !bmp || !image.load(QString::fromStdString(*jpeg))) return;
    // Only the page being edited becomes a bitmap.
    if (!image.save(QString::fromStdString(*bmp), "BMP")) {
      ErrorBox(env_, "Soubor:\r\r\"" + model_.WorkPicture() + "\"\r\r     - nelze zapsat !");
      return;
    }
    if (auto editor = GraphicPagesModel::ImageEditor()) {
      if (RunHostProgram({*editor, *bmp}, true) < 0) {
        ErrorBox(env_, "Editor obrazku nelze spustit:\r\r" + *editor);
        return;
      }
    } else {
      int code = 0;
      if (!OpenHostDocument(env_, *bmp, &code)) return;
      // The desktop's editor does not tell when it ends.
      if (!AskYesNo(env_, "Editace obrazku byla ukoncena a obrazek ulozen ?\r\r(Ne: zmeny se nepouziji)")) return;
    }
    QImage edited;
    if (!edited.load(QString::fromStdString(*bmp)) || !SaveJpeg(edited, *jpeg)) {
      ErrorBox(env_, std::string(kNoGraphicFormat) + "\r\r" + model_.PictureFile(page));
      return;
    }
    ShowPage(page);
  });
}

void GraphicWindow::ExportPdf(std::optional<std::string> target) {
  Run([&] {
    PageFields& f = model_.Fields();
    const int from = PageFields::Number(f.Str1());
    const int to = PageFields::Number(f.Str2());
    if (from < 1 || to < from) return;
    for (int p = to; p >= from; --p) {
      if (!FileExistsOrSay(env_, model_.PictureFile(p))) return;
    }
    if (!target) {
      FileDialogRequest request;
      request.title = "PDF";
      request.startDir = DirectoryOf(model_.ReportFile());
      request.filter = "Pdf soubory|*.Pdf";
      request.fileName = BaseName(model_.ReportFile());
      auto chosen = env_.ui.SaveFileDialog(request);
      if (!chosen) return;
      const std::string name = FileNameOf(*chosen);
      target = DirectoryOf(*chosen) + "\\" + name.substr(0, name.find('.')) + ".Pdf";
    }
    std::vector<std::string> pictures;
    for (int p = from; p <= to; ++p) pictures.push_back(model_.PictureFile(p));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    progress_->setValue(50);
    const OfficeResult result = office_.PicturesToPdf(env_, pictures, *target);
    progress_->setValue(0);
    QApplication::restoreOverrideCursor();
    if (result != OfficeResult::Done) {
      ErrorBox(env_, "Soubor:\r\r\"" + *target + "\"\r\r     - nelze zapsat !");
      return;
    }
    if (AskYesNo(env_, "Byl vytvoren soubor: \r\r     " + *target + "\r\rMa byt zobrazen ?")) {
      int code = 0;
      if (!OpenDocument(env_, *target, &code)) {
        ErrorBox(env_, "Pri pokusu o zobrazeni doslo k chybe.", "Chyba:  " + IntTextZero(code, 5));
      }
    }
  });
}

void GraphicWindow::ChooseFont(FontChoice& font, bool fixedPitchOnly) {
  Run([&] {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), this, FromCp("Font"),
                                        fixedPitchOnly ? QFontDialog::MonospacedFonts : QFontDialog::FontDialogOptions());
    if (!ok) return;
    if (fixedPitchOnly && !QFontInfo(chosen).fixedPitch()) return;
    font = ToFontChoice(chosen, font);
  });
}

void GraphicWindow::done(int result) {
  Run([&] {
    model_.Close();
    if (ima_ != nullptr) ima_->ImaFrames = true;
  });
  QDialog::done(result);
}

}  // namespace orvo::gui
