#include "checks/CheckRules.h"

#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "store/PrecinctRecord.h"
#include "store/RecordIO.h"

#include <QLocale>

namespace urn {

namespace {

// The codes of the two classes that do not block, one after another; a code
// belongs to a class when it stands at a code boundary of its string.
constexpr const char* kPropustitelne = "04050607080910";
constexpr const char* kUpozorneni = "9192939495969798";
constexpr int kDelkaKoduChyb = 50;

bool obsahujeKod(const QString& kody, const QString& kod) {
    for (qsizetype i = 0; i + 1 < kody.size(); i += 2)
        if (kody.mid(i, 2) == kod)
            return true;
    return false;
}

TPrecinctRecord& zaznam() {
    return PrecinctRecord();
}

// Records the failure unless the check was asked silently; returns whether
// the check passed, so that every check ends in one line.
bool vysledek(bool prosla, bool iTiche, int cislo, int veta) {
    if (!prosla && !iTiche)
        ZaznamenejChybu(kodChyby(cislo), veta);
    return prosla;
}

void pridej(int strana, int cislo, const QString& param = QString()) {
    ChybProt().PridejChybu(strana, cislo, param);
}

// The parties of the list in its order, with the number each entry names;
// only ticked ones when `jenZaskrtnute`.
template <typename F> void proStrany(bool jenZaskrtnute, F&& f) {
    const TVetaT2& t2 = zaznam().T2;
    for (const TStrana& s : SeznamStran().strany) {
        const int p = cisloStrany(s);
        if (!jenZaskrtnute || t2.zaskrtnuta(p))
            f(p, s);
    }
}

// Empty in the sense of the commission's text fields: nothing but blanks and
// control characters.
bool prazdny(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

double podil(double citatel, double jmenovatel) {
    return citatel * 100 / jmenovatel;
}

} // namespace

QString orizni(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= ' ')
        ++b;
    while (e > b && text.at(e - 1).unicode() <= ' ')
        --e;
    return text.mid(b, e - b);
}

TStavKontrol& StavKontrol() {
    static TStavKontrol stav;
    return stav;
}

TridaChyby tridaChyby(int cislo) {
    const QString kod = kodChyby(cislo);
    if (obsahujeKod(QLatin1String(kPropustitelne), kod))
        return TridaChyby::Propustitelna;
    if (obsahujeKod(QLatin1String(kUpozorneni), kod))
        return TridaChyby::Upozorneni;
    return TridaChyby::Chyba;
}

QString kodChyby(int cislo) {
    return QString::number(cislo).rightJustified(2, QLatin1Char('0'));
}

void ZaznamenejChybu(const QString& iKod, int iVeta) {
    TPrecinctRecord& r = zaznam();
    TStavKontrol& stav = StavKontrol();
    // Each code is kept once, however often its check fails; the codes are
    // compared at their two-character boundaries only, so that "21" is not
    // taken for present in "1213".
    QString& kody = r.TS.KodyChyb;
    if (!obsahujeKod(kody, iKod))
        kody = (kody + iKod).left(kDelkaKoduChyb);

    bool varovani = false;
    if (obsahujeKod(QLatin1String(kPropustitelne), iKod))
        stav.JsouPropustitelne = true;
    else if (obsahujeKod(QLatin1String(kUpozorneni), iKod))
        varovani = stav.JsouUpozorneni = true;
    else
        stav.JsouChyby = true;
    if (varovani)
        return;
    if (iVeta == kVetaTS)
        r.TS.TSChyba = 1;
    else if (iVeta == kVetaT2)
        r.T2.T2Chyba = 1;
    else if (iVeta >= 1 && iVeta <= 50)
        r.VyslStran(iVeta).T2PChyba = 1;
}

// ---- record type 1 ----

bool Kontrola01(bool iTiche) {
    return vysledek(ExistujeObec(QString::number(zaznam().T2.Obec)), iTiche, 1, kVetaT2);
}

bool Kontrola02(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    TOkrsky entry;
    const bool nalezen = NajdiOkrsek(QString::number(t2.Obec).left(6), t2.Okrsek, entry);
    StavKontrol().NalezenyOkrsek = entry;
    return vysledek(nalezen, iTiche, 2, kVetaT2);
}

bool Kontrola03(bool iTiche, qint64* oSpravne) {
    const TVetaT2& t2 = zaznam().T2;
    const qint64 kc1 = KC1(t2.Obec, t2.Okrsek);
    if (oSpravne)
        *oSpravne = kc1;
    return vysledek(t2.T2KC_1 == kc1, iTiche, 3, kVetaT2);
}

bool Kontrola04(bool iTiche) {
    return vysledek(zaznam().T2.ZapsOsoby > 0, iTiche, 4, kVetaT2);
}

bool Kontrola05(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.ZapsOsoby <= 0 || t2.VydObalky > 0, iTiche, 5, kVetaT2);
}

