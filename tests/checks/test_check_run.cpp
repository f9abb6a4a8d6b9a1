// Whole check runs on complete records: the protocol, the codes, the outcome
// and the record error flags that the check sequence and the printouts use.
#include "CheckFixture.h"
#include "store/PrecinctDataFile.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <utility>

using namespace urn;
using urn::test::CheckTest;
using urn::test::Finding;
using urn::test::findingsOf;

namespace {

struct RunCase {
    const char* name;
    std::function<void(TPrecinctRecord&)> change;
    bool recomputeAfter; // as the data-entry window would before saving
    QList<Finding> protocol;
    const char* kody;
    bool chyby, propustitelne, upozorneni;
};

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST_F(CheckTest, WholeRuns) {
    const RunCase cases[] = {
        {"complete record", [](TPrecinctRecord&) {}, true, {}, "", false, false, false},
        {"turnout 80.1 %",
         [](TPrecinctRecord& r) {
             r.T2.VydObalky = 561;
             r.T2.OdevzdObalky = 560;
         },
         true,
         {{0, 97, {}}},
         "97",
         false,
         false,
         true},
        {"every voter got an envelope",
         [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 530; },
         true,
         {{0, 91, {}}, {0, 96, s(" 700")}},
         "9196",
         false,
         false,
         true},
        {"no registered voters",
         [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; },
         true,
         {{0, 4, {}}, {0, 6, {}}},
         "0406",
         false,
         true,
         false},
        {"votes of the parties do not add up",
         [](TPrecinctRecord& r) { r.VyslStran(3).PocHl = 224; },
         true,
         {{0, 16, {}}},
         "16",
         true,
         false,
         false},
        {"two candidates over the party's votes",
         [](TPrecinctRecord& r) {
             r.VyslStran(3).pref(2) = 226;
             r.VyslStran(3).pref(5) = 226;
         },
         true,
         {{0, 98, s(" (u strany: 3)")},
          {3, 18, s("(kand. č. 2)")},
          {3, 18, s("(kand. č. 5)")},
          {3, 19, {}}},
         "181998",
         true,
         false,
         true},
        {"candidate beyond the party's list",
         [](TPrecinctRecord& r) { r.VyslStran(2).pref(16) = 3; },
         true,
         {{2, 20, s("(16)")}, {2, 23, {}}},
         "2023",
         true,
         false,
         false},
        {"control number 1 typed wrong",
         [](TPrecinctRecord& r) { r.T2.T2KC_1 = 5; },
         false,
         {{0, 3, {}}, {0, 66, {}}},
         "0366",
         true,
         false,
         false},
        {"wrong district",
         [](TPrecinctRecord& r) { r.T2.Okres = 3701; },
         true,
         {{0, 72, {}}, {0, 72, {}}, {0, 72, {}}},
         "72",
         true,
         false,
         false},
        {"section III not filled in",
         [](TPrecinctRecord& r) {
             r.Hlaso.ClenuOVKC.clear();
             r.Hlaso.ClenuOVKP.clear();
             r.Hlaso.Zapisovat.clear();
             r.Hlaso.PoverPred.clear();
         },
         true,
         {{0, 39,
           s("Nalezené problémy: není vyplněn počet členů komise celkem, není vyplněn počet "
             "přítomných členů komise, není vyplněno jméno zapisovatele komise, není vyplněno "
             "jméno pověřené osoby")}},
         "39",
         true,
         false,
         false},
        {"ticked party without votes",
         [](TPrecinctRecord& r) { zaskrtniStranu(r, 4, true); },
         true,
         {{4, 42, {}}},
         "42",
         true,
         false,
         false},
        {"no valid votes",
         [](TPrecinctRecord& r) { r.T2.PlatneHlasy = 0; },
         true,
         {{0, 9, {}}, {0, 16, {}}, {2, 15, {}}, {3, 15, {}}},
         "091615",
         true,
         true,
         false},
        {"technical medium flag damaged",
         [](TPrecinctRecord& r) { r.TS.T2ZapisTN = 5; },
         false,
         {{0, 76, {}}},
         "76",
         true,
         false,
         false},
        {"not entered from a medium",
         [](TPrecinctRecord& r) {
             r.TS.T2ZapisTN = 9;
             r.TS.KontrSoucetTS = 0;
         },
         false,
         {},
         "",
         false,
         false,
         false},
        {"grand control sum damaged",
         [](TPrecinctRecord& r) { r.TS.KontrSoucetTS += 1; },
         false,
         {{0, 77, {}}},
         "77",
         true,
         false,
         false},
        {"sheet sums damaged",
         [](TPrecinctRecord& r) {
             r.TS.SoucetKC2 += 1;
             r.TS.SoucetKC3 += 1;
             r.TS.SoucetKC4 -= 1;
             r.TS.SoucetKontr += 0.5;
         },
         false,
         {{0, 67, {}}, {0, 68, {}}, {0, 69, {}}, {0, 70, {}}, {0, 77, {}}},
         "6768697077",
         true,
         false,
         false},
        {"record types damaged",
         [](TPrecinctRecord& r) {
             r.T2.TypVety = 0;
             r.VyslStran(2).TypVety = 5;
             r.TS.TypVety = 0;
         },
         false,
         {{0, 62, s("(T2)")}, {0, 62, s("(TS)")}, {2, 62, {}}},
         "62",
         true,
         false,
         false},
        {"correction flags damaged",
         [](TPrecinctRecord& r) {
             r.T2.T2Oprava = 2;
             r.VyslStran(3).T2POprava = 7;
         },
         false,
         {{0, 63, {}}, {3, 63, {}}},
         "63",
         true,
         false,
         false},
        {"unknown municipality",
         [](TPrecinctRecord& r) { r.T2.Obec = 999999; },
         true,
         {{0, 1, {}}, {0, 2, {}}, {0, 72, {}}, {0, 72, {}}, {0, 72, {}}, {2, 72, {}}, {3, 72, {}}},
         "010272",
         true,
         false,
         false},
        {"unticked party keeps its votes",
         [](TPrecinctRecord& r) { zaskrtniStranu(r, 2, false); },
         true,
         {{0, 16, {}}, {2, 41, s("(2)")}},
         "1641",
         true,
         false,
         false},
        {"no ticked party and no valid votes",
         [](TPrecinctRecord& r) {
             ProcDopoctiT2ZakrStrana(r, {});
             r.T2.PlatneHlasy = 0;
             r.VyslStran(2) = r.VyslStran(3) = TStranaVysl{};
         },
         true,
         {{0, 9, {}}},
         "09",
         false,
         true,
         false},
        {"no ticked party but valid votes",
         [](TPrecinctRecord& r) {
             ProcDopoctiT2ZakrStrana(r, {});
             r.VyslStran(2) = r.VyslStran(3) = TStranaVysl{};
         },
         true,
         {{0, 16, {}}, {0, 98, s(" (využito: 0 %)")}},
         "1698",
         true,
         false,
         true},
    };
    for (const RunCase& c : cases) {
        fillCompleteRecord();
        recompute();
        c.change(rec());
        if (c.recomputeAfter)
            recompute();
        provedKontroly();
        EXPECT_EQ(protocol(), c.protocol) << c.name;
        EXPECT_EQ(kody(), QString::fromLatin1(c.kody)) << c.name;
        EXPECT_EQ(session.StavKontrol.JsouChyby, c.chyby) << c.name;
        EXPECT_EQ(session.StavKontrol.JsouPropustitelne, c.propustitelne) << c.name;
        EXPECT_EQ(session.StavKontrol.JsouUpozorneni, c.upozorneni) << c.name;
    }
}

TEST_F(CheckTest, RecordFlagsFollowTheFindings) {
    rec().T2.ZapsOsoby = 0;          // passable, record 1
    rec().VyslStran(3).PocHl = 224;  // 16 for record 1
    rec().VyslStran(2).pref(16) = 1; // party 2
    recompute();
    rec().TS.SoucetKC2 += 1; // closing record
    provedKontroly();
    EXPECT_EQ(rec().T2.T2Chyba, 1);
    EXPECT_EQ(rec().VyslStran(2).T2PChyba, 1);
    EXPECT_EQ(rec().VyslStran(3).T2PChyba, 0);
    EXPECT_EQ(rec().TS.TSChyba, 1);
}

TEST_F(CheckTest, OnlyTheCheckCommandAndTheSaveStartFlagsAfresh) {
    struct Case {
        TVybrano vybrano;
        quint16 expected;
    } cases[] = {{kVybranoKontrola, 0},
                 {kVybranoExport, 1},
                 {kVybranoExportZeVstupu, 1},
                 {kVybranoZadny, 1}};
    for (const Case& c : cases) {
        fillCompleteRecord();
        recompute();
        rec().T2.T2Chyba = 1;
        rec().VyslStran(2).T2PChyba = 1;
        rec().VyslStran(1).T2PChyba = 1; // in the list, not ticked
        rec().TS.TSChyba = 1;
        rec().TS.KodyChyb = QStringLiteral("0304");
        provedKontroly(c.vybrano);
        EXPECT_EQ(rec().T2.T2Chyba, c.expected) << c.vybrano;
        EXPECT_EQ(rec().VyslStran(2).T2PChyba, c.expected) << c.vybrano;
        EXPECT_EQ(rec().VyslStran(1).T2PChyba, c.expected) << c.vybrano;
        EXPECT_EQ(rec().TS.TSChyba, c.expected) << c.vybrano;
        EXPECT_TRUE(kody().isEmpty()) << c.vybrano;
        EXPECT_EQ(session.ChybProt.count(), 0) << c.vybrano;
    }
}

TEST_F(CheckTest, ARunStartsFromAnEmptyProtocolAndFlags) {
    rec().T2.ZapsOsoby = 0;
    recompute();
    provedKontroly();
    ASSERT_TRUE(session.StavKontrol.JsouPropustitelne);
    fillCompleteRecord();
    recompute();
    provedKontroly();
    EXPECT_EQ(session.ChybProt.count(), 0);
    EXPECT_FALSE(session.StavKontrol.JsouPropustitelne);
}

TEST_F(CheckTest, CodesPastTheTwentyFifthStillCount) {
    // A record broken nearly everywhere: 33 different checks fail.
    TPrecinctRecord& r = rec();
    r.T2.TypVety = 7;
    r.T2.T2Oprava = 2;
    r.T2.Obec = 999999;
    r.T2.T2KC_1 = 9;
    r.T2.ZapsOsoby = 0;
    r.T2.VydObalky = 10;
    r.T2.OdevzdObalky = 20;
    r.T2.PlatneHlasy = 30;
    r.T2.T2KC_2 = 1;
    TStranaVysl& s = r.VyslStran(2);
    s.CisStr = 29;
    s.T2PKC1 = 5;
    s.PocHl = 40;
    s.T2PKC2 = 1;
    s.pref(1) = 50;
    s.pref(2) = 35;
    s.pref(16) = 1;
    s.T2PKC3 = 1;
    s.T2PKC4 = 1;
    s.T2PPoslKand = 5;
    r.VyslStran(3).PocHl = 0;
    ProcDopoctiT2ZakrStrana(r, {2});
    r.TS.TSChyba = 2;
    r.TS.SoucetKC1 = r.TS.SoucetKC2 = 12345;
    r.TS.SoucetKC3 = r.TS.SoucetKC4 = r.TS.SoucetKontr = 12345;
    r.TS.T2ZapisTN = 5;
    r.Hlaso = THlaso{};
    provedKontroly(kVybranoExport); // keeps the damaged flag for check 64
    EXPECT_EQ(kody(), QStringLiteral("01020304060810111612131415171819202122232462636466"));
    const QList<Finding> found = protocol();
    for (int n : {67, 68, 69, 70, 72, 76, 98, 39})
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [n](const Finding& f) {
            return f.chyba == n;
        })) << n;
    EXPECT_TRUE(session.StavKontrol.JsouUpozorneni); // from 98, beyond the codes
    EXPECT_TRUE(session.StavKontrol.JsouChyby);
    EXPECT_TRUE(session.StavKontrol.JsouPropustitelne);
    EXPECT_EQ(r.TS.TSChyba, 1); // set by 66 and later
}

