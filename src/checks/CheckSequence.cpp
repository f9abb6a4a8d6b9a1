#include "checks/CheckSequence.h"

#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "core/Dialogs.h"
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

// Until the printout is there, the commission still gets to read what the
// run found.
class TextProtocolOutput : public ProtocolOutput {
public:
    void TiskProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                       const TStanice& stanice) override {
        dialogs().inform(QStringLiteral("Protokol o kontrolách"),
                         protocolText(protokol, zaznam, stanice));
    }
};

TextProtocolOutput g_textOutput;
ProtocolOutput* g_output = nullptr;

} // namespace

ProtocolOutput::~ProtocolOutput() = default;

ProtocolOutput& protocolOutput() {
    return g_output ? *g_output : g_textOutput;
}

void setProtocolOutput(ProtocolOutput* output) {
    g_output = output;
}

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

void loadStationPrecinct() {
    const TStanice& st = Stanice();
    VyprazdniT2();
    VyprazdniStrany();
    VyprazdniTS();
    AktOkrsek() = {st.Obec.left(6), st.Okrsek};
    NactiData(dataFileExists(kKindO) ? kKindO : kKindE);
    NactiHlaso();
    // The run visits the parties of the installation's list; it must not
    // depend on whether the data-entry window happened to load it before.
    NactiStrany();

    const QString pritomno = orizni(PrecinctRecord().Hlaso.ClenuOVKP);
    if (!pritomno.isEmpty() && pritomno != QLatin1String("0") && pritomno != QLatin1String("1")) {
        // Names already in memory stay, as many as are present; the file,
        // when it holds names, replaces them all.
        const qint64 n = std::clamp<qint64>(cisloNeboNula(pritomno), 0, kMaxKomise);
        QList<TKomise>& jmena = JmenaKomise();
        jmena.resize(n);
        if (KomiseNeniPrazdna())
            NactiKomise();
    }
}

void Kontroly() {
    WorkflowState& w = Workflow();
    w.DataOK = true;
    loadStationPrecinct();
    ProvedKontroly();
    ZapisStav(QStringLiteral("N"));
    const bool bezChyb = !StavKontrol().JsouChyby;
    w.KontrolyOK = bezChyb;
    w.ExportOK = bezChyb;
    if (w.Vybrano == kVybranoZadny || w.Vybrano == kVybranoKontrola)
        protocolOutput().TiskProtokolu(ChybProt(), PrecinctRecord(), Stanice());
}

bool runCheckCommand() {
    WorkflowState& w = Workflow();
    // "Ano" takes the export back even when nothing changes: never by Enter.
    if (Stanice().Stav == QLatin1String("A") &&
        !dialogs().ask(QString::fromUtf8(kCaptionVstupDat),
                       QString::fromUtf8(kOtazkaZnovuKontrolovat), DefaultAnswer::Ne))
        return false;
    const TStanice& st = Stanice();
    AktOkrsek() = {st.Obec.left(6), st.Okrsek};
    if (!dataFileExists(kKindE) && !dataFileExists(kKindO)) {
        w.DataOK = false;
        dialogs().warn(QString::fromUtf8(kCaptionKontrolaDat),
                       QString::fromUtf8(kDataNejsouPorizena));
        return false;
    }
    w.Vybrano = kVybranoKontrola;
    Kontroly();
    ProcDopoctiTS();
    storeDataFileOfKind(StavKontrol().JsouChyby ? kKindE : kKindO);
    return true;
}

} // namespace urn
