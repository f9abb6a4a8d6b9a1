// The check sequence on a real installation: which file is checked, what it
// loads and what it leaves in the session and on disk.
#include "CheckSequenceFixture.h"
#include "checks/CheckSequence.h"
#include "core/Errors.h"

#include <QFile>

#include <algorithm>

using namespace urn;
using urn::test::CheckSequenceTest;

TEST_F(CheckSequenceTest, TheCheckedFileIsKindOWhenBothExist) {
    saveRecord(kKindO); // writing kind O removes kind E, so E comes second
    saveRecord(kKindE, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    ASSERT_TRUE(dataFileExists(kKindO, okrsek()));
    forgetMemory();
    Kontroly(session, kVybranoKontrola);
    EXPECT_EQ(session.ChybProt.count(), 0);
    EXPECT_TRUE(session.Workflow.KontrolyOK);
    EXPECT_TRUE(session.Workflow.DataOK);
    removeDataFile(kKindO, okrsek());
    Kontroly(session, kVybranoKontrola);
    EXPECT_EQ(protocol(), (QList<test::Finding>{{0, 4, {}}, {0, 6, {}}}));
    EXPECT_TRUE(session.Workflow.KontrolyOK); // passable errors do not block
}

TEST_F(CheckSequenceTest, PartyListIsReadForTheRun) {
    saveRecord(kKindO);
    forgetMemory(); // the data-entry window has not been opened in this run
    Kontroly(session, kVybranoKontrola);
    EXPECT_EQ(session.ChybProt.count(), 0)
        << protocolText(session.ChybProt, rec(), session.Stanice).toStdString();
    EXPECT_EQ(session.SeznamStran.pocet(), 4);
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
        QList<TKomise> vSouboru;
        for (int i = 0; i < c.namesInFile; ++i)
            vSouboru.append({QStringLiteral("Člen %1").arg(i + 1)});
        inst.writeDataFile(QStringLiteral("KOMISE.RCD"), test::concat(vSouboru));
        session.JmenaKomise.clear();
        for (int i = 0; i < c.namesInMemory; ++i)
            session.JmenaKomise.append({QStringLiteral("Paměť %1").arg(i + 1)});
        Kontroly(session, kVybranoKontrola);
        EXPECT_EQ(session.JmenaKomise.size(), c.expectedNames) << c.name;
        const QList<test::Finding> found = protocol();
        const bool reported = std::any_of(found.begin(), found.end(),
                                          [](const test::Finding& f) { return f.chyba == 39; });
        EXPECT_EQ(!reported, c.passes39) << c.name;
    }
}

// The error flags the data were saved with count for the export's check and
// start afresh for the check command's and the save's.
TEST_F(CheckSequenceTest, TheCommandDecidesWhetherSavedErrorFlagsStay) {
    saveRecord(kKindO, [](TPrecinctRecord& r) { r.T2.T2Chyba = 7; });
    Kontroly(session, kVybranoExport);
    EXPECT_EQ(protocol(), (QList<test::Finding>{{0, 64, {}}}));
    EXPECT_EQ(rec().T2.T2Chyba, 1); // the failure marks the record
    EXPECT_FALSE(session.Workflow.KontrolyOK);
    Kontroly(session, kVybranoKontrola);
    EXPECT_TRUE(protocol().isEmpty());
    EXPECT_EQ(rec().T2.T2Chyba, 0);
    EXPECT_TRUE(session.Workflow.KontrolyOK);
}

TEST_F(CheckSequenceTest, StationCountsAsNotExportedAfterEveryRun) {
    saveRecord(kKindO);
    setStav("A");
    Kontroly(session, kVybranoExport);
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));
    EXPECT_EQ(session.Stanice.Stav, QStringLiteral("N"));
}

TEST_F(CheckSequenceTest, UnreadableFilesStopTheSequenceAndKeepTheFlags) {
    saveRecord(kKindO, [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 0; });
    Kontroly(session, kVybranoKontrola);
    const QList<test::Finding> before = protocol();
    ASSERT_FALSE(before.isEmpty());
    session.Workflow.KontrolyOK = false;
    session.Workflow.ExportOK = true;
    QFile::remove(inst.dirs().program + QStringLiteral("QZRVOK.RCD"));
    EXPECT_THROW(Kontroly(session, kVybranoKontrola), InOutError);
    EXPECT_FALSE(session.Workflow.KontrolyOK);
    EXPECT_TRUE(session.Workflow.ExportOK);
    // The last completed run is still the session's.
    EXPECT_EQ(protocol(), before);
    EXPECT_TRUE(session.StavKontrol.JsouPropustitelne);
}
