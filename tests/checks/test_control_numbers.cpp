// Control numbers and the closing record: the figures the paper form carries
// and the receiving point recomputes.
#include "CheckFixture.h"
#include "checks/ControlNumbers.h"

#include <gtest/gtest.h>

using namespace urn;
using urn::test::CheckTest;
using urn::test::fixedTSInput;

TEST(ControlNumbers, KC1) {
    struct Case {
        qint64 obec, okrsek, expected;
    } cases[] = {
        {500011, 3, 1},     // 50001100003 mod 7
        {582786, 2, 0},     // 58278600002 = 7 * 8325514286
        {582786, 3, 1},     //
        {0, 0, 0},          //
        {999999, 99999, 4}, // the largest codes still fit
        {0, 6, 6},          //
        {0, -1, -1},        // a negative value truncates towards zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(KC1(c.obec, c.okrsek), c.expected) << c.obec << "/" << c.okrsek;
}

TEST(ControlNumbers, Padl) {
    EXPECT_EQ(padl(QStringLiteral("84"), 7, QLatin1Char(' ')), QStringLiteral("     84"));
    EXPECT_EQ(padl(QStringLiteral("12345678"), 7, QLatin1Char(' ')), QStringLiteral("12345678"));
    EXPECT_EQ(padl(QStringLiteral("1234567"), 7, QLatin1Char('0')), QStringLiteral("1234567"));
    EXPECT_EQ(padl(QString(), 3, QLatin1Char('0')), QStringLiteral("000"));
}

TEST(ControlNumbers, NumberTexts) {
    struct Case {
        const char* text;
        qint64 expected;
    } cases[] = {{"20240608", 20240608},
                 {"093015", 93015},
                 {"  42", 42},
                 {"5827860002", 5827860002LL},
                 {"", 0},
                 {"        ", 0},
                 {"12 ", 0},
                 {"x1", 0},
                 {"-7", -7}};
    for (const Case& c : cases)
        EXPECT_EQ(cisloNeboNula(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST_F(CheckTest, T2ControlNumbers) {
    rec().T2.Obec = 500011;
    rec().T2.Okrsek = 3;
    rec().T2.ZapsOsoby = 812;
    rec().T2.VydObalky = 7;
    rec().T2.OdevzdObalky = 529;
    rec().T2.PlatneHlasy = 525;
    ProcDopoctiT2(rec());
    EXPECT_EQ(rec().T2.T2KC_1, 1);
    EXPECT_EQ(rec().T2.T2KC_2, 812 + 7 + 529 + 525);
}

TEST_F(CheckTest, SheetControlNumbers) {
    struct Case {
        const char* name;
        int strana;
        QList<std::pair<int, quint16>> votes;
        quint16 pocHl;
        qint32 kc3, poslKand;
        quint16 kc2;
    } cases[] = {
        // 15 candidates: the example of the form
        {"votes of 1, 3 and 10", 2, {{1, 12}, {3, 5}, {10, 1}}, 40, 37, 10, 42},
        {"only candidate 3", 2, {{3, 2}}, 10, 6, 3, 12},
        {"only candidate 1", 2, {{1, 4}}, 10, 4, 1, 12},
        {"no votes at all", 2, {}, 10, 0, 0, 12},
        // votes beyond the party's 15 candidates count in KČ3, not in the
        // last candidate
        {"candidate 16 of 15", 2, {{2, 1}, {16, 1}}, 10, 18, 2, 12},
        // a party missing from the list is scanned over all 28
        {"party not in the list", 7, {{28, 1}}, 1, 28, 28, 8},
        // KČ2 is kept in 16 bits
        {"wrapping KČ2", 3, {}, 65535, 0, 0, 2},
    };
    for (const Case& c : cases) {
        TStranaVysl& s = rec().VyslStran(c.strana);
        s = TStranaVysl{};
        zaskrtniStranu(rec(), c.strana, true);
        s.PocHl = c.pocHl;
        for (auto [k, v] : c.votes)
            s.pref(k) = v;
        ProcDopoctiT2P(rec(), session.SeznamStran, c.strana);
        EXPECT_EQ(s.T2PKC1, 1) << c.name;
        EXPECT_EQ(s.T2PKC2, c.kc2) << c.name;
        EXPECT_EQ(s.T2PKC3, c.kc3) << c.name;
        EXPECT_EQ(s.T2PKC4, c.kc2 + c.kc3) << c.name;
        EXPECT_EQ(s.T2PPoslKand, c.poslKand) << c.name;
        EXPECT_EQ(s.T2PKontrSoucet, 2 + 0 + 0 + 3703 + 582786 + 3 + s.T2PKC1 + s.T2PKC2 + s.T2PKC3 +
                                        s.T2PKC4 + s.T2PPoslKand)
            << c.name;
    }
}

TEST_F(CheckTest, CandidateCountOfTheList) {
    session.SeznamStran.strany.append(
        {QStringLiteral("2"), QStringLiteral("Opakovaná"), QStringLiteral("5")});
    session.SeznamStran.strany.append(
        {QStringLiteral("6"), QStringLiteral("Bez počtu"), QStringLiteral("x")});
    session.SeznamStran.strany.append(
        {QStringLiteral("8"), QStringLiteral("Přes míru"), QStringLiteral("40")});
    EXPECT_EQ(pocetKandidatuListu(session.SeznamStran, 2),
              5); // the last entry with the number decides
    EXPECT_EQ(pocetKandidatuListu(session.SeznamStran, 3), 20);
    EXPECT_EQ(pocetKandidatuListu(session.SeznamStran, 6), 28);
    EXPECT_EQ(pocetKandidatuListu(session.SeznamStran, 8), 28);
    EXPECT_EQ(pocetKandidatuListu(session.SeznamStran, 9), 28);
}

TEST_F(CheckTest, TickedPartiesFromTheBoxes) {
    ProcDopoctiT2ZakrStrana(rec(), {1, 30, 60, 61, 0});
    EXPECT_EQ(rec().T2.ZaskrtStrany, QStringLiteral("1") + QString(28, QLatin1Char('0')) +
                                         QStringLiteral("1") + QString(29, QLatin1Char('0')) +
                                         QStringLiteral("1"));
    EXPECT_EQ(pocetPriloh(rec().T2), 2); // only the first thirty count
    ProcDopoctiT2ZakrStrana(rec(), {});
    EXPECT_EQ(rec().T2.ZaskrtStrany, QString(60, QLatin1Char('0')));
}

TEST_F(CheckTest, TickingPreparesTheSheetAndUntickingKeepsIt) {
    zaskrtniStranu(rec(), 4, true);
    const TStranaVysl& s = rec().VyslStran(4);
    EXPECT_EQ(s.TypVety, 2);
    EXPECT_EQ(s.Okres, 3703);
    EXPECT_EQ(s.Obec, 582786);
    EXPECT_EQ(s.Okrsek, 3);
    EXPECT_EQ(s.CisStr, 4);
    EXPECT_EQ(s.T2PKC1, 1);
    rec().VyslStran(4).PocHl = 9;
    zaskrtniStranu(rec(), 4, false);
    EXPECT_FALSE(rec().T2.zaskrtnuta(4));
    EXPECT_EQ(s.PocHl, 9);
}

TEST_F(CheckTest, ClosingRecord) {
    TPrecinctRecord& r = rec();
    r.TS.KodyChyb = QStringLiteral("0491");
    r.TS.TSChyba = 1;
    r.TS.Rezerva3 = QStringLiteral("x");
    r.TS.Rezerva14 = 5;
    ProcDopoctiTS(r, session.SeznamStran, fixedTSInput());
    const TVetaTS& ts = r.TS;
    EXPECT_EQ(ts.TypVety, 3);
    EXPECT_EQ(ts.TSChyba, 0);
    EXPECT_EQ(ts.KodyChyb, QStringLiteral("0491"));
    EXPECT_EQ(ts.Okres, 3703);
    EXPECT_EQ(ts.TSKC1, 1);
    EXPECT_EQ(ts.DatumKontr, QStringLiteral("20240608"));
    EXPECT_EQ(ts.CasKontr, QStringLiteral("140509"));
    EXPECT_EQ(ts.IdStanice, 5827860002.0);
    EXPECT_EQ(ts.T2ZapisTN, 1);
    EXPECT_EQ(ts.VerzeOS, 99);
    EXPECT_TRUE(ts.Rezerva3.isEmpty());
    EXPECT_EQ(ts.Rezerva14, 0);
    const TStranaVysl& a = r.VyslStran(2);
    const TStranaVysl& b = r.VyslStran(3);
    EXPECT_EQ(ts.SoucetKC1, r.T2.T2KC_1 + ts.TSKC1 + a.T2PKC1 + b.T2PKC1);
    EXPECT_EQ(ts.SoucetKC2, r.T2.T2KC_2 + a.T2PKC2 + b.T2PKC2);
    EXPECT_EQ(ts.SoucetKC3, 40 + 60 + 60 + 100);
    EXPECT_EQ(ts.SoucetKC4, a.T2PKC4 + b.T2PKC4);
    EXPECT_EQ(ts.SoucetKontr, double(a.T2PKontrSoucet) + b.T2PKontrSoucet);
    EXPECT_EQ(ts.NahodneCislo, 4242);
    EXPECT_EQ(ts.KontrSoucetTS, 20240608.0 + ts.SoucetKC1 + ts.SoucetKC2 + ts.SoucetKC3 +
                                    ts.SoucetKC4 + ts.SoucetKontr + 140509 + 5827860002.0 + 4242);
    EXPECT_EQ(r.Hlaso.PrilListu, QStringLiteral("2"));
}

TEST_F(CheckTest, ClosingRecordEdges) {
    struct Case {
        const char* name;
        const char* idStanice;
        const char* verzeOS;
        qint32 nahodne;
        double expectedId;
        quint16 expectedOS;
        qint32 expectedNahodne;
    } cases[] = {
        {"ordinary", "5827860002", "16", 0, 5827860002.0, 16, 0},
        {"largest random number", "1", "17", 999998, 1, 17, 999998},
        {"not numbers", "ABC", "", 999999, 0, 0, 999998},
        {"negative random", " 12", "18", -3, 12, 18, 0},
    };
    for (const Case& c : cases) {
        ProcDopoctiTS(rec(), session.SeznamStran,
                      {QDateTime(QDate(2024, 6, 7), QTime(23, 59, 59)),
                       QString::fromLatin1(c.idStanice), QString::fromLatin1(c.verzeOS),
                       c.nahodne});
        EXPECT_EQ(rec().TS.IdStanice, c.expectedId) << c.name;
        EXPECT_EQ(rec().TS.VerzeOS, c.expectedOS) << c.name;
        EXPECT_EQ(rec().TS.NahodneCislo, c.expectedNahodne) << c.name;
        EXPECT_EQ(rec().TS.CasKontr, QStringLiteral("235959")) << c.name;
        EXPECT_EQ(rec().TS.KontrSoucetTS, kontrolniSoucetTS(rec().TS)) << c.name;
    }
}

TEST_F(CheckTest, ClosingSumsKeepTheirWidths) {
    rec().T2.T2KC_1 = 65535;      // SoucetKC1 is 16-bit
    rec().T2.T2KC_2 = 2147483647; // SoucetKC2 is 32-bit
    ProcDopoctiTS(rec(), session.SeznamStran, fixedTSInput());
    const TStranaVysl& a = rec().VyslStran(2);
    const TStranaVysl& b = rec().VyslStran(3);
    EXPECT_EQ(rec().TS.SoucetKC1, quint16(65535 + 1 + a.T2PKC1 + b.T2PKC1));
    EXPECT_EQ(rec().TS.SoucetKC2, qint32(quint32(2147483647) + a.T2PKC2 + b.T2PKC2));
}

TEST_F(CheckTest, ClosingRecordTakesOnlyTickedPartiesOfTheList) {
    const double before = rec().TS.SoucetKC3;
    zaskrtniStranu(rec(), 9, true); // ticked, but no party 9 in the list
    rec().VyslStran(9).pref(1) = 50;
    ProcDopoctiT2P(rec(), session.SeznamStran, 9);
    zaskrtniStranu(rec(), 4, false);
    rec().VyslStran(4).pref(1) = 50; // in the list, not ticked
    ProcDopoctiTS(rec(), session.SeznamStran, fixedTSInput());
    EXPECT_EQ(rec().TS.SoucetKC3, before);
}
