// The data-entry window driven through the keyboard, as the commission
// drives it on election night.
#include "EntryFixture.h"

#include "checks/Workflow.h"
#include "entry/AnnexPage.h"
#include "entry/CommissionPage.h"
#include "entry/SectionOnePage.h"
#include "entry/SectionTwoPage.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"
#include "ui/Beep.h"
#include "ui/EntryEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace urn;
using namespace urn::test;

namespace {

class Scenario : public EntryTest {
protected:
    // Section I by the keyboard: times, an adjourned opening, complaints on
    // two sheets; everything else as the form offers it.
    void typeSectionOne() {
        ASSERT_TRUE(focused("R_SEdZahajeno1"));
        field(QStringLiteral("7:00"));
        field(QStringLiteral("22:00"));
        field(QStringLiteral("8:00"));
        field(QStringLiteral("14:00"));
        ASSERT_TRUE(focused("R_OdrocNRB"));
        key(Qt::Key_Right); // "bylo odročeno dne"
        enter();
        ASSERT_TRUE(focused("R_SEDOdrocenoD"));
        field(QStringLiteral("7.6.2024"));
        field(QStringLiteral("0"));
        field(QStringLiteral("30"));
        field(QStringLiteral("porucha osvětlení"));
        ASSERT_TRUE(focused("R_ProdlNRB"));
        enter();
        for (int i = 0; i < 4; ++i)
            enter(); // date, hour, minute, reason of an extension left empty
        ASSERT_TRUE(focused("R_PrerusNRB"));
        enter();
        for (int i = 0; i < 4; ++i)
            enter();
        ASSERT_TRUE(focused("R_StiznNRB"));
        key(Qt::Key_Right);
        enter();
        field(QStringLiteral("2"));
        ASSERT_TRUE(focused("R_SchrankaNRB"));
        enter();
        ASSERT_TRUE(focused("PokracovatBBtn"));
        enter();
        ASSERT_EQ(page(), 1);
    }

    // Section II and the ticks of parties 1 and 3.
    void typeSectionTwo() {
        ASSERT_TRUE(focused("R_EdZapsOsoby"));
        field(QStringLiteral("700"));
        field(QStringLiteral("530"));
        field(QStringLiteral("529"));
        field(QStringLiteral("525"));
        ASSERT_TRUE(focused("R_StranaCB1"));
        key(Qt::Key_Space);
        enter();
        enter();
        key(Qt::Key_Space);
        enter();
        enter();
        ASSERT_TRUE(focused("R_Dalsi2_Btn"));
        enter();
        ASSERT_EQ(page(), 2);
    }

    // Annex 1: party 1 with 300 votes, party 3 with 225.
    void typeAnnex() {
        ASSERT_TRUE(focused("R_CBT2P_1"));
        EXPECT_EQ(okno->strankaPrilohy()->zobrazenaStrana(), 1);
        enter();
        field(QStringLiteral("300"));
        field(QStringLiteral("40"));
        field(QStringLiteral("0"));
        field(QStringLiteral("20"));
        key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(focused("R_EdT2PPoslKand"));
        enter();
        ASSERT_SOON(okno->strankaPrilohy()->zobrazenaStrana() == 3);
        ASSERT_SOON(focused("R_CBT2P_1"));
        enter();
        field(QStringLiteral("225"));
        field(QStringLiteral("0"));
        field(QStringLiteral("30"));
        for (int k = 3; k <= 19; ++k)
            enter();
        ASSERT_TRUE(focused("R_EdPref20"));
        field(QStringLiteral("5"));
        ASSERT_TRUE(focused("R_EdT2PPoslKand"));
        enter();
        ASSERT_SOON(page() == 3);
        ASSERT_SOON(focused("R_SEdClenuOVKC"));
    }
};

TEST_F(Scenario, AFullRecordTypedThroughAllPagesAndSavedWithF2IsTheCheckedFile) {
    // Nothing of the record is on disk before: all of it is typed.
    QFile::remove(inst.dirs().data + QStringLiteral("HLASO.RCD"));
    QFile::remove(inst.dirs().data + QStringLiteral("KOMISE.RCD"));
    int exportRuns = 0;
    bool checkedFileDuringExport = false;
    open();
    okno->ExportTisk = [&] {
        ++exportRuns;
        // The export command finds the checked data saved.
        checkedFileDuringExport = fileExists(kKindO) && !fileExists(kKindE);
    };
    typeSectionOne();
    typeSectionTwo();
    typeAnnex();
    field(QStringLiteral("5"));
    field(QStringLiteral("3"));
    field(QStringLiteral("Jana Nováková"));
    ASSERT_TRUE(focused("R_JmenaKomise_SG"));
    type(QStringLiteral("Eva Malá"));
    enter();
    type(QStringLiteral("Ivan Velký"));
    enter();
    ASSERT_TRUE(focused("R_SEdPoverPred"));
    field(QStringLiteral("Petr Svoboda"));
    type(QStringLiteral("nikdo"));

    dlg.answers = {true}; // export and print
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    EXPECT_TRUE(hlasky->shown.isEmpty()) << hlasky->shown.first().heading.toStdString();
    EXPECT_EQ(protocol.calls, 1);
    EXPECT_TRUE(protocol.findings.isEmpty()) << protocol.findings.first();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(TR_Vstupni_Form::kOtazkaExport));
    EXPECT_EQ(dlg.shown[0].defaultAnswer, DefaultAnswer::Ano); // saved whatever the answer
    EXPECT_EQ(exportRuns, 1);
    EXPECT_TRUE(checkedFileDuringExport);

