// The text editor's find dialog: the searched text, whole words only,
// match case and the direction. Non-modal; "Najit dalsi" hands the request
// to its editor, which searches and reports.
#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

struct FindRequest {
  QString text;
  bool wholeWord = false;
  bool matchCase = false;
  bool upward = false;
};

class EditorFindDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EditorFindDialog(QWidget* parent = nullptr);

  FindRequest Request() const;
  void SetText(const QString& text);
  // Called by "Najit dalsi" (and Return in the text).
  std::function<void(const FindRequest&)> findNext;

  QLineEdit* TextField() const { return text_; }
  QCheckBox* WholeWord() const { return wholeWord_; }
  QCheckBox* MatchCase() const { return matchCase_; }
  QRadioButton* Upward() const { return up_; }
  QRadioButton* Downward() const { return down_; }
  QPushButton* FindButton() const { return find_; }

 private:
  QLineEdit* text_;
  QCheckBox* wholeWord_;
  QCheckBox* matchCase_;
  QRadioButton* up_;
  QRadioButton* down_;
  QPushButton* find_;
};

}  // namespace orvo::gui
