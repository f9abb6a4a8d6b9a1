#include "checks/CheckRules.h"

#include "checks/ControlNumbers.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"

#include <QLocale>

#include <algorithm>
#include <bitset>
#include <iterator>
#include <optional>
#include <type_traits>

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

// The parties of a list in its order, with the number each entry names;
// only ticked ones when `jenZaskrtnute`.
template <typename F>
void proStrany(const TSeznamStran& seznam, const TVetaT2& t2, bool jenZaskrtnute, F&& f) {
    for (const TStrana& s : seznam.strany) {
        const int p = cisloStrany(s);
        if (!jenZaskrtnute || t2.zaskrtnuta(p))
            f(p, s);
    }
}
template <typename F> void proZaskrtnute(const TVstupKontrol& v, F&& f) {
    proStrany(v.SeznamStran, v.PrecinctRecord.T2, true, std::forward<F>(f));
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

const TVetaT2& t2(const TVstupKontrol& v) {
    return v.PrecinctRecord.T2;
}
const TStranaVysl& list(const TVstupKontrol& v, int strana) {
    return v.PrecinctRecord.VyslStran(strana);
}

qint32 pocetKandidatuStrany(const TVstupKontrol& v, int iEStrana) {
    return PocetKandidatu(list(v, iEStrana).CisStr);
}

qint64 soucetPref(const TStranaVysl& s) {
    qint64 soucet = 0;
    for (quint16 h : s.PrefHlasy)
        soucet += h;
    return soucet;
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

void ZaznamenejChybu(TPrecinctRecord& r, TStavKontrol& stav, const QString& iKod, int iVeta) {
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

bool Kontrola01(const TVstupKontrol& v) {
    return ExistujeObec(QString::number(t2(v).Obec));
}

bool Kontrola02(const TVstupKontrol& v, TOkrsky* oNalezeny) {
    TOkrsky entry;
    const bool nalezen = NajdiOkrsek(QString::number(t2(v).Obec).left(6), t2(v).Okrsek, entry);
    if (oNalezeny)
        *oNalezeny = entry;
    return nalezen;
}

bool Kontrola03(const TVstupKontrol& v, qint64* oSpravne) {
    const qint64 kc1 = KC1(t2(v).Obec, t2(v).Okrsek);
    if (oSpravne)
        *oSpravne = kc1;
    return t2(v).T2KC_1 == kc1;
}

bool Kontrola04(const TVstupKontrol& v) {
    return t2(v).ZapsOsoby > 0;
}

bool Kontrola05(const TVstupKontrol& v) {
    return t2(v).ZapsOsoby <= 0 || t2(v).VydObalky > 0;
}

bool Kontrola06(const TVstupKontrol& v) {
    return t2(v).VydObalky <= t2(v).ZapsOsoby;
}

bool Kontrola07(const TVstupKontrol& v) {
    return t2(v).VydObalky == 0 || t2(v).OdevzdObalky > 0;
}

bool Kontrola08(const TVstupKontrol& v) {
    return t2(v).OdevzdObalky <= t2(v).VydObalky;
}

bool Kontrola09(const TVstupKontrol& v) {
    return t2(v).OdevzdObalky == 0 || t2(v).PlatneHlasy > 0;
}

bool Kontrola10(const TVstupKontrol& v) {
    return t2(v).PlatneHlasy <= t2(v).OdevzdObalky;
}

bool Kontrola11(const TVstupKontrol& v, qint64* oSpravne) {
    const TVetaT2& t = t2(v);
    const qint64 kc2 = qint64(t.ZapsOsoby) + t.VydObalky + t.OdevzdObalky + t.PlatneHlasy;
    if (oSpravne)
        *oSpravne = kc2;
    return t.T2KC_2 == kc2;
}

bool Kontrola16(const TVstupKontrol& v) {
    qint64 soucet = 0;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += list(v, p).PocHl; });
    return soucet == t2(v).PlatneHlasy;
}

// ---- Annex 1 sheets ----

bool Kontrola12(const TVstupKontrol& v, int iEStrana) {
    return pocetKandidatuStrany(v, iEStrana) > 0;
}

bool Kontrola13(const TVstupKontrol& v, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = list(v, iEStrana);
    const qint64 kc1 = KC1(s.Obec, s.Okrsek);
    if (oSpravne)
        *oSpravne = kc1;
    return s.T2PKC1 == kc1;
}

bool Kontrola14(const TVstupKontrol& v, int iEStrana) {
    return pocetKandidatuStrany(v, iEStrana) > 0;
}

bool Kontrola15(const TVstupKontrol& v, int iEStrana) {
    return list(v, iEStrana).PocHl <= t2(v).PlatneHlasy;
}

bool Kontrola17(const TVstupKontrol& v, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = list(v, iEStrana);
    const qint64 kc2 = qint64(s.CisStr) + s.PocHl;
    if (oSpravne)
        *oSpravne = kc2;
    return s.T2PKC2 == kc2;
}

bool Kontrola18(const TVstupKontrol& v, int iEStrana, int iKandidat) {
    const TStranaVysl& s = list(v, iEStrana);
    return s.pref(iKandidat) <= s.PocHl;
}

bool Kontrola19(const TVstupKontrol& v, int iEStrana, qint64* oSoucet) {
    const TStranaVysl& s = list(v, iEStrana);
    const qint64 soucet = soucetPref(s);
    if (oSoucet)
        *oSoucet = soucet;
    return soucet <= 2 * qint64(s.PocHl);
}

bool Kontrola20(const TVstupKontrol& v, int iEStrana, int iKandidat) {
    return list(v, iEStrana).pref(iKandidat) == 0;
}

bool Kontrola21(const TVstupKontrol& v, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = list(v, iEStrana);
    qint64 kc3 = 0;
    for (int i = 1; i <= kPocetPrefHlasu; ++i)
        kc3 += qint64(i) * s.pref(i);
    if (oSpravne)
        *oSpravne = kc3;
    return s.T2PKC3 == kc3;
}

bool Kontrola22(const TVstupKontrol& v, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = list(v, iEStrana);
    const qint64 kc4 = qint64(s.T2PKC2) + s.T2PKC3;
    if (oSpravne)
        *oSpravne = kc4;
    return s.T2PKC4 == kc4;
}

bool Kontrola23(const TVstupKontrol& v, int iEStrana, qint64* oSpravne) {
    const TStranaVysl& s = list(v, iEStrana);
    int posledni = 0;
    for (int i = kPocetPrefHlasu; i >= 1 && posledni == 0; --i)
        if (s.pref(i) > 0)
            posledni = i;
    if (oSpravne)
        *oSpravne = posledni;
    return s.T2PPoslKand == posledni;
}

bool Kontrola24(const TVstupKontrol& v, int iEStrana) {
    return list(v, iEStrana).T2PPoslKand <= pocetKandidatuStrany(v, iEStrana);
}

bool Kontrola41(const TVstupKontrol& v, int iEStrana) {
    return list(v, iEStrana).PocHl == 0 || t2(v).zaskrtnuta(iEStrana);
}

bool Kontrola42(const TVstupKontrol& v, int iEStrana) {
    return list(v, iEStrana).PocHl > 0;
}

// ---- the whole record ----

namespace {
// A check of one value in record type 1, in every ticked sheet and in the
// closing record; `vadna` is told each record that fails.
struct TKontrolaVet {
    bool (*t2Ok)(const TVetaT2&, const TOkrsky&);
    bool (*stranaOk)(const TStranaVysl&, const TOkrsky&);
    bool (*tsOk)(const TVetaTS&, const TOkrsky&);

    template <typename F>
    bool proved(const TVstupKontrol& v, const TOkrsky& okrsek, F&& vadna) const {
        const TPrecinctRecord& r = v.PrecinctRecord;
        bool prosla = true;
        if (!t2Ok(r.T2, okrsek)) {
            vadna(kVetaT2);
            prosla = false;
        }
        proZaskrtnute(v, [&](int p, const TStrana&) {
            if (!stranaOk(r.VyslStran(p), okrsek)) {
                vadna(p);
                prosla = false;
            }
        });
        if (!tsOk(r.TS, okrsek)) {
            vadna(kVetaTS);
            prosla = false;
        }
        return prosla;
    }
    bool proved(const TVstupKontrol& v, const TOkrsky& okrsek = {}) const {
        return proved(v, okrsek, [](int) {});
    }
};

bool nulaNeboJedna(quint16 v) {
    return v == 0 || v == 1;
}

// The district of the precinct list as a number: 9999 when it is not one.
qint32 okresSeznamu(const TOkrsky& nalezeny) {
    return strToIntDef(nalezeny.Okres, 9999);
}

constexpr TKontrolaVet kKontrola62{
    [](const TVetaT2& t, const TOkrsky&) { return t.TypVety == 1; },
    [](const TStranaVysl& s, const TOkrsky&) { return s.TypVety == 2; },
    [](const TVetaTS& t, const TOkrsky&) { return t.TypVety == 3; }};
constexpr TKontrolaVet kKontrola63{
    [](const TVetaT2& t, const TOkrsky&) { return nulaNeboJedna(t.T2Oprava); },
    [](const TStranaVysl& s, const TOkrsky&) { return nulaNeboJedna(s.T2POprava); },
    [](const TVetaTS& t, const TOkrsky&) { return nulaNeboJedna(t.TSOprava); }};
constexpr TKontrolaVet kKontrola64{
    [](const TVetaT2& t, const TOkrsky&) { return nulaNeboJedna(t.T2Chyba); },
    [](const TStranaVysl& s, const TOkrsky&) { return nulaNeboJedna(s.T2PChyba); },
    [](const TVetaTS& t, const TOkrsky&) { return nulaNeboJedna(t.TSChyba); }};
constexpr TKontrolaVet kKontrola72{
    [](const TVetaT2& t, const TOkrsky& o) { return qint32(t.Okres) == okresSeznamu(o); },
    [](const TStranaVysl& s, const TOkrsky& o) { return qint32(s.Okres) == okresSeznamu(o); },
    [](const TVetaTS& t, const TOkrsky& o) { return qint32(t.Okres) == okresSeznamu(o); }};
} // namespace

bool Kontrola62(const TVstupKontrol& v) {
    return kKontrola62.proved(v);
}

bool Kontrola63(const TVstupKontrol& v) {
    return kKontrola63.proved(v);
}

bool Kontrola64(const TVstupKontrol& v) {
    return kKontrola64.proved(v);
}

bool Kontrola72(const TVstupKontrol& v, const TOkrsky& nalezeny) {
    return kKontrola72.proved(v, nalezeny);
}

// ---- the closing record ----

bool Kontrola66(const TVstupKontrol& v) {
    const TPrecinctRecord& r = v.PrecinctRecord;
    qint64 soucet = qint64(r.T2.T2KC_1) + r.TS.TSKC1;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC1; });
    return soucet == r.TS.SoucetKC1;
}

