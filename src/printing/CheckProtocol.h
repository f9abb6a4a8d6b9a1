#pragma once

// The check protocol: the findings of a check run on paper.

#include "checks/ErrorCatalogue.h"
#include "printing/PageSink.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace urn {

struct TRadekProtokolu {
    int EStrana = 0; // party of the finding, 0 for the record as a whole
    int Chyba = 0;   // error number
    QString Text;    // catalogue text followed by the finding's parameter
};

struct TUdajeProtokolu {
    qint32 Obec = 0;
    qint32 Okrsek = 0;
    int T2KC_1 = 0;
    double KontrSoucetTS = 0;
    QString NazevObce;
    QString PriponaPisma;         // the station's font suffix
    QList<TRadekProtokolu> Chyby; // in protocol order
};

// The check protocol into the page sink, printed at `cas`.
void SestavProtokol(PageSink& stranky, const TUdajeProtokolu& udaje, const QDateTime& cas);

// The footer line of the protocol pages.
QString PaticeProtokolu(const TUdajeProtokolu& udaje);
// What the protocol prints of a check run: the findings of the error
// protocol, the identification and control total of the record as checked,
// the municipality's name and the font suffix of the station.
TUdajeProtokolu UdajeProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                               const TStanice& stanice);

} // namespace urn
