// The check command of the main window on a real installation: what the
// commission is asked and told, what is printed, what lands on disk.
#include "CheckSequenceFixture.h"
#include "FakeDialogs.h"
#include "app/MainWindow.h"
#include "checks/CheckSequence.h"

#include <QDate>

using namespace urn;
using urn::test::CheckSequenceTest;

TEST_F(CheckSequenceTest, CheckCommand) {
    struct Case {
        const char* name;
        char savedKind; // 0: no data
        std::function<void(TPrecinctRecord&)> change;
        const char* stav;
        QList<bool> answers;
        bool runs;
        char kindAfter; // 0: no data
        bool dataOK;
        int findings;
    };
    const Case cases[] = {
        {"clean data become kind O", kKindE, {}, "N", {}, true, kKindO, true, 0},
        {"passable errors become kind O",
         kKindE,
         [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; },
         "N",
         {},
         true,
         kKindO,
         true,
         2},
        {"blocking errors turn O into E",
         kKindO,
         [](TPrecinctRecord& r) { r.VyslStran(3).PocHl = 1; },
         "N",
         {},
         true,
         kKindE,
         true,
         4}, // 16, 18 twice, 19
        {"exported, answered No", kKindO, {}, "A", {false}, false, kKindO, false, 0},
        {"exported, answered Yes", kKindO, {}, "A", {true}, true, kKindO, true, 0},
        {"no data", 0, {}, "N", {}, false, 0, false, 0},
    };
    for (const Case& c : cases) {
        removeDataFile(kKindE, okrsek());
        removeDataFile(kKindO, okrsek());
        if (c.savedKind)
            saveRecord(c.savedKind, c.change);
        setStav(c.stav);
        forgetMemory();
        session.Workflow = WorkflowState{};
        test::RecordingOutput output;
        test::FakeDialogs dlg;
        dlg.answers = c.answers;
        EXPECT_EQ(runCheckCommand(session, output.tisk()), c.runs) << c.name;
        // The protocol of the run, printed once, before the data are saved.
        EXPECT_EQ(output.calls, c.runs ? 1 : 0) << c.name;
        if (c.runs) {
            EXPECT_EQ(output.findings, c.findings) << c.name;
        }
        EXPECT_EQ(session.Workflow.DataOK, c.dataOK) << c.name;
        EXPECT_EQ(dataFileExists(kKindO, okrsek()), c.kindAfter == kKindO) << c.name;
        EXPECT_EQ(dataFileExists(kKindE, okrsek()), c.kindAfter == kKindE) << c.name;
        EXPECT_EQ(stavOnDisk(), QString::fromLatin1(c.runs ? "N" : c.stav)) << c.name;
        if (!c.answers.isEmpty()) {
            ASSERT_FALSE(dlg.shown.isEmpty()) << c.name;
            EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("ask"));
            EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Vstup dat za okrsek"));
            EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(kOtazkaZnovuKontrolovat));
        }
        if (!c.savedKind) {
            ASSERT_EQ(dlg.shown.size(), 1) << c.name;
            EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
            EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Kontrola dat"));
            EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Data nejsou pořízena!"));
        }
    }
}

TEST_F(CheckSequenceTest, CheckCommandPrintsBeforeItSaves) {
    saveRecord(kKindE, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    test::FakeDialogs dlg;
    bool savedWhenPrinted = true;
    ASSERT_TRUE(runCheckCommand(session, [&](const PrecinctSession&) {
        savedWhenPrinted = dataFileExists(kKindO, okrsek());
    }));
    EXPECT_FALSE(savedWhenPrinted);
    EXPECT_TRUE(dataFileExists(kKindO, okrsek()));
}

TEST_F(CheckSequenceTest, CheckCommandSavesTheRecomputedClosingRecord) {
    saveRecord(kKindE, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    test::FakeDialogs dlg;
    ASSERT_TRUE(runCheckCommand(session, {}));
    forgetMemory();
    NactiData(kKindO, okrsek(), rec());
    const TVetaTS& ts = rec().TS;
    // The data file keeps the field's width; the run empties it first.
    EXPECT_EQ(ts.KodyChyb, QStringLiteral("0406").leftJustified(50, QLatin1Char(' ')));
    EXPECT_EQ(ts.DatumKontr, QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(ts.IdStanice, 5827860002.0);
    EXPECT_EQ(ts.KontrSoucetTS, kontrolniSoucetTS(ts));
    EXPECT_EQ(rec().T2.T2Chyba, 1); // passable errors mark record 1
    // The saved record checks as it did.
    Kontroly(session, kVybranoExport);
    EXPECT_EQ(kody(), QStringLiteral("0406"));
}