    EXPECT_TRUE(fileExists(kKindO));
    EXPECT_FALSE(fileExists(kKindE));
    const TPrecinctRecord r = loadFile(kKindO);
    EXPECT_EQ(r.T2.Obec, 582786);
    EXPECT_EQ(r.T2.Okrsek, 2);
    EXPECT_EQ(r.T2.Okres, 3703);
    EXPECT_EQ(r.T2.ZapsOsoby, 700);
    EXPECT_EQ(r.T2.VydObalky, 530);
    EXPECT_EQ(r.T2.OdevzdObalky, 529);
    EXPECT_EQ(r.T2.PlatneHlasy, 525);
    EXPECT_EQ(r.T2.T2KC_2, 700 + 530 + 529 + 525);
    EXPECT_EQ(r.T2.ZaskrtStrany, QStringLiteral("101") + QString(57, QLatin1Char('0')));
    EXPECT_EQ(r.VyslStran(1).PocHl, 300);
    EXPECT_EQ(r.VyslStran(1).pref(1), 40);
    EXPECT_EQ(r.VyslStran(1).pref(3), 20);
    EXPECT_EQ(r.VyslStran(1).T2PPoslKand, 3);
    EXPECT_EQ(r.VyslStran(1).T2PKC3, 40 + 60);
    EXPECT_EQ(r.VyslStran(3).PocHl, 225);
    EXPECT_EQ(r.VyslStran(3).pref(2), 30);
    EXPECT_EQ(r.VyslStran(3).pref(20), 5);
    EXPECT_EQ(r.VyslStran(3).T2PPoslKand, 20);
    EXPECT_EQ(r.VyslStran(3).CisStr, 3);
    const THlaso& h = r.Hlaso;
    EXPECT_EQ(h.Zahajeno1, QStringLiteral("7:00"));
    EXPECT_EQ(h.Ukonceno1, QStringLiteral("22:00"));
    EXPECT_EQ(h.Zahajeno2, QStringLiteral("8:00"));
    EXPECT_EQ(h.Ukonceno2, QStringLiteral("14:00"));
    EXPECT_EQ(h.Odroc, QStringLiteral("B"));
    EXPECT_EQ(h.OdrocenoD, QStringLiteral("7.6.2024"));
    EXPECT_EQ(h.OdrocenoH, QString()); // "0" is no hour
    EXPECT_EQ(h.OdrocenoM, QStringLiteral("30"));
    EXPECT_EQ(h.DuvodOdroc, QStringLiteral("porucha osvětlení"));
    EXPECT_EQ(h.Prodl, QStringLiteral("N"));
    EXPECT_EQ(h.Prerus, QStringLiteral("N"));
    EXPECT_EQ(h.Stizn, QStringLiteral("B"));
    EXPECT_EQ(h.StizListu, QStringLiteral("2"));
    EXPECT_EQ(h.Schranka, QStringLiteral("N"));
    EXPECT_EQ(h.ClenuOVKC, QStringLiteral("5"));
    EXPECT_EQ(h.ClenuOVKP, QStringLiteral("3"));
    EXPECT_EQ(h.PrilListu, QStringLiteral("2"));
    EXPECT_EQ(h.Zapisovat, QStringLiteral("Jana Nováková"));
    EXPECT_EQ(h.PoverPred, QStringLiteral("Petr Svoboda"));
    EXPECT_EQ(h.Ostatni, QStringLiteral("nikdo"));
    const QList<QByteArray> jmena =
        readRecords(inst.dirs().data + QStringLiteral("KOMISE.RCD"), kKomiseSize);
    ASSERT_EQ(jmena.size(), 2);
    EXPECT_EQ(TKomise::fromRecord(jmena[0]).clen, QStringLiteral("Eva Malá"));
    EXPECT_EQ(TKomise::fromRecord(jmena[1]).clen, QStringLiteral("Ivan Velký"));
    EXPECT_EQ(session.Stanice.Stav, QStringLiteral("N"));
}

