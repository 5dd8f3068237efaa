// The "Ciselniky" items of the main menu: the per-year chart of accounts,
// activities and konta (the current year's file, carried over from the year
// before when missing, edited, then copied to the siblings), and the three
// lists kept in one file each, opened by name.
#pragma once

#include "core/shell/run_values.h"
#include "core/screens/cds_cis.h"

namespace orvo {

void AUcty(RunValues& session, TCdsCis& cis);       // "Ucty"
void ACinn(RunValues& session, TCdsCis& cis);       // "Cinnosti"
void AKonta(RunValues& session, TCdsCis& cis);      // "Konta"
void AMjCinn(RunValues& session, TCdsCis& cis);     // "Merne jednotky"
void ACM(RunValues& session, TCdsCis& cis);         // "Cizi meny"
// "Prevod odberatelu a dodavatelu na konta": keyed by the kind and the code.
void AOdDoKonto(RunValues& session, TCdsCis& cis);

}  // namespace orvo