bool Kontrola67(const TVstupKontrol& v) {
    const TPrecinctRecord& r = v.PrecinctRecord;
    qint64 soucet = r.T2.T2KC_2;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC2; });
    return soucet == r.TS.SoucetKC2;
}

bool Kontrola68(const TVstupKontrol& v) {
    const TPrecinctRecord& r = v.PrecinctRecord;
    double soucet = 0;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC3; });
    return soucet == r.TS.SoucetKC3;
}

bool Kontrola69(const TVstupKontrol& v) {
    const TPrecinctRecord& r = v.PrecinctRecord;
    double soucet = 0;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKC4; });
    return soucet == r.TS.SoucetKC4;
}

bool Kontrola70(const TVstupKontrol& v) {
    const TPrecinctRecord& r = v.PrecinctRecord;
    double soucet = 0;
    proZaskrtnute(v, [&](int p, const TStrana&) { soucet += r.VyslStran(p).T2PKontrSoucet; });
    return soucet == r.TS.SoucetKontr;
}

bool Kontrola76(const TVstupKontrol& v) {
    const quint16 tn = v.PrecinctRecord.TS.T2ZapisTN;
    return tn == 0 || tn == 1 || tn == 9;
}

bool Kontrola77(const TVstupKontrol& v) {
    const TVetaTS& ts = v.PrecinctRecord.TS;
    return ts.T2ZapisTN != 1 || ts.KontrSoucetTS == kontrolniSoucetTS(ts);
}

