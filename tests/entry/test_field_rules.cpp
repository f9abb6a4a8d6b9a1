// What leaving a field does to the record, and where the run-time controls
// stand, without a window.
#include "TestInstall.h"
#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "entry/FieldRules.h"
#include "store/PrecinctDataFile.h"

#include <gtest/gtest.h>

using namespace urn;

namespace {

TEST(FieldRules, TypedNumbersAndSectionOneTexts) {
    struct Number {
        const char* text;
        qint64 value;
    };
    for (const Number& n : {Number{"007", 7}, Number{"", 0}, Number{"12a", 0}, Number{" 42", 42},
                            Number{"99999", 99999}})
        EXPECT_EQ(ctiCislo(QString::fromUtf8(n.text)), n.value) << n.text;

    struct Hour {
        const char* typed;
        const char* stored;
    };
    for (const Hour& h : {Hour{"0", ""}, Hour{"00", ""}, Hour{"07", "07"}, Hour{"", ""},
                          Hour{"5", "5"}, Hour{"10", "10"}})
        EXPECT_EQ(hodinaNeboPrazdna(QString::fromUtf8(h.typed)), QString::fromUtf8(h.stored))
            << h.typed;

    EXPECT_EQ(anoNe(QStringLiteral("B")), QStringLiteral("B"));
    EXPECT_EQ(anoNe(QStringLiteral("N")), QStringLiteral("N"));
    EXPECT_EQ(anoNe(QStringLiteral("X")), QStringLiteral("N"));
    EXPECT_EQ(anoNe(QString()), QStringLiteral("N"));
}

TEST(FieldRules, CandidateRowLabels) {
    EXPECT_EQ(nasobekText(7, 5), QStringLiteral("     35"));
    EXPECT_EQ(nasobekText(28, 9999), QStringLiteral(" 279972"));
    EXPECT_EQ(nasobekText(3, 0), QStringLiteral("      0"));
    EXPECT_EQ(cisloKandidataText(7), QStringLiteral(" 7."));
    EXPECT_EQ(cisloKandidataText(12), QStringLiteral("12."));
}

TEST(FieldRules, CandidateRowsStandInColumnsOfElevenElevenAndSix) {
    struct Case {
        int kandidat;
        int top, cislo, pole, nasobek;
    };
    const Case cases[] = {
        {1, 40, 30, 58, 100},     {11, 320, 30, 58, 100},  {12, 40, 175, 203, 245},
        {22, 320, 175, 203, 245}, {23, 40, 320, 348, 390}, {28, 180, 320, 348, 390},
    };
    for (const Case& c : cases) {
        const TPoziceKandidata p = poziceKandidata(c.kandidat);
        EXPECT_EQ(p.top, c.top) << c.kandidat;
        EXPECT_EQ(p.cisloLeft, c.cislo) << c.kandidat;
        EXPECT_EQ(p.poleLeft, c.pole) << c.kandidat;
        EXPECT_EQ(p.nasobekLeft, c.nasobek) << c.kandidat;
    }
}

TEST(FieldRules, PartyBoxesStandInColumnsOfFifteen) {
    struct Case {
        int k, pocet;
        int left, top;
    };
    const Case cases[] = {
        {1, 15, 8, 18},     {15, 15, 8, 270}, {16, 16, 8 + 349, 18}, {15, 16, 8, 270},
        {30, 30, 357, 270}, {1, 1, 8, 18},    {1, 0, 8, 18},
    };
    for (const Case& c : cases) {
        const TPoziceZaskrtavatka p = poziceZaskrtavatka(c.k, c.pocet);
        EXPECT_EQ(p.left, c.left) << c.k << " of " << c.pocet;
        EXPECT_EQ(p.top, c.top) << c.k << " of " << c.pocet;
    }
    EXPECT_EQ(sirkaZaskrtavatka(100), 119);
}

TEST(FieldRules, PageCommandsSkipTheAnnexWithoutTickedParties) {
    struct Case {
        int from;
        bool ticked;
        int next, previous;
    };
    const Case cases[] = {
        {0, true, 1, 3},  {1, true, 2, 0},  {2, true, 3, 1},  {3, true, 0, 2},
        {0, false, 1, 3}, {1, false, 3, 0}, {3, false, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dalsiStranka(c.from, c.ticked), c.next) << c.from << c.ticked;
        EXPECT_EQ(predchoziStranka(c.from, c.ticked), c.previous) << c.from << c.ticked;
    }
}

TEST(FieldRules, PartiesOutsideTheRecordsTablesAreLeftOutAndCountsClamped) {
    TSeznamStran seznam;
    seznam.strany = {{"1", "  Strana první  ", "28"}, {"0", "Nula", "5"},
                     {"31", "Třicátá první", "5"},    {"x", "Bez čísla", "5"},
                     {"12", "Dvanáctá", "35"},        {"0007", "Sedmá", "ab"}};
    const QList<TStranaVstupu> s = stranyProVstup(seznam);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].cislo, 1);
    EXPECT_EQ(s[0].poradi, 1);
    EXPECT_EQ(s[0].popisek, QStringLiteral(" 1: Strana první"));
    EXPECT_EQ(s[0].textPolozky, QStringLiteral(" 1:   Strana první  "));
    EXPECT_EQ(s[1].cislo, 12);
    EXPECT_EQ(s[1].poradi, 5);
    EXPECT_EQ(s[1].pocetKandidatu, 28);
    EXPECT_EQ(s[1].popisek, QStringLiteral("12: Dvanáctá"));
    EXPECT_EQ(s[2].cislo, 7);
    EXPECT_EQ(s[2].pocetKandidatu, 0);
    EXPECT_EQ(s[2].popisek, QStringLiteral("07: Sedmá"));

    TSeznamStran dlouha;
    dlouha.strany = {{"3", QString(81, QLatin1Char('N')), "10"}};
    EXPECT_EQ(stranyProVstup(dlouha).first().textPolozky.size(), 56);
}

