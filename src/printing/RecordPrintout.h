#pragma once

// The record T/2 on paper: page 1 with sections I and II, the pages of
// section III and one Annex 1 sheet for every party marked in the record,
// every page with the record's footer.

#include "printing/LayoutEngine.h"
#include "store/ReferenceTables.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

namespace urn {

class TChybProt;
struct TPrecinctRecord;
struct TStanice;
struct TStranaVysl;

// What the record prints.
struct TUdajeZapisu {
    const TPrecinctRecord& Zaznam;
    const TStanice& Stanice;             // the municipality's name, its code and the font suffix
    const QList<TKomise>& Komise;        // the names of the commission, in list order
    const TSeznamStran& Strany;          // the party list, whose names the annex sheets give
    const TChybProt* Protokol = nullptr; // the last check run; none before the error catalogue
};

// The state of one printout of the record, kept from page to page.
struct TStavZapisu {
    int CisloStrany = 1;         // page number within the document
    int StranCelkem = 0;         // pages of the whole document, as the footer gives them
    int CisloListu = 1;          // sheet number of the next Annex 1 sheet
    QDateTime Cas;               // the time of the call, the same on every copy
    QString CasTiskuPresny;      // "dd.mm.yyyy hh:mm:ss,zzz" of the call
    bool ChybyVytisteny = false; // the list of error numbers is on this document already
    // The party list by party number (1..30; entry 0 is never used).
    std::array<TStrana, kMaxStran + 1> StranyPodleCisla{};
    QString NazevOkresu; // district of the station's municipality
};

// What a printout of the record keeps from its start: the time of the call,
// the parties by number, the district, and the pages of the whole document,
// counted by laying it out once on a canvas that draws nothing (how many
// pages section III and the sheets take depends on the names of the
// commission and on how long texts break).
TStavZapisu PripravZapis(const TUdajeZapisu& udaje, const QDateTime& cas);
// `kopii` complete documents one after another, as one document of the sink.
void SestavZapis(PageSink& stranky, const TUdajeZapisu& udaje, const TStavZapisu& zacatek,
                 int kopii = 1);

// The drawing of one document of the record, page by page.
class RecordPrintout {
public:
    RecordPrintout(LayoutEngine& sazba, const TUdajeZapisu& udaje, TStavZapisu& stav);

    // Every page of one document, from its first page to the footer of its
    // last.
    void KresliZapis();
    // The footer of the page being drawn (drawn last on every page).
    void PatickaZapisu();
    // The next page of the document.
    void NovaStranaZapisu();

    // ---- the Annex 1 sheet ----

    // The sheet of party `p` on the fresh current page; adds continuation
    // pages (with their footers) when the names of the commission need them.
    void PrilohaList(int p);
    // The header of the preferential-votes table on the current line.
    void HlavickaTabulky();
    // The grid of the table whose top is at `T`.
    void MrizkaTabulky(int radku, int T);

    // ---- shared by the record and its annex ----

    // The identification box of the precinct: labels on the current line,
    // values on the next. Annex sheets mark it "*)" and draw its value row
    // with a lighter pen.
    void IdentifikaceOkrsku(bool priloha);
    // "Hodina, den, měsíc a rok vyhotovení zápisu" and "Jméno, příjmení a
    // podpis zapisovatele" with their values over the dots.
    void VyhotoveniAZapisovatel();
    // A member's name over the dots of a cell `sirka` wide: a name too long
    // for the cell in the normal size is printed smaller rather than over
    // the neighbouring name.
    void JmenoVBunce(int x, int sirka, const QString& jmeno, const QString& styl);

private:
    // ---- page 1, sentence by sentence ----
    void Nadpis();
    void MistoAOkres();
    void DnyVoleb();
    void CasyHlasovani();
    void Udalosti();
    void Stiznosti();
    void PrenosnaSchranka();
    void PocetListuPrilohy();
    void PoctyOddiluII();
    void ZakrouzkovaneStrany();
    void Strana1();

    // ---- section III ----
    void PokracovaniOddiluIII();
    int ZlomDlouhehoTextu(const QString& p, const QString& text);
    void DlouhyText(const QString& p, const QString& text, int dy, int radky, int korekce);
    void OddilIII();

    // ---- the annex sheet, sentence by sentence ----
    void HlavickaPrilohy();
    void ObecPrilohy();
    void OkresPrilohy();
    void StranaPrilohy(int p);
    void TabulkaPrilohy(int p);
    void KontrolniCislaPrilohy(int p);
    void JmenaPrilohy();
    void PokracovaniPrilohy();
    void CisloVRamecku(int radky, const QString& text, qint64 hodnota, int sirka, int sirkaRamecku);
    void RadekKandidata(const TStranaVysl& v, int g, int k);

    // The layout engine, the record's state and what it prints: named as
    // the routines of the form call them.
    LayoutEngine& s;
    const TUdajeZapisu& u;
    TStavZapisu& z;
};

} // namespace urn
