#pragma once

// What leaving an entry field does to the record, without the widgets: how a
// typed text becomes a stored value, which checks run for which field and in
// which order, and what the data-entry window shows for a sheet. The window
// calls these from its exit handlers; tests call them directly.

#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"

#include <QList>
#include <QString>

#include <optional>

namespace urn {

struct PrecinctSession;

// The four numbers of section II that the commission types.
enum class TPoleOddII { ZapsOsoby, VydObalky, OdevzdObalky, PlatneHlasy };

// A finding of a check run while the commission types, as the error message
// window is told about it. `strana` names the party whose sheet the finding
// concerns (0: section II), so that correcting it returns to that party.
struct THlaseni {
    int iChyba = 0;
    QString iParam;
    bool iInfo = false;
    bool iPropust = false;
    int strana = 0;

    bool operator==(const THlaseni&) const = default;
};

// The text of a numeric field read as a number: empty or not a number (it
// can only come by pasting) counts as 0.
qint64 ctiCislo(const QString& text);

// The largest value the data file holds for a field. The fields accept five
// digits, but the file keeps most of these numbers in four characters.
inline constexpr qint64 kNejvyssiZapsOsoby = 99999;
inline constexpr qint64 kNejvyssiCtyrmistne = 9999;
qint64 nejvyssiHodnota(TPoleOddII pole);

// The Czech name of a section II field, for messages.
QString nazevPole(TPoleOddII pole);
inline constexpr const char* kNazevPocHl = "Počet hlasů strany";
QString nazevPrefHlasu(int kandidat);

// The message that refuses a typed value the data file cannot hold.
QString textNevejdeSe(const QString& nazev, qint64 hodnota, qint64 nejvyse);

// Stores a section II value into record type 1. A value above what the data
// file holds is refused: the record keeps its old value and false returns.
bool ulozOddII(TVetaT2& t2, TPoleOddII pole, qint64 hodnota);
qint64 hodnotaOddII(const TVetaT2& t2, TPoleOddII pole);

// The checks of a section II field over the session's record, in their
// order; the first that fails is the one reported, the rest do not run. A
// failed check without a silent form (the warnings) is recorded in the
// record's KodyChyb and the session's outcome flags, as the full run would.
std::optional<THlaseni> kontrolyOddII(PrecinctSession& session, TPoleOddII pole);

// The checks of Annex 1 at their moments: party votes not above the valid
// votes (15), one candidate's preferential votes not above the party's votes
// (18), the sum of the preferential votes not above twice the party's votes
// (19), and the parties' votes adding up to the valid votes (16, which is
// recorded as the full run would).
std::optional<THlaseni> kontrolaPocHl(const PrecinctSession& session, int strana);
std::optional<THlaseni> kontrolaPrefHlasu(const PrecinctSession& session, int strana, int kandidat);
std::optional<THlaseni> kontrolaSouctuPref(const PrecinctSession& session, int strana);
std::optional<THlaseni> kontrolaSouctuHlasu(PrecinctSession& session);

// Section I: an hour or minute that is only zeros ("0", "00") is stored
// empty; anything else as typed, cut to the two characters of the field.
QString hodinaNeboPrazdna(const QString& text);
// A yes/no fact of section I as the record keeps it: "B" stays "B", every
// other value becomes "N".
QString anoNe(const QString& hodnota);

// The multiple label of a candidate row: candidate number times votes,
// right-aligned in seven characters; the label of a row without votes.
QString nasobekText(int kandidat, qint64 hlasy);
inline constexpr const char* kBezNasobku = "  -----";
// The number label of a candidate row: " 7." or "12.".
QString cisloKandidataText(int kandidat);

// A party of the list as the window offers it. Entries whose number lies
// outside 1..30 have no place in the record's tables and are left out; a
// candidate count that is not a number counts as 0, one above 28 as 28.
struct TStranaVstupu {
    int cislo = 0;  // party number, indexes ZaskrtStrany and the sheets
    int poradi = 0; // place in the party list, from 1
    int pocetKandidatu = 0;
    QString popisek;     // caption of the party's check box
    QString textPolozky; // text of its item in the party selector
    bool operator==(const TStranaVstupu&) const = default;
};
QList<TStranaVstupu> stranyProVstup(const TSeznamStran& seznam);
// The two characters of the party number that the captions show: characters
// 3 and 4 of the number text right-aligned in four places ("  7" → " 7").
QString kratkeCisloStrany(const QString& cisloText);

// Where the window's run-time controls stand, in logical pixels of the page
// (the scale factor is 1: Qt's logical pixel is 1/96 inch already).
struct TPoziceZaskrtavatka {
    int left = 0;
    int top = 0;
};
// Party check box k (from 1) of `pocet`: columns of fifteen.
TPoziceZaskrtavatka poziceZaskrtavatka(int k, int pocet);
// Width of a check box whose caption measures `sirkaTextu` pixels.
int sirkaZaskrtavatka(int sirkaTextu);

struct TPoziceKandidata {
    int top = 0;
    int cisloLeft = 0;
    int poleLeft = 0;
    int nasobekLeft = 0;
};
// Candidate row i (1..28): columns of 11, 11 and 6 rows.
TPoziceKandidata poziceKandidata(int kandidat);
inline constexpr int kSirkaPolePref = 45;
inline constexpr int kVyskaPolePref = 21;
inline constexpr int kSirkaNasobku = 70;
inline constexpr int kVyskaNasobku = 20;
inline constexpr int kOddelovac1Left = 159;
inline constexpr int kOddelovac2Left = 305;
inline constexpr int kOddelovacTop = 40;
inline constexpr int kOddelovacSirka = 3;
inline constexpr int kOddelovacVyska = 304;

// The pages of the window and where the page commands lead.
enum TStranka : int {
    kStrankaOddI = 0,
    kStrankaOddII = 1,
    kStrankaPriloha = 2,
    kStrankaOddIII = 3
};
// "Další stránka": the next page; past page 1 without a ticked party to
// page 3; from page 3 round to page 0.
int dalsiStranka(int aktualni, bool jeVybranaStrana);
// "Předchozí stránka": the previous page; from page 3 without a ticked party
// to page 1; from page 0 round to page 3.
int predchoziStranka(int aktualni, bool jeVybranaStrana);

// The record's values that the data file cannot hold, named for the
// commission; empty when the record can be saved.
QString popisNevejdeSe(const TPrecinctRecord& record, char kind);

} // namespace urn
