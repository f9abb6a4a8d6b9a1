// The check protocol: the findings of the last check run, grouped by party,
// in a monospaced listing.

#include "printing/CheckProtocol.h"

#include "checks/ErrorCatalogue.h"
#include "printing/LayoutEngine.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

namespace urn {

namespace {

struct ProtokolStav {
    const TUdajeProtokolu* udaje = nullptr;
    QString patice;
};

void HlavickaProtokolu(LayoutEngine& s, const ProtokolStav& ps) {
    const TUdajeProtokolu& u = *ps.udaje;
    s.NastavPismo(QStringLiteral("Courier New"));
    s.NastavVelikost(26);
    s.AktY = s.Horni + 200;
    s.TiskText(0, s.Pravy - 400, 0, QStringLiteral("List č.: ") + CisloMezerami(s.Strana, 2));
    s.NastavVelikost(32);
    s.TiskNaStred(2, s.Levy, s.Pravy,
                  s.Strana == 1 ? QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")
                                : QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK - pokračování"),
                  QStringLiteral("B"));
    s.NastavVelikost(26);
    s.TiskText(2, s.Levy, 0,
               QStringLiteral("                          Obec      Okrsek  KČ1  Název obce"));
    const QString identifikace = QStringLiteral("Identifikace okrsku:") +
                                 QString(5, QLatin1Char(' ')) + QString::number(u.Obec) +
                                 QStringLiteral("   ") + CisloMezerami(u.Okrsek, 7) +
                                 CisloMezerami(u.T2KC_1, 5) + QStringLiteral("   ");
    if (s.SirkaTextu(identifikace + u.NazevObce) <= s.Pravy - s.Levy) {
        s.TiskText(1, s.Levy, 0, identifikace + u.NazevObce);
    } else {
        // A long name narrower, within the margin.
        s.TiskText(1, s.Levy, 0, identifikace);
        const int x = s.Levy + s.SirkaTextu(identifikace);
        s.TiskDoMista(x, 0, s.Pravy - x, OrizniKonec(u.NazevObce), QString(), {s.VelMala});
    }
    s.TiskText(1, s.Levy, 0, QString(80, QLatin1Char('-')));
    s.TiskText(1, s.Levy, 0, QString());
}

void TiskPatice(LayoutEngine& s, const ProtokolStav& ps) {
    s.TiskVpravo(0, s.Pravy, s.Dolni + 2 * s.Radek, ps.patice);
}

void KontrolaStrankovani(LayoutEngine& s, const ProtokolStav& ps) {
    if (s.PosledniStrana == s.Strana)
        return;
    TiskPatice(s, ps);
    s.NovaStrana();
    HlavickaProtokolu(s, ps);
    s.PosledniStrana = s.Strana;
    s.HlidatKonec = true;
}

void RadkyProtokolu(LayoutEngine& s, const ProtokolStav& ps) {
    int posledniEStrana = 0;
    QString predpona;
    for (const TRadekProtokolu& ch : ps.udaje->Chyby) {
        if (ch.EStrana != posledniEStrana) {
            s.TiskText(1, s.Levy, 0, QString());
            s.TiskText(1, s.Levy, 0, QStringLiteral("Strana: ") + QString::number(ch.EStrana));
            predpona = QStringLiteral("  ");
        }
        QString r = predpona + QString::number(ch.Chyba) + QStringLiteral(" - ") + ch.Text;
        int b = 0;
        while (r.size() > 80 && (b = s.MistoZlomu(r, s.Levy, s.Pravy)) != 0) {
            s.TiskText(1, s.Levy, 0, r.left(b));
            r = QString(5, QLatin1Char(' ')) + r.mid(b).trimmed();
            KontrolaStrankovani(s, ps);
        }
        if (!r.trimmed().isEmpty())
            s.TiskText(1, s.Levy, 0, r);
        posledniEStrana = ch.EStrana;
        KontrolaStrankovani(s, ps);
    }
}

void ZaverProtokolu(LayoutEngine& s, const ProtokolStav& ps) {
    s.NastavPismo(QStringLiteral("Courier New"));
    s.NastavVelikost(26);
    s.TiskText(1, s.Levy, 0, QString());
    s.TiskText(1, s.Levy, 0, QString(80, QLatin1Char('-')));
    s.TiskText(1, s.Levy, 0,
               QStringLiteral("Datum: ") + s.DatumTisku + QString(29, QLatin1Char(' ')));
    s.TiskText(1, s.Levy, 0,
               QStringLiteral("Čas  : ") + s.CasTisku + QString(34, QLatin1Char(' ')));
    TiskPatice(s, ps);
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
           QStringLiteral(" - ") + soucet + QLatin1Char(' ') + QString::fromLatin1(kZnackaProgramu);
}

void SestavProtokol(PageSink& stranky, const TUdajeProtokolu& udaje, const QDateTime& cas) {
    LayoutEngine s(stranky, cas, udaje.PriponaPisma);
    s.Rezerva = 80;
    s.Pravy = 2000;
    s.VelMala = 26;
    s.VelNadpis = 32;
    s.HlidatKonec = true;
    ProtokolStav ps;
    ps.udaje = &udaje;
    ps.patice = PaticeProtokolu(udaje);
    TiskovyDokument dokument(s);
    s.NovaStrana();
    HlavickaProtokolu(s, ps);
    if (!udaje.Chyby.isEmpty())
        RadkyProtokolu(s, ps);
    else
        s.TiskText(1, s.Levy, 0, QStringLiteral("Nebyly zjištěny žádné chyby"));
    ZaverProtokolu(s, ps);
    dokument.konec();
}

} // namespace urn