TEST_F(Scenario, SavingWithBlockingErrorsLeavesOnlyTheEnteredFileAndAsksNothing) {
    saveRecord(kKindO);
    open();
    okno->ExportTisk = [] { ADD_FAILURE() << "export after blocking errors"; };
    key(Qt::Key_PageDown);
    ASSERT_TRUE(focused("R_EdZapsOsoby"));
    enter();
    enter();
    enter();
    enter();
    key(Qt::Key_Space); // party 1 ticked, no votes for it: 16 blocks the export
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    EXPECT_EQ(protocol.calls, 1);
    EXPECT_TRUE(protocol.findings.contains(16));
    EXPECT_TRUE(dlg.shown.isEmpty());
    EXPECT_TRUE(fileExists(kKindE));
    EXPECT_FALSE(fileExists(kKindO));
    EXPECT_EQ(loadFile(kKindE).T2.ZaskrtStrany.left(2), QStringLiteral("10"));
}

TEST_F(Scenario, AnsweringNoAfterAPassingSaveClosesWithoutExport) {
    saveRecord(kKindE, {2});
    open();
    int exportRuns = 0;
    okno->ExportTisk = [&] { ++exportRuns; };
    dlg.answers = {false};
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Vstup dat za okrsek"));
    EXPECT_EQ(exportRuns, 0);
    EXPECT_TRUE(fileExists(kKindO));
    EXPECT_FALSE(fileExists(kKindE));
}

TEST_F(Scenario, WithoutTheExportCommandTheUserIsToldSo) {
    saveRecord(kKindE, {2});
    open();
    dlg.answers = {true};
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    ASSERT_EQ(dlg.shown.size(), 2);
    EXPECT_EQ(dlg.shown[1].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[1].text, QString::fromUtf8(TR_Vstupni_Form::kExportNeniKDispozici));
    EXPECT_TRUE(fileExists(kKindO));
}

TEST_F(Scenario, PageGuardsWithoutATickedParty) {
    saveRecord(kKindE);
    open();
    struct Step {
        const char* what;
        std::function<void()> act;
        int page;
    };
    const int beeps = beepCount();
    const Step steps[] = {
        {"Page Down from 0", [&] { key(Qt::Key_PageDown); }, 1},
        {"annex tab refused", [&] { clickTab(2); }, 1},
        {"Pokračovat on page 1", [&] { named<QPushButton>("R_Dalsi2_Btn")->click(); }, 3},
        {"Page Up from 3", [&] { key(Qt::Key_PageUp); }, 1},
        {"Page Down from 1", [&] { key(Qt::Key_PageDown); }, 3},
        {"Page Down from 3", [&] { key(Qt::Key_PageDown); }, 0},
        {"Page Up from 0", [&] { key(Qt::Key_PageUp); }, 3},
        {"tab of page 1", [&] { clickTab(1); }, 1},
    };
    for (const Step& st : steps) {
        st.act();
        settle();
        EXPECT_EQ(page(), st.page) << st.what;
    }
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_TRUE(focused("R_EdZapsOsoby"));
    // Ctrl+Enter does something on the annex only.
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(focused("R_EdZapsOsoby"));
}

