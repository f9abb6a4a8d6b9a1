#pragma once

// The auxiliary counting sheet for preferential votes, one landscape page
// per party.

#include "printing/PageSink.h"
#include "store/ReferenceTables.h"

#include <QDateTime>
#include <QString>

namespace urn {

struct TAktOkrsek;
struct TStanice;

// What the counting sheet prints.
struct TUdajeArchu {
    const TStanice& Stanice;            // the municipality's name and the font suffix
    const TAktOkrsek& Okrsek;           // the precinct (0: left for the commission to fill in)
    const TSeznamStran& Strany;         // a page for every party of the list
    const TTabulkaKandidatu& Kandidati; // a row for every candidate
};

inline constexpr const char* kScitaciArchCaption = "Sčítací arch";
// "Tisk pomocného sčítacího archu má 27 stran.": the pages of the sheet as
// the party list makes it.
QString TitulekScitacihoArchu(int stran);
inline constexpr const char* kScitaciArchText =
    "Pokud chcete tisknout jen vybrané stránky,\rjejich výběr provedete zadáním jejich rozsahu\r"
    "v Nastavení tiskárny (ikonka s tiskárnou)\rv preview tisku a potvrdíte tlačítkem OK.\r"
    "Vlastní tisk provedete stisknutím tlačítka Tisk.";

// The whole sheet into the page sink (landscape), printed at `cas`.
void SestavScitaciArch(PageSink& stranky, const TUdajeArchu& udaje, const QDateTime& cas);

} // namespace urn
