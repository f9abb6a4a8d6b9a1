// The check sequence and the check command on a real installation: which
// file is checked, what lands on disk, what the commission is asked and told.
#include "CheckFixture.h"
#include "FakeDialogs.h"
#include "checks/CheckSequence.h"
#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/SectionsFile.h"

#include <QDir>
#include <QFile>

using namespace urn;
using urn::test::CheckTest;

namespace {

class CheckSequenceTest : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        TStanice st = test::sampleStanice();
        st.Okrsek = 3;
        inst.writeStanice(st);
        NactiStanici();
        AktOkrsek() = {st.Obec, st.Okrsek};
        setProtocolOutput(&output);
    }
    void TearDown() override {
        setProtocolOutput(nullptr);
        CheckTest::TearDown();
    }

    // Saves the sample record (changed by `change`) as the data file of a
    // kind, with sections I and III and the names.
    void saveRecord(char kind, const std::function<void(TPrecinctRecord&)>& change = {}) {
        NactiStrany(); // the closing record sums the parties of the list
        fillCompleteRecord();
        if (change)
            change(rec());
        recompute();
        AktOkrsek() = {QStringLiteral("582786"), 3};
        UlozData(kind);
        UlozHlaso();
        UlozKomise();
    }
    void setStav(const char* stav) {
        TStanice st = Stanice();
        st.Stav = QString::fromLatin1(stav);
        inst.writeStanice(st);
        NactiStanici();
    }
    QString stavOnDisk() const {
        return TStanice::fromRecord(
                   inst.readFile(inst.dirs().config + QStringLiteral("STANICE.RCD")))
            .Stav;
    }
    // Forgets what is in memory, as at the start of the program.
    static void forgetMemory() {
        PrecinctRecord() = TPrecinctRecord{};
        SeznamStran() = TSeznamStran{};
        JmenaKomise().clear();
    }

    test::RecordingOutput output;
};

} // namespace

TEST_F(CheckSequenceTest, TheCheckedFileIsKindOWhenBothExist) {
    saveRecord(kKindO); // writing kind O removes kind E, so E comes second
    saveRecord(kKindE, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    ASSERT_TRUE(dataFileExists(kKindO));
    forgetMemory();
    Workflow().Vybrano = kVybranoKontrola;
    Kontroly();
    EXPECT_EQ(ChybProt().count(), 0);
    EXPECT_TRUE(Workflow().KontrolyOK);
    EXPECT_TRUE(Workflow().DataOK);
    removeDataFile(kKindO);
    Kontroly();
    EXPECT_EQ(protocol(), (QList<test::Finding>{{0, 4, {}}, {0, 6, {}}}));
    EXPECT_TRUE(Workflow().KontrolyOK); // passable errors do not block
}

TEST_F(CheckSequenceTest, PartyListIsReadForTheRun) {
    saveRecord(kKindO);
    forgetMemory(); // the data-entry window has not been opened in this run
    Kontroly();
    EXPECT_EQ(ChybProt().count(), 0) << protocolText(ChybProt(), rec(), Stanice()).toStdString();
    EXPECT_EQ(SeznamStran().pocet(), 4);
}

TEST_F(CheckSequenceTest, NamesOfTheCommission) {
    struct Case {
        const char* name;
        const char* pritomno;
        int namesInMemory;
        int namesInFile; // 0: KOMISE.RCD empty
        int expectedNames;
        bool passes39;
    };
    const Case cases[] = {
        {"one present keeps the list", "1", 2, 0, 2, false},
        {"three present, empty file", "3", 0, 0, 3, false},
        {"three present, names in memory", "3", 4, 0, 3, true},
        {"three present, file", "3", 0, 2, 2, true},
        {"five present, file of two", "5", 0, 2, 2, false},
        {"nobody entered", " ", 1, 3, 1, false},
    };
    for (const Case& c : cases) {
        saveRecord(kKindO, [&](TPrecinctRecord& r) {
            r.Hlaso.ClenuOVKP = QString::fromLatin1(c.pritomno);
            r.Hlaso.ClenuOVKC = QStringLiteral("5");
        });
        JmenaKomise().clear();
        for (int i = 0; i < c.namesInFile; ++i)
            JmenaKomise().append({QStringLiteral("Člen %1").arg(i + 1)});
        inst.writeDataFile(QStringLiteral("KOMISE.RCD"), test::concat(JmenaKomise()));
        JmenaKomise().clear();
        for (int i = 0; i < c.namesInMemory; ++i)
            JmenaKomise().append({QStringLiteral("Paměť %1").arg(i + 1)});
        Kontroly();
        EXPECT_EQ(JmenaKomise().size(), c.expectedNames) << c.name;
        const QList<test::Finding> found = protocol();
        const bool reported = std::any_of(found.begin(), found.end(),
                                          [](const test::Finding& f) { return f.chyba == 39; });
        EXPECT_EQ(!reported, c.passes39) << c.name;
    }
}

TEST_F(CheckSequenceTest, ProtocolGoesOutForTheCheckCommandAndTheSaveOnly) {
    saveRecord(kKindO, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    struct Case {
        TVybrano vybrano;
        int calls;
    } cases[] = {{kVybranoKontrola, 1},
                 {kVybranoZadny, 1},
                 {kVybranoExport, 0},
                 {kVybranoExportZeVstupu, 0}};
    for (const Case& c : cases) {
        output.calls = 0;
        Workflow().Vybrano = c.vybrano;
        Kontroly();
        EXPECT_EQ(output.calls, c.calls) << c.vybrano;
        if (c.calls) {
            EXPECT_EQ(output.findings, 2) << c.vybrano;
        }
    }
}

TEST_F(CheckSequenceTest, StationCountsAsNotExportedAfterEveryRun) {
    saveRecord(kKindO);
    setStav("A");
    Workflow().Vybrano = kVybranoExport;
    Kontroly();
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));
    EXPECT_EQ(Stanice().Stav, QStringLiteral("N"));
}