bool Kontrola06(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.VydObalky <= t2.ZapsOsoby, iTiche, 6, kVetaT2);
}

bool Kontrola07(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.VydObalky == 0 || t2.OdevzdObalky > 0, iTiche, 7, kVetaT2);
}

bool Kontrola08(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.OdevzdObalky <= t2.VydObalky, iTiche, 8, kVetaT2);
}

bool Kontrola09(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.OdevzdObalky == 0 || t2.PlatneHlasy > 0, iTiche, 9, kVetaT2);
}

bool Kontrola10(bool iTiche) {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.PlatneHlasy <= t2.OdevzdObalky, iTiche, 10, kVetaT2);
}

bool Kontrola11(bool iTiche, qint64* oSpravne) {
    const TVetaT2& t2 = zaznam().T2;
    const qint64 kc2 = qint64(t2.ZapsOsoby) + t2.VydObalky + t2.OdevzdObalky + t2.PlatneHlasy;
    if (oSpravne)
        *oSpravne = kc2;
    return vysledek(t2.T2KC_2 == kc2, iTiche, 11, kVetaT2);
}

bool Kontrola16() {
    qint64 soucet = 0;
    proStrany(true, [&](int p, const TStrana&) { soucet += zaznam().VyslStran(p).PocHl; });
    return vysledek(soucet == zaznam().T2.PlatneHlasy, false, 16, kVetaT2);
}

// ---- Annex 1 sheets ----

namespace {
// Checks 12, 14 and 24 ask the party list the same question; the full run
// asks it once per party and hands the answer to all three.
bool kontrola12(qint32 pocetKandidatu) {
    return vysledek(pocetKandidatu > 0, false, 12, kVetaT2);
}
bool kontrola14(int iEStrana, qint32 pocetKandidatu) {
    return vysledek(pocetKandidatu > 0, false, 14, iEStrana);
}
bool kontrola24(bool iTiche, int iEStrana, qint32 pocetKandidatu) {
    return vysledek(zaznam().VyslStran(iEStrana).T2PPoslKand <= pocetKandidatu, iTiche, 24,
                    iEStrana);
}
qint32 pocetKandidatuStrany(int iEStrana) {
    return PocetKandidatu(zaznam().VyslStran(iEStrana).CisStr);
}
} // namespace

bool Kontrola12(int iEStrana) {
    return kontrola12(pocetKandidatuStrany(iEStrana));
}

bool Kontrola13(int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    const qint64 kc1 = KC1(s.Obec, s.Okrsek);
    if (oSpravne)
        *oSpravne = kc1;
    return vysledek(s.T2PKC1 == kc1, false, 13, iEStrana);
}

bool Kontrola14(int iEStrana) {
    return kontrola14(iEStrana, pocetKandidatuStrany(iEStrana));
}

bool Kontrola15(bool iTiche, int iEStrana) {
    return vysledek(zaznam().VyslStran(iEStrana).PocHl <= zaznam().T2.PlatneHlasy, iTiche, 15,
                    iEStrana);
}

bool Kontrola17(bool iTiche, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    const qint64 kc2 = qint64(s.CisStr) + s.PocHl;
    if (oSpravne)
        *oSpravne = kc2;
    return vysledek(s.T2PKC2 == kc2, iTiche, 17, iEStrana);
}

bool Kontrola18(bool iTiche, int iEStrana, int iKandidat) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    return vysledek(s.pref(iKandidat) <= s.PocHl, iTiche, 18, iEStrana);
}