// A data file examined away from its station: without section III, and
// perhaps without the reference tables, only the checks that need neither
// speak.
TEST_F(CheckTest, RunsWithoutTheTablesOrSectionThree) {
    struct Case {
        const char* name;
        std::function<void(TPrecinctRecord&)> change;
        QList<Finding> full, noSectionThree, noTables;
    };
    const QList<Finding> district = {{0, 1, {}},  {0, 2, {}},  {0, 72, {}}, {0, 72, {}},
                                     {0, 72, {}}, {2, 72, {}}, {3, 72, {}}};
    const Case cases[] = {
        {"unknown municipality",
         [](TPrecinctRecord& r) { r.T2.Obec = 999999; },
         district,
         district,
         {}},
        {"candidate beyond the party's list",
         [](TPrecinctRecord& r) { r.VyslStran(2).pref(16) = 1; },
         {{2, 20, s("(16)")}, {2, 23, {}}},
         {{2, 20, s("(16)")}, {2, 23, {}}},
         {{2, 23, {}}}},
        {"far more voters than expected",
         [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 1500; },
         {{0, 96, s(" 700")}},
         {{0, 96, s(" 700")}},
         {}},
        {"no recorder",
         [](TPrecinctRecord& r) { r.Hlaso.Zapisovat.clear(); },
         {{0, 39, s("Nalezené problémy: není vyplněno jméno zapisovatele komise")}},
         {},
         {}},
        {"votes of the parties do not add up",
         [](TPrecinctRecord& r) { r.VyslStran(3).PocHl = 224; },
         {{0, 16, {}}},
         {{0, 16, {}}},
         {{0, 16, {}}}},
    };
    const TSeznamStran list = session.SeznamStran;
    for (const Case& c : cases) {
        for (const auto& [scope, expected] :
             {std::pair{TRozsahKontrol{}, c.full},
              std::pair{TRozsahKontrol{true, false}, c.noSectionThree},
              std::pair{TRozsahKontrol{false, false}, c.noTables}}) {
            fillCompleteRecord();
            c.change(rec());
            recompute();
            provedKontroly(kVybranoKontrola, scope);
            EXPECT_EQ(protocol(), expected)
                << c.name << " tables " << scope.tabulky << " section III " << scope.oddilIII;
        }
    }
    // Without the tables none is read, and the party list in memory is the
    // same after the run.
    for (const char* table : {"OKRSKY.RCD", "STRANY.RCD", "QZRVOK.RCD", "QZRZVO.RCD"})
        ASSERT_TRUE(QFile::remove(inst.root() + QLatin1String(table)));
    fillCompleteRecord();
    recompute();
    EXPECT_NO_THROW(provedKontroly(kVybranoKontrola, TRozsahKontrol{false, false}));
    EXPECT_TRUE(protocol().isEmpty());
    EXPECT_EQ(session.SeznamStran.pocet(), list.pocet());
    EXPECT_EQ(session.SeznamStran.strany.at(1).PocetKand, list.strany.at(1).PocetKand);
}

