// The model of the login dialog THesloG ("  Vlozeni pristupoveho hesla "):
// a name field, a password field that shows one "*" per typed character,
// and the administrator's keys Ctrl+Alt+D (drop the access file) and
// Ctrl+Alt+U (list the marker files). Escape ends the application.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/shell/run_values.h"

namespace orvo {

class LoginDialogModel {
 public:
  explicit LoginDialogModel(RunValues& session) : session_(session) {}

  static constexpr std::string_view kCaption = "  Vlozeni pristupoveho hesla ";

  enum class Focus { Name, Password };

  // Reads the access file (creating the default one), clears the typed
  // password, UserRole and UserRights, and offers the last UserName.
  void Show();

  Focus CurrentFocus() const { return focus_; }
  const std::string& NameField() const { return nameField_; }
  void SetNameField(std::string_view text) { nameField_ = std::string(text); }
  // What the password field shows: one "*" per typed character.
  std::string PasswordField() const { return std::string(password_.size(), '*'); }

  // Enter in the name field: the trimmed text becomes the name, the focus
  // goes to the password field.
  void NameEnter();
  // Leaving the name field does the same; the master user name closes the
  // dialog at once while the master login is enabled (true, Close has run).
  bool NameLeave();
  // Entering the password field clears it.
  void PasswordFocus();
  // A typed byte; printable ones are appended to the password.
  void TypeChar(char c);
  void Backspace();
  // Enter in the password field closes the dialog.
  void PasswordEnter();
  // Escape in either field ends the application.
  [[noreturn]] void Escape();

  // Ctrl+Alt+D: after the login, an "Admin" may erase the access file; the
  // application ends whatever happens.
  [[noreturn]] void DropAccessFile();
  // Ctrl+Alt+U: after the login, an "Admin" gets the marker files beside the
  // access file; anyone else ends the application.
  std::vector<std::string> ListMarkers();
  // Enter on a line of that list erases the marker; the application ends.
  [[noreturn]] void EraseMarker(std::string_view baseName);

  // Reads the access file and checks the login; "Chybne zadane jmeno nebo
  // heslo !" when no role results. The typed password is forgotten. An
  // "Admin" who typed the password every new installation starts with is
  // told to change it, and DefaultPasswordInUse asks the window to open the
  // rights administration.
  void Close();
  bool DefaultPasswordInUse() const { return defaultPassword_; }

  static constexpr std::string_view kDefaultPasswordNotice =
      "Prihlasujete se vychozim heslem spravce !\r\rZmente jej prosim v pristupovych pravech.";

 private:
  // The login check itself, without the notice.
  void Evaluate();

  // Ctrl+Alt+D and Ctrl+Alt+U evaluate the login first and are for "Admin"
  // only.
  void RequireAdmin();

  RunValues& session_;
  std::string nameField_;
  std::string name_;
  std::string password_;
  Focus focus_ = Focus::Name;
  bool defaultPassword_ = false;
};

}  // namespace orvo
