// Single checks at their boundaries, and what recording a failure does.
#include "CheckFixture.h"

#include <functional>

using namespace urn;
using urn::test::CheckTest;

namespace {

struct Section2 {
    qint32 zaps;
    quint16 vyd, odevzd, platne;
};

void setSection2(const Section2& v) {
    TVetaT2& t2 = PrecinctRecord().T2;
    t2.ZapsOsoby = v.zaps;
    t2.VydObalky = v.vyd;
    t2.OdevzdObalky = v.odevzd;
    t2.PlatneHlasy = v.platne;
}

} // namespace

TEST_F(CheckTest, Section2Boundaries) {
    struct Case {
        const char* name;
        std::function<bool()> check;
        Section2 values;
        bool passes;
    };
    const Case cases[] = {
        {"04 one voter", [] { return Kontrola04(true); }, {1, 0, 0, 0}, true},
        {"04 no voter", [] { return Kontrola04(true); }, {0, 0, 0, 0}, false},
        {"05 no envelope", [] { return Kontrola05(true); }, {10, 0, 0, 0}, false},
        {"05 no voter", [] { return Kontrola05(true); }, {0, 0, 0, 0}, true},
        {"06 equal", [] { return Kontrola06(true); }, {10, 10, 0, 0}, true},
        {"06 one more", [] { return Kontrola06(true); }, {10, 11, 0, 0}, false},
        {"07 none returned", [] { return Kontrola07(true); }, {10, 5, 0, 0}, false},
        {"07 none issued", [] { return Kontrola07(true); }, {10, 0, 0, 0}, true},
        {"08 one more", [] { return Kontrola08(true); }, {10, 5, 6, 0}, false},
        {"08 equal", [] { return Kontrola08(true); }, {10, 5, 5, 0}, true},
        {"09 none valid", [] { return Kontrola09(true); }, {10, 5, 5, 0}, false},
        {"09 none returned", [] { return Kontrola09(true); }, {10, 5, 0, 0}, true},
        {"10 one more", [] { return Kontrola10(true); }, {10, 5, 5, 6}, false},
        {"10 equal", [] { return Kontrola10(true); }, {10, 5, 5, 5}, true},
        {"91 all got envelopes", [] { return Kontrola91(); }, {500, 500, 0, 0}, false},
        {"91 nobody registered", [] { return Kontrola91(); }, {0, 0, 0, 0}, true},
        {"97 exactly 80 %", [] { return Kontrola97(); }, {1000, 800, 0, 0}, true},
        {"97 80.1 %", [] { return Kontrola97(); }, {1000, 801, 0, 0}, false},
        {"97 no voter", [] { return Kontrola97(); }, {0, 801, 0, 0}, true},
        {"94 exactly 10 %", [] { return Kontrola94(); }, {1000, 100, 0, 0}, true},
        {"94 9.9 %", [] { return Kontrola94(); }, {1000, 99, 0, 0}, false},
        {"94 low but over 150", [] { return Kontrola94(); }, {2000, 151, 0, 0}, true},
        {"94 low and 150", [] { return Kontrola94(); }, {2000, 150, 0, 0}, false},
        {"94 no envelope", [] { return Kontrola94(); }, {2000, 0, 0, 0}, true},
        {"92 exactly 80 %", [] { return Kontrola92(); }, {0, 100, 80, 0}, true},
        {"92 79 %", [] { return Kontrola92(); }, {0, 100, 79, 0}, false},
        {"92 difference 10", [] { return Kontrola92(); }, {0, 40, 30, 0}, true},
        {"92 difference 11", [] { return Kontrola92(); }, {0, 50, 39, 0}, false},
        {"92 none returned", [] { return Kontrola92(); }, {0, 50, 0, 0}, true},
        {"95 exactly 90 %", [] { return Kontrola95(); }, {0, 0, 100, 90}, true},
        {"95 89 %", [] { return Kontrola95(); }, {0, 0, 100, 89}, false},
        {"95 difference 2", [] { return Kontrola95(); }, {0, 0, 10, 8}, true},
        {"95 difference 3", [] { return Kontrola95(); }, {0, 0, 20, 17}, false},
        {"95 none valid", [] { return Kontrola95(); }, {0, 0, 20, 0}, true},
        {"93 1999", [] { return Kontrola93(true); }, {1999, 0, 0, 0}, true},
        {"93 2000", [] { return Kontrola93(true); }, {2000, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        setSection2(c.values);
        EXPECT_EQ(c.check(), c.passes) << c.name;
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
        StavKontrol() = TStavKontrol{};
        EXPECT_EQ(Kontrola96(&e), c.passes) << c.expected << " " << c.zaps;
        EXPECT_EQ(e, c.expected);
        EXPECT_EQ(StavKontrol().JsouUpozorneni, !c.passes);
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
        EXPECT_EQ(Kontrola98(), c.passes) << c.name;
        EXPECT_EQ(StavKontrol().ParamKontroly98, QString::fromUtf8(c.param)) << c.name;
    }
}

TEST_F(CheckTest, ShareUsesTheLocaleDecimalSeparator) {
    QLocale::setDefault(QLocale::c());
    rec().T2.PlatneHlasy = 1000;
    rec().VyslStran(2).pref(1) = 19;
    rec().VyslStran(2).pref(3) = 0;
    rec().VyslStran(3).pref(2) = 0;
    rec().VyslStran(3).pref(20) = 0;
    EXPECT_FALSE(Kontrola98());
    EXPECT_EQ(StavKontrol().ParamKontroly98, QStringLiteral(" (využito: 0.95 %)"));
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
        EXPECT_EQ(Kontrola98(), c.passes) << c.name;
        EXPECT_EQ(StavKontrol().ParamKontroly98, QString::fromUtf8(c.param)) << c.name;
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
        JmenaKomise() = JmenaKomise().mid(0, c.jmen);
        const bool expected = QByteArray(c.param).isEmpty();
        EXPECT_EQ(Kontrola39(), expected) << c.name;
        EXPECT_EQ(StavKontrol().ParamKontroly39,
                  QStringLiteral("Nalezené problémy: ") + QString::fromUtf8(c.param))
            << c.name;
    }
}

TEST_F(CheckTest, CommissionNameOfBlanksIsMissing) {
    JmenaKomise()[2].clen = QStringLiteral("   ");
    EXPECT_FALSE(Kontrola39());
    JmenaKomise()[2].clen = QStringLiteral("Olga");
    JmenaKomise().append({QString()}); // beyond the four needed for five present
    EXPECT_TRUE(Kontrola39());
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
        StavKontrol() = TStavKontrol{};
        for (int i = 0; i < c.codes.size(); ++i)
            ZaznamenejChybu(c.codes[i], c.vety[i]);
        EXPECT_EQ(kody(), QString::fromLatin1(c.kody)) << c.name;
        EXPECT_EQ(StavKontrol().JsouChyby, c.chyby) << c.name;
        EXPECT_EQ(StavKontrol().JsouPropustitelne, c.propustitelne) << c.name;
        EXPECT_EQ(StavKontrol().JsouUpozorneni, c.upozorneni) << c.name;
        EXPECT_EQ(rec().T2.T2Chyba, c.t2) << c.name;
        EXPECT_EQ(rec().TS.TSChyba, c.ts) << c.name;
        EXPECT_EQ(rec().VyslStran(5).T2PChyba, c.p5) << c.name;
    }
}