TEST_F(Scenario, EveryPageChangeSavesTheEnteredKindAndMarksTheDataNotExported) {
    saveRecord(kKindO, {3});
    TStanice st = sampleStanice();
    st.Stav = QStringLiteral("A");
    inst.writeStanice(st);
    open();
    ASSERT_TRUE(named<QCheckBox>("R_StranaCB3")->isChecked());
    key(Qt::Key_PageDown);
    EXPECT_TRUE(fileExists(kKindE));
    EXPECT_FALSE(fileExists(kKindO));
    EXPECT_EQ(session.Stanice.Stav, QStringLiteral("N"));
    const TPrecinctRecord r = loadFile(kKindE);
    EXPECT_EQ(r.VyslStran(3).PocHl, 525);
    EXPECT_EQ(r.VyslStran(3).pref(1), 3);
    EXPECT_EQ(r.T2.T2KC_2, 700 + 530 + 529 + 525);
    EXPECT_EQ(r.TS.TypVety, 3);
}

TEST_F(Scenario, ClosingWithoutSavingDiscardsOnlyTheCurrentPage) {
    saveRecord(kKindE);
    open();
    key(Qt::Key_PageDown);
    field(QStringLiteral("700"));
    field(QStringLiteral("540"));
    key(Qt::Key_PageUp); // page 1 saved
    ASSERT_TRUE(focused("R_SEdZahajeno1"));
    type(QStringLiteral("9:00"));

    dlg.answers = {false};
    key(Qt::Key_Escape);
    EXPECT_TRUE(okno->isVisible());
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(TR_Vstupni_Form::kOtazkaZavrit));
    EXPECT_EQ(dlg.shown[0].defaultAnswer, DefaultAnswer::Ne);
    EXPECT_EQ(named<TSEdit>("R_SEdZahajeno1")->text(), QStringLiteral("9:00"));

    closeWithoutSaving();
    EXPECT_EQ(loadFile(kKindE).T2.VydObalky, 540);
    EXPECT_EQ(loadFile(kKindE).Hlaso.Zahajeno1, QString());
    open();
    EXPECT_EQ(named<TSEdit>("R_SEdZahajeno1")->text(), QString());
    EXPECT_EQ(named<TSEdit>("R_EdVydObalky")->text(), QStringLiteral("540"));
}

TEST_F(Scenario, F2SavesFromAnyPageWithTheValueBeingTyped) {
    open();
    key(Qt::Key_PageDown);
    field(QStringLiteral("700"));
    type(QStringLiteral("530")); // still in the field
    dlg.answers = {false};
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    EXPECT_EQ(loadFile(fileExists(kKindO) ? kKindO : kKindE).T2.VydObalky, 530);
}

// A typed value reaches the disk through one save: "Uložit" saves the
// record once (by its change to page 0), has the check sequence read it back,
// and writes the checked data once more as the kind the run decided.
TEST_F(Scenario, UlozitWritesTheRecordOnceBeforeAndOnceAfterTheCheck) {
    saveRecord(kKindE, {3});
    open();
    key(Qt::Key_PageUp); // round to section III, saved on the way
    ASSERT_TRUE(focused("R_SEdClenuOVKC"));
    type(QStringLiteral("4")); // still in the field
    QStringList written;
    setFileStepObserver([&](const char* step, const QString& path) {
        if (QByteArrayView(step) == "rename")
            written << QFileInfo(path).fileName().toUpper();
    });
    dlg.answers = {false};
    key(Qt::Key_F2);
    ASSERT_SOON(!okno->isVisible());
    setFileStepObserver({});
    EXPECT_EQ(written, (QStringList{fileName(kKindE).section(QLatin1Char('/'), -1),
                                    QStringLiteral("HLASO.RCD"), QStringLiteral("KOMISE.RCD"),
                                    QStringLiteral("STANICE.RCD"), QStringLiteral("STANICE.RCD"),
                                    QStringLiteral("STANICE.RCD"),
                                    fileName(kKindO).section(QLatin1Char('/'), -1)}));
    EXPECT_EQ(loadFile(kKindO).Hlaso.ClenuOVKC, QStringLiteral("4"));
}

// ---- reports ----

