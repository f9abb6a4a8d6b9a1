#include "CheckFixture.h"

namespace urn::test {

TVstupTS fixedTSInput() {
    return {QDateTime(QDate(2024, 6, 8), QTime(14, 5, 9)), QStringLiteral("5827860002"),
            QStringLiteral("99"), 4242};
}

QList<TChybaInfo> testCatalogue() {
    QList<TChybaInfo> c;
    const int numbers[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                           17, 18, 19, 20, 21, 22, 23, 24, 39, 41, 42, 62, 63, 64, 66, 67,
                           68, 69, 70, 72, 76, 77, 91, 92, 93, 94, 95, 96, 97, 98};
    for (int n : numbers)
        c.append({n, QStringLiteral("C"), QStringLiteral("Text %1").arg(n)});
    return c;
}

QList<Finding> findingsOf(const TChybProt& p) {
    QList<Finding> out;
    for (int i = 0; i < p.count(); ++i)
        out.append({p.VratChybu(i).EStrana, p.VratChybu(i).Chyba, p.VratChybu(i).Param});
    return out;
}

void CheckTest::SetUp() {
    writeTables();
    NactiStrany(session.SeznamStran);
    createErrorCatalogue(testCatalogue());
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    fillCompleteRecord();
    recompute();
}

void CheckTest::TearDown() {
    // The protocol reads its texts from the catalogue.
    session.ChybProt = TChybProt();
    freeErrorCatalogue();
    QLocale::setDefault(QLocale::c());
}

void CheckTest::provedKontroly(TVybrano vybrano, const TRozsahKontrol& rozsah) {
    session.prevezmiVysledek(ProvedKontroly(session.vstupKontrol(), CisChyb(), vybrano, rozsah));
}

void CheckTest::writeTables() {
    inst.writeOkrsky({{"582786", "Bílá Lhota u Kamenice", "1", "3", "3703", "Tábor"},
                      {"500011", "Testov", "1", "9", "3701", "Benešov"}});
    inst.writeStrany({{"1", "Strana první", "28"},
                      {"2", "Strana druhá", "15"},
                      {"3", "Strana třetí", "20"},
                      {"4", "Strana čtvrtá", "10"}});
    inst.writeOcekavani({{"582786", 3, 700}});
    inst.writeZvlastni({{"999997", 1, "ZÚ Vídeň", "Zahraničí"}});
}

void CheckTest::fillCompleteRecord() {
    TPrecinctRecord& r = session.PrecinctRecord;
    r = TPrecinctRecord{};
    r.T2.TypVety = 1;
    r.T2.Okres = 3703;
    r.T2.Obec = 582786;
    r.T2.Okrsek = 3;
    r.T2.ZapsOsoby = 700;
    r.T2.VydObalky = 530;
    r.T2.OdevzdObalky = 529;
    r.T2.PlatneHlasy = 525;
    zaskrtniStranu(r, 2, true);
    zaskrtniStranu(r, 3, true);
    r.VyslStran(2).PocHl = 300;
    r.VyslStran(2).pref(1) = 40;
    r.VyslStran(2).pref(3) = 20;
    r.VyslStran(3).PocHl = 225;
    r.VyslStran(3).pref(2) = 30;
    r.VyslStran(3).pref(20) = 5;
    r.Hlaso.ClenuOVKC = QStringLiteral("7");
    r.Hlaso.ClenuOVKP = QStringLiteral("5");
    r.Hlaso.Zapisovat = QStringLiteral("Jana Nováková");
    r.Hlaso.PoverPred = QStringLiteral("Petr Svoboda");
    session.JmenaKomise = {{QStringLiteral("Eva Malá")},
                           {QStringLiteral("Ivan Velký")},
                           {QStringLiteral("Olga Krátká")},
                           {QStringLiteral("Adam Dlouhý")}};
}

void CheckTest::recompute() {
    TPrecinctRecord& r = session.PrecinctRecord;
    ProcDopoctiT2(r);
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        if (r.T2.zaskrtnuta(p))
            ProcDopoctiT2P(r, session.SeznamStran, p);
    ProcDopoctiTS(r, session.SeznamStran, fixedTSInput());
}

} // namespace urn::test
