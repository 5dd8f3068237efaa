#include "core/shell/login_dialog.h"

#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/shell/login.h"
#include "core/shell/marker_files.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

void LoginDialogModel::Show() {
  ReadAccessFile(session_.env, AccessFileName());
  password_.clear();
  defaultPassword_ = false;
  session_.UserRole.clear();
  session_.UserRights.clear();
  session_.MasterLogin = false;
  nameField_ = session_.UserName;
  name_ = Trim(nameField_);
  focus_ = Focus::Name;
}

void LoginDialogModel::NameEnter() {
  nameField_ = Trim(nameField_);
  name_ = nameField_;
  PasswordFocus();
}

bool LoginDialogModel::NameLeave() {
  NameEnter();
  if (name_ == kMasterUser && MasterLoginEnabled(session_.env)) {
    Close();
    return true;
  }
  return false;
}

void LoginDialogModel::PasswordFocus() {
  focus_ = Focus::Password;
  password_.clear();
}

void LoginDialogModel::TypeChar(char c) {
  auto byte = static_cast<unsigned char>(c);
  if (byte >= 32 && byte != 127) password_ += c;
}

void LoginDialogModel::Backspace() {
  if (!password_.empty()) password_.pop_back();
}

void LoginDialogModel::PasswordEnter() { Close(); }

void LoginDialogModel::Escape() { throw Termination("login cancelled"); }

void LoginDialogModel::RequireAdmin() {
  Evaluate();
  if (session_.UserRole != "Admin") {
    ErrorBox(session_.env, "Pro tuto akci nemate opravneni !\r\rProgram bude ukoncen.");
    throw Termination("not an administrator");
  }
}

void LoginDialogModel::DropAccessFile() {
  RequireAdmin();
  if (AskYesNo(session_.env,
               "Skutecne chceme zrusit soustavu vygenerovanych pristupu ?\r\rProgram bude ukoncen.")) {
    if (EraseFile(session_.env, AccessFileName()) != kIoOk) {
      ErrorBox(session_.env, "Operaci se nepodarilo provest !");
    }
  }
  throw Termination("access file dropped");
}

std::vector<std::string> LoginDialogModel::ListMarkers() {
  RequireAdmin();
  return ListAccessMarkers(session_.env, AccessFileName());
}

void LoginDialogModel::EraseMarker(std::string_view baseName) {
  EraseAccessMarker(session_.env, AccessFileName(), baseName);
}

void LoginDialogModel::Evaluate() {
  bool admitted = EvaluateLogin(session_, name_, password_);
  defaultPassword_ = admitted && !session_.MasterLogin && session_.UserRole == "Admin" &&
                     password_ == kDefaultAdminPassword;
  password_.clear();
}

void LoginDialogModel::Close() {
  Evaluate();
  if (defaultPassword_) InfoBox(session_.env, kDefaultPasswordNotice);
}

}  // namespace orvo