bool Kontrola19(bool iTiche, int iEStrana, qint64* oSoucet) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    qint64 soucet = 0;
    for (quint16 v : s.PrefHlasy)
        soucet += v;
    if (oSoucet)
        *oSoucet = soucet;
    return vysledek(soucet <= 2 * qint64(s.PocHl), iTiche, 19, iEStrana);
}

bool Kontrola20(int iEStrana, int iKandidat) {
    return vysledek(zaznam().VyslStran(iEStrana).pref(iKandidat) == 0, false, 20, iEStrana);
}

bool Kontrola21(bool iTiche, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    qint64 kc3 = 0;
    for (int i = 1; i <= kPocetPrefHlasu; ++i)
        kc3 += qint64(i) * s.pref(i);
    if (oSpravne)
        *oSpravne = kc3;
    return vysledek(s.T2PKC3 == kc3, iTiche, 21, iEStrana);
}

bool Kontrola22(bool iTiche, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    const qint64 kc4 = qint64(s.T2PKC2) + s.T2PKC3;
    if (oSpravne)
        *oSpravne = kc4;
    return vysledek(s.T2PKC4 == kc4, iTiche, 22, iEStrana);
}

bool Kontrola23(bool iTiche, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = zaznam().VyslStran(iEStrana);
    int posledni = 0;
    for (int i = kPocetPrefHlasu; i >= 1 && posledni == 0; --i)
        if (s.pref(i) > 0)
            posledni = i;
    if (oSpravne)
        *oSpravne = posledni;
    return vysledek(s.T2PPoslKand == posledni, iTiche, 23, iEStrana);
}

bool Kontrola24(bool iTiche, int iEStrana) {
    return kontrola24(iTiche, iEStrana, pocetKandidatuStrany(iEStrana));
}

bool Kontrola41(int iEStrana) {
    const bool prosla = zaznam().VyslStran(iEStrana).PocHl == 0 || zaznam().T2.zaskrtnuta(iEStrana);
    return vysledek(prosla, false, 41, kVetaT2);
}

bool Kontrola42(int iEStrana) {
    return vysledek(zaznam().VyslStran(iEStrana).PocHl > 0, false, 42, iEStrana);
}

// ---- the whole record ----

namespace {
// Checks one value of record 1, of every ticked sheet and of the closing
// record, recording and listing each that fails.
template <typename T2Ok, typename StranaOk, typename TSOk>
bool kontrolaVet(int cislo, T2Ok t2Ok, StranaOk stranaOk, TSOk tsOk,
                 const QString& paramT2 = QString(), const QString& paramTS = QString()) {
    TPrecinctRecord& r = zaznam();
    const QString kod = kodChyby(cislo);
    bool prosla = true;
    if (!t2Ok(r.T2)) {
        ZaznamenejChybu(kod, kVetaT2);
        pridej(0, cislo, paramT2);
        prosla = false;
    }
    proStrany(true, [&](int p, const TStrana&) {
        if (!stranaOk(r.VyslStran(p))) {
            ZaznamenejChybu(kod, p);
            pridej(p, cislo);
            prosla = false;
        }
    });
    if (!tsOk(r.TS)) {
        ZaznamenejChybu(kod, kVetaTS);
        pridej(0, cislo, paramTS);
        prosla = false;
    }
    return prosla;
}

bool nulaNeboJedna(quint16 v) {
    return v == 0 || v == 1;
}
} // namespace

bool Kontrola62() {
    return kontrolaVet(
        62, [](const TVetaT2& t) { return t.TypVety == 1; },
        [](const TStranaVysl& s) { return s.TypVety == 2; },
        [](const TVetaTS& t) { return t.TypVety == 3; }, QStringLiteral("(T2)"),
        QStringLiteral("(TS)"));
}

bool Kontrola63() {
    return kontrolaVet(
        63, [](const TVetaT2& t) { return nulaNeboJedna(t.T2Oprava); },
        [](const TStranaVysl& s) { return nulaNeboJedna(s.T2POprava); },
        [](const TVetaTS& t) { return nulaNeboJedna(t.TSOprava); });
}

