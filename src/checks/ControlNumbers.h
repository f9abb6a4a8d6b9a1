#pragma once

// The control numbers ("KČ") of record T/2 and its Annex 1 sheets, and the
// closing record with its control sums. The commission never types them: the
// data-entry window shows what is computed here, the check command recomputes
// the closing record before it saves, and the checks compare against the
// same formulas. Nothing here touches a widget or a file.

#include "store/PrecinctRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace urn {

// The highest random number the closing record may carry.
inline constexpr qint32 kNejvyssiNahodneCislo = 999998;

// Control number 1 of a precinct: (obec * 100000 + okrsek) mod 7, formed as
// x - 7 * trunc(x / 7), so it is 0..6 for the municipality and precinct
// numbers that exist (and never above 6 in magnitude otherwise).
qint64 KC1(qint64 obec, qint64 okrsek);

// iStr preceded by as many iChar as make it iLen characters long; a text
// already that long or longer is returned unchanged.
QString padl(const QString& iStr, int iLen, QChar iChar);

// A number text of the record files or the station configuration read as a
// whole number: leading blanks, an optional sign and decimal digits; anything
// else (an empty field, blanks only, letters) counts as 0.
qint64 cisloNeboNula(const QString& text);

struct TStrana;
struct TSeznamStran;
struct TStanice;

// The party number of a party-list entry: its number text read as a decimal
// integer, 0 when it is not one.
int cisloStrany(const TStrana& s);

// The number of candidates the last-candidate scan of a sheet looks at:
// PocetKand of the last entry of the party list with that number, 28 when no
// entry has it or its count is not a number; at most 28.
int pocetKandidatuListu(const TSeznamStran& seznam, int strana);

// T2KC_1 and T2KC_2 of record type 1.
void ProcDopoctiT2(TPrecinctRecord& record);

// The computed numbers of the Annex 1 sheet of party iEStrana (1..60): T2PKC1
// to T2PKC4, T2PPoslKand (over the candidates the party list gives the
// party) and T2PKontrSoucet. Other party numbers do nothing.
void ProcDopoctiT2P(TPrecinctRecord& record, const TSeznamStran& seznam, int iEStrana);

// Rebuilds ZaskrtStrany from the party check boxes: every character "0",
// then "1" for each party number in the list (numbers outside 1..60 are
// ignored).
void ProcDopoctiT2ZakrStrana(TPrecinctRecord& record, const QList<int>& zaskrtnuteStrany);

// Ticking a party's box marks it at once and prepares its sheet with the
// identification of record type 1; unticking only clears the mark, the sheet
// keeps what was entered.
void zaskrtniStranu(TPrecinctRecord& record, int strana, bool zaskrtnuta);

// The number of ticked parties among the first 30, the count of Annex 1
// sheets that section III shows (PrilListu).
int pocetPriloh(const TVetaT2& t2);

// What the closing record takes from outside the record.
struct TVstupTS {
    QDateTime ted;           // DatumKontr and CasKontr
    QString IdStanice;       // of the station configuration, ten digits
    QString VerzeOS;         // of the station configuration, two digits
    qint32 NahodneCislo = 0; // 0 .. kNejvyssiNahodneCislo
};

// The grand control sum of a closing record from its own fields: what
// ProcDopoctiTS stores as KontrSoucetTS and what the checks expect there.
double kontrolniSoucetTS(const TVetaTS& ts);

// What the program gives the closing record: the clock, the station
// configuration's identifiers and the program's random numbers.
TVstupTS vstupTS(const TStanice& stanice);

// Fills the closing record from record type 1 and the ticked sheets (taken
// in the order of the party list), and sets PrilListu of sections I and
// III. KodyChyb is kept; TSOprava and TSChyba become 0.
void ProcDopoctiTS(TPrecinctRecord& record, const TSeznamStran& seznam, const TVstupTS& vstup);

} // namespace urn
