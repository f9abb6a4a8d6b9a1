#include "CheckSequence.h"

#include "Dialogs.h"
#include "PrecinctRecord.h"
#include "QZchyby.h"
#include "QZlib.h"

#include <QStringList>

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

} // namespace urn