bool Kontrola64() {
    return kontrolaVet(
        64, [](const TVetaT2& t) { return nulaNeboJedna(t.T2Chyba); },
        [](const TStranaVysl& s) { return nulaNeboJedna(s.T2PChyba); },
        [](const TVetaTS& t) { return nulaNeboJedna(t.TSChyba); });
}

bool Kontrola72() {
    const qint32 okres = strToIntDef(StavKontrol().NalezenyOkrsek.Okres, 9999);
    auto stejny = [okres](quint16 v) { return qint32(v) == okres; };
    const bool prosla = kontrolaVet(
        72, [&](const TVetaT2& t) { return stejny(t.Okres); },
        [&](const TStranaVysl& s) { return stejny(s.Okres); },
        [&](const TVetaTS& t) { return stejny(t.Okres); });
    // A wrong district is also a fault of record 1 as a whole, listed once
    // more on its own.
    if (!prosla) {
        ZaznamenejChybu(kodChyby(72), kVetaT2);
        pridej(0, 72);
    }
    return prosla;
}

bool Kontrola76() {
    const quint16 tn = zaznam().TS.T2ZapisTN;
    const bool prosla = vysledek(tn == 0 || tn == 1 || tn == 9, false, 76, kVetaTS);
    if (!prosla)
        pridej(0, 76);
    return prosla;
}

// ---- the closing record ----

bool Kontrola66() {
    const TPrecinctRecord& r = zaznam();
    qint64 soucet = qint64(r.T2.T2KC_1) + r.TS.TSKC1;
    proStrany(true, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC1; });
    return vysledek(soucet == r.TS.SoucetKC1, false, 66, kVetaTS);
}

bool Kontrola67() {
    const TPrecinctRecord& r = zaznam();
    qint64 soucet = r.T2.T2KC_2;
    proStrany(true, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC2; });
    return vysledek(soucet == r.TS.SoucetKC2, false, 67, kVetaTS);
}

bool Kontrola68() {
    const TPrecinctRecord& r = zaznam();
    double soucet = 0;
    proStrany(true, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC3; });
    return vysledek(soucet == r.TS.SoucetKC3, false, 68, kVetaTS);
}

bool Kontrola69() {
    const TPrecinctRecord& r = zaznam();
    double soucet = 0;
    proStrany(true, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC4; });
    return vysledek(soucet == r.TS.SoucetKC4, false, 69, kVetaTS);
}

bool Kontrola70() {
    const TPrecinctRecord& r = zaznam();
    double soucet = 0;
    proStrany(true, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKontrSoucet; });
    return vysledek(soucet == r.TS.SoucetKontr, false, 70, kVetaTS);
}

bool Kontrola77() {
    const TVetaTS& ts = zaznam().TS;
    return vysledek(ts.T2ZapisTN != 1 || ts.KontrSoucetTS == kontrolniSoucetTS(ts), false, 77,
                    kVetaTS);
}

// ---- warnings ----

bool Kontrola91() {
    const TVetaT2& t2 = zaznam().T2;
    return vysledek(t2.ZapsOsoby == 0 || t2.VydObalky != t2.ZapsOsoby, false, 91, kVetaT2);
}

bool Kontrola97() {
    const TVetaT2& t2 = zaznam().T2;
    const bool prosla =
        t2.ZapsOsoby <= 0 || t2.VydObalky == 0 || podil(t2.VydObalky, t2.ZapsOsoby) <= 80;
    return vysledek(prosla, false, 97, kVetaT2);
}

bool Kontrola92() {
    const TVetaT2& t2 = zaznam().T2;
    const bool prosla = t2.VydObalky == 0 || t2.OdevzdObalky == 0 ||
                        podil(t2.OdevzdObalky, t2.VydObalky) >= 80 ||
                        int(t2.VydObalky) - int(t2.OdevzdObalky) <= 10;
    return vysledek(prosla, false, 92, kVetaT2);
}

bool Kontrola93(bool iTiche) {
    return vysledek(zaznam().T2.ZapsOsoby < 2000, iTiche, 93, kVetaT2);
}

bool Kontrola94() {
    const TVetaT2& t2 = zaznam().T2;
    const bool prosla = t2.ZapsOsoby <= 0 || t2.VydObalky == 0 ||
                        podil(t2.VydObalky, t2.ZapsOsoby) >= 10 || t2.VydObalky > 150;
    return vysledek(prosla, false, 94, kVetaT2);
}

