// Behaviour of the data-entry window where the obvious way would lose or
// corrupt the commission's work; each case failed before it was mended.
#include "EntryFixture.h"

#include "entry/AnnexPage.h"
#include "entry/SectionOnePage.h"
#include "entry/SectionTwoPage.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "ui/EntryEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace urn;
using namespace urn::test;

namespace {

using Faults = EntryTest;

TEST_F(Faults, AFailedSaveLeavesTheCheckedFileInPlace) {
    saveRecord(kKindO, {1});
    open();
    // Something in the way of the entered file: the save cannot complete.
    ASSERT_TRUE(QDir().mkpath(fileName(kKindE)));
    key(Qt::Key_PageDown);
    EXPECT_EQ(page(), 0);
    ASSERT_FALSE(dlg.shown.isEmpty());
    EXPECT_EQ(dlg.shown.last().kind, QStringLiteral("error"));
    EXPECT_TRUE(fileExists(kKindO));
    EXPECT_EQ(loadFile(kKindO).VyslStran(1).PocHl, 525);
}

TEST_F(Faults, APageChangeByShortcutSavesTheValueOfTheFieldBeingTyped) {
    saveRecord(kKindE);
    open();
    key(Qt::Key_PageDown);
    enter();
    type(QStringLiteral("531")); // still in the field
    key(Qt::Key_PageUp);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(loadFile(kKindE).T2.VydObalky, 531);
    closeWithoutSaving();
    open();
    EXPECT_EQ(named<TSEdit>("R_EdVydObalky")->text(), QStringLiteral("531"));
}

TEST_F(Faults, EnterInAFieldMovesOnAndNeverPressesAButton) {
    saveRecord(kKindE);
    open();
    for (QPushButton* b : okno->findChildren<QPushButton*>()) {
        EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
        EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();
    }
    int clicks = 0;
    for (QPushButton* b : okno->findChildren<QPushButton*>())
        QObject::connect(b, &QPushButton::clicked, [&] { ++clicks; });
    named<TSEdit>("R_SEdStizListu")->setFocus();
    settle();
    enter();
    EXPECT_TRUE(focused("R_SchrankaNRB"));
    key(Qt::Key_PageDown);
    for (int i = 0; i < 4; ++i)
        enter();
    EXPECT_TRUE(focused("R_StranaCB1"));
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(clicks, 0);
    // Enter on a focused button presses that button, as it always does.
    named<QPushButton>("R_Dalsi2_Btn")->setFocus();
    settle();
    enter();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(page(), 3);
}

TEST_F(Faults, AFieldBeingEditedWhenTheWindowClosesDoesNotStayEditedWhenItReopens) {
    saveRecord(kKindE);
    open();
    enter();
    ASSERT_TRUE(focused("R_SEdUkonceno1"));
    auto* ukonceno = named<TSEdit>("R_SEdUkonceno1");
    ASSERT_TRUE(ukonceno->Focused());
    // Esc on page 0: "Zrušit" is on page 1, so the field keeps the focus
    // through the question.
    closeWithoutSaving();
    EXPECT_FALSE(ukonceno->Focused());
    open();
    EXPECT_FALSE(ukonceno->Focused());
    EXPECT_TRUE(named<TSEdit>("R_SEdZahajeno1")->Focused());
}

TEST_F(Faults, ValuesTheDataFileCannotHoldAreRefusedAtTheField) {
    saveRecord(kKindE);
    open();
    key(Qt::Key_PageDown);
    enter();
    field(QStringLiteral("12345"));
    ASSERT_SOON(!dlg.shown.isEmpty());
    EXPECT_EQ(dlg.shown.last().kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown.last().text,
              QStringLiteral("Počet voličů, kterým byly vydány úřední obálky nemůže být 12345: "
                             "datový soubor pojme nejvýše 9999.\rOpravte prosím hodnotu v poli."));
    ASSERT_SOON(focused("R_EdVydObalky"));
    EXPECT_EQ(named<TSEdit>("R_EdVydObalky")->text(), QStringLiteral("12345"));
    EXPECT_EQ(rec().T2.VydObalky, 530);
    EXPECT_TRUE(hlasky->shown.isEmpty());
    // Not past the page either, and nothing on disk changes.
    const int shown = int(dlg.shown.size());
    key(Qt::Key_PageDown);
    EXPECT_EQ(page(), 1);
    ASSERT_SOON(dlg.shown.size() == shown + 1);
    EXPECT_EQ(loadFile(kKindE).T2.VydObalky, 530);
    ASSERT_SOON(focused("R_EdVydObalky"));
    field(QStringLiteral("531"));
    key(Qt::Key_PageDown);
    EXPECT_EQ(page(), 3);
    EXPECT_EQ(loadFile(kKindE).T2.VydObalky, 531);
}

TEST_F(Faults, AControlNumberTooWideForTheFileRefusesTheSaveAndKeepsTheOldFile) {
    saveRecord(kKindE);
    open();
    key(Qt::Key_PageDown);
    hlasky->opravit = {false, false, false};
    field(QStringLiteral("99999")); // far more than expected: 96
    field(QStringLiteral("9999"));
    key(Qt::Key_PageUp);
    EXPECT_EQ(page(), 1);
    ASSERT_FALSE(dlg.shown.isEmpty());
    EXPECT_EQ(dlg.shown.last().kind, QStringLiteral("error"));
    EXPECT_TRUE(dlg.shown.last().text.contains(
        QStringLiteral("Kontrolní číslo 2 (součet čtyř počtů oddílu II) (záznam T/2): 111052")))
        << dlg.shown.last().text.toStdString();
    const TPrecinctRecord r = loadFile(kKindE);
    EXPECT_EQ(r.T2.ZapsOsoby, 700);
    EXPECT_EQ(r.T2.VydObalky, 530);
}

TEST_F(Faults, PartyBoxesFollowTheFileWhenTheWindowOpens) {
    saveRecord(kKindE, {1});
    open();
    key(Qt::Key_PageDown);
    auto* box2 = named<QCheckBox>("R_StranaCB2");
    box2->setFocus();
    key(Qt::Key_Space);
    ASSERT_TRUE(box2->isChecked());
    closeWithoutSaving();
    open();
    EXPECT_TRUE(named<QCheckBox>("R_StranaCB1")->isChecked());
    EXPECT_FALSE(box2->isChecked());
    EXPECT_FALSE(rec().T2.zaskrtnuta(2));
}

TEST_F(Faults, ThePartySelectorFollowsTheTicksHoweverTheAnnexIsReached) {
    saveRecord(kKindE, {1, 3});
    open();
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    ASSERT_EQ(page(), 2);
    QComboBox* vyber = okno->strankaPrilohy()->R_CBT2P_1();
    ASSERT_EQ(vyber->count(), 2);
    key(Qt::Key_PageUp);
    named<QCheckBox>("R_StranaCB3")->click();
    named<QCheckBox>("R_StranaCB4")->click();
    clickTab(3);
    ASSERT_EQ(page(), 3);
    key(Qt::Key_PageUp); // page 3 to the annex, not from the ticks
    ASSERT_EQ(page(), 2);
    ASSERT_EQ(vyber->count(), 2);
    EXPECT_EQ(vyber->itemText(0), QStringLiteral(" 1: Strana první"));
    EXPECT_EQ(vyber->itemText(1), QStringLiteral(" 4: Strana čtvrtá"));
    EXPECT_EQ(okno->strankaPrilohy()->zobrazenaStrana(), 1);
    // What was typed for the unticked party stays on its sheet.
    EXPECT_EQ(rec().VyslStran(3).PocHl, 10);
}

TEST_F(Faults, KeysTypedAheadOfAReportAreStoredWhenItIsCorrected) {
    saveRecord(kKindE, {2});
    open();
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    enter();
    field(QStringLiteral("20"));
    // Candidate 1 gets more than the party: 18. While the report waits, the
    // commission has already typed into candidate 2.
    hlasky->beforeAnswer = [&] {
        auto* dva = okno->strankaPrilohy()->prefPole(2);
        dva->setText(QStringLiteral("7"));
    };
    field(QStringLiteral("25"));
    ASSERT_SOON(hlasky->shown.size() == 1);
    EXPECT_EQ(hlasky->shown[0].heading, QStringLiteral("Chyba č. 18"));
    ASSERT_SOON(focused("R_EdPref1"));
    EXPECT_EQ(rec().VyslStran(2).pref(2), 7);
    EXPECT_EQ(okno->strankaPrilohy()->nasobek(2)->text(), QStringLiteral("     14"));
    // Its own checks were not run again.
    EXPECT_EQ(hlasky->shown.size(), 1);
}

class BadPartyList : public EntryTest {
protected:
    void writeTables() override {
        EntryTest::writeTables();
        inst.writeStrany({{"1", "Strana první", "28"},
                          {"31", "Mimo tabulku", "5"},
                          {"0", "Bez čísla", "5"},
                          {"2", "Příliš mnoho kandidátů", "35"},
                          {"3", "Počet není číslo", "x"}});
    }
};

TEST_F(BadPartyList, PartiesTheRecordCannotHoldAreLeftOutQuietly) {
    saveRecord(kKindE, {2, 3});
    open();
    EXPECT_TRUE(dlg.shown.isEmpty());
    const QList<QCheckBox*> boxy = okno->strankaOddII()->zaskrtavatka();
    ASSERT_EQ(boxy.size(), 3);
    EXPECT_EQ(boxy[0]->objectName(), QStringLiteral("R_StranaCB1"));
    EXPECT_EQ(boxy[1]->objectName(), QStringLiteral("R_StranaCB2"));
    EXPECT_EQ(boxy[2]->objectName(), QStringLiteral("R_StranaCB3"));
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    ASSERT_EQ(page(), 2);
    AnnexPage* a = okno->strankaPrilohy();
    EXPECT_EQ(a->zobrazenaStrana(), 2);
    EXPECT_EQ(a->pocetKandidatu(), 28);
    EXPECT_TRUE(a->prefPole(28)->isEnabled());
    key(Qt::Key_Down);
    EXPECT_EQ(a->zobrazenaStrana(), 3);
    EXPECT_EQ(a->pocetKandidatu(), 0);
    EXPECT_FALSE(a->prefPole(1)->isEnabled());
    EXPECT_TRUE(dlg.shown.isEmpty());
}

} // namespace