// ---- warnings ----

bool Kontrola91(const TVstupKontrol& v) {
    return t2(v).ZapsOsoby == 0 || t2(v).VydObalky != t2(v).ZapsOsoby;
}

bool Kontrola97(const TVstupKontrol& v) {
    const TVetaT2& t = t2(v);
    return t.ZapsOsoby <= 0 || t.VydObalky == 0 || podil(t.VydObalky, t.ZapsOsoby) <= 80;
}

bool Kontrola92(const TVstupKontrol& v) {
    const TVetaT2& t = t2(v);
    return t.VydObalky == 0 || t.OdevzdObalky == 0 || podil(t.OdevzdObalky, t.VydObalky) >= 80 ||
           int(t.VydObalky) - int(t.OdevzdObalky) <= 10;
}

bool Kontrola93(const TVstupKontrol& v) {
    return t2(v).ZapsOsoby < 2000;
}

bool Kontrola94(const TVstupKontrol& v) {
    const TVetaT2& t = t2(v);
    return t.ZapsOsoby <= 0 || t.VydObalky == 0 || podil(t.VydObalky, t.ZapsOsoby) >= 10 ||
           t.VydObalky > 150;
}

bool Kontrola95(const TVstupKontrol& v) {
    const TVetaT2& t = t2(v);
    return t.OdevzdObalky == 0 || t.PlatneHlasy == 0 ||
           podil(t.PlatneHlasy, t.OdevzdObalky) >= 90 ||
           int(t.OdevzdObalky) - int(t.PlatneHlasy) <= 2;
}

