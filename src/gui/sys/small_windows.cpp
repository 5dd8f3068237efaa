#include "gui/sys/small_windows.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace orvo::gui {

namespace {

QRect ScreenArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

constexpr int kCaptionHeight = 34;

}  // namespace

CaptionWindow::CaptionWindow(QColor background, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      background_(background) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
}

void CaptionWindow::SetCaption(const QString& caption) {
  caption_ = caption;
  setWindowTitle(caption);
  update();
}

void CaptionWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), background_);
  p.setPen(QColor(Qt::white));
  QFont f = font();
  f.setBold(true);
  p.setFont(f);
  p.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

ProgressWindow::ProgressWindow(QWidget* parent) : CaptionWindow(QColor(200, 0, 0), parent) {
  SetCaption(QString::fromLatin1(kCaption));
  setFixedSize(153, kCaptionHeight);
}

void ProgressWindow::Place() {
  QRect s = ScreenArea();
  move(s.left() + 11, s.bottom() + 1 - 80);
}

NoticeWindow::NoticeWindow(QWidget* parent) : CaptionWindow(QColor(0, 0, 128), parent) {}

void NoticeWindow::ShowNotice(const QString& text) {
  SetCaption(QStringLiteral("  ") + text);
  QFont f = font();
  f.setBold(true);
  setFixedSize(QFontMetrics(f).horizontalAdvance(Caption()) + 120, kCaptionHeight);
  QRect s = ScreenArea();
  move(s.left() + 11, s.bottom() + 1 - 80);
  show();
  raise();
}

InformationWindow::InformationWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void InformationWindow::SetContent(const QString& title, const QString& line1,
                                   const QString& line2) {
  setWindowTitle(QStringLiteral("  ") + (title.isEmpty() ? QStringLiteral("Informace:") : title));
  line1_ = line1;
  line2_ = line2;
  QFontMetrics fm(font());
  int wider = std::max(fm.horizontalAdvance(line1_), fm.horizontalAdvance(line2_));
  setFixedSize(wider + 50, line2_.isEmpty() ? 62 : 108);
  QRect s = ScreenArea();
  move(s.center() - rect().center());
  update();
}

void InformationWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.setPen(palette().windowText().color());
  if (line2_.isEmpty()) {
    p.drawText(rect(), Qt::AlignCenter, line1_);
  } else {
    QRect top = rect();
    top.setHeight(rect().height() / 2);
    QRect bottom = rect();
    bottom.setTop(top.bottom());
    p.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, line1_);
    p.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop, line2_);
  }
}

}  // namespace orvo::gui
