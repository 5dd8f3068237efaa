// The small shared windows of the main window: the progress window TVp
// (red, always on top, with the hourglass), the notice window TInfCap and
// the information window TInfLab / TInfo. They only paint what they are
// given; the Qt Ui shows and hides them.
#pragma once

#include <QString>
#include <QWidget>

namespace orvo::gui {

// A caption-only window: a strip painted like a title bar. Shown without
// taking the focus from the window the user works in.
class CaptionWindow : public QWidget {
  Q_OBJECT
 public:
  CaptionWindow(QColor background, QWidget* parent = nullptr);
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor background_;
  QString caption_;
};

// "  Probiha vypocet !   ............": 153 x 34 at left 11, 80 pixels
// above the bottom of the screen.
class ProgressWindow : public CaptionWindow {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "  Probiha vypocet !   ............";
  explicit ProgressWindow(QWidget* parent = nullptr);
  void Place();
};

// Two blanks and the notice text; as wide as the text plus 120 pixels, at
// the place of the progress window.
class NoticeWindow : public CaptionWindow {
  Q_OBJECT
 public:
  explicit NoticeWindow(QWidget* parent = nullptr);
  void ShowNotice(const QString& text);
};

// The information window: caption two blanks + title, one or two centred
// lines; 62 pixels high with one line and 108 with two, as wide as the
// wider line plus 50, centred on the screen.
class InformationWindow : public QWidget {
  Q_OBJECT
 public:
  explicit InformationWindow(QWidget* parent = nullptr);
  void SetContent(const QString& title, const QString& line1, const QString& line2);
  QString Line(int i) const { return i == 0 ? line1_ : line2_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString line1_;
  QString line2_;
};

}  // namespace orvo::gui