bool Kontrola96(const TVstupKontrol& v, qint32* oOcekavani) {
    const TVetaT2& t = t2(v);
    const qint32 e = OcekavaniVolici(QString::number(t.Obec), t.Okrsek);
    if (oOcekavani)
        *oOcekavani = e;
    bool prosla = t.ZapsOsoby <= 0 || e == 0;
    if (!prosla) {
        const qint64 rozdil = qint64(t.ZapsOsoby) - e;
        prosla = rozdil >= -9 && rozdil <= 14;
    }
    if (!prosla && e > 0) {
        // R = ZapsOsoby * 100 / E rounded to the nearest whole number, a half
        // to the even one; done in integers so that the halves are exact. (A
        // negative E from a damaged table gives a negative R, which fails.)
        const qint64 citatel = qint64(t.ZapsOsoby) * 100;
        qint64 r = citatel / e;
        const qint64 zbytek2 = 2 * (citatel % e);
        if (zbytek2 > e || (zbytek2 == e && r % 2 != 0))
            ++r;
        prosla = r >= 84 && r <= 120;
    }
    return prosla;
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

bool Kontrola98(const TVstupKontrol& v, QString* oParam) {
    QString param;
    const qint64 platne = t2(v).PlatneHlasy;
    bool vPodilu = true;
    if (platne > 30) {
        qint64 t = 0;
        proZaskrtnute(v, [&](int p, const TStrana&) { t += soucetPref(list(v, p)); });
        if (t * 100 < 2 * platne || t * 100 > 132 * platne) {
            vPodilu = false;
            param =
                QStringLiteral(" (využito: ") + procentoVyuziti(t, platne) + QStringLiteral(" %)");
        }
    }
    if (vPodilu) {
        QString strany;
        proZaskrtnute(v, [&](int p, const TStrana&) {
            const qint64 soucet = soucetPref(list(v, p));
            const qint64 h = list(v, p).PocHl;
            if ((h >= 25 && soucet * 100 >= 150 * h) || (h >= 40 && soucet == 0))
                strany += QStringLiteral(", ") + QString::number(p);
        });
        if (!strany.isEmpty())
            param = QStringLiteral(" (u strany: ") + strany.mid(2) + QLatin1Char(')');
    }
    if (oParam)
        *oParam = param;
    return param.isEmpty();
}

// ---- section III ----

bool Kontrola39(const TVstupKontrol& v, QString* oParam) {
    const THlaso& h = v.PrecinctRecord.Hlaso;
    const QString c = orizni(h.ClenuOVKC);
    const QString p = orizni(h.ClenuOVKP);
    QString nalezeno;
    if (c.isEmpty())
        nalezeno += QStringLiteral(", není vyplněn počet členů komise celkem");
    const QString chybiJmeno = QStringLiteral(", není vyplněno jméno ostatního člena komise");
    if (p.isEmpty()) {
        nalezeno += QStringLiteral(", není vyplněn počet přítomných členů komise");
    } else if (p == QLatin1String("0") || p == QLatin1String("1")) {
        nalezeno += chybiJmeno;
    } else {
        const QList<TKomise>& jmena = v.JmenaKomise;
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
    if (oParam)
        *oParam = QStringLiteral("Nalezené problémy: ") + nalezeno.mid(2);
    return nalezeno.isEmpty();
}

// ---- the full run ----

char TVysledekKontrol::druhUlozeni() const {
    return StavKontrol.JsouChyby ? kKindE : kKindO;
}

void zapisPriznaky(const TPriznakyChyb& priznaky, TPrecinctRecord& r) {
    r.TS.KodyChyb = priznaky.KodyChyb;
    r.T2.T2Chyba = priznaky.T2Chyba;
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        r.VyslStran(p).T2PChyba = priznaky.T2PChyba.at(size_t(p - 1));
    r.TS.TSChyba = priznaky.TSChyba;
}

namespace {

// The parties a run visits without the tables: the ticked parties stand in
// for the party list, so that every check that visits parties visits exactly
// those the record has sheets for. No candidate count is known, so none
// limits the candidates.
TSeznamStran stranyZaznamu(const TPrecinctRecord& r) {
    TSeznamStran zaznamu;
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        if (r.T2.zaskrtnuta(p))
            zaznamu.strany.append(
                {QString::number(p), QString(), QString::number(kPocetPrefHlasu)});
    return zaznamu;
}

// A run in progress. It works on its own copy of the record, in which every
// failure is recorded as it is found, so that a later check (64) sees the
// error flags the earlier ones set, exactly as the record will hold them.
struct TBeh {
    TBeh(const TVstupKontrol& v, const TCisChyb& katalog, const TRozsahKontrol& r)
        : zaznam(v.PrecinctRecord),
          strany(r.tabulky ? v.SeznamStran : stranyZaznamu(zaznam)), vstup{zaznam, strany,
                                                                           v.JmenaKomise},
          rozsah(r), vysledek{TChybProt(katalog), {}, {}} {}
    TBeh(const TBeh&) = delete;
    TBeh& operator=(const TBeh&) = delete;

    // A failure of the check `cislo`: recorded for the record `veta`, and
    // its protocol entry (party `strana`, parameter `param`).
    void nalez(int veta, int strana = 0, const QString& param = QString()) {
        ZaznamenejChybu(zaznam, vysledek.StavKontrol, kodChyby(cislo), veta);
        vysledek.ChybProt.PridejChybu(strana, cislo, param);
        neprosla.set(size_t(cislo));
    }

    TPrecinctRecord zaznam;    // the run's copy of the record
    const TSeznamStran strany; // the parties the run visits
    const TVstupKontrol vstup; // what the checks read: the two above and the names
    const TRozsahKontrol rozsah;
    TVysledekKontrol vysledek;
    int cislo = 0;                        // the check being run
    std::bitset<100> neprosla;            // the checks that failed so far
    TOkrsky nalezenyOkrsek;               // the precinct-list entry of check 02
    qint32 ocekavano = 0;                 // the expected voters of check 96
    std::optional<qint32> pocetKandidatu; // of the party being visited (12, 14, 24)
};

// Who a check is asked about: the record as a whole, every ticked party of
// the list (in list order, each party through all the party checks before
// the next), or every party of the list that is not ticked.
enum class TRozsah { Zaznam, ZaskrtnutaStrana, NezaskrtnutaStrana };
// When a check runs at all.
enum class TPodminka {
    Vzdy,
    // Envelopes for every registered voter already say what a high turnout
    // would say: 97 runs only after 91 passed.
    Prosla91,
    // The size of the precinct is judged by 93 when 96 found the registered
    // voters implausible, or when no expected number is known.
    Podle96,
};
// What a check needs besides the record: the reference tables, or section III.
enum class TPotrebuje { Nic, Tabulky, OddilIII };

struct TKontrolaBehu {
    int cislo;
    TRozsah rozsah;
    TPotrebuje potrebuje;
    TPodminka podminka;
    // Asks the check (for the party `p` of the list entry `s`) and tells
    // the run every failure with TBeh::nalez.
    void (*zkus)(TBeh& b, const TStrana& s, int p);
};

QString vZavorkach(qint64 n) {
    return QLatin1Char('(') + QString::number(n) + QLatin1Char(')');
}

qint32 pocetKandidatu(TBeh& b, int p) {
    // Checks 12, 14 and 24 ask the party list the same question: it is asked
    // once per party.
    if (!b.pocetKandidatu)
        b.pocetKandidatu = pocetKandidatuStrany(b.vstup, p);
    return *b.pocetKandidatu;
}

void zkusVety(TBeh& b, const TKontrolaVet& k, const QString& paramT2 = QString(),
              const QString& paramTS = QString()) {
    k.proved(b.vstup, b.nalezenyOkrsek, [&](int veta) {
        b.nalez(veta, veta > 0 ? veta : 0,
                veta == kVetaT2   ? paramT2
                : veta == kVetaTS ? paramTS
                                  : QString());
    });
}

using R = TRozsah;
using N = TPotrebuje;
using P = TPodminka;
using S = const TStrana&;

// A check's answer without the value the data-entry window would show.
template <auto Kontrola, typename... Args> bool prosla(const TVstupKontrol& v, Args... args) {
    if constexpr (std::is_invocable_v<decltype(Kontrola), const TVstupKontrol&, Args...>)
        return Kontrola(v, args...);
    else
        return Kontrola(v, args..., nullptr);
}

// A check of the record that fails at most once, for the record `Veta`; its
// protocol entry names no party and has no parameter.
template <auto Kontrola, int Veta> void vZaznamu(TBeh& b, S, int) {
    if (!prosla<Kontrola>(b.vstup))
        b.nalez(Veta);
}

// A check of one party's sheet that fails at most once, for that sheet; its
// protocol entry names the party and has no parameter.
template <auto Kontrola> void naListu(TBeh& b, S, int p) {
    if (!prosla<Kontrola>(b.vstup, p))
        b.nalez(p, p);
}

// The checks of the full run, in the order they run. Each records every
// failure the same way (TBeh::nalez): its code, its outcome flag, the error
// flag of the record it names, and one protocol entry.
const TKontrolaBehu kKontroly[] = {
    {1, R::Zaznam, N::Tabulky, P::Vzdy, vZaznamu<Kontrola01, kVetaT2>},
    {2, R::Zaznam, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int) {
         // The precinct-list entry it read is kept for check 72.
         if (!Kontrola02(b.vstup, &b.nalezenyOkrsek))
             b.nalez(kVetaT2);
     }},
    {3, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola03, kVetaT2>},
    {4, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola04, kVetaT2>},
    {5, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola05, kVetaT2>},
    {6, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola06, kVetaT2>},
    {7, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola07, kVetaT2>},
    {8, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola08, kVetaT2>},
    {9, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola09, kVetaT2>},
    {10, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola10, kVetaT2>},
    {11, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola11, kVetaT2>},
    {16, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola16, kVetaT2>},

    // 12 and 14 ask what 24 asks too: the party's candidate count, once.
    {12, R::ZaskrtnutaStrana, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int p) {
         if (pocetKandidatu(b, p) <= 0)
             b.nalez(kVetaT2, 0, vZavorkach(list(b.vstup, p).CisStr));
     }},
    {13, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola13>},
    {14, R::ZaskrtnutaStrana, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int p) {
         if (pocetKandidatu(b, p) <= 0)
             b.nalez(p, 0, vZavorkach(list(b.vstup, p).CisStr));
     }},
    {15, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola15>},
    {17, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola17>},
    {18, R::ZaskrtnutaStrana, N::Nic, P::Vzdy,
     [](TBeh& b, S, int p) {
         // The parameters are built only for a failure: a run asks this
         // some thirty times per party.
         for (int i = 1; i <= kPocetPrefHlasu; ++i)
             if (!Kontrola18(b.vstup, p, i))
                 b.nalez(p, p,
                         QStringLiteral("(kand. č. ") + QString::number(i) + QLatin1Char(')'));
     }},
    {19, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola19>},
    {20, R::ZaskrtnutaStrana, N::Tabulky, P::Vzdy,
     [](TBeh& b, S s, int p) {
         // The candidates beyond the count of the party's entry in the list.
         for (int i = std::max(strToIntDef(s.PocetKand, 0) + 1, 1); i <= kPocetPrefHlasu; ++i)
             if (!Kontrola20(b.vstup, p, i))
                 b.nalez(p, p, vZavorkach(i));
     }},
    {21, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola21>},
    {22, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola22>},
    {23, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola23>},
    {24, R::ZaskrtnutaStrana, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int p) {
         if (list(b.vstup, p).T2PPoslKand > pocetKandidatu(b, p))
             b.nalez(p, p);
     }},
    {42, R::ZaskrtnutaStrana, N::Nic, P::Vzdy, naListu<Kontrola42>},

    // Votes kept on the sheet of a party that is not ticked would not reach
    // the data file; say so rather than drop them unseen.
    {41, R::NezaskrtnutaStrana, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int p) {
         if (!Kontrola41(b.vstup, p))
             b.nalez(kVetaT2, p, vZavorkach(p));
     }},

    {62, R::Zaznam, N::Nic, P::Vzdy,
     [](TBeh& b, S, int) {
         zkusVety(b, kKontrola62, QStringLiteral("(T2)"), QStringLiteral("(TS)"));
     }},
    {63, R::Zaznam, N::Nic, P::Vzdy, [](TBeh& b, S, int) { zkusVety(b, kKontrola63); }},
    {64, R::Zaznam, N::Nic, P::Vzdy, [](TBeh& b, S, int) { zkusVety(b, kKontrola64); }},
    {66, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola66, kVetaTS>},
    {67, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola67, kVetaTS>},
    {68, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola68, kVetaTS>},
    {69, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola69, kVetaTS>},
    {70, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola70, kVetaTS>},
    {72, R::Zaznam, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int) {
         zkusVety(b, kKontrola72);
         // A wrong district is also a fault of record 1 as a whole, listed
         // once more on its own.
         if (b.neprosla.test(72))
             b.nalez(kVetaT2);
     }},
    {76, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola76, kVetaTS>},
    {77, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola77, kVetaTS>},

    {91, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola91, kVetaT2>},
    {97, R::Zaznam, N::Nic, P::Prosla91, vZaznamu<Kontrola97, kVetaT2>},
    {92, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola92, kVetaT2>},
    {96, R::Zaznam, N::Tabulky, P::Vzdy,
     [](TBeh& b, S, int) {
         if (!Kontrola96(b.vstup, &b.ocekavano))
             b.nalez(kVetaT2, 0, QLatin1Char(' ') + QString::number(b.ocekavano));
     }},
    {93, R::Zaznam, N::Nic, P::Podle96, vZaznamu<Kontrola93, kVetaT2>},
    {94, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola94, kVetaT2>},
    {95, R::Zaznam, N::Nic, P::Vzdy, vZaznamu<Kontrola95, kVetaT2>},
    {98, R::Zaznam, N::Nic, P::Vzdy,
     [](TBeh& b, S, int) {
         QString& param = b.vysledek.StavKontrol.ParamKontroly98;
         if (!Kontrola98(b.vstup, &param))
             b.nalez(kVetaT2, 0, param);
     }},
    {39, R::Zaznam, N::OddilIII, P::Vzdy,
     [](TBeh& b, S, int) {
         QString& param = b.vysledek.StavKontrol.ParamKontroly39;
         if (!Kontrola39(b.vstup, &param))
             b.nalez(kVetaT2, 0, param);
     }},
};