TEST(FieldRules, SectionTwoValuesTheDataFileCannotHoldAreRefused) {
    TVetaT2 t2;
    t2.VydObalky = 17;
    EXPECT_FALSE(ulozOddII(t2, TPoleOddII::VydObalky, 10000));
    EXPECT_EQ(t2.VydObalky, 17);
    EXPECT_TRUE(ulozOddII(t2, TPoleOddII::VydObalky, 9999));
    EXPECT_EQ(t2.VydObalky, 9999);
    EXPECT_TRUE(ulozOddII(t2, TPoleOddII::ZapsOsoby, 99999));
    EXPECT_FALSE(ulozOddII(t2, TPoleOddII::ZapsOsoby, 100000));
    EXPECT_EQ(t2.ZapsOsoby, 99999);
    for (TPoleOddII p : {TPoleOddII::OdevzdObalky, TPoleOddII::PlatneHlasy})
        EXPECT_FALSE(ulozOddII(t2, p, 65536 + 5));
    EXPECT_EQ(textNevejdeSe(nazevPole(TPoleOddII::VydObalky), 12345, 9999),
              QStringLiteral("Počet voličů, kterým byly vydány úřední obálky nemůže být 12345: "
                             "datový soubor pojme nejvýše 9999.\rOpravte prosím hodnotu v poli."));
}

TEST(FieldRules, ComputedControlNumbersTooWideForTheFileAreNamed) {
    TPrecinctRecord r;
    r.T2.ZapsOsoby = 99999;
    r.T2.VydObalky = 9000;
    ProcDopoctiT2(r);
    zaskrtniStranu(r, 30, true);
    r.VyslStran(30).PocHl = 9990;
    const TSeznamStran bezSeznamu;
    ProcDopoctiT2P(r, bezSeznamu, 30);
    const QString text = popisNevejdeSe(r, kKindE);
    EXPECT_TRUE(text.contains(QStringLiteral("Kontrolní číslo 2 (součet čtyř počtů oddílu II)")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("108999"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Kontrolní číslo 2 strany"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("10020"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Dříve uložená data zůstala beze změny.")));

    r.T2.ZapsOsoby = 900;
    r.T2.VydObalky = 10;
    r.VyslStran(30).PocHl = 10;
    ProcDopoctiT2(r);
    ProcDopoctiT2P(r, bezSeznamu, 30);
    EXPECT_TRUE(popisNevejdeSe(r, kKindE).isEmpty());
}

// The checks of the section II fields: the first failure only, in the
// order each field runs them; the warnings that have no silent form are
// recorded as the full run records them.
class SectionTwoChecks : public ::testing::Test {
protected:
    void SetUp() override {
        inst.writeOcekavani({{"582786", 2, 700}, {"582786", 3, 0}});
        session.PrecinctRecord = TPrecinctRecord{};
        session.StavKontrol = TStavKontrol{};
        TVetaT2& t2 = session.PrecinctRecord.T2;
        t2.Obec = 582786;
        t2.Okrsek = 2;
        t2.ZapsOsoby = 700;
        t2.VydObalky = 500;
        t2.OdevzdObalky = 499;
        t2.PlatneHlasy = 495;
    }
    test::TestInstall inst;
    PrecinctSession session;
};

