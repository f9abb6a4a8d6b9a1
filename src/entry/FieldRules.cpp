#include "entry/FieldRules.h"

#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "checks/SecondEntry.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace urn {

namespace {

THlaseni chyba(int cislo, int strana = 0) {
    return {cislo, QString(), false, false, strana};
}
// Passable errors 04 to 10: the second button reads "Potvrdit".
THlaseni propustitelna(int cislo) {
    return {cislo, QString(), false, true, 0};
}
THlaseni upozorneni(int cislo, const QString& param = QString()) {
    return {cislo, param, true, false, 0};
}
// A check without a silent form records its failure of record type 1 while
// the commission types, too: its code stays in KodyChyb until the next full
// run.
THlaseni zaznamenano(PrecinctSession& s, const THlaseni& h) {
    ZaznamenejChybu(s.PrecinctRecord, s.StavKontrol, kodChyby(h.iChyba), kVetaT2);
    return h;
}

// Rounds halves to the even neighbour, as the run-time layout is computed.
int nint(double x) {
    return int(std::nearbyint(x));
}

// The Czech name of a field of the data file line, for the message that
// refuses a save.
QString nazevPoleSouboru(const OverWideField& f) {
    static const struct {
        const char* pole;
        const char* nazev;
    } nazvy[] = {
        {"ZapsOsoby", "Počet osob zapsaných do výpisu ze seznamu voličů"},
        {"VydObalky", "Počet voličů, kterým byly vydány úřední obálky"},
        {"OdevzdObalky", "Počet odevzdaných úředních obálek"},
        {"PlatneHlasy", "Počet platných hlasů"},
        {"T2KC_2", "Kontrolní číslo 2 (součet čtyř počtů oddílu II)"},
        {"PocHl", "Počet hlasů strany"},
        {"T2PKC2", "Kontrolní číslo 2 strany (číslo strany + počet hlasů)"},
        {"T2PKC3", "Kontrolní číslo 3 strany"},
        {"T2PKC4", "Kontrolní číslo 4 strany"},
    };
    for (const auto& n : nazvy)
        if (f.field == QLatin1String(n.pole))
            return QString::fromUtf8(n.nazev);
    if (f.field.startsWith(QLatin1String("PrefHlasy[")))
        return QStringLiteral("Přednostní hlasy kandidáta %1").arg(f.field.mid(10).chopped(1));
    return f.field;
}

} // namespace

qint64 ctiCislo(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? v : 0;
}

qint64 nejvyssiHodnota(TPoleOddII pole) {
    return pole == TPoleOddII::ZapsOsoby ? kNejvyssiZapsOsoby : kNejvyssiCtyrmistne;
}

QString nazevPole(TPoleOddII pole) {
    return nazevPoctuOddII(int(pole));
}

QString nazevPrefHlasu(int kandidat) {
    return QStringLiteral("Přednostní hlasy kandidáta %1").arg(kandidat);
}

QString textNevejdeSe(const QString& nazev, qint64 hodnota, qint64 nejvyse) {
    return QStringLiteral("%1 nemůže být %2: datový soubor pojme nejvýše %3.\r"
                          "Opravte prosím hodnotu v poli.")
        .arg(nazev)
        .arg(hodnota)
        .arg(nejvyse);
}

bool ulozOddII(TVetaT2& t2, TPoleOddII pole, qint64 hodnota) {
    if (hodnota < 0 || hodnota > nejvyssiHodnota(pole))
        return false;
    switch (pole) {
    case TPoleOddII::ZapsOsoby:
        t2.ZapsOsoby = qint32(hodnota);
        break;
    case TPoleOddII::VydObalky:
        t2.VydObalky = quint16(hodnota);
        break;
    case TPoleOddII::OdevzdObalky:
        t2.OdevzdObalky = quint16(hodnota);
        break;
    case TPoleOddII::PlatneHlasy:
        t2.PlatneHlasy = quint16(hodnota);
        break;
    }
    return true;
}

qint64 hodnotaOddII(const TVetaT2& t2, TPoleOddII pole) {
    switch (pole) {
    case TPoleOddII::ZapsOsoby:
        return t2.ZapsOsoby;
    case TPoleOddII::VydObalky:
        return t2.VydObalky;
    case TPoleOddII::OdevzdObalky:
        return t2.OdevzdObalky;
    case TPoleOddII::PlatneHlasy:
        return t2.PlatneHlasy;
    }
    return 0;
}