bool bezi(const TBeh& b, const TKontrolaBehu& k) {
    if ((k.potrebuje == N::Tabulky && !b.rozsah.tabulky) ||
        (k.potrebuje == N::OddilIII && !b.rozsah.oddilIII))
        return false;
    switch (k.podminka) {
    case P::Vzdy:
        return true;
    case P::Prosla91:
        return !b.neprosla.test(91);
    case P::Podle96:
        return b.neprosla.test(96) || b.ocekavano == 0;
    }
    return true;
}

void zkus(TBeh& b, const TKontrolaBehu& k, const TStrana& s, int p) {
    if (!bezi(b, k))
        return;
    b.cislo = k.cislo;
    k.zkus(b, s, p);
}

} // namespace

TVysledekKontrol ProvedKontroly(const TVstupKontrol& v, const TCisChyb& katalog, TVybrano vybrano,
                                const TRozsahKontrol& rozsah) {
    TBeh b(v, katalog, rozsah);
    TPrecinctRecord& r = b.zaznam;
    const TSeznamStran& strany = b.strany;

    // The check command and the save start the flags afresh; the export's
    // check keeps those the data were saved with.
    if (vybrano == kVybranoKontrola) {
        r.T2.T2Chyba = 0;
        proStrany(strany, r.T2, false, [&](int p, const TStrana&) {
            if (p >= 1 && p <= kPocetStranVeZaznamu)
                r.VyslStran(p).T2PChyba = 0;
        });
        r.TS.TSChyba = 0;
    }
    r.TS.KodyChyb.clear();

    const TStrana bezStrany;
    const auto* const konec = std::end(kKontroly);
    for (const TKontrolaBehu* k = std::begin(kKontroly); k != konec;) {
        if (k->rozsah == R::Zaznam) {
            zkus(b, *k, bezStrany, 0);
            ++k;
            continue;
        }
        // A block of party checks: each party of the list through all of
        // them before the next party.
        const TRozsah rozsahBloku = k->rozsah;
        const TKontrolaBehu* konecBloku = k;
        while (konecBloku != konec && konecBloku->rozsah == rozsahBloku)
            ++konecBloku;
        const bool zaskrtnute = rozsahBloku == R::ZaskrtnutaStrana;
        proStrany(strany, r.T2, zaskrtnute, [&](int p, const TStrana& s) {
            if (!zaskrtnute && (p < 1 || p > kPocetStranVeZaznamu || r.T2.zaskrtnuta(p)))
                return;
            b.pocetKandidatu.reset();
            for (const TKontrolaBehu* j = k; j != konecBloku; ++j)
                zkus(b, *j, s, p);
        });
        k = konecBloku;
    }

    TPriznakyChyb& priznaky = b.vysledek.Priznaky;
    priznaky.KodyChyb = r.TS.KodyChyb;
    priznaky.T2Chyba = r.T2.T2Chyba;
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        priznaky.T2PChyba.at(size_t(p - 1)) = r.VyslStran(p).T2PChyba;
    priznaky.TSChyba = r.TS.TSChyba;
    return std::move(b.vysledek);
}

} // namespace urn
