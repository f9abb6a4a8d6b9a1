#pragma once

// Precinct records for tests and benchmarks (no test framework needed).

#include "store/PrecinctRecord.h"

namespace urn::test {

// The record of the worked example: district 3701, municipality 500011,
// precinct 3, parties 2 and 5 ticked.
inline TPrecinctRecord exampleRecord() {
    TPrecinctRecord r;
    r.T2.TypVety = 1;
    r.T2.Okres = 3701;
    r.T2.Obec = 500011;
    r.T2.Okrsek = 3;
    r.T2.T2KC_1 = 1;
    r.T2.ZapsOsoby = 812;
    r.T2.VydObalky = 530;
    r.T2.OdevzdObalky = 529;
    r.T2.PlatneHlasy = 525;
    r.T2.T2KC_2 = 2396;
    r.T2.ZaskrtStrany[1] = QLatin1Char('1');
    r.T2.ZaskrtStrany[4] = QLatin1Char('1');
    return r;
}

inline void tick(TPrecinctRecord& r, int party) {
    r.T2.ZaskrtStrany[party - 1] = QLatin1Char('1');
    TStranaVysl& s = r.VyslStran(party);
    s.TypVety = 2;
    s.Okres = r.T2.Okres;
    s.Obec = r.T2.Obec;
    s.Okrsek = r.T2.Okrsek;
    s.CisStr = quint16(party);
}

// A record with every field at a width-filling value.
inline TPrecinctRecord fullRecord(int parties, int members) {
    TPrecinctRecord r = exampleRecord();
    r.T2.ZaskrtStrany = QString(kPocetStranVeZaznamu, QLatin1Char('0'));
    r.T2.T2Oprava = 1;
    r.T2.T2Chyba = 1;
    r.T2.ZapsOsoby = 99999;
    r.T2.VydObalky = 9999;
    r.T2.OdevzdObalky = 9998;
    r.T2.PlatneHlasy = 9997;
    r.T2.T2KC_2 = 99999;
    for (int p = 1; p <= parties; ++p) {
        tick(r, p);
        TStranaVysl& s = r.VyslStran(p);
        s.T2POprava = 1;
        s.T2PKC1 = 6;
        s.PocHl = quint16(9000 + p);
        s.T2PKC2 = quint16(s.PocHl + p);
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            s.pref(k) = quint16(k * 300 + p);
        s.T2PKC3 = 12345678 + p;
        s.T2PKC4 = 99999999 - p;
        s.T2PPoslKand = 28;
        s.T2PKontrSoucet = 123456789;
    }
    TVetaTS& ts = r.TS;
    ts.TypVety = 3;
    ts.TSChyba = 1;
    ts.Okres = r.T2.Okres;
    ts.Obec = r.T2.Obec;
    ts.Okrsek = r.T2.Okrsek;
    ts.TSKC1 = 5;
    ts.KodyChyb = QStringLiteral("0304059192");
    ts.DatumKontr = QStringLiteral("20240608");
    ts.CasKontr = QStringLiteral("235959");
    ts.IdStanice = 1234567890;
    ts.T2ZapisTN = 1;
    ts.VerzeOS = 10;
    ts.SoucetKC1 = 999;
    ts.SoucetKC2 = 12345678;
    ts.SoucetKC3 = 9999999999.0;
    ts.SoucetKC4 = 1234567890;
    ts.NahodneCislo = 999998;
    ts.SoucetKontr = 99999999999.0;
    ts.KontrSoucetTS = 999999999999.0;
    for (int k = 1; k <= members; ++k)
        r.JmenaClenu(k) = QStringLiteral("Člen komise č. %1 Příliš žluťoučký kůň").arg(k);
    return r;
}

} // namespace urn::test
