#include "gui/gui_support.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/app/demo_install.h"
#include "core/app/install_data.h"
#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/sys/ui.h"
#include "gui/shell/login_dialog.h"
#include "gui/app/main_window.h"
#include "support/host_file.h"

namespace orvo::test {

ModalDriver::ModalDriver() {
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  timer_.start(10);
}

void ModalDriver::Login(const QString& name, const QString& password) {
  Step([name, password](QWidget* w) {
    auto* login = qobject_cast<gui::LoginDialog*>(w);
    ASSERT_NE(login, nullptr) << "expected the login dialog, got " << w->objectName().toStdString();
    login->NameField()->setText(name);
    QTest::keyClick(login->NameField(), Qt::Key_Return);
    if (!login->isVisible()) return;
    QTest::keyClicks(login->PasswordField(), password);
    QTest::keyClick(login->PasswordField(), Qt::Key_Return);
  });
}

void ModalDriver::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (!box->isVisible()) return;
    SeenBox seen{box->icon(), box->windowTitle(), box->text(), {}};
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    boxes.push_back(seen);
    if (!screenshotNextBox.empty()) {
      Screenshot(box, screenshotNextBox);
      screenshotNextBox.clear();
    }
    QMessageBox::StandardButton wanted = QMessageBox::NoButton;
    if (!answers_.empty()) {
      wanted = answers_.front();
      answers_.pop_front();
    }
    QAbstractButton* button = wanted != QMessageBox::NoButton ? box->button(wanted) : nullptr;
    if (button == nullptr) button = box->button(QMessageBox::Ok);
    if (button == nullptr) button = box->button(QMessageBox::No);
    if (button != nullptr) button->click();
    return;
  }
  // A step may open further modal windows (a file dialog from a button);
  // those get the next steps while it waits.
  if (steps_.empty() || !modal->isVisible() || inStep_.contains(modal)) return;
  inStep_.insert(modal);
  ++running_;
  auto step = std::move(steps_.front());
  steps_.pop_front();
  QPointer<QWidget> target(modal);
  QTimer::singleShot(0, this, [this, step, target] {
    if (target) step(target);
    if (target) inStep_.remove(target.data());
    --running_;
  });
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 5) {
    if (condition()) return true;
    QTest::qWait(5);
  }
  return condition();
}

std::string Screenshot(QWidget* widget, const std::string& name) {
  QDir().mkpath(QStringLiteral(ORVO_SCREENSHOT_DIR));
  std::string path = std::string(ORVO_SCREENSHOT_DIR) + "/" + name + ".png";
  widget->grab().save(QString::fromStdString(path));
  return path;
}

GuiScratch::GuiScratch() {
  cDir = root.path() + "/C";
  dDir = root.path() + "/D";
  std::filesystem::create_directories(cDir);
  std::filesystem::create_directories(dDir);
}

GuiScratch::~GuiScratch() {
  app.reset();
  QTest::qWait(1);
}

std::unique_ptr<gui::OrvoApp> GuiScratch::MakeApp() {
  gui::AppSetup setup;
  setup.drives.Map('C', cDir);
  setup.drives.Map('D', dDir);
  setup.clock = &clock;
  setup.freeSpace = [this](char) -> std::optional<uint64_t> { return freeBytes; };
  return std::make_unique<gui::OrvoApp>(std::move(setup));
}

gui::OrvoApp& GuiScratch::StartLoggedIn(const QString& name, const QString& password) {
  PutInstallation();
  if (!Exists("C:\\A_Run\\PristPr\\LOrv.H")) PutUsers({});
  app = MakeApp();
  driver.Login(name, password);
  EXPECT_TRUE(app->Start({"D:"}));
  EXPECT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  return *app;
}

std::string GuiScratch::Host(std::string_view logical) const {
  DosFs fs(DriveMap{});
  fs.Drives().Map('C', cDir);
  fs.Drives().Map('D', dDir);
  return fs.HostPath(logical).value_or("");
}

void GuiScratch::Put(std::string_view logical, std::string_view bytes) {
  std::string host = Host(logical);
  std::filesystem::create_directories(std::filesystem::path(host).parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

bool GuiScratch::Exists(std::string_view logical) const {
  return std::filesystem::exists(Host(logical));
}

void GuiScratch::PutInstallation() {
  Put("D:\\LOrvo\\PomSoub\\UctInic.TXT",
      "01 Z\xE1vod Brno\r\n02 Spr\xE1va Jih\r\n03 St\xF8\x65\x64isko 3\r\n\r\n");
  Put("D:\\LOrvo\\PomSoub\\UctObd.Txt", "Obdobi\r\n");
  for (const char* name : {"LDokl.Def", "LDoklP.Def", "LDoklZ.Def"}) {
    Put(std::string("D:\\LOrvo\\DefSoub\\") + name, "Seznam dokladu\r\n");
  }
  if (!Exists("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt")) {
    Put("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "16 03\r\n");
  }
}

void GuiScratch::PutUsers(const std::vector<std::vector<std::string>>& users) {
  DosFs fs(DriveMap{});
  fs.Drives().Map('C', cDir);
  fs.Drives().Map('D', dDir);
  class Silent : public Ui {
   public:
    void Message(MessageKind, std::string_view, std::string_view) override {}
    Answer Ask(MessageKind, std::string_view, std::string_view) override { return Answer::No; }
  } ui;
  Env env{ui, fs, clock};
  std::vector<AccessRecord> records{{"Admin", kAdminPassword.toStdString(), "Admin"}};
  for (const auto& u : users) records.push_back({u.at(0), u.at(1), u.at(2)});
  fs.MakeDir("C:\\A_Run");
  fs.MakeDir("C:\\A_Run\\PristPr");
  ASSERT_EQ(WriteAccessFile(env, AccessFileName(), BuildAccessImage(records)), 0);
}

void GuiScratch::InstallDemoCompany(const std::string& password) {
  namespace fs = std::filesystem;
  InstallSources sources;
  sources.origin = std::string(ORVO_SOURCE_DIR) + "/install";
  for (const auto& entry : fs::recursive_directory_iterator(sources.origin)) {
    if (entry.is_regular_file()) {
      sources.files[fs::relative(entry.path(), sources.origin).generic_string()] =
          ReadHostFile(entry.path());
    }
  }
  DosFs dosFs(DriveMap{});
  dosFs.Drives().Map('C', cDir);
  dosFs.Drives().Map('D', dDir);
  class Silent : public Ui {
   public:
    void Message(MessageKind, std::string_view text, std::string_view) override {
      messages.emplace_back(text);
    }
    Answer Ask(MessageKind, std::string_view, std::string_view) override { return Answer::No; }
    std::vector<std::string> messages;
  } ui;
  Env env{ui, dosFs, clock};
  std::unique_ptr<Session> session = MakeSession(env);
  SetDataRoot(*session, "D:");
  std::ostringstream out;
  DemoOptions options;
  options.newPassword = password;
  ASSERT_EQ(BatchDemo(*session, {}, sources, options, out), kBatchOk) << out.str();
  ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
}

}  // namespace orvo::test