TEST_F(Scenario, OpravitReturnsToTheFieldAndTheOtherButtonLetsTheClickTakeEffect) {
    open();
    key(Qt::Key_PageDown);
    named<TSEdit>("R_EdZapsOsoby")->clear();
    enter();
    ASSERT_SOON(hlasky->shown.size() == 1);
    EXPECT_EQ(hlasky->shown[0].heading, QStringLiteral("Chyba č. 4"));
    EXPECT_EQ(hlasky->shown[0].text, QStringLiteral("Text 4"));
    EXPECT_EQ(hlasky->shown[0].otherButton, QStringLiteral("&Potvrdit"));
    ASSERT_SOON(focused("R_EdZapsOsoby"));
    EXPECT_EQ(named<TSEdit>("R_EdZapsOsoby")->text(), QStringLiteral("0"));
    EXPECT_EQ(rec().T2.ZapsOsoby, 0);

    // The click that left a failing field: held back while the finding is
    // shown, done after "Potvrdit", dropped after "Opravit".
    field(QStringLiteral("700"));
    field(QStringLiteral("530"));
    field(QStringLiteral("529"));
    type(QStringLiteral("600")); // more valid votes than envelopes: 10
    auto* dalsi = named<QPushButton>("R_Dalsi2_Btn");
    hlasky->opravit = {true};
    QTest::mouseClick(dalsi, Qt::LeftButton);
    ASSERT_SOON(hlasky->shown.size() == 2);
    EXPECT_EQ(hlasky->shown[1].heading, QStringLiteral("Chyba č. 10"));
    ASSERT_SOON(focused("R_EdPlatneHlasy"));
    EXPECT_EQ(page(), 1);

    hlasky->opravit = {false};
    QTest::mouseClick(dalsi, Qt::LeftButton);
    ASSERT_SOON(hlasky->shown.size() == 3);
    ASSERT_SOON(page() == 3);
    EXPECT_EQ(rec().T2.PlatneHlasy, 600);
}

TEST_F(Scenario, LeavingThroughZrusitReportsNothing) {
    open();
    key(Qt::Key_PageDown);
    named<TSEdit>("R_EdZapsOsoby")->clear();
    dlg.answers = {false};
    QTest::mouseClick(named<QPushButton>("zrusitBtn"), Qt::LeftButton);
    settle();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(TR_Vstupni_Form::kOtazkaZavrit));
    EXPECT_TRUE(hlasky->shown.isEmpty());
    EXPECT_TRUE(okno->isVisible());
}

TEST_F(Scenario, OnlyTheFirstFailingCheckOfAFieldIsReported) {
    open();
    key(Qt::Key_PageDown);
    field(QStringLiteral("700"));
    hlasky->opravit = {false};
    field(QStringLiteral("800")); // 6, and 91 would fail too
    ASSERT_SOON(focused("R_EdOdevzdObalky"));
    settle();
    ASSERT_EQ(hlasky->shown.size(), 1);
    EXPECT_EQ(hlasky->shown[0].heading, QStringLiteral("Chyba č. 6"));
}

TEST_F(Scenario, LeadingZerosDisappearAndControlNumberTwoFollowsAtOnce) {
    open();
    key(Qt::Key_PageDown);
    field(QStringLiteral("700"));
    field(QStringLiteral("007"));
    settle();
    EXPECT_EQ(named<TSEdit>("R_EdVydObalky")->text(), QStringLiteral("7"));
    EXPECT_EQ(rec().T2.VydObalky, 7);
    EXPECT_EQ(named<TSEdit>("R_EdT2KC_2")->text(), QStringLiteral("707"));
}

TEST_F(Scenario, RadioPairsLoadFromTheirLetters) {
    THlaso h;
    h.Stizn = QStringLiteral("X");
    h.Odroc = QStringLiteral("B");
    inst.writeDataFile(QStringLiteral("HLASO.RCD"), hlasoToBytes(h));
    open();
    EXPECT_TRUE(named<QRadioButton>("R_StiznNRB")->isChecked());
    EXPECT_TRUE(named<QRadioButton>("R_OdrocBRB")->isChecked());
    EXPECT_EQ(rec().Hlaso.Stizn, QStringLiteral("N"));
    EXPECT_EQ(rec().Hlaso.Prodl, QStringLiteral("N"));
}

// ---- Annex 1 ----