bool Kontrola95() {
    const TVetaT2& t2 = zaznam().T2;
    const bool prosla = t2.OdevzdObalky == 0 || t2.PlatneHlasy == 0 ||
                        podil(t2.PlatneHlasy, t2.OdevzdObalky) >= 90 ||
                        int(t2.OdevzdObalky) - int(t2.PlatneHlasy) <= 2;
    return vysledek(prosla, false, 95, kVetaT2);
}

bool Kontrola96(qint32* oOcekavani) {
    const TVetaT2& t2 = zaznam().T2;
    const qint32 e = OcekavaniVolici(QString::number(t2.Obec), t2.Okrsek);
    if (oOcekavani)
        *oOcekavani = e;
    bool prosla = t2.ZapsOsoby <= 0 || e == 0;
    if (!prosla) {
        const qint64 rozdil = qint64(t2.ZapsOsoby) - e;
        prosla = rozdil >= -9 && rozdil <= 14;
    }
    if (!prosla && e > 0) {
        // R = ZapsOsoby * 100 / E rounded to the nearest whole number, a half
        // to the even one; done in integers so that the halves are exact. (A
        // negative E from a damaged table gives a negative R, which fails.)
        const qint64 citatel = qint64(t2.ZapsOsoby) * 100;
        qint64 r = citatel / e;
        const qint64 zbytek2 = 2 * (citatel % e);
        if (zbytek2 > e || (zbytek2 == e && r % 2 != 0))
            ++r;
        prosla = r >= 84 && r <= 120;
    }
    return vysledek(prosla, false, 96, kVetaT2);
}

namespace {
// T * 100 / (2 * P) with two decimal places, halves away from zero, written
// with the decimal separator of the user's locale and without trailing zeros.
QString procentoVyuziti(qint64 t, qint64 p) {
    const qint64 setiny = (10000 * t + p) / (2 * p); // both are never negative
    const qint64 cele = setiny / 100;
    const qint64 zbytek = setiny % 100;
    QString text = QString::number(cele);
    if (zbytek != 0) {
        QString desetiny = QString::number(zbytek).rightJustified(2, QLatin1Char('0'));
        if (desetiny.endsWith(QLatin1Char('0')))
            desetiny.chop(1);
        text += QLocale().decimalPoint() + desetiny;
    }
    return text;
}
} // namespace

bool Kontrola98() {
    TStavKontrol& stav = StavKontrol();
    const TPrecinctRecord& r = zaznam();
    stav.ParamKontroly98.clear();
    const qint64 platne = r.T2.PlatneHlasy;
    if (platne > 30) {
        qint64 t = 0;
        proStrany(true, [&](int p, const TStrana&) {
            for (quint16 v : r.VyslStran(p).PrefHlasy)
                t += v;
        });
        if (t * 100 < 2 * platne || t * 100 > 132 * platne) {
            stav.ParamKontroly98 =
                QStringLiteral(" (využito: ") + procentoVyuziti(t, platne) + QStringLiteral(" %)");
            return vysledek(false, false, 98, kVetaT2);
        }
    }
    QString strany;
    proStrany(true, [&](int p, const TStrana&) {
        const TStranaVysl& s = r.VyslStran(p);
        qint64 soucet = 0;
        for (quint16 v : s.PrefHlasy)
            soucet += v;
        const qint64 h = s.PocHl;
        if ((h >= 25 && soucet * 100 >= 150 * h) || (h >= 40 && soucet == 0))
            strany += QStringLiteral(", ") + QString::number(p);
    });
    if (strany.isEmpty())
        return true;
    stav.ParamKontroly98 = QStringLiteral(" (u strany: ") + strany.mid(2) + QLatin1Char(')');
    return vysledek(false, false, 98, kVetaT2);
}

// ---- section III ----

