// The main window's menu and tool bar as data: captions, handler names and
// the role or right guard of each item. The window builds its menus from
// this table and asks MainWindowModel to check the guard before it acts.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace orvo {

enum class MenuAction {
  None,  // a submenu
  DosPrevCis,
  DosPrevStavy,
  DosPrevObraty,
  DataStavy,
  DataObraty,
  PrehUctDenik,
  PrehHlKniha,
  VyvojStUc,
  VyvojStCn,
  SaldoKonto,
  VykVysl,
  VykRozv,
  VykVol,
  DataKalk,
  Kalkulace,
  TabStavy,
  TabObraty,
  TabObratyOdDo,
  TabStavyObraty,
  TabAktStavy,
  KumPexo,
  KumRamu,
  KumSramu,
  KumKolo,
  KumMzd,
  KumVintZav,
  KumVintStr,
  AutPrev,
  UzavMes,
  RocUzav,
  AUcty,
  ACinn,
  AKonta,
  AMjCinn,
  ACM,
  AOdDoKonto,
  ArchFile,
  ObnovaDat,
  NObdobi,
  DefInic,
  DefVysl,
  DefRozv,
  EditAt,
  EditRt,
  EditRv,
  EditIm,
  ProhlObr,
  PrehrMedii,
  ProgClose,
  // Tool-bar only.
  Datum,
  Cas,
  Napoveda,
};

// *right*: the rights check with its message; *role*: UserRole must be one
// of the names, refused without a word.
enum class MenuGuard { None, Right, Role };

struct MenuEntry {
  int depth;  // 0: a menu of the menu bar, 1: its item, 2 and 3: submenu items
  std::string_view caption;
  MenuAction action;
  std::string_view handler;
  MenuGuard guard = MenuGuard::None;
  std::array<std::string_view, 3> names{};  // the guard's roles or rights
};

struct ToolButton {
  std::string_view hint;
  MenuAction action;
};

// In menu order; a submenu is followed by its items at the next depth.
std::span<const MenuEntry> MainMenu();
// The six tool-bar buttons, left to right.
std::span<const ToolButton> MainToolBar();
// The table row of an action (the first one for the tool-bar actions that
// share an item); nullptr for the tool-bar-only actions.
const MenuEntry* MenuEntryOf(MenuAction action);

// The caption of the "Dos" menu, which is visible only for role "Admin".
inline constexpr std::string_view kDosMenu = "Dos";

}  // namespace orvo