std::optional<THlaseni> kontrolyOddII(PrecinctSession& s, TPoleOddII pole) {
    const TVstupKontrol v = s.vstupKontrol();
    switch (pole) {
    case TPoleOddII::ZapsOsoby: {
        if (!Kontrola04(v))
            return propustitelna(4);
        qint32 ocekavano = 0;
        if (!Kontrola96(v, &ocekavano))
            return zaznamenano(s, upozorneni(96, QString::number(ocekavano)));
        // Without an expected number the plausibility check cannot judge;
        // then only a conspicuously large precinct is pointed out.
        if (ocekavano == 0 && !Kontrola93(v))
            return upozorneni(93);
        return std::nullopt;
    }
    case TPoleOddII::VydObalky:
        if (!Kontrola05(v))
            return propustitelna(5);
        if (!Kontrola06(v))
            return propustitelna(6);
        if (!Kontrola91(v))
            return zaznamenano(s, upozorneni(91));
        if (!Kontrola97(v))
            return zaznamenano(s, upozorneni(97));
        if (!Kontrola94(v))
            return zaznamenano(s, upozorneni(94));
        return std::nullopt;
    case TPoleOddII::OdevzdObalky:
        if (!Kontrola07(v))
            return propustitelna(7);
        if (!Kontrola08(v))
            return propustitelna(8);
        if (!Kontrola92(v))
            return zaznamenano(s, upozorneni(92));
        return std::nullopt;
    case TPoleOddII::PlatneHlasy:
        if (!Kontrola09(v))
            return propustitelna(9);
        if (!Kontrola10(v))
            return propustitelna(10);
        if (!Kontrola95(v))
            return zaznamenano(s, upozorneni(95));
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<THlaseni> kontrolaPocHl(const PrecinctSession& s, int strana) {
    if (!Kontrola15(s.vstupKontrol(), strana))
        return chyba(15, strana);
    return std::nullopt;
}

std::optional<THlaseni> kontrolaPrefHlasu(const PrecinctSession& s, int strana, int kandidat) {
    if (!Kontrola18(s.vstupKontrol(), strana, kandidat))
        return chyba(18, strana);
    return std::nullopt;
}

std::optional<THlaseni> kontrolaSouctuPref(const PrecinctSession& s, int strana) {
    if (!Kontrola19(s.vstupKontrol(), strana))
        return chyba(19, strana);
    return std::nullopt;
}

std::optional<THlaseni> kontrolaSouctuHlasu(PrecinctSession& s) {
    if (!Kontrola16(s.vstupKontrol()))
        return zaznamenano(s, chyba(16));
    return std::nullopt;
}

QString hodinaNeboPrazdna(const QString& text) {
    const QString t = text.trimmed();
    if (!t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'0'; }))
        return QString();
    return text.left(2);
}

QString anoNe(const QString& hodnota) {
    return hodnota == QLatin1String("B") ? QStringLiteral("B") : QStringLiteral("N");
}

QString nasobekText(int kandidat, qint64 hlasy) {
    return padl(QString::number(qint64(kandidat) * hlasy), 7, QLatin1Char(' '));
}

QString cisloKandidataText(int kandidat) {
    return padl(QString::number(kandidat), 2, QLatin1Char(' ')) + QLatin1Char('.');
}

QString kratkeCisloStrany(const QString& cisloText) {
    return padl(cisloText.trimmed(), 4, QLatin1Char(' ')).mid(2, 2);
}

QList<TStranaVstupu> stranyProVstup(const TSeznamStran& seznam) {
    QList<TStranaVstupu> strany;
    int poradi = 0;
    for (const TStrana& s : seznam.strany) {
        ++poradi;
        const int cislo = cisloStrany(s);
        if (cislo < 1 || cislo > kMaxStran)
            continue;
        qint32 pocet = 0;
        if (!tryStrToInt(s.PocetKand, pocet))
            pocet = 0;
        const QString kratke = kratkeCisloStrany(s.CisloStrany) + QStringLiteral(": ");
        TStranaVstupu v;
        v.cislo = cislo;
        v.poradi = poradi;
        v.pocetKandidatu = std::clamp<qint32>(pocet, 0, kMaxKandidatu);
        v.popisek = kratke + orizni(s.NazevStrany);
        v.textPolozky = (kratke + s.NazevStrany).left(56);
        strany.append(v);
    }
    return strany;
}

TPoziceZaskrtavatka poziceZaskrtavatka(int k, int pocet) {
    const double s = 1.0;
    int sloupcu = pocet / 15 + (pocet % 15 != 0 ? 1 : 0);
    sloupcu = std::max(sloupcu, 1);
    const int w = int(std::trunc(s * 714 / sloupcu)) - 8;
    return {nint(s * 8 + ((k - 1) / 15) * w), nint(s * 18 + s * 18 * ((k - 1) % 15))};
}

int sirkaZaskrtavatka(int sirkaTextu) {
    return nint((sirkaTextu + 19) * 1.0);
}

TPoziceKandidata poziceKandidata(int kandidat) {
    const double s = 1.0;
    const int r = (kandidat - 1) % 11;
    const int c = (kandidat - 1) / 11;
    const int top = nint(s * 40 + s * 28 * r);
    const int x = nint(s * 145 * c);
    return {top, nint(s * 30) + x, nint(s * 58) + x, nint(s * 100) + x};
}

int dalsiStranka(int aktualni, bool jeVybranaStrana) {
    switch (aktualni) {
    case kStrankaOddI:
        return kStrankaOddII;
    case kStrankaOddII:
        return jeVybranaStrana ? kStrankaPriloha : kStrankaOddIII;
    case kStrankaPriloha:
        return kStrankaOddIII;
    default:
        return kStrankaOddI;
    }
}

int predchoziStranka(int aktualni, bool jeVybranaStrana) {
    switch (aktualni) {
    case kStrankaOddI:
        return kStrankaOddIII;
    case kStrankaOddII:
        return kStrankaOddI;
    case kStrankaPriloha:
        return kStrankaOddII;
    default:
        return jeVybranaStrana ? kStrankaPriloha : kStrankaOddII;
    }
}

QString popisNevejdeSe(const TPrecinctRecord& record, char kind) {
    const QList<OverWideField> pole = overWideFields(record, kind);
    if (pole.isEmpty())
        return QString();
    QStringList radky;
    radky << QStringLiteral("Data okrsku nelze uložit: tyto hodnoty se nevejdou do datového "
                            "souboru:");
    for (const OverWideField& f : pole)
        radky << QStringLiteral("%1 (%2): %3, nejvýše %4 číslic")
                     .arg(nazevPoleSouboru(f), f.where, f.value.trimmed())
                     .arg(f.width);
    radky << QStringLiteral("Opravte počty, ze kterých se hodnoty počítají. Dříve uložená data "
                            "zůstala beze změny.");
    return radky.join(QLatin1Char('\r'));
}

} // namespace urn
