// The check protocol: the findings of the last check run, grouped by party,
// in a monospaced listing.

#include "printing/CheckProtocol.h"

#include "checks/ErrorCatalogue.h"
#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

namespace urn {

namespace {

struct ProtokolStav {
    const TUdajeProtokolu* udaje = nullptr;
    QString patice;
};

void HlavickaProtokolu(const ProtokolStav& ps) {
    TStavTisku& s = StavTisku();
    const TUdajeProtokolu& u = *ps.udaje;
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(26);
    s.AktY = s.Horni + 200;
    TiskText(0, s.Pravy - 400, 0, QStringLiteral("List č.: ") + CisloMezerami(s.Strana, 2));
    NastavVelikost(32);
    TiskNaStred(2, s.Levy, s.Pravy,
                s.Strana == 1 ? QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")
                              : QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK - pokračování"),
                QStringLiteral("B"));
    NastavVelikost(26);
    TiskText(2, s.Levy, 0,
             QStringLiteral("                          Obec      Okrsek  KČ1  Název obce"));
    const QString identifikace = QStringLiteral("Identifikace okrsku:") +
                                 QString(5, QLatin1Char(' ')) + QString::number(u.Obec) +
                                 QStringLiteral("   ") + CisloMezerami(u.Okrsek, 7) +
                                 CisloMezerami(u.T2KC_1, 5) + QStringLiteral("   ");
    if (SirkaTextu(identifikace + u.NazevObce) <= s.Pravy - s.Levy) {
        TiskText(1, s.Levy, 0, identifikace + u.NazevObce);
    } else {
        // A long name narrower, within the margin.
        TiskText(1, s.Levy, 0, identifikace);
        const int x = s.Levy + SirkaTextu(identifikace);
        TiskDoMista(x, 0, s.Pravy - x, OrizniKonec(u.NazevObce), QString(), {s.VelMala});
    }
    TiskText(1, s.Levy, 0, QString(80, QLatin1Char('-')));
    TiskText(1, s.Levy, 0, QString());
}

void TiskPatice(const ProtokolStav& ps) {
    const TStavTisku& s = StavTisku();
    TiskVpravo(0, s.Pravy, s.Dolni + 2 * s.Radek, ps.patice);
}

void KontrolaStrankovani(const ProtokolStav& ps) {
    TStavTisku& s = StavTisku();
    if (s.PosledniStrana == s.Strana)
        return;
    TiskPatice(ps);
    NovaStrana();
    HlavickaProtokolu(ps);
    s.PosledniStrana = s.Strana;
    s.HlidatKonec = true;
}

void RadkyProtokolu(const ProtokolStav& ps) {
    TStavTisku& s = StavTisku();
    int posledniEStrana = 0;
    QString predpona;
    for (const TRadekProtokolu& ch : ps.udaje->Chyby) {
        if (ch.EStrana != posledniEStrana) {
            TiskText(1, s.Levy, 0, QString());
            TiskText(1, s.Levy, 0, QStringLiteral("Strana: ") + QString::number(ch.EStrana));
            predpona = QStringLiteral("  ");
        }
        QString r = predpona + QString::number(ch.Chyba) + QStringLiteral(" - ") + ch.Text;
        int b = 0;
        while (r.size() > 80 && (b = MistoZlomu(r, s.Levy, s.Pravy)) != 0) {
            TiskText(1, s.Levy, 0, r.left(b));
            r = QString(5, QLatin1Char(' ')) + r.mid(b).trimmed();
            KontrolaStrankovani(ps);
        }
        if (!r.trimmed().isEmpty())
            TiskText(1, s.Levy, 0, r);
        posledniEStrana = ch.EStrana;
        KontrolaStrankovani(ps);
    }
}

void ZaverProtokolu(const ProtokolStav& ps) {
    TStavTisku& s = StavTisku();
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(26);
    TiskText(1, s.Levy, 0, QString());
    TiskText(1, s.Levy, 0, QString(80, QLatin1Char('-')));
    TiskText(1, s.Levy, 0,
             QStringLiteral("Datum: ") + s.DatumTisku + QString(29, QLatin1Char(' ')));
    TiskText(1, s.Levy, 0, QStringLiteral("Čas  : ") + s.CasTisku + QString(34, QLatin1Char(' ')));
    TiskPatice(ps);
}

} // namespace

TUdajeProtokolu UdajeProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                               const TStanice& stanice) {
    TUdajeProtokolu u;
    u.Obec = zaznam.T2.Obec;
    u.Okrsek = zaznam.T2.Okrsek;
    u.T2KC_1 = zaznam.T2.T2KC_1;
    u.KontrSoucetTS = zaznam.TS.KontrSoucetTS;
    u.NazevObce = stanice.NazevObce;
    u.PriponaPisma = stanice.PriponaPisma;
    for (int i = 0; i < protokol.count(); ++i) {
        const TChyba& ch = protokol.VratChybu(i);
        u.Chyby.append({ch.EStrana, ch.Chyba, protokol.VratHlaskuParam(i)});
    }
    return u;
}

QString PaticeProtokolu(const TUdajeProtokolu& u) {
    const QString soucet =
        QString::number(qint64(u.KontrSoucetTS)).rightJustified(12, QLatin1Char(' '));
    return QString::number(u.Obec) + QStringLiteral(" - ") + QString::number(u.Okrsek) +
           QStringLiteral(" - ") + soucet + QLatin1Char(' ') + StavTisku().ZnackaProgramu;
}

void TiskProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                   const TStanice& stanice) {
    TiskProtokolu(UdajeProtokolu(protokol, zaznam, stanice));
}

void TiskProtokolu(const TUdajeProtokolu& udaje) {
    PripravTisk(udaje.PriponaPisma);
    TStavTisku& s = StavTisku();
    s.Rezerva = 80;
    s.Pravy = 2000;
    s.VelMala = 26;
    s.VelNadpis = 32;
    s.HlidatKonec = true;
    ProtokolStav ps;
    ps.udaje = &udaje;
    ps.patice = PaticeProtokolu(udaje);
    TpreviewF& okno = previewF();
    // Offered as the file name by printers that print into a file.
    okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("QZKCH.pdf"));
    TiskovyDokument dokument(okno);
    NovaStrana();
    HlavickaProtokolu(ps);
    if (!udaje.Chyby.isEmpty())
        RadkyProtokolu(ps);
    else
        TiskText(1, s.Levy, 0, QStringLiteral("Nebyly zjištěny žádné chyby"));
    ZaverProtokolu(ps);
    dokument.konec();
    okno.ShowModal();
    UvolniMereni();
}

} // namespace urn
