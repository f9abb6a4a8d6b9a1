#pragma once

// TStanice, the station configuration STANICE.RCD: which precinct this
// installation serves, and the export mark of its data.

#include "store/PrecinctRecord.h"

#include <QByteArray>
#include <QString>

namespace urn {

inline constexpr int kStaniceSize = 228;

// ---- STANICE.RCD ----
struct TStanice {
    QString NazevObce;    // 7, short string of 40
    QString Obec;         // 48, short string of 6
    qint32 Okrsek = 0;    // 56
    QString IdStanice;    // 157, short string of 10
    QString PriponaPisma; // 219, short string of 3
    QString VerzeOS;      // 223, short string of 2
    QString Stav;         // 226, short string of 1

    // The record as read; fields the program does not use are written back
    // from here unchanged.
    QByteArray raw = QByteArray(kStaniceSize, '\0');

    static TStanice fromRecord(const QByteArray& record);
    QByteArray toRecord() const;

    // The station's precinct: Obec (at most six characters) and Okrsek.
    TAktOkrsek okrsek() const;
};

// The first record of STANICE.RCD in the data directory.
TStanice NactiStanici();
// Re-reads STANICE.RCD in the configuration directory, sets Stav to the
// letter and writes it back crash-safely, every other byte unchanged;
// `stanice` then holds the record as written.
void ZapisStav(TStanice& stanice, const QString& letter);

} // namespace urn
