#include "checks/CheckSequence.h"

#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"

#include <QStringList>

#include <algorithm>

namespace urn {

namespace {

QString cisloMezerami(qint64 n, int sirka) {
    return QString::number(n).rightJustified(sirka, QLatin1Char(' '));
}

} // namespace

QString protocolText(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                     const TStanice& stanice) {
    const QString cara(80, QLatin1Char('-'));
    QStringList radky;
    radky << QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")
          << QStringLiteral("                          Obec      Okrsek  KČ1  Název obce")
          << QStringLiteral("Identifikace okrsku:     ") + QString::number(zaznam.T2.Obec) +
                 QStringLiteral("   ") + cisloMezerami(zaznam.T2.Okrsek, 7) +
                 cisloMezerami(zaznam.T2.T2KC_1, 5) + QStringLiteral("   ") + stanice.NazevObce
          << cara;
    if (protokol.count() == 0)
        radky << QString() << QStringLiteral("Nebyly zjištěny žádné chyby");
    int posledniStrana = 0;
    QString predpona;
    for (int i = 0; i < protokol.count(); ++i) {
        const TChyba& ch = protokol.VratChybu(i);
        if (ch.EStrana != posledniStrana || i == 0) {
            radky << QString();
            if (ch.EStrana != posledniStrana) {
                radky << QStringLiteral("Strana: ") + QString::number(ch.EStrana);
                predpona = QStringLiteral("  ");
            }
        }
        QString r = predpona + QString::number(ch.Chyba) + QStringLiteral(" - ") +
                    protokol.VratHlaskuParam(i);
        while (r.endsWith(QLatin1Char(' ')))
            r.chop(1);
        radky << r;
        posledniStrana = ch.EStrana;
    }
    radky << QString() << cara << QStringLiteral("KodyChyb: ") + zaznam.TS.KodyChyb;
    return radky.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void loadStationPrecinct(PrecinctSession& session) {
    TPrecinctRecord& r = session.PrecinctRecord;
    VyprazdniT2(r);
    VyprazdniStrany(r);
    VyprazdniTS(r);
    session.AktOkrsek = session.Stanice.okrsek();
    NactiData(dataFileExists(kKindO, session.AktOkrsek) ? kKindO : kKindE, session.AktOkrsek, r);
    NactiHlaso(r.Hlaso);
    // The run visits the parties of the installation's list; it must not
    // depend on whether the data-entry window happened to load it before.
    NactiStrany(session.SeznamStran);

    const QString pritomno = orizni(r.Hlaso.ClenuOVKP);
    if (!pritomno.isEmpty() && pritomno != QLatin1String("0") && pritomno != QLatin1String("1")) {
        // Names already in memory stay, as many as are present; the file,
        // when it holds names, replaces them all.
        const qint64 n = std::clamp<qint64>(cisloNeboNula(pritomno), 0, kMaxKomise);
        session.JmenaKomise.resize(n);
        if (KomiseNeniPrazdna())
            NactiKomise(session.JmenaKomise);
    }
}

void Kontroly(PrecinctSession& session, TVybrano vybrano) {
    WorkflowState& w = session.Workflow;
    w.DataOK = true;
    loadStationPrecinct(session);
    session.prevezmiVysledek(ProvedKontroly(session.vstupKontrol(), CisChyb(), vybrano));
    ZapisStav(session.Stanice, QStringLiteral("N"));
    const bool bezChyb = !session.StavKontrol.JsouChyby;
    w.KontrolyOK = bezChyb;
    w.ExportOK = bezChyb;
}

} // namespace urn
