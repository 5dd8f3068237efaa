#include "core/app/transfer_menu.h"

namespace orvo {

namespace {

struct Pair {
  MenuAction action;
  KumItem item;
};

constexpr Pair kPairs[] = {
    {MenuAction::KumPexo, KumItem::Pexo},         {MenuAction::KumRamu, KumItem::Ramu},
    {MenuAction::KumSramu, KumItem::Sramu},       {MenuAction::KumKolo, KumItem::Kolo},
    {MenuAction::KumMzd, KumItem::Mzdy},          {MenuAction::KumVintZav, KumItem::VintZavod},
    {MenuAction::KumVintStr, KumItem::VintStredisko},
};

}  // namespace

bool KumItemOfAction(MenuAction action, KumItem* item) {
  for (const Pair& p : kPairs) {
    if (p.action == action) {
      *item = p.item;
      return true;
    }
  }
  return false;
}

MenuAction ActionOfKumItem(KumItem item) {
  for (const Pair& p : kPairs) {
    if (p.item == item) return p.action;
  }
  return MenuAction::KumPexo;
}

}  // namespace orvo