bool Kontrola39() {
    TStavKontrol& stav = StavKontrol();
    const THlaso& h = zaznam().Hlaso;
    const QString c = orizni(h.ClenuOVKC);
    const QString p = orizni(h.ClenuOVKP);
    stav.ParamKontroly39.clear();
    QString nalezeno;
    if (c.isEmpty())
        nalezeno += QStringLiteral(", není vyplněn počet členů komise celkem");
    const QString chybiJmeno = QStringLiteral(", není vyplněno jméno ostatního člena komise");
    if (p.isEmpty()) {
        nalezeno += QStringLiteral(", není vyplněn počet přítomných členů komise");
    } else if (p == QLatin1String("0") || p == QLatin1String("1")) {
        nalezeno += chybiJmeno;
    } else {
        const QList<TKomise>& jmena = JmenaKomise();
        const qint64 pritomno = cisloNeboNula(p);
        for (qint64 k = 1; k <= pritomno - 1; ++k)
            if (k > jmena.size() || prazdny(jmena.at(k - 1).clen)) {
                nalezeno += chybiJmeno;
                break;
            }
    }
    if (!c.isEmpty() && !p.isEmpty()) {
        const qint64 celkem = cisloNeboNula(c);
        const qint64 pritomno = cisloNeboNula(p);
        if (2 * pritomno <= celkem)
            nalezeno += QStringLiteral(", počet přítomných členů není nadpoloviční většina");
        else if (pritomno > celkem)
            nalezeno += QStringLiteral(", počet přítomných členů > než celkový počet");
    }
    if (prazdny(h.Zapisovat))
        nalezeno += QStringLiteral(", není vyplněno jméno zapisovatele komise");
    if (prazdny(h.PoverPred))
        nalezeno += QStringLiteral(", není vyplněno jméno pověřené osoby");
    stav.ParamKontroly39 = QStringLiteral("Nalezené problémy: ") + nalezeno.mid(2);
    return vysledek(nalezeno.isEmpty(), false, 39, kVetaT2);
}

// ---- the full run ----

namespace {
// Without the tables the ticked parties stand in for the party list for the
// length of one run: every check that visits parties then visits exactly
// those the record has sheets for. No candidate count is known, so none
// limits the candidates.
class StranyZaznamu {
public:
    explicit StranyZaznamu(bool platiTabulky) : m_aktivni(!platiTabulky) {
        if (!m_aktivni)
            return;
        m_seznam = std::move(SeznamStran());
        TSeznamStran zaznamu;
        for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
            if (zaznam().T2.zaskrtnuta(p))
                zaznamu.strany.append(
                    {QString::number(p), QString(), QString::number(kPocetPrefHlasu)});
        SeznamStran() = std::move(zaznamu);
    }
    ~StranyZaznamu() {
        if (m_aktivni)
            SeznamStran() = std::move(m_seznam);
    }
    StranyZaznamu(const StranyZaznamu&) = delete;
    StranyZaznamu& operator=(const StranyZaznamu&) = delete;

private:
    bool m_aktivni;
    TSeznamStran m_seznam;
};
} // namespace

void ProvedKontroly() {
    ProvedKontroly(TRozsahKontrol{});
}