TEST_F(CheckSequenceTest, UnreadableFilesStopTheSequenceAndKeepTheFlags) {
    saveRecord(kKindO);
    Workflow().KontrolyOK = true;
    Workflow().ExportOK = true;
    QFile::remove(inst.dirs().program + QStringLiteral("QZRVOK.RCD"));
    EXPECT_THROW(Kontroly(), InOutError);
    EXPECT_TRUE(Workflow().KontrolyOK);
    EXPECT_TRUE(Workflow().ExportOK);
    EXPECT_EQ(output.calls, 0);
}

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
    };
    const Case cases[] = {
        {"clean data become kind O", kKindE, {}, "N", {}, true, kKindO, true},
        {"passable errors become kind O",
         kKindE,
         [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; },
         "N",
         {},
         true,
         kKindO,
         true},
        {"blocking errors turn O into E",
         kKindO,
         [](TPrecinctRecord& r) { r.VyslStran(3).PocHl = 1; },
         "N",
         {},
         true,
         kKindE,
         true},
        {"exported, answered No", kKindO, {}, "A", {false}, false, kKindO, false},
        {"exported, answered Yes", kKindO, {}, "A", {true}, true, kKindO, true},
        {"no data", 0, {}, "N", {}, false, 0, false},
    };
    for (const Case& c : cases) {
        removeDataFile(kKindE);
        removeDataFile(kKindO);
        if (c.savedKind)
            saveRecord(c.savedKind, c.change);
        setStav(c.stav);
        forgetMemory();
        Workflow() = WorkflowState{};
        output.calls = 0;
        test::FakeDialogs dlg;
        dlg.answers = c.answers;
        EXPECT_EQ(runCheckCommand(), c.runs) << c.name;
        EXPECT_EQ(output.calls, c.runs ? 1 : 0) << c.name;
        EXPECT_EQ(Workflow().DataOK, c.dataOK) << c.name;
        EXPECT_EQ(dataFileExists(kKindO), c.kindAfter == kKindO) << c.name;
        EXPECT_EQ(dataFileExists(kKindE), c.kindAfter == kKindE) << c.name;
        EXPECT_EQ(stavOnDisk(), QString::fromLatin1(c.runs ? "N" : c.stav)) << c.name;
        if (c.runs) {
            EXPECT_EQ(Workflow().Vybrano, kVybranoKontrola) << c.name;
        }
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

TEST_F(CheckSequenceTest, CheckCommandSavesTheRecomputedClosingRecord) {
    saveRecord(kKindE, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    test::FakeDialogs dlg;
    ASSERT_TRUE(runCheckCommand());
    forgetMemory();
    AktOkrsek() = {QStringLiteral("582786"), 3};
    NactiData(kKindO);
    const TVetaTS& ts = rec().TS;
    // The data file keeps the field's width; the run empties it first.
    EXPECT_EQ(ts.KodyChyb, QStringLiteral("0406").leftJustified(50, QLatin1Char(' ')));
    EXPECT_EQ(ts.DatumKontr, QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(ts.IdStanice, 5827860002.0);
    EXPECT_EQ(ts.KontrSoucetTS, kontrolniSoucetTS(ts));
    EXPECT_EQ(rec().T2.T2Chyba, 1); // passable errors mark record 1
    // The saved record checks as it did.
    Workflow().Vybrano = kVybranoExport;
    Kontroly();
    EXPECT_EQ(kody(), QStringLiteral("0406"));
}
