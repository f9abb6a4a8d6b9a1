#pragma once

// The record T/2 on paper: page 1 with sections I and II, the pages of
// section III and one Annex 1 sheet for every party marked in the record,
// every page with the record's footer. The export command prints it in the
// number of copies the commission asks for and then shows it once more in
// the preview window, from which it can be printed again.

#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"

#include <QString>

#include <array>

class QPainter;

namespace urn {

struct PrecinctSession;

// The state of one printout of the record, kept from page to page.
struct TStavZapisu {
    int CisloStrany = 1;         // page number within the document
    int StranCelkem = 0;         // pages of the whole document, as the footer gives them
    int CisloListu = 1;          // sheet number of the next Annex 1 sheet
    QString CasTiskuPresny;      // "dd.mm.yyyy hh:mm:ss,zzz" of the call, the same on every copy
    bool ChybyVytisteny = false; // the list of error numbers is on this document already
    // The party list by party number (1..30; entry 0 is never used).
    std::array<TStrana, kMaxStran + 1> StranyPodleCisla{};
    QString NazevOkresu; // district of the station's municipality
    // While the pages are being counted: the canvas that draws nothing.
    QPainter* Pocitani = nullptr;
};
TStavZapisu& StavZapisu();

// Prints the session's record (with the passable errors and warnings of its
// last check run, its party list, the names of the commission and the
// station's municipality): `pocetKopii` copies directly (0 and 1 print one),
// each its own print job titled "QZT2.pdf", then the same document into the
// preview window, shown modally. Without a printer the user is told and
// offered the print dialog; the preview comes in every case.
void TiskZapisu(const PrecinctSession& data, int pocetKopii);
// One complete document through the preview window's drawing contract.
void SestavZapis(const PrecinctSession& data);
// The footer of the page being drawn (drawn last on every page).
void PatickaZapisu(const PrecinctSession& data);
// The next page of the document: from the preview window, or the counting
// canvas while the pages are counted.
void NovaStranaZapisu();

// ---- the Annex 1 sheet ----

// The sheet of party `p` on the fresh current page; adds continuation pages
// (with their footers) when the names of the commission need them.
void PrilohaList(const PrecinctSession& data, int p);
// The header of the preferential-votes table on the current line.
void HlavickaTabulky();
// The grid of the table whose top is at `T`.
void MrizkaTabulky(int radku, int T);

// ---- shared by the record and its annex ----

// The identification box of the precinct: labels on the current line,
// values on the next. Annex sheets mark it "*)" and draw its value row with
// a lighter pen.
void IdentifikaceOkrsku(const TVetaT2& t2, bool priloha);
// "Hodina, den, měsíc a rok vyhotovení zápisu" and "Jméno, příjmení a
// podpis zapisovatele" with their values over the dots.
void VyhotoveniAZapisovatel(const THlaso& hlaso);
// A member's name over the dots of a cell `sirka` wide: a name too long
// for the cell in the normal size is printed smaller rather than over the
// neighbouring name.
void JmenoVBunce(int x, int sirka, const QString& jmeno, const QString& styl);

} // namespace urn