TEST_F(CheckTest, CodesStopAtTwentyFive) {
    rec().TS.KodyChyb.clear();
    for (int n = 11; n <= 35; ++n)
        ZaznamenejChybu(kodChyby(n), 0);
    ASSERT_EQ(kody().size(), 50);
    StavKontrol() = TStavKontrol{};
    ZaznamenejChybu(QStringLiteral("91"), 0);
    ZaznamenejChybu(QStringLiteral("36"), 7);
    EXPECT_EQ(kody().size(), 50);
    EXPECT_FALSE(kody().contains(QStringLiteral("36")));
    EXPECT_TRUE(StavKontrol().JsouUpozorneni);
    EXPECT_TRUE(StavKontrol().JsouChyby);
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

TEST_F(CheckTest, SilentChecksRecordNothing) {
    rec().T2.ZapsOsoby = 0;
    rec().T2.T2KC_1 = 5;
    rec().VyslStran(2).pref(1) = 400;
    rec().TS.KodyChyb.clear();
    EXPECT_FALSE(Kontrola04(true));
    EXPECT_FALSE(Kontrola03(true));
    EXPECT_FALSE(Kontrola18(true, 2, 1));
    EXPECT_TRUE(kody().isEmpty());
    EXPECT_FALSE(StavKontrol().JsouChyby || StavKontrol().JsouPropustitelne);
    EXPECT_FALSE(Kontrola18(false, 2, 1));
    EXPECT_EQ(kody(), QStringLiteral("18"));
    EXPECT_EQ(rec().VyslStran(2).T2PChyba, 1);
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
    EXPECT_FALSE(Kontrola03(true, &v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(Kontrola11(true, &v));
    EXPECT_EQ(v, 700 + 530 + 529 + 525);
    EXPECT_FALSE(Kontrola13(2, &v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(Kontrola17(true, 2, &v));
    EXPECT_EQ(v, 302);
    EXPECT_TRUE(Kontrola19(true, 2, &v));
    EXPECT_EQ(v, 60);
    EXPECT_FALSE(Kontrola21(true, 2, &v));
    EXPECT_EQ(v, 100);
    EXPECT_TRUE(Kontrola22(true, 2, &v)); // 0 = 0 + 0
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(Kontrola23(true, 2, &v));
    EXPECT_EQ(v, 3);
}

TEST_F(CheckTest, PartyChecks) {
    struct Case {
        const char* name;
        std::function<void(TStranaVysl&)> spoil;
        std::function<bool()> check;
    };
    const Case cases[] = {
        {"12 party not in the list", [](TStranaVysl& s) { s.CisStr = 9; },
         [] { return Kontrola12(2); }},
        {"14 party not in the list", [](TStranaVysl& s) { s.CisStr = 9; },
         [] { return Kontrola14(2); }},
        {"15 more than valid votes", [](TStranaVysl& s) { s.PocHl = 526; },
         [] { return Kontrola15(true, 2); }},
        {"18 candidate over the party", [](TStranaVysl& s) { s.pref(3) = 301; },
         [] { return Kontrola18(true, 2, 3); }},
        {"19 twice the party's votes", [](TStranaVysl& s) { s.pref(2) = 541; },
         [] { return Kontrola19(true, 2); }},
        {"20 candidate beyond the list", [](TStranaVysl& s) { s.pref(16) = 1; },
         [] { return Kontrola20(2, 16); }},
        {"24 last candidate beyond the list", [](TStranaVysl& s) { s.T2PPoslKand = 16; },
         [] { return Kontrola24(true, 2); }},
        {"42 no votes", [](TStranaVysl& s) { s.PocHl = 0; }, [] { return Kontrola42(2); }},
    };
    for (const Case& c : cases) {
        fillCompleteRecord();
        recompute();
        EXPECT_TRUE(c.check()) << c.name;
        c.spoil(rec().VyslStran(2));
        EXPECT_FALSE(c.check()) << c.name;
    }
    fillCompleteRecord();
    recompute();
    rec().VyslStran(2).pref(2) = 540; // exactly twice the party's 300 with 40 and 20
    EXPECT_TRUE(Kontrola19(true, 2));
    rec().VyslStran(2).pref(3) = 300; // equal to the party's votes
    EXPECT_TRUE(Kontrola18(true, 2, 3));
    rec().VyslStran(4).PocHl = 5; // votes on a sheet that is not ticked
    EXPECT_FALSE(Kontrola41(4));
    zaskrtniStranu(rec(), 4, true);
    EXPECT_TRUE(Kontrola41(4));
}