class Annex : public Scenario {
protected:
    // Parties ticked on page 1 and the annex entered with the keyboard.
    void toAnnex(const QList<int>& strany) {
        saveRecord(kKindE, strany);
        open();
        key(Qt::Key_PageDown);
        key(Qt::Key_PageDown);
        ASSERT_EQ(page(), 2);
        ASSERT_TRUE(focused("R_CBT2P_1"));
    }
    AnnexPage* annex() const { return okno->strankaPrilohy(); }
};

TEST_F(Annex, VotesTypedStraightOnThePartySelectorLandInTheirFields) {
    toAnnex({1, 3});
    // The party's votes typed at once, as the paper has them; the party
    // shown stays the one selected.
    type(QStringLiteral("210"));
    EXPECT_TRUE(focused("R_EdPocHl"));
    enter();
    ASSERT_TRUE(focused("R_EdPref1"));
    field(QStringLiteral("12"));
    EXPECT_EQ(annex()->zobrazenaStrana(), 1);
    EXPECT_EQ(rec().VyslStran(1).PocHl, 210);
    EXPECT_EQ(rec().VyslStran(1).pref(1), 12);
    EXPECT_EQ(rec().VyslStran(1).pref(2), 0);

    // The same after Ctrl+Enter and Enter to the next party; a letter on
    // the selector is refused with a beep and changes nothing.
    key(Qt::Key_Return, Qt::ControlModifier);
    enter();
    ASSERT_SOON(annex()->zobrazenaStrana() == 3);
    ASSERT_SOON(focused("R_CBT2P_1"));
    const int beeps = beepCount();
    type(QStringLiteral("a "));
    EXPECT_EQ(beepCount(), beeps + 2);
    EXPECT_TRUE(focused("R_CBT2P_1"));
    EXPECT_EQ(annex()->zobrazenaStrana(), 3);
    type(QStringLiteral("45"));
    enter();
    field(QStringLiteral("7"));
    EXPECT_EQ(rec().VyslStran(3).PocHl, 45);
    EXPECT_EQ(rec().VyslStran(3).pref(1), 7);
    EXPECT_EQ(rec().VyslStran(1).PocHl, 210);
    EXPECT_TRUE(hlasky->shown.isEmpty()) << hlasky->shown.first().heading.toStdString();
}

TEST_F(Annex, CandidateRowsStandWhereTheFormHasThem) {
    toAnnex({1});
    struct Case {
        int k;
        QPoint pole;
    };
    for (const Case& c :
         {Case{1, {58, 40}}, Case{12, {203, 40}}, Case{23, {348, 40}}, Case{28, {348, 180}}}) {
        EXPECT_EQ(annex()->prefPole(c.k)->geometry().topLeft(), c.pole) << c.k;
        EXPECT_EQ(annex()->cisloKandidata(c.k)->pos(), c.pole + QPoint(-28, 2)) << c.k;
        EXPECT_EQ(annex()->nasobek(c.k)->pos(), c.pole + QPoint(42, 2)) << c.k;
    }
    EXPECT_EQ(annex()->cisloKandidata(7)->text(), QStringLiteral(" 7."));
    enter();
    field(QStringLiteral("50"));
    for (int k = 1; k < 6; ++k)
        enter(); // candidate 5 of party 1 cannot receive votes
    ASSERT_TRUE(focused("R_EdPref7"));
    field(QStringLiteral("5"));
    EXPECT_EQ(annex()->nasobek(7)->text(), QStringLiteral("     35"));
    EXPECT_EQ(rec().VyslStran(1).T2PKC3, 3 + 35);
    EXPECT_EQ(annex()->R_EdT2PKC3()->text(), QStringLiteral("38"));
    EXPECT_EQ(annex()->R_EdT2PPoslKand()->text(), QStringLiteral("7"));
}

TEST_F(Annex, AWithdrawnCandidateShowsNAndIsPassedOver) {
    toAnnex({1});
    EXPECT_EQ(annex()->prefPole(5)->text(), QStringLiteral("N"));
    EXPECT_FALSE(annex()->prefPole(5)->isEnabled());
    EXPECT_EQ(annex()->nasobek(5)->text(), QStringLiteral("  -----"));
    enter();
    enter();
    for (int k = 1; k < 4; ++k)
        enter();
    ASSERT_TRUE(focused("R_EdPref4"));
    key(Qt::Key_Tab);
    EXPECT_TRUE(focused("R_EdPref6"));
}

