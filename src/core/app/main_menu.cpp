#include "core/app/main_menu.h"

namespace orvo {

namespace {

using A = MenuAction;
using G = MenuGuard;

constexpr MenuEntry kMenu[] = {
    {0, "Dos", A::None, "", G::None, {}},
    {1, "Prevod ciselniku", A::DosPrevCis, "DosPrevCis", G::Role, {"Admin"}},
    {1, "Prevod pocatecnich stavu uctu", A::DosPrevStavy, "DosPrevStavy", G::Role, {"Admin"}},
    {1, "Prevod obratu uctu", A::DosPrevObraty, "DosPrevObraty", G::Role, {"Admin"}},
    {0, "Data", A::None, "", G::None, {}},
    {1, "Pocatecni stavy", A::DataStavy, "DataStavy", G::Right, {"Sprav"}},
    {1, "Obraty", A::DataObraty, "DataObraty", G::Right, {"Sprav"}},
    {0, "Prehledy", A::None, "", G::None, {}},
    {1, "Ucetni denik", A::PrehUctDenik, "PrehUctDenik", G::None, {}},
    {1, "Hlavni kniha", A::PrehHlKniha, "PrehHlKniha", G::None, {}},
    {1, "Vyvoj stavu uctu", A::VyvojStUc, "VyvojStUc", G::None, {}},
    {1, "Vyvoj stavu cinnosti", A::VyvojStCn, "VyvojStCn", G::None, {}},
    {1, "Saldo - Konto", A::SaldoKonto, "SaldoKonto", G::None, {}},
    {0, "Vykazy", A::None, "", G::None, {}},
    {1, "Vysledovka", A::VykVysl, "VykVysl", G::None, {}},
    {1, "Rozvaha", A::VykRozv, "VykRozv", G::None, {}},
    {1, "Volitelny vykaz", A::VykVol, "VykVol", G::None, {}},
    {0, "Kalkulace", A::None, "", G::None, {}},
    {1, "Vkladani dat", A::DataKalk, "DataKalk", G::None, {}},
    {1, "Vypocet", A::Kalkulace, "Kalkulace", G::None, {}},
    {0, "Tabulky", A::None, "", G::None, {}},
    {1, "Pocatecni mesicni stavy", A::TabStavy, "TabStavy", G::None, {}},
    {1, "Mesicni obraty", A::TabObraty, "TabObraty", G::None, {}},
    {1, "Obraty za zvolene obdobi", A::TabObratyOdDo, "TabObratyOdDo", G::None, {}},
    {1, "Mesicni Stavy+Obraty", A::TabStavyObraty, "TabStavyObraty", G::None, {}},
    {1, "Aktualni stavy", A::TabAktStavy, "TabAktStavy", G::None, {}},
    {0, "Prevody", A::None, "", G::None, {}},
    {1, "Kumulace", A::None, "", G::None, {}},
    {2, "Pexo", A::KumPexo, "KumPexo", G::None, {}},
    {2, "Ramu", A::KumRamu, "KumRamu", G::None, {}},
    {2, "Sramu", A::KumSramu, "KumSramu", G::None, {}},
    {2, "KOLO", A::KumKolo, "KumKolo", G::None, {}},
    {2, "Mzdy", A::KumMzd, "KumMzd", G::None, {}},
    {2, "Vint", A::None, "", G::None, {}},
    {3, "Za zavod", A::KumVintZav, "KumVintZav", G::None, {}},
    {3, "Za stredisko", A::KumVintStr, "KumVintStr", G::None, {}},
    {1, "Automaticke prevody", A::AutPrev, "AutPrev", G::None, {}},
    {0, "Uzaverka", A::None, "", G::None, {}},
    {1, "Mesicni", A::UzavMes, "UzavMes", G::Role, {"Admin", "Sprav"}},
    {1, "Uprava stavu XX00", A::RocUzav, "RocUzav", G::Role, {"Admin", "Sprav"}},
    {0, "Ciselniky", A::None, "", G::None, {}},
    {1, "Ucty", A::AUcty, "AUcty", G::None, {}},
    {1, "Cinnosti", A::ACinn, "ACinn", G::None, {}},
    {1, "Konta", A::AKonta, "AKonta", G::None, {}},
    {1, "Merne jednotky", A::AMjCinn, "AMjCinn", G::None, {}},
    {1, "Cizi meny", A::ACM, "ACM", G::None, {}},
    {1, "Prevod odberatelu a dodavatelu na konta", A::AOdDoKonto, "AOdDoKonto", G::None, {}},
    {0, "Servis", A::None, "", G::None, {}},
    {1, "Archivace", A::None, "", G::None, {}},
    {2, "Ulozeni dat", A::ArchFile, "ArchFile", G::None, {}},
    {2, "Obnova dat po havarii", A::ObnovaDat, "ObnovaDat", G::Right, {"Sprav"}},
    {1, "Ucetni obdobi", A::NObdobi, "NObdobi", G::Role, {"Admin", "Sprav", "AdmDef"}},
    {1, "Definicni soubory", A::None, "", G::None, {}},
    {2, "Inicializacni soubor", A::DefInic, "DefInic", G::Right, {"Sprav", "AdmDef"}},
    {2, "Vysledovka", A::DefVysl, "DefVysl", G::Right, {"Sprav", "AdmDef"}},
    {2, "Rozvaha", A::DefRozv, "DefRozv", G::Right, {"Sprav", "AdmDef"}},
    {1, "Editory", A::None, "", G::None, {}},
    {2, "ASCII - Editor", A::EditAt, "EditAt", G::None, {}},
    {2, "RTF - Editor", A::EditRt, "EditRt", G::None, {}},
    {2, "RVF - Editor", A::EditRv, "EditRv", G::None, {}},
    {2, "Image - Editor", A::EditIm, "EditIm", G::None, {}},
    {1, "Prohlizece", A::None, "", G::None, {}},
    {2, "Prohlizec obrazku", A::ProhlObr, "ProhlObr", G::None, {}},
    {2, "Prehravac medii", A::PrehrMedii, "PrehrMedii", G::None, {}},
    {0, "Konec", A::ProgClose, "ProgClose", G::None, {}},
};

constexpr ToolButton kToolBar[] = {
    {"Zpracovani ucetnich dokladu", A::DataObraty},
    {"Zmena ucetniho obdobi", A::NObdobi},
    {"Kalendar", A::Datum},
    {"Hodiny", A::Cas},
    {"Napoveda", A::Napoveda},
    {"Ukonceni programu", A::ProgClose},
};

}  // namespace

std::span<const MenuEntry> MainMenu() { return kMenu; }

std::span<const ToolButton> MainToolBar() { return kToolBar; }

const MenuEntry* MenuEntryOf(MenuAction action) {
  if (action == MenuAction::None) return nullptr;
  for (const MenuEntry& e : kMenu) {
    if (e.action == action) return &e;
  }
  return nullptr;
}

}  // namespace orvo
