// Single checks at their boundaries, and what recording a failure does.
#include "CheckFixture.h"
#include "store/PrecinctDataFile.h"

#include <functional>

using namespace urn;
using urn::test::CheckTest;

namespace {

struct Section2 {
    qint32 zaps;
    quint16 vyd, odevzd, platne;
};

using V = TVstupKontrol;

void setSection2(TVetaT2& t2, const Section2& v) {
    t2.ZapsOsoby = v.zaps;
    t2.VydObalky = v.vyd;
    t2.OdevzdObalky = v.odevzd;
    t2.PlatneHlasy = v.platne;
}

} // namespace

TEST_F(CheckTest, Section2Boundaries) {
    struct Case {
        const char* name;
        std::function<bool(const V&)> check;
        Section2 values;
        bool passes;
    };
    const Case cases[] = {
        {"04 one voter", [](const V& v) { return Kontrola04(v); }, {1, 0, 0, 0}, true},
        {"04 no voter", [](const V& v) { return Kontrola04(v); }, {0, 0, 0, 0}, false},
        {"05 no envelope", [](const V& v) { return Kontrola05(v); }, {10, 0, 0, 0}, false},
        {"05 no voter", [](const V& v) { return Kontrola05(v); }, {0, 0, 0, 0}, true},
        {"06 equal", [](const V& v) { return Kontrola06(v); }, {10, 10, 0, 0}, true},
        {"06 one more", [](const V& v) { return Kontrola06(v); }, {10, 11, 0, 0}, false},
        {"07 none returned", [](const V& v) { return Kontrola07(v); }, {10, 5, 0, 0}, false},
        {"07 none issued", [](const V& v) { return Kontrola07(v); }, {10, 0, 0, 0}, true},
        {"08 one more", [](const V& v) { return Kontrola08(v); }, {10, 5, 6, 0}, false},
        {"08 equal", [](const V& v) { return Kontrola08(v); }, {10, 5, 5, 0}, true},
        {"09 none valid", [](const V& v) { return Kontrola09(v); }, {10, 5, 5, 0}, false},
        {"09 none returned", [](const V& v) { return Kontrola09(v); }, {10, 5, 0, 0}, true},
        {"10 one more", [](const V& v) { return Kontrola10(v); }, {10, 5, 5, 6}, false},
        {"10 equal", [](const V& v) { return Kontrola10(v); }, {10, 5, 5, 5}, true},
        {"91 all got envelopes", [](const V& v) { return Kontrola91(v); }, {500, 500, 0, 0}, false},
        {"91 nobody registered", [](const V& v) { return Kontrola91(v); }, {0, 0, 0, 0}, true},
        {"97 exactly 80 %", [](const V& v) { return Kontrola97(v); }, {1000, 800, 0, 0}, true},
        {"97 80.1 %", [](const V& v) { return Kontrola97(v); }, {1000, 801, 0, 0}, false},
        {"97 no voter", [](const V& v) { return Kontrola97(v); }, {0, 801, 0, 0}, true},
        {"94 exactly 10 %", [](const V& v) { return Kontrola94(v); }, {1000, 100, 0, 0}, true},
        {"94 9.9 %", [](const V& v) { return Kontrola94(v); }, {1000, 99, 0, 0}, false},
        {"94 low but over 150", [](const V& v) { return Kontrola94(v); }, {2000, 151, 0, 0}, true},
        {"94 low and 150", [](const V& v) { return Kontrola94(v); }, {2000, 150, 0, 0}, false},
        {"94 no envelope", [](const V& v) { return Kontrola94(v); }, {2000, 0, 0, 0}, true},
        {"92 exactly 80 %", [](const V& v) { return Kontrola92(v); }, {0, 100, 80, 0}, true},
        {"92 79 %", [](const V& v) { return Kontrola92(v); }, {0, 100, 79, 0}, false},
        {"92 difference 10", [](const V& v) { return Kontrola92(v); }, {0, 40, 30, 0}, true},
        {"92 difference 11", [](const V& v) { return Kontrola92(v); }, {0, 50, 39, 0}, false},
        {"92 none returned", [](const V& v) { return Kontrola92(v); }, {0, 50, 0, 0}, true},
        {"95 exactly 90 %", [](const V& v) { return Kontrola95(v); }, {0, 0, 100, 90}, true},
        {"95 89 %", [](const V& v) { return Kontrola95(v); }, {0, 0, 100, 89}, false},
        {"95 difference 2", [](const V& v) { return Kontrola95(v); }, {0, 0, 10, 8}, true},
        {"95 difference 3", [](const V& v) { return Kontrola95(v); }, {0, 0, 20, 17}, false},
        {"95 none valid", [](const V& v) { return Kontrola95(v); }, {0, 0, 20, 0}, true},
        {"93 1999", [](const V& v) { return Kontrola93(v); }, {1999, 0, 0, 0}, true},
        {"93 2000", [](const V& v) { return Kontrola93(v); }, {2000, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        setSection2(rec().T2, c.values);
        EXPECT_EQ(c.check(vstup()), c.passes) << c.name;
    }
}

TEST_F(CheckTest, RegisteredVotersAgainstTheExpectedNumber) {
    struct Case {
        qint32 expected, zaps;
        bool passes;
    } cases[] = {
        {1490, 1500, true},  // difference 10
        {1400, 1500, true},  // difference 100, R = 107
        {1000, 1500, false}, // difference 500, R = 150
        {20, 34, true},      // difference 14
        {20, 35, false},     // difference 15, R = 175
        {20, 11, true},      // difference -9
        {20, 10, false},     // difference -10, R = 50
        {200, 167, true},    // R = 83.5, a half to the even 84
        {200, 169, true},    // R = 84.5 goes to 84
        {200, 241, true},    // R = 120.5 goes to 120
        {200, 243, false},   // R = 121.5 goes to 122
        {300, 251, true},    // R = 83.67 goes to 84
        {300, 250, false},   // R = 83.33 goes to 83
        {0, 5000, true},     // no expected number known
        {1000, 0, true},     // nobody registered
    };
    for (const Case& c : cases) {
        inst.writeOcekavani({{"582786", 3, c.expected}});
        rec().T2.ZapsOsoby = c.zaps;
        qint32 e = -1;
        EXPECT_EQ(Kontrola96(vstup(), &e), c.passes) << c.expected << " " << c.zaps;
        EXPECT_EQ(e, c.expected);
        // The full run lists the warning with the expected number.
        provedKontroly();
        const QList<test::Finding> found = protocol();
        EXPECT_EQ(found.contains(test::Finding{0, 96, QLatin1Char(' ') + QString::number(e)}),
                  !c.passes)
            << c.expected << " " << c.zaps;
    }
}

TEST_F(CheckTest, ShareOfPreferentialVotes) {
    struct Case {
        const char* name;
        quint16 platne;
        quint16 pref2, pref3; // candidate 1 of party 2 and of party 3
        bool passes;
        const char* param;
    };
    const Case cases[] = {
        {"30 valid votes, no preferences", 30, 0, 0, true, ""},
        {"31 valid votes, no preferences", 31, 0, 0, false, " (využito: 0 %)"},
        {"exactly 1 %", 1000, 10, 10, true, ""},
        {"0.95 %", 1000, 19, 0, false, " (využito: 0,95 %)"},
        {"0.5 %", 1000, 10, 0, false, " (využito: 0,5 %)"},
        {"0.625 % goes up", 80, 1, 0, false, " (využito: 0,63 %)"},
        {"0.125 % goes up", 400, 1, 0, false, " (využito: 0,13 %)"},
        {"0.285 % exactly", 10000, 57, 0, false, " (využito: 0,29 %)"},
        {"exactly 66 %", 1000, 660, 660, true, ""},
        {"66.05 %", 1000, 661, 660, false, " (využito: 66,05 %)"},
        {"66.125 % goes up", 400, 529, 0, false, " (využito: 66,13 %)"},
        {"70 %", 1000, 700, 700, false, " (využito: 70 %)"},
    };
    TPrecinctRecord& r = rec();
    for (const Case& c : cases) {
        r.VyslStran(2) = r.VyslStran(3) = TStranaVysl{};
        r.T2.PlatneHlasy = c.platne;
        r.VyslStran(2).PocHl = 1;
        r.VyslStran(3).PocHl = 1;
        r.VyslStran(2).pref(1) = c.pref2;
        r.VyslStran(3).pref(1) = c.pref3;
        QString param = QStringLiteral("before");
        EXPECT_EQ(Kontrola98(vstup(), &param), c.passes) << c.name;
        EXPECT_EQ(param, QString::fromUtf8(c.param)) << c.name;
    }
}

TEST_F(CheckTest, ShareUsesTheLocaleDecimalSeparator) {
    QLocale::setDefault(QLocale::c());
    rec().T2.PlatneHlasy = 1000;
    rec().VyslStran(2).pref(1) = 19;
    rec().VyslStran(2).pref(3) = 0;
    rec().VyslStran(3).pref(2) = 0;
    rec().VyslStran(3).pref(20) = 0;
    QString param;
    EXPECT_FALSE(Kontrola98(vstup(), &param));
    EXPECT_EQ(param, QStringLiteral(" (využito: 0.95 %)"));
}

TEST_F(CheckTest, PreferentialVotesOfSingleParties) {
    struct Case {
        const char* name;
        quint16 h2, s2, h3, s3;
        bool passes;
        const char* param;
    };
    const Case cases[] = {
        {"25 votes, 37 preferences", 25, 37, 5, 0, true, ""},
        {"25 votes, 38 preferences", 25, 38, 5, 0, false, " (u strany: 2)"},
        {"24 votes, many preferences", 24, 48, 5, 0, true, ""},
        {"39 votes, none", 39, 0, 5, 0, true, ""},
        {"40 votes, none", 40, 0, 5, 0, false, " (u strany: 2)"},
        {"both parties", 40, 0, 30, 45, false, " (u strany: 2, 3)"},
    };
    TPrecinctRecord& r = rec();
    for (const Case& c : cases) {
        r.VyslStran(2) = r.VyslStran(3) = TStranaVysl{};
        r.T2.PlatneHlasy = 30; // straight to the parties
        r.VyslStran(2).PocHl = c.h2;
        r.VyslStran(2).pref(1) = c.s2;
        r.VyslStran(3).PocHl = c.h3;
        r.VyslStran(3).pref(5) = c.s3;
        QString param = QStringLiteral("before");
        EXPECT_EQ(Kontrola98(vstup(), &param), c.passes) << c.name;
        EXPECT_EQ(param, QString::fromUtf8(c.param)) << c.name;
    }
}

TEST_F(CheckTest, CommissionSection) {
    struct Case {
        const char* name;
        const char* celkem;
        const char* pritomno;
        int jmen; // names in the list, from the start of the sample
        const char* zapisovatel;
        const char* poverena;
        const char* param; // after "Nalezené problémy: "
    };
    const Case cases[] = {
        {"complete", "7", "5", 4, "Jana", "Petr", ""},
        {"one present", "7", "1", 0, "Jana", "Petr",
         "není vyplněno jméno ostatního člena komise, počet přítomných členů není "
         "nadpoloviční většina"},
        {"one of one present", "1", "1", 0, "Jana", "Petr",
         "není vyplněno jméno ostatního člena komise"},
        {"nobody present", "7", "0", 0, "Jana", "Petr",
         "není vyplněno jméno ostatního člena komise, počet přítomných členů není "
         "nadpoloviční většina"},
        {"nothing filled in", "  ", "", 0, " ", "\t",
         "není vyplněn počet členů komise celkem, není vyplněn počet přítomných členů komise, "
         "není vyplněno jméno zapisovatele komise, není vyplněno jméno pověřené osoby"},
        {"half present", "8", "4", 4, "Jana", "Petr",
         "počet přítomných členů není nadpoloviční většina"},
        {"more present than members", "4", "5", 4, "Jana", "Petr",
         "počet přítomných členů > než celkový počet"},
        {"a name missing", "7", "6", 4, "Jana", "Petr",
         "není vyplněno jméno ostatního člena komise"},
        {"total unknown", "", "3", 2, "Jana", "Petr", "není vyplněn počet členů komise celkem"},
    };
    for (const Case& c : cases) {
        fillCompleteRecord();
        THlaso& h = rec().Hlaso;
        h.ClenuOVKC = QString::fromUtf8(c.celkem);
        h.ClenuOVKP = QString::fromUtf8(c.pritomno);
        h.Zapisovat = QString::fromUtf8(c.zapisovatel);
        h.PoverPred = QString::fromUtf8(c.poverena);
        session.JmenaKomise = session.JmenaKomise.mid(0, c.jmen);
        const bool expected = QByteArray(c.param).isEmpty();
        QString param;
        EXPECT_EQ(Kontrola39(vstup(), &param), expected) << c.name;
        EXPECT_EQ(param, QStringLiteral("Nalezené problémy: ") + QString::fromUtf8(c.param))
            << c.name;
    }
}

TEST_F(CheckTest, CommissionNameOfBlanksIsMissing) {
    session.JmenaKomise[2].clen = QStringLiteral("   ");
    EXPECT_FALSE(Kontrola39(vstup()));
    session.JmenaKomise[2].clen = QStringLiteral("Olga");
    session.JmenaKomise.append({QString()}); // beyond the four needed for five present
    EXPECT_TRUE(Kontrola39(vstup()));
}

TEST_F(CheckTest, RecordingAFailure) {
    struct Case {
        const char* name;
        QStringList codes;
        QList<int> vety;
        const char* kody;
        bool chyby, propustitelne, upozorneni;
        quint16 t2, ts, p5;
    };
    const Case cases[] = {
        {"codes in order of first failure",
         {"03", "01", "03", "04"},
         {0, 0, 0, 0},
         "030104",
         true,
         true,
         false,
         1,
         0,
         0},
        {"a code inside two others is not theirs",
         {"12", "13", "21", "21"},
         {5, 5, 5, 5},
         "121321",
         true,
         false,
         false,
         0,
         0,
         1},
        {"warnings mark no record", {"91", "98"}, {0, -1}, "9198", false, false, true, 0, 0, 0},
        {"passable errors mark their record", {"10"}, {5}, "10", false, true, false, 0, 0, 1},
        {"the closing record", {"77"}, {-1}, "77", true, false, false, 0, 1, 0},
        {"records outside 1..50 stay unmarked",
         {"12", "12"},
         {51, -2},
         "12",
         true,
         false,
         false,
         0,
         0,
         0},
    };
    for (const Case& c : cases) {
        rec() = TPrecinctRecord{};
        TStavKontrol stav;
        for (int i = 0; i < c.codes.size(); ++i)
            ZaznamenejChybu(rec(), stav, c.codes[i], c.vety[i]);
        EXPECT_EQ(kody(), QString::fromLatin1(c.kody)) << c.name;
        EXPECT_EQ(stav.JsouChyby, c.chyby) << c.name;
        EXPECT_EQ(stav.JsouPropustitelne, c.propustitelne) << c.name;
        EXPECT_EQ(stav.JsouUpozorneni, c.upozorneni) << c.name;
        EXPECT_EQ(rec().T2.T2Chyba, c.t2) << c.name;
        EXPECT_EQ(rec().TS.TSChyba, c.ts) << c.name;
        EXPECT_EQ(rec().VyslStran(5).T2PChyba, c.p5) << c.name;
    }
}

TEST_F(CheckTest, CodesStopAtTwentyFive) {
    rec().TS.KodyChyb.clear();
    TStavKontrol stav;
    for (int n = 11; n <= 35; ++n)
        ZaznamenejChybu(rec(), stav, kodChyby(n), 0);
    ASSERT_EQ(kody().size(), 50);
    stav = TStavKontrol{};
    ZaznamenejChybu(rec(), stav, QStringLiteral("91"), 0);
    ZaznamenejChybu(rec(), stav, QStringLiteral("36"), 7);
    EXPECT_EQ(kody().size(), 50);
    EXPECT_FALSE(kody().contains(QStringLiteral("36")));
    EXPECT_TRUE(stav.JsouUpozorneni);
    EXPECT_TRUE(stav.JsouChyby);
    EXPECT_EQ(rec().VyslStran(7).T2PChyba, 1);
}

TEST_F(CheckTest, ClassesByNumber) {
    for (int n = 1; n <= 99; ++n) {
        const TridaChyby expected = n >= 4 && n <= 10    ? TridaChyby::Propustitelna
                                    : n >= 91 && n <= 98 ? TridaChyby::Upozorneni
                                                         : TridaChyby::Chyba;
        EXPECT_EQ(tridaChyby(n), expected) << n;
    }
}

// A check only answers; what a failure records is the full run's (or
// ZaznamenejChybu's) business.
TEST_F(CheckTest, SingleChecksRecordNothing) {
    rec().T2.ZapsOsoby = 0;
    rec().T2.T2KC_1 = 5;
    rec().T2.VydObalky = 0;
    rec().VyslStran(2).pref(1) = 400;
    rec().VyslStran(3).PocHl = 1;
    rec().TS.KodyChyb.clear();
    const QByteArray before = recordToLine(rec(), kKindE);
    EXPECT_FALSE(Kontrola04(vstup()));
    EXPECT_FALSE(Kontrola03(vstup()));
    EXPECT_FALSE(Kontrola18(vstup(), 2, 1));
    EXPECT_FALSE(Kontrola16(vstup()));
    EXPECT_EQ(recordToLine(rec(), kKindE), before);
    EXPECT_FALSE(session.StavKontrol.JsouChyby || session.StavKontrol.JsouPropustitelne ||
                 session.StavKontrol.JsouUpozorneni);
    provedKontroly();
    EXPECT_TRUE(kody().contains(QStringLiteral("18")));
    EXPECT_EQ(rec().VyslStran(2).T2PChyba, 1);
    EXPECT_TRUE(session.StavKontrol.JsouChyby);
}

TEST_F(CheckTest, ExpectedValuesForTheEntryWindow) {
    TPrecinctRecord& r = rec();
    r.T2.T2KC_1 = 4;
    r.T2.T2KC_2 = 1;
    TStranaVysl& s = r.VyslStran(2);
    s.T2PKC1 = 0;
    s.T2PKC2 = 0;
    s.T2PKC3 = 0;
    s.T2PKC4 = 0;
    s.T2PPoslKand = 0;
    qint64 v = -1;
    EXPECT_FALSE(Kontrola03(vstup(), &v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(Kontrola11(vstup(), &v));
    EXPECT_EQ(v, 700 + 530 + 529 + 525);
    EXPECT_FALSE(Kontrola13(vstup(), 2, &v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(Kontrola17(vstup(), 2, &v));
    EXPECT_EQ(v, 302);
    EXPECT_TRUE(Kontrola19(vstup(), 2, &v));
    EXPECT_EQ(v, 60);
    EXPECT_FALSE(Kontrola21(vstup(), 2, &v));
    EXPECT_EQ(v, 100);
    EXPECT_TRUE(Kontrola22(vstup(), 2, &v)); // 0 = 0 + 0
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(Kontrola23(vstup(), 2, &v));
    EXPECT_EQ(v, 3);
}

TEST_F(CheckTest, PartyChecks) {
    struct Case {
        const char* name;
        std::function<void(TStranaVysl&)> spoil;
        std::function<bool(const V&)> check;
    };
    const Case cases[] = {
        {"12 party not in the list", [](TStranaVysl& s) { s.CisStr = 9; },
         [](const V& v) { return Kontrola12(v, 2); }},
        {"14 party not in the list", [](TStranaVysl& s) { s.CisStr = 9; },
         [](const V& v) { return Kontrola14(v, 2); }},
        {"15 more than valid votes", [](TStranaVysl& s) { s.PocHl = 526; },
         [](const V& v) { return Kontrola15(v, 2); }},
        {"18 candidate over the party", [](TStranaVysl& s) { s.pref(3) = 301; },
         [](const V& v) { return Kontrola18(v, 2, 3); }},
        {"19 twice the party's votes", [](TStranaVysl& s) { s.pref(2) = 541; },
         [](const V& v) { return Kontrola19(v, 2); }},
        {"20 candidate beyond the list", [](TStranaVysl& s) { s.pref(16) = 1; },
         [](const V& v) { return Kontrola20(v, 2, 16); }},
        {"24 last candidate beyond the list", [](TStranaVysl& s) { s.T2PPoslKand = 16; },
         [](const V& v) { return Kontrola24(v, 2); }},
        {"42 no votes", [](TStranaVysl& s) { s.PocHl = 0; },
         [](const V& v) { return Kontrola42(v, 2); }},
    };
    for (const Case& c : cases) {
        fillCompleteRecord();
        recompute();
        EXPECT_TRUE(c.check(vstup())) << c.name;
        c.spoil(rec().VyslStran(2));
        EXPECT_FALSE(c.check(vstup())) << c.name;
    }
    fillCompleteRecord();
    recompute();
    rec().VyslStran(2).pref(2) = 540; // exactly twice the party's 300 with 40 and 20
    EXPECT_TRUE(Kontrola19(vstup(), 2));
    rec().VyslStran(2).pref(3) = 300; // equal to the party's votes
    EXPECT_TRUE(Kontrola18(vstup(), 2, 3));
    rec().VyslStran(4).PocHl = 5; // votes on a sheet that is not ticked
    EXPECT_FALSE(Kontrola41(vstup(), 4));
    zaskrtniStranu(rec(), 4, true);
    EXPECT_TRUE(Kontrola41(vstup(), 4));
}
