// The model of the main window TUct: the process start with its
// single-instance lock, the creation, showing and first-activation steps,
// the caption and labels, the guards and the window-less actions of the
// menu, and the closing with its clean-up. The Qt window only paints this
// and opens the dialogs the menu asks for; every step that decides or
// changes something lives here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/main_menu.h"
#include "core/app/session.h"
#include "core/sys/dosfs.h"

namespace orvo {

inline constexpr std::string_view kProductName = "Orvo";
// The single-instance lock sits at the root of the local drive, so that a
// refused start creates no directory.
inline constexpr std::string_view kInstanceLockFile = "C:\\Orvo.Lck";
inline constexpr uint64_t kMinimumFreeBytes = 500000000;

// Process start: the lock that admits one running copy per computer.
// Nothing, after "Program je jiz na tomto pocitaci spusten !", when another
// copy holds it. When the lock file cannot be made at all the start goes on
// without it: the local tree's own messages say what is wrong there.
std::unique_ptr<InstanceLock> TakeInstanceLock(Env& env, bool* refused);

// "Orvo", 44 blanks, "Verze 1.5    01.03.2016"; at 96 dots per inch or more
// every run of ten or more blanks becomes nine.
std::string MainCaption(int dpi);

class MainWindowModel {
 public:
  explicit MainWindowModel(Session& session) : session_(session) {}
  // However the application ends (a closing, a message that ends it), the
  // disk hand-over file that Show wrote goes with the model.
  ~MainWindowModel();
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  Session& session() { return session_; }

  // Creation: the system date check, the required parameter (the data
  // root) and DataRoot with ProgramsDir. Ends the application (Termination)
  // after the message of whatever failed.
  void Create(const std::vector<std::string>& args);

  // Showing: the directory trees with their defaults, the table viewer's
  // disk hand-over file, the current directory DataRoot\LOrvo, the
  // initialisation file (its absence ends the application), the period
  // overview copied from the data root when missing locally, and the period.
  void Show();

  // The first activation runs once: the window shows the login dialog
  // first and then calls AfterLogin, which decides the "Dos" menu, ends
  // the application for a role it does not admit, archives, checks the free
  // space of the data drive, greets the user and enters DataRoot\LOrvo\Data.
  bool FirstActivationPending() const { return firstActivation_; }
  void AfterLogin();
  bool DosMenuVisible() const { return dosVisible_; }

  // The texts the window shows.
  std::string PlantLabel() const;
  std::string AdminUnitLabel() const;
  std::string CostCentreLabel() const;
  std::string PeriodLabel() const;
  // DataRoot\LOrvo\PomSoub\Orvo.Jpg when it exists, else empty (the
  // built-in picture).
  std::string BackgroundPicture() const;

  // The guard of a menu or tool-bar item: the rights check (with its
  // message) or the silent role check. True when the item may act.
  bool Allowed(MenuAction action);
  // Whether the item is carried out by a window of the GUI (the period
  // dialogs, the restore window, closing) rather than by Perform.
  static bool NeedsWindow(MenuAction action);
  // Carries out an allowed item that needs no window. Items whose function
  // is not part of the system yet do nothing.
  void Perform(MenuAction action);

  // Closing: "Ukoncit program ?"; on Yes the work directories are emptied
  // and the disk hand-over file is erased. True when the window may close.
  bool CloseQuery();

 private:
  void RunProgramOf(std::string_view exe, bool withDataDir, bool wait);

  Session& session_;
  bool firstActivation_ = true;
  bool dosVisible_ = false;
  bool handOverWritten_ = false;
};

}  // namespace orvo
