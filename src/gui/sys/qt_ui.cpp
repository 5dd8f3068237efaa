#include "gui/sys/qt_ui.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTranslator>

#include <utility>

#include "core/sys/encoding.h"
#include "gui/sys/qt_text.h"
#include "gui/sys/small_windows.h"

namespace orvo::gui {

namespace {

QWidget* BoxParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Info:
      return QMessageBox::Information;
    case MessageKind::Error:
      return QMessageBox::Warning;
    case MessageKind::YesNo:
      return QMessageBox::Question;
    case MessageKind::YesNoCancel:
      return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

// Qt's own texts (file dialogs, context menus, the buttons of standard
// dialogs) in Czech, once per process, from the translations of the Qt
// installation (Debian: qt6-translations-l10n). Without them the texts stay
// English; the message boxes name their buttons themselves.
void InstallCzechQtTexts() {
  static bool installed = false;
  if (installed || QCoreApplication::instance() == nullptr) return;
  installed = true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

// The buttons of the system's message boxes, as the users know them.
void CzechButtons(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, const char*> names[] = {
      {QMessageBox::Yes, "Ano"}, {QMessageBox::No, "Ne"}, {QMessageBox::Cancel, "Storno"}};
  for (const auto& [button, name] : names) {
    if (QAbstractButton* b = box.button(button)) b->setText(QString::fromLatin1(name));
  }
}

}  // namespace

QtUi::QtUi(DosFs& fs, Clock& clock)
    : fs_(fs),
      clock_(clock),
      progress_(std::make_unique<ProgressWindow>()),
      notice_(std::make_unique<NoticeWindow>()),
      info_(std::make_unique<InformationWindow>()) {
  InstallCzechQtTexts();
}

QtUi::~QtUi() {
  while (hourglass_ > 0) SetHourglass(false);
}

void QtUi::Message(MessageKind kind, std::string_view text, std::string_view caption) {
  QMessageBox box(IconOf(kind), FromCp(caption), FromCp(text), QMessageBox::Ok, BoxParent());
  box.setObjectName(QStringLiteral("OrvoMessageBox"));
  box.exec();
}

Answer QtUi::Ask(MessageKind kind, std::string_view text, std::string_view caption) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (kind == MessageKind::YesNoCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(IconOf(kind), FromCp(caption), FromCp(text), buttons, BoxParent());
  box.setObjectName(QStringLiteral("OrvoMessageBox"));
  CzechButtons(box);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(kind == MessageKind::YesNoCancel ? QMessageBox::Cancel : QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return Answer::No;
  }
}

void QtUi::Beep() { QApplication::beep(); }

void QtUi::ProcessEvents() { QCoreApplication::processEvents(); }

void QtUi::ShowProgress(std::string_view caption) {
  progress_->SetCaption(caption.empty() ? QString::fromLatin1(ProgressWindow::kCaption)
                                        : FromCp(caption));
  progress_->Place();
  progress_->show();
  progress_->raise();
  progress_->repaint();
  SetHourglass(true);
}

void QtUi::HideProgress() {
  if (progress_->isVisible()) {
    progress_->hide();
    SetHourglass(false);
  }
}

void QtUi::ShowNotice(std::string_view text) {
  notice_->ShowNotice(FromCp(text));
  notice_->repaint();
}

void QtUi::HideNotice() { notice_->hide(); }

void QtUi::SetHourglass(bool on) {
  if (on) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++hourglass_;
  } else if (hourglass_ > 0) {
    QApplication::restoreOverrideCursor();
    --hourglass_;
  }
}

void QtUi::ShowInformation(std::string_view title, std::string_view line1, std::string_view line2,
                           int displayMs, bool selfClosing) {
  info_->SetContent(FromCp(title), FromCp(line1), FromCp(line2));
  info_->show();
  info_->raise();
  info_->repaint();
  infoDisplayMs_ = displayMs;
  if (selfClosing) HideInformation();
}

void QtUi::HideInformation() {
  if (!info_->isVisible()) return;
  if (infoDisplayMs_ > 0) clock_.Sleep(infoDisplayMs_);
  info_->hide();
}

void QtUi::QuitWindow(std::string_view title) {
  const QString wanted = FromCp(title);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->windowTitle() == wanted) w->close();
  }
}

int QtUi::ScreenDpi() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
}

QStringList NameFilters(std::string_view filter) {
  QStringList parts = FromCp(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    QString masks = parts[i + 1];
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    // QFileDialog takes the patterns from the parentheses of the text.
    if (!description.contains(QLatin1Char('('))) description += QStringLiteral(" (") + masks + ")";
    filters << description;
  }
  if (parts.size() == 1 && !parts[0].isEmpty()) filters << parts[0];
  return filters;
}

std::optional<std::string> QtUi::FileDialog(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(BoxParent(), FromCp(request.title));
  dialog.setObjectName(QStringLiteral("OrvoFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (auto dir = fs_.HostPath(request.startDir)) dialog.setDirectory(QString::fromStdString(*dir));
  QStringList filters = NameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.fileName.empty()) dialog.selectFile(FromCp(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  std::string host = dialog.selectedFiles().front().toStdString();
  if (auto logical = fs_.Drives().LogicalPathOf(host)) return logical;
  // A file outside every mapped drive gets a drive of its own, as a data
  // root named by a host directory does.
  std::string dir = host.substr(0, host.rfind('/'));
  if (dir.empty()) dir = "/";
  if (fs_.Drives().MapFreeLetter(dir) == '\0') return std::nullopt;
  return fs_.Drives().LogicalPathOf(host);
}

std::optional<std::string> QtUi::OpenFileDialog(const FileDialogRequest& request) {
  return FileDialog(request, false);
}

std::optional<std::string> QtUi::SaveFileDialog(const FileDialogRequest& request) {
  return FileDialog(request, true);
}

}  // namespace orvo::gui
