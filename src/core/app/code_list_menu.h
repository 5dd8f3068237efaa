// The "Ciselniky" items of the main menu: the per-year chart of accounts,
// activities and konta (the current year's file, carried over from the year
// before when missing, edited, then copied to the siblings), and the three
// lists kept in one file each, opened by name.
#pragma once

#include "core/shell/session.h"
#include "core/screens/cds_cis.h"

namespace orvo {

void AUcty(Session& session, TCdsCis& cis);       // "Ucty"
void ACinn(Session& session, TCdsCis& cis);       // "Cinnosti"
void AKonta(Session& session, TCdsCis& cis);      // "Konta"
void AMjCinn(Session& session, TCdsCis& cis);     // "Merne jednotky"
void ACM(Session& session, TCdsCis& cis);         // "Cizi meny"
// "Prevod odberatelu a dodavatelu na konta": keyed by the kind and the code.
void AOdDoKonto(Session& session, TCdsCis& cis);

}  // namespace orvo
