#include "checks/ControlNumbers.h"

#include "store/Random.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <algorithm>

namespace urn {

qint64 KC1(qint64 obec, qint64 okrsek) {
    const qint64 x = obec * 100000 + okrsek;
    // C++ division truncates towards zero, so this is x - 7 * trunc(x / 7).
    return x - 7 * (x / 7);
}

QString padl(const QString& iStr, int iLen, QChar iChar) {
    if (iStr.size() >= iLen)
        return iStr;
    return QString(iLen - iStr.size(), iChar) + iStr;
}

qint64 cisloNeboNula(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    // Blanks may lead, as in the number fields of the data file; nothing
    // may follow the digits.
    const QStringView rest = QStringView(text).mid(i);
    if (rest.isEmpty() || rest.back().isSpace())
        return 0;
    bool ok = false;
    const qint64 v = rest.toLongLong(&ok, 10);
    return ok ? v : 0;
}

int cisloStrany(const TStrana& s) {
    return strToIntDef(s.CisloStrany, 0);
}

int pocetKandidatuListu(const TSeznamStran& seznam, int strana) {
    int n = kPocetPrefHlasu;
    for (const TStrana& s : seznam.strany) {
        if (cisloStrany(s) != strana)
            continue;
        qint32 pocet = 0;
        n = tryStrToInt(s.PocetKand, pocet) ? pocet : kPocetPrefHlasu;
    }
    return std::clamp(n, 0, kPocetPrefHlasu);
}

void ProcDopoctiT2(TPrecinctRecord& r) {
    TVetaT2& t2 = r.T2;
    t2.T2KC_1 = quint16(KC1(t2.Obec, t2.Okrsek));
    t2.T2KC_2 = qint32(qint64(t2.ZapsOsoby) + t2.VydObalky + t2.OdevzdObalky + t2.PlatneHlasy);
}

void ProcDopoctiT2P(TPrecinctRecord& r, const TSeznamStran& seznam, int iEStrana) {
    if (iEStrana < 1 || iEStrana > kPocetStranVeZaznamu)
        return;
    TStranaVysl& s = r.VyslStran(iEStrana);
    s.T2PKC1 = quint16(KC1(s.Obec, s.Okrsek));
    s.T2PKC2 = quint16(s.CisStr + s.PocHl);
    qint64 kc3 = 0;
    for (int i = 1; i <= kPocetPrefHlasu; ++i)
        kc3 += qint64(i) * s.pref(i);
    s.T2PKC3 = qint32(kc3);
    s.T2PKC4 = qint32(qint64(s.T2PKC2) + s.T2PKC3);
    // Only the party's own candidates are looked at: votes of a candidate
    // beyond the list show up in the checks instead.
    s.T2PPoslKand = 0;
    for (int i = pocetKandidatuListu(seznam, iEStrana); i >= 1; --i)
        if (s.pref(i) != 0) {
            s.T2PPoslKand = quint16(i);
            break;
        }
    s.T2PKontrSoucet = qint32(qint64(s.TypVety) + s.T2POprava + s.T2PChyba + s.Okres + s.Obec +
                              s.Okrsek + s.T2PKC1 + s.T2PKC2 + s.T2PKC3 + s.T2PKC4 + s.T2PPoslKand);
}

void ProcDopoctiT2ZakrStrana(TPrecinctRecord& r, const QList<int>& zaskrtnuteStrany) {
    r.T2.ZaskrtStrany = QString(kPocetStranVeZaznamu, QLatin1Char('0'));
    for (int p : zaskrtnuteStrany)
        if (p >= 1 && p <= kPocetStranVeZaznamu)
            r.T2.ZaskrtStrany[p - 1] = QLatin1Char('1');
}

void zaskrtniStranu(TPrecinctRecord& r, int strana, bool zaskrtnuta) {
    if (strana < 1 || strana > kPocetStranVeZaznamu)
        return;
    if (r.T2.ZaskrtStrany.size() < kPocetStranVeZaznamu)
        r.T2.ZaskrtStrany = r.T2.ZaskrtStrany.leftJustified(kPocetStranVeZaznamu, QLatin1Char('0'));
    r.T2.ZaskrtStrany[strana - 1] = zaskrtnuta ? QLatin1Char('1') : QLatin1Char('0');
    if (!zaskrtnuta)
        return;
    TStranaVysl& s = r.VyslStran(strana);
    s.TypVety = 2;
    s.Okres = r.T2.Okres;
    s.Obec = r.T2.Obec;
    s.Okrsek = r.T2.Okrsek;
    s.T2PKC1 = quint16(KC1(s.Obec, s.Okrsek));
    s.CisStr = quint16(strana);
}

int pocetPriloh(const TVetaT2& t2) {
    int n = 0;
    for (int p = 1; p <= kMaxStran; ++p)
        n += t2.zaskrtnuta(p);
    return n;
}

double kontrolniSoucetTS(const TVetaTS& ts) {
    // Every term is a whole number far below 2^53, so the double sum is exact
    // whatever the order.
    return double(cisloNeboNula(ts.DatumKontr)) + double(qint64(ts.SoucetKC1) + ts.SoucetKC2) +
           ts.SoucetKC3 + ts.SoucetKC4 + ts.SoucetKontr + double(cisloNeboNula(ts.CasKontr)) +
           ts.IdStanice + double(ts.NahodneCislo);
}

TVstupTS vstupTS(const TStanice& st) {
    return {QDateTime::currentDateTime(), st.IdStanice, st.VerzeOS,
            qint32(randomBelow(quint32(kNejvyssiNahodneCislo) + 1))};
}

void ProcDopoctiTS(TPrecinctRecord& r, const TSeznamStran& seznam, const TVstupTS& vstup) {
    const TVetaT2& t2 = r.T2;
    TVetaTS& ts = r.TS;
    const QString kody = ts.KodyChyb;
    ts = TVetaTS{}; // reserved fields empty or 0
    ts.KodyChyb = kody;
    ts.TypVety = 3;
    ts.TSOprava = 0;
    ts.TSChyba = 0;
    ts.Okres = t2.Okres;
    ts.Obec = t2.Obec;
    ts.Okrsek = t2.Okrsek;
    ts.TSKC1 = quint16(KC1(ts.Obec, ts.Okrsek));
    ts.DatumKontr = vstup.ted.toString(QStringLiteral("yyyyMMdd"));
    ts.CasKontr = vstup.ted.toString(QStringLiteral("HHmmss"));
    ts.IdStanice = double(cisloNeboNula(vstup.IdStanice));
    ts.T2ZapisTN = 1;
    ts.VerzeOS = quint16(cisloNeboNula(vstup.VerzeOS));

    quint16 kc1 = quint16(t2.T2KC_1 + ts.TSKC1);
    qint64 kc2 = t2.T2KC_2;
    double kc3 = 0, kc4 = 0, kontr = 0;
    for (const TStrana& strana : seznam.strany) {
        const int p = cisloStrany(strana);
        if (!t2.zaskrtnuta(p))
            continue;
        const TStranaVysl& s = r.VyslStran(p);
        kc1 = quint16(kc1 + s.T2PKC1);
        kc2 += s.T2PKC2;
        kc3 += s.T2PKC3;
        kc4 += s.T2PKC4;
        kontr += s.T2PKontrSoucet;
    }
    ts.SoucetKC1 = kc1;
    ts.SoucetKC2 = qint32(kc2);
    ts.SoucetKC3 = kc3;
    ts.SoucetKC4 = kc4;
    ts.SoucetKontr = kontr;
    ts.NahodneCislo = std::clamp(vstup.NahodneCislo, 0, kNejvyssiNahodneCislo);
    ts.KontrSoucetTS = kontrolniSoucetTS(ts);
    r.Hlaso.PrilListu = QString::number(pocetPriloh(t2));
}

} // namespace urn
