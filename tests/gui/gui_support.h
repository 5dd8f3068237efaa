// Support for the window tests (offscreen): a scratch installation with
// drives C: and D:, an OrvoApp over it with a test clock and an injectable
// free space, and a driver that answers the modal windows the application
// opens - message boxes from a queue of buttons, dialogs from a queue of
// steps - while the test waits.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/app/orvo_app.h"
#include "support/scratch.h"
#include "support/test_clock.h"

namespace orvo::test {

struct SeenBox {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QStringList buttons;
};

// Polls for the active modal window: message boxes are recorded and
// answered, other dialogs get the next step.
class ModalDriver : public QObject {
  Q_OBJECT
 public:
  ModalDriver();

  // The button for the next message box; without one, Ok or No.
  void Answer(QMessageBox::StandardButton button) { answers_.push_back(button); }
  // The next step for a dialog; it runs once the dialog is the active modal
  // window, from a fresh timer (so the boxes it opens are answered too).
  void Step(std::function<void(QWidget*)> step) { steps_.push_back(std::move(step)); }
  // Types name, Enter, password, Enter into the login dialog.
  void Login(const QString& name, const QString& password);

  std::vector<SeenBox> boxes;
  // When set, the next message box is saved as a screenshot of that name.
  std::string screenshotNextBox;
  bool StepsDone() const { return steps_.empty() && running_ == 0; }

 private:
  void Poll();

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::deque<std::function<void(QWidget*)>> steps_;
  QSet<QWidget*> inStep_;
  int running_ = 0;
};

// Processes events until the condition holds (false after timeoutMs).
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// Saves a picture of a widget as ORVO_SCREENSHOT_DIR/<name>.png.
std::string Screenshot(QWidget* widget, const std::string& name);

// The administrator's password of the test installations: not the default
// one, which asks for a change and opens the rights administration.
inline const QString kAdminPassword = QStringLiteral("Spravce1");

class GuiScratch : public ::testing::Test {
 protected:
  GuiScratch();
  ~GuiScratch() override;

  std::unique_ptr<gui::OrvoApp> MakeApp();
  // MakeApp and Start with "D:"; the login and the welcome box answered.
  // Without an access file, one with the administrator (kAdminPassword) is
  // put in place first.
  gui::OrvoApp& StartLoggedIn(const QString& name = "Admin", const QString& password = kAdminPassword);

  // The installation of the data root: UctInic.TXT and the files it needs,
  // and the period 16 03 unless one is there.
  void PutInstallation();
  // Users of the access file (name, password, role); the default Admin too.
  void PutUsers(const std::vector<std::vector<std::string>>& users);
  // orvo-batch demo on the scratch drives with the shipped installation
  // data, its user Admin getting `password`; no message on the way.
  void InstallDemoCompany(const std::string& password);
  std::string Host(std::string_view logical) const;
  void Put(std::string_view logical, std::string_view bytes);
  bool Exists(std::string_view logical) const;

  TempDir root;
  std::string cDir;
  std::string dDir;
  TestClock clock;
  uint64_t freeBytes = 800000000;
  ModalDriver driver;
  std::unique_ptr<gui::OrvoApp> app;
};

}  // namespace orvo::test

namespace orvo::test {
inline void PrintTo(const SeenBox& b, std::ostream* os) {
  *os << "[" << b.title.toStdString() << "] " << b.text.toStdString();
}
}  // namespace orvo::test