TEST_F(Annex, ASmallerPartyDisablesTheRowsBeyondItsListAndKeepsTheOthersVotes) {
    toAnnex({3, 4});
    EXPECT_EQ(annex()->zobrazenaStrana(), 3);
    rec().VyslStran(3).pref(15) = 7;
    annex()->ProcNatahniStranu(3);
    EXPECT_EQ(annex()->prefPole(15)->text(), QStringLiteral("7"));
    key(Qt::Key_Down); // the selector's next party: 12 candidates
    EXPECT_EQ(annex()->zobrazenaStrana(), 4);
    for (int k = 13; k <= 20; ++k) {
        EXPECT_EQ(annex()->prefPole(k)->text(), QStringLiteral("0")) << k;
        EXPECT_FALSE(annex()->prefPole(k)->isEnabled()) << k;
    }
    EXPECT_TRUE(annex()->prefPole(12)->isEnabled());
    EXPECT_EQ(rec().VyslStran(3).pref(15), 7);
}

TEST_F(Annex, CorrectingTheSumOfPreferentialVotesReturnsToThePartyLeft) {
    toAnnex({1, 3});
    enter();
    field(QStringLiteral("10"));
    field(QStringLiteral("10"));
    field(QStringLiteral("10"));
    field(QStringLiteral("5")); // 25 preferential votes, more than twice 10
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(focused("R_EdT2PPoslKand"));
    hlasky->opravit = {true};
    enter(); // on to party 3; the finding concerns party 1
    ASSERT_SOON(hlasky->shown.size() == 1);
    EXPECT_EQ(hlasky->shown[0].heading, QStringLiteral("Chyba č. 19"));
    ASSERT_SOON(focused("R_EdPref1"));
    EXPECT_EQ(annex()->zobrazenaStrana(), 1);
    EXPECT_EQ(annex()->R_CBT2P_1()->currentIndex(), 0);
}

TEST_F(Annex, CorrectingReturnsToThePartyOfTheFindingHoweverTheFieldWasLeft) {
    toAnnex({1, 3});
    key(Qt::Key_Down); // party 3, the second item
    ASSERT_EQ(annex()->zobrazenaStrana(), 3);
    enter();
    field(QStringLiteral("1"));
    field(QStringLiteral("1"));
    field(QStringLiteral("1"));
    field(QStringLiteral("1")); // 3 preferential votes, more than twice 1
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_SOON(focused("R_EdT2PPoslKand"));
    ASSERT_TRUE(hlasky->shown.isEmpty());
    // Left for the selector by the mouse: the finding (19) belongs to party
    // 3, which is still the party shown, not to the item before it.
    annex()->R_CBT2P_1()->setFocus(Qt::MouseFocusReason);
    settle();
    ASSERT_SOON(hlasky->shown.size() == 1);
    EXPECT_EQ(hlasky->shown.last().heading, QStringLiteral("Chyba č. 19"));
    ASSERT_SOON(focused("R_EdPref1"));
    EXPECT_EQ(annex()->zobrazenaStrana(), 3);
}

TEST_F(Annex, EnterInTheLastPartysLastCandidateFieldGoesToSectionThreeAndChecksTheSum) {
    toAnnex({1});
    enter();
    field(QStringLiteral("10")); // 10 votes of 525 valid: 16
    hlasky->opravit = {false};
    key(Qt::Key_Return, Qt::ControlModifier);
    enter();
    ASSERT_SOON(page() == 3);
    ASSERT_SOON(hlasky->shown.size() == 1);
    EXPECT_EQ(hlasky->shown[0].heading, QStringLiteral("Chyba č. 16"));
    ASSERT_SOON(focused("R_SEdClenuOVKC"));

    // Leaving it with Tab moves to no other party, but the checks still run.
    key(Qt::Key_PageUp);
    ASSERT_EQ(page(), 2);
    hlasky->opravit = {true};
    key(Qt::Key_Return, Qt::ControlModifier);
    key(Qt::Key_Tab);
    ASSERT_SOON(hlasky->shown.size() == 2);
    // "Opravit" brings section II's valid votes.
    ASSERT_SOON(focused("R_EdPlatneHlasy"));
    EXPECT_EQ(page(), 1);
}

} // namespace
