#pragma once

// The second, independent entry of the numbers. The checks catch sums that
// do not add up, not a typing error that keeps them right (votes typed for
// the wrong candidate of the same party, two parties' votes swapped). So
// another member types the numbers of section II and Annex 1 once more,
// without seeing the first entry, and the program compares the two field by
// field: the four numbers of section II, the ticked parties, each ticked
// party's votes, its 28 preferential votes and its last candidate with
// preferential votes.
//
// The outcome is kept on disk (store/SecondEntryState.h) with a digest of
// the saved record's compared values: a later change of any of them makes
// the second entry "not done" again.

#include "store/PrecinctRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace urn {

// Which value of the record differs.
enum class TUdajZadani {
    ZapsOsoby,
    VydObalky,
    OdevzdObalky,
    PlatneHlasy,
    Zaskrtnuti, // the party's tick: at least one valid vote
    PocHl,
    PrefHlasy,
    PoslKand,
};

// One value in which the two entries differ; for a tick the values are 1
// (ticked) and 0.
struct TRozdil {
    TUdajZadani udaj = TUdajZadani::ZapsOsoby;
    int strana = 0;   // party number, for the values of a party
    int kandidat = 0; // candidate number, for preferential votes
    qint64 prvni = 0; // the saved record
    qint64 druhe = 0; // the second entry

    bool operator==(const TRozdil&) const = default;
};

// The values in which the second entry differs from the saved record, in
// the order of the form: section II, then party by party in ascending
// number its tick, or for a party ticked in both, its votes, preferential
// votes by candidate and its last candidate.
QList<TRozdil> porovnejZadani(const TPrecinctRecord& ulozeny, const TPrecinctRecord& druhe);

// The value as the form names it: "Počet platných hlasů", "Strana 5 – hlasy
// pro stranu", "Strana 5, kandidát 7 – přednostní hlasy".
QString popisUdaje(const TRozdil& rozdil);
// One of the two values as the difference list shows it.
QString textHodnoty(const TRozdil& rozdil, qint64 hodnota);
// The four numbers of section II as the form names them, in its order.
QString nazevPoctuOddII(int index);

// SHA-256 over the values the second entry compares, with the precinct.
QByteArray otiskZadani(const TPrecinctRecord& record);

// The record of the precinct as the program loads it: the data file of
// kind "O", or of kind "E" when there is none. False when the precinct has
// no data file. A damaged file raises UrnariumError.
bool nactiUlozenyZaznam(const TAktOkrsek& okrsek, TPrecinctRecord& record);

// What the main window shows of the second entry.
enum class TVysledekKZ { Neprovedeno, Shoda, Rozdily };
struct TStavKZ {
    TVysledekKZ vysledek = TVysledekKZ::Neprovedeno;
    int rozdilu = 0;
    bool operator==(const TStavKZ&) const = default;
};
// The second entry of the precinct's saved record: "not done" when there is
// no outcome, when it belongs to another precinct, when the saved record's
// compared values changed since (or it is gone), and when the outcome or the
// data file cannot be read. Never raises.
TStavKZ stavKontrolnihoZadani(const TAktOkrsek& okrsek);
// Keeps the outcome of a comparison with the saved record `ulozeny`: the
// number of differences and the digest of its values. Raises InOutError.
void zapisKontrolniZadani(const TAktOkrsek& okrsek, const TPrecinctRecord& ulozeny, int rozdilu);
// "Kontrolní zadání: neprovedeno" / "…: shoda" / "…: rozdíly (3)".
QString textStavuKZ(const TStavKZ& stav);

inline constexpr const char* kCaptionKontrolniZadani = "Kontrolní zadání";
inline constexpr const char* kZadaniSeShoduji = "Obě zadání se shodují.";

} // namespace urn