TEST_F(SectionTwoChecks, FirstFailureOfEachFieldIsReportedWithItsFlags) {
    struct Case {
        const char* what;
        std::function<void(TVetaT2&)> spoil;
        TPoleOddII pole;
        std::optional<THlaseni> expected;
        const char* kody; // recorded in the closing record
    };
    const Case cases[] = {
        {"complete", [](TVetaT2&) {}, TPoleOddII::ZapsOsoby, std::nullopt, ""},
        {"nobody registered: 4, not 96 or 93", [](TVetaT2& t) { t.ZapsOsoby = 0; },
         TPoleOddII::ZapsOsoby, THlaseni{4, {}, false, true, 0}, ""},
        {"far from the expected number", [](TVetaT2& t) { t.ZapsOsoby = 900; },
         TPoleOddII::ZapsOsoby, THlaseni{96, QStringLiteral("700"), true, false, 0}, "96"},
        {"no expected number, large precinct",
         [](TVetaT2& t) {
             t.Okrsek = 3;
             t.ZapsOsoby = 2500;
         },
         TPoleOddII::ZapsOsoby, THlaseni{93, {}, true, false, 0}, ""},
        {"no envelopes issued", [](TVetaT2& t) { t.VydObalky = 0; }, TPoleOddII::VydObalky,
         THlaseni{5, {}, false, true, 0}, ""},
        {"more envelopes than voters: 6 before 91", [](TVetaT2& t) { t.VydObalky = 800; },
         TPoleOddII::VydObalky, THlaseni{6, {}, false, true, 0}, ""},
        {"every voter got one", [](TVetaT2& t) { t.VydObalky = 700; }, TPoleOddII::VydObalky,
         THlaseni{91, {}, true, false, 0}, "91"},
        {"turnout above 80 %", [](TVetaT2& t) { t.VydObalky = 600; }, TPoleOddII::VydObalky,
         THlaseni{97, {}, true, false, 0}, "97"},
        {"none returned", [](TVetaT2& t) { t.OdevzdObalky = 0; }, TPoleOddII::OdevzdObalky,
         THlaseni{7, {}, false, true, 0}, ""},
        {"more returned than issued", [](TVetaT2& t) { t.OdevzdObalky = 501; },
         TPoleOddII::OdevzdObalky, THlaseni{8, {}, false, true, 0}, ""},
        {"far fewer returned", [](TVetaT2& t) { t.OdevzdObalky = 300; }, TPoleOddII::OdevzdObalky,
         THlaseni{92, {}, true, false, 0}, "92"},
        {"no valid votes", [](TVetaT2& t) { t.PlatneHlasy = 0; }, TPoleOddII::PlatneHlasy,
         THlaseni{9, {}, false, true, 0}, ""},
        {"more valid votes than envelopes", [](TVetaT2& t) { t.PlatneHlasy = 500; },
         TPoleOddII::PlatneHlasy, THlaseni{10, {}, false, true, 0}, ""},
        {"far fewer valid votes", [](TVetaT2& t) { t.PlatneHlasy = 400; }, TPoleOddII::PlatneHlasy,
         THlaseni{95, {}, true, false, 0}, "95"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.spoil(session.PrecinctRecord.T2);
        EXPECT_EQ(kontrolyOddII(session, c.pole), c.expected) << c.what;
        EXPECT_EQ(session.PrecinctRecord.TS.KodyChyb, QLatin1String(c.kody)) << c.what;
        EXPECT_EQ(session.StavKontrol.JsouUpozorneni, *c.kody != 0) << c.what;
        EXPECT_EQ(session.PrecinctRecord.T2.T2Chyba, 0) << c.what; // warnings mark no record
    }
}

TEST_F(SectionTwoChecks, AnnexFindingsNameTheirParty) {
    TPrecinctRecord& r = session.PrecinctRecord;
    zaskrtniStranu(r, 4, true);
    r.VyslStran(4).PocHl = 600;
    EXPECT_EQ(kontrolaPocHl(session, 4), (THlaseni{15, {}, false, false, 4}));
    r.VyslStran(4).PocHl = 10;
    r.VyslStran(4).pref(3) = 11;
    EXPECT_EQ(kontrolaPrefHlasu(session, 4, 3), (THlaseni{18, {}, false, false, 4}));
    EXPECT_EQ(kontrolaPrefHlasu(session, 4, 2), std::nullopt);
    r.VyslStran(4).pref(2) = 10;
    EXPECT_EQ(kontrolaSouctuPref(session, 4), (THlaseni{19, {}, false, false, 4}));
    // Only the sum of the parties' votes, which has no silent form, is
    // recorded, with the error flag of record 1.
    EXPECT_TRUE(r.TS.KodyChyb.isEmpty());
    EXPECT_EQ(kontrolaSouctuHlasu(session), (THlaseni{16, {}, false, false, 0}));
    EXPECT_EQ(r.TS.KodyChyb, QStringLiteral("16"));
    EXPECT_EQ(r.T2.T2Chyba, 1);
    EXPECT_TRUE(session.StavKontrol.JsouChyby);
}

} // namespace