void ProvedKontroly(const TRozsahKontrol& rozsah) {
    TChybProt& prot = ChybProt();
    TStavKontrol& stav = StavKontrol();
    TPrecinctRecord& r = zaznam();
    const bool tabulky = rozsah.tabulky;
    const StranyZaznamu strany(tabulky);

    prot.Clear();
    stav.JsouChyby = stav.JsouPropustitelne = stav.JsouUpozorneni = false;
    // The check command and the save start the flags afresh; the export's
    // check keeps those the data were saved with.
    if (Workflow().Vybrano == kVybranoKontrola) {
        r.T2.T2Chyba = 0;
        proStrany(false, [&](int p, const TStrana&) {
            if (p >= 1 && p <= kPocetStranVeZaznamu)
                r.VyslStran(p).T2PChyba = 0;
        });
        r.TS.TSChyba = 0;
    }
    r.TS.KodyChyb.clear();

    auto zaznamenej = [&](bool prosla, int strana, int cislo, const QString& param = QString()) {
        if (!prosla)
            pridej(strana, cislo, param);
    };

    if (tabulky) {
        zaznamenej(Kontrola01(false), 0, 1);
        zaznamenej(Kontrola02(false), 0, 2);
    }
    zaznamenej(Kontrola03(false), 0, 3);
    zaznamenej(Kontrola04(false), 0, 4);
    zaznamenej(Kontrola05(false), 0, 5);
    zaznamenej(Kontrola06(false), 0, 6);
    zaznamenej(Kontrola07(false), 0, 7);
    zaznamenej(Kontrola08(false), 0, 8);
    zaznamenej(Kontrola09(false), 0, 9);
    zaznamenej(Kontrola10(false), 0, 10);
    zaznamenej(Kontrola11(false), 0, 11);
    zaznamenej(Kontrola16(), 0, 16);

    proStrany(true, [&](int p, const TStrana& s) {
        const QString cisStr =
            QLatin1Char('(') + QString::number(r.VyslStran(p).CisStr) + QLatin1Char(')');
        const qint32 pocetKand = tabulky ? pocetKandidatuStrany(p) : 0;
        if (tabulky)
            zaznamenej(kontrola12(pocetKand), 0, 12, cisStr);
        zaznamenej(Kontrola13(p), p, 13);
        if (tabulky)
            zaznamenej(kontrola14(p, pocetKand), 0, 14, cisStr);
        zaznamenej(Kontrola15(false, p), p, 15);
        zaznamenej(Kontrola17(false, p), p, 17);
        // The parameters of the candidate checks are built only for a failure:
        // a run makes some fifty of these checks per party.
        for (int i = 1; i <= kPocetPrefHlasu; ++i)
            if (!Kontrola18(false, p, i))
                pridej(p, 18, QStringLiteral("(kand. č. ") + QString::number(i) + QLatin1Char(')'));
        zaznamenej(Kontrola19(false, p), p, 19);
        if (tabulky)
            for (int i = std::max(strToIntDef(s.PocetKand, 0) + 1, 1); i <= kPocetPrefHlasu; ++i)
                if (!Kontrola20(p, i))
                    pridej(p, 20, QLatin1Char('(') + QString::number(i) + QLatin1Char(')'));
        zaznamenej(Kontrola21(false, p), p, 21);
        zaznamenej(Kontrola22(false, p), p, 22);
        zaznamenej(Kontrola23(false, p), p, 23);
        if (tabulky)
            zaznamenej(kontrola24(false, p, pocetKand), p, 24);
        zaznamenej(Kontrola42(p), p, 42);
    });
    // Votes kept on the sheet of a party that is not ticked would not reach
    // the data file; say so rather than drop them unseen.
    if (tabulky)
        proStrany(false, [&](int p, const TStrana&) {
            if (p >= 1 && p <= kPocetStranVeZaznamu && !r.T2.zaskrtnuta(p))
                zaznamenej(Kontrola41(p), p, 41,
                           QLatin1Char('(') + QString::number(p) + QLatin1Char(')'));
        });

    Kontrola62();
    Kontrola63();
    Kontrola64();
    zaznamenej(Kontrola66(), 0, 66);
    zaznamenej(Kontrola67(), 0, 67);
    zaznamenej(Kontrola68(), 0, 68);
    zaznamenej(Kontrola69(), 0, 69);
    zaznamenej(Kontrola70(), 0, 70);
    if (tabulky)
        Kontrola72();
    Kontrola76();
    zaznamenej(Kontrola77(), 0, 77);

    // Envelopes for every registered voter already says what a high turnout
    // would say.
    if (Kontrola91())
        zaznamenej(Kontrola97(), 0, 97);
    else
        pridej(0, 91);
    zaznamenej(Kontrola92(), 0, 92);

    qint32 ocekavano = 0;
    if (tabulky && !Kontrola96(&ocekavano)) {
        pridej(0, 96, QLatin1Char(' ') + QString::number(ocekavano));
        zaznamenej(Kontrola93(false), 0, 93);
    } else if (ocekavano == 0) {
        zaznamenej(Kontrola93(false), 0, 93);
    }

    zaznamenej(Kontrola94(), 0, 94);
    zaznamenej(Kontrola95(), 0, 95);
    // The parameter texts exist only once their checks have run.
    const bool prosla98 = Kontrola98();
    zaznamenej(prosla98, 0, 98, stav.ParamKontroly98);
    if (rozsah.oddilIII) {
        const bool prosla39 = Kontrola39();
        zaznamenej(prosla39, 0, 39, stav.ParamKontroly39);
    }
}

} // namespace urn