// A run answers from its inputs and changes none of them; what it found
// reaches the record and the session only when it is taken.
TEST_F(CheckTest, ARunIsAFunctionOfItsInputs) {
    rec().T2.ZapsOsoby = 0;          // passable, record 1
    rec().VyslStran(2).pref(16) = 1; // party 2
    recompute();
    rec().T2.T2Chyba = 1;
    rec().TS.KodyChyb = QStringLiteral("77");
    const TPrecinctRecord before = rec();
    const TVysledekKontrol v = ProvedKontroly(vstup(), CisChyb(), kVybranoKontrola);
    EXPECT_EQ(recordToLine(rec(), kKindE), recordToLine(before, kKindE));
    EXPECT_EQ(rec().TS.KodyChyb, QStringLiteral("77"));
    EXPECT_TRUE(session.ChybProt.count() == 0 && !session.StavKontrol.JsouChyby);

    EXPECT_EQ(v.Priznaky.KodyChyb, QStringLiteral("04062023"));
    EXPECT_EQ(v.Priznaky.T2Chyba, 1);
    EXPECT_EQ(v.Priznaky.T2PChyba.at(1), 1);
    EXPECT_EQ(v.Priznaky.T2PChyba.at(2), 0);
    EXPECT_EQ(
        findingsOf(v.ChybProt),
        (QList<Finding>{{0, 4, {}}, {0, 6, {}}, {2, 20, QStringLiteral("(16)")}, {2, 23, {}}}));
    EXPECT_EQ(v.druhUlozeni(), kKindE);
    // The same inputs give the same answer.
    EXPECT_EQ(findingsOf(ProvedKontroly(vstup(), CisChyb(), kVybranoKontrola).ChybProt),
              findingsOf(v.ChybProt));

    session.prevezmiVysledek(v);
    EXPECT_EQ(kody(), QStringLiteral("04062023"));
    EXPECT_EQ(rec().VyslStran(2).T2PChyba, 1);
    EXPECT_EQ(protocol(), findingsOf(v.ChybProt));
    EXPECT_TRUE(session.StavKontrol.JsouChyby && session.StavKontrol.JsouPropustitelne);
}
