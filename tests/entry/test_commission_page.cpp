#include "FakeDialogs.h"
#include "ReferenceImage.h"
#include "TestInstall.h"
#include "checks/PrecinctSession.h"
#include "core/Errors.h"
#include "entry/CommissionPage.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/Beep.h"
#include "ui/ColourStringGrid.h"
#include "ui/EntryEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <optional>

#include <gtest/gtest.h>

using namespace urn;

namespace {

const QString kKomise = QStringLiteral("KOMISE.RCD");
const QStringList kJmena = {QStringLiteral("Marie Nováková"), QStringLiteral("Jiří Černý"),
                            QStringLiteral("Žofie Řezníčková-Ůlehlová")};

QWidget* focused() {
    return QApplication::focusWidget();
}

// Types as the keyboard does, each character to the widget that has the
// focus at that moment.
void typeText(const QString& text) {
    for (QChar c : text) {
        if (c == QLatin1Char('\r')) {
            QTest::keyClick(focused(), Qt::Key_Return);
            // A field moves on to the next one by a posted Tab.
            QCoreApplication::processEvents();
            continue;
        }
        const int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(focused(), &press);
    }
}

// The page in a dialog (as in the data-entry window) over a throw-away
// installation.
struct Page {
    test::TestInstall install;
    test::FakeDialogs dialogs;
    PrecinctSession session;
    QDialog window;
    CommissionPage* page = new CommissionPage(session, &window);
    TZColorStringGrid* grid = page->R_JmenaKomise_SG();

    explicit Page(const QString& obec = QStringLiteral("582786")) {
        session.Stanice.Obec = obec;
        page->setGeometry(0, 0, 706, 570);
        window.resize(706, 570);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QString komisePath() const { return install.dirs().data + kKomise; }
    void writeKomise(const QStringList& names) const {
        QList<TKomise> records;
        for (const QString& n : names)
            records.append({n});
        install.writeDataFile(kKomise, test::concat(records));
    }
    QByteArray komiseBytes() const { return install.readFile(komisePath()); }
    QStringList savedNames() const {
        const QByteArray all = komiseBytes();
        QStringList names;
        for (qsizetype pos = 0; pos + kKomiseSize <= all.size(); pos += kKomiseSize)
            names << TKomise::fromRecord(all.mid(pos, kKomiseSize)).clen;
        return names;
    }
    // Opening of the window with this ClenuOVKP and KOMISE.RCD.
    void open(const QString& clenuOVKP, const std::optional<QStringList>& names = kJmena) {
        if (names)
            writeKomise(*names);
        session.PrecinctRecord.Hlaso.ClenuOVKP = clenuOVKP;
        page->NactiKomisi();
    }
    // The data rows as "number|name".
    QStringList rows() const {
        QStringList out;
        for (int r = 1; r < grid->RowCount(); ++r)
            out << grid->Cells(0, r) + QLatin1Char('|') + grid->Cells(1, r);
        return out;
    }
    void retype(TSEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        typeText(text);
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
};

QStringList numbered(int n, const QStringList& names) {
    QStringList out;
    for (int k = 1; k < n; ++k)
        out << QStringLiteral("%1.|%2").arg(k + 1).arg(k - 1 < names.size() ? names.at(k - 1)
                                                                            : QString());
    return out;
}

} // namespace

TEST(CommissionPageNames, RowsAndSavedNamesFollowTheMembersPresent) {
    struct Case {
        const char* clenuOVKP;
        int n; // 0: not a number of members that gives rows
    };
    const Case cases[] = {{"5", 5}, {"6", 6},  {"2", 2},  {"05", 5}, {"99", 99}, {"1", 0}, {"0", 0},
                          {"", 0},  {"00", 0}, {"01", 0}, {"1a", 0}, {" ", 0},   {"3", 3}};
    // One page for all cases: the window is reused all night long.
    Page p;
    for (const Case& c : cases) {
        const QString clenu = QString::fromLatin1(c.clenuOVKP);
        p.open(clenu);
        const QByteArray before = p.komiseBytes();
        if (c.n == 0) {
            EXPECT_EQ(p.rows(), QStringList{QStringLiteral("|")}) << c.clenuOVKP;
            p.page->UlozKomisi();
            EXPECT_EQ(p.komiseBytes(), before) << c.clenuOVKP << ": KOMISE.RCD stays as it was";
            continue;
        }
        EXPECT_EQ(p.rows(), numbered(c.n, kJmena)) << c.clenuOVKP;
        p.page->UlozKomisi();
        const QStringList saved = p.savedNames();
        EXPECT_EQ(saved.size(), c.n - 1) << c.clenuOVKP;
        EXPECT_EQ(saved.mid(0, 3), kJmena.mid(0, c.n - 1)) << c.clenuOVKP;
    }
}

TEST(CommissionPageNames, ChangingTheMembersPresentChangesTheGridAtOnceAndTheFileAtTheSave) {
    Page p;
    const QStringList six =
        kJmena + QStringList{QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F")};
    p.open(QStringLiteral("7"), six);
    p.retype(p.page->R_SEdClenuOVKP(), QStringLiteral("4"));
    EXPECT_EQ(p.rows(), numbered(4, kJmena));
    EXPECT_EQ(p.savedNames(), six);
    p.page->UlozKomisi();
    EXPECT_EQ(p.savedNames(), kJmena);

    p.retype(p.page->R_SEdClenuOVKP(), QStringLiteral("7"));
    EXPECT_EQ(p.rows(), numbered(7, kJmena)) << "the names of dropped rows do not come back";
    p.retype(p.page->R_SEdClenuOVKP(), QStringLiteral("1"));
    EXPECT_EQ(p.rows(), QStringList{QStringLiteral("|")});
    p.page->UlozKomisi();
    EXPECT_EQ(p.savedNames(), kJmena);
}

TEST(CommissionPageNames, OpeningShowsTheFileAndNothingOfTheLastOpening) {
    Page p;
    p.open(QStringLiteral("2"));
    p.grid->setFocus();
    typeText(QStringLiteral("Neuloženo"));
    EXPECT_EQ(p.grid->Cells(1, 1), QStringLiteral("Neuloženo"));
    // Closed without saving, opened again with more members present: every
    // saved name is back, the discarded one is not.
    p.open(QStringLiteral("4"), std::nullopt);
    EXPECT_EQ(p.rows(), numbered(4, kJmena));

    // No names saved yet: empty numbered rows, and the save writes them.
    p.open(QStringLiteral("3"), QStringList{});
    EXPECT_EQ(p.rows(), numbered(3, {}));
    QFile::remove(p.komisePath());
    p.open(QStringLiteral("3"), std::nullopt);
    EXPECT_EQ(p.rows(), numbered(3, {}));
    p.page->UlozKomisi();
    EXPECT_EQ(p.savedNames(), (QStringList{QString(), QString()}));
}

TEST(CommissionPageNames, DamagedFileIsReportedAndNotOverwrittenByEmptyRows) {
    Page p;
    p.install.writeDataFile(kKomise, QByteArray(kKomiseSize + 9, 'x'));
    p.session.PrecinctRecord.Hlaso.ClenuOVKP = QStringLiteral("4");
    EXPECT_THROW(p.page->NactiKomisi(), InOutError);
    EXPECT_EQ(p.rows(), numbered(4, {}));
    p.page->UlozKomisi();
    EXPECT_EQ(p.komiseBytes().size(), kKomiseSize + 9);
    p.grid->setCells(1, 2, QStringLiteral("Nové jméno"));
    p.page->UlozKomisi();
    EXPECT_EQ(p.savedNames(), (QStringList{QString(), QStringLiteral("Nové jméno"), QString()}));
}

TEST(CommissionPageTyping, TheSectionTypedThroughAndEnterOnTheLastNameLeavesTheGrid) {
    struct Case {
        const char* obec;
        const char* expectedNext;
    };
    for (const Case c : {Case{"582786", "R_SEdPoverPred"}, Case{"999997", "R_SEdOstatni"}}) {
        Page p(QString::fromLatin1(c.obec));
        p.open(QString(), QStringList{});
        p.page->R_SEdClenuOVKC()->setFocus();
        typeText(QStringLiteral("7\r4\rJana Dvořáková\r"));
        ASSERT_EQ(focused(), p.grid);
        EXPECT_EQ(p.rows(), numbered(4, {}));
        typeText(QStringLiteral("Jan Novák\rEva Malá\rOta Šíp"));
        EXPECT_EQ(p.grid->Row(), 3);
        EXPECT_TRUE(p.grid->EditorMode());
        typeText(QStringLiteral("\r"));
        EXPECT_EQ(focused()->objectName(), QString::fromLatin1(c.expectedNext)) << c.obec;
        EXPECT_EQ(p.grid->Row(), 1);
        EXPECT_EQ(p.rows(), numbered(4, {QStringLiteral("Jan Novák"), QStringLiteral("Eva Malá"),
                                         QStringLiteral("Ota Šíp")}));

        // Enter on a name that is not being edited moves down and opens the
        // next name with its text selected.
        p.grid->setFocus();
        typeText(QStringLiteral("\r"));
        EXPECT_EQ(p.grid->Row(), 2);
        EXPECT_EQ(p.grid->ZInplaceEditor()->textCursor().selectedText(),
                  QStringLiteral("Eva Malá"));

        p.page->UlozKomisi();
        const THlaso& h = p.session.PrecinctRecord.Hlaso;
        EXPECT_EQ(h.ClenuOVKC, QStringLiteral("7"));
        EXPECT_EQ(h.ClenuOVKP, QStringLiteral("4"));
        EXPECT_EQ(h.Zapisovat, QStringLiteral("Jana Dvořáková"));
        EXPECT_EQ(p.savedNames(),
                  (QStringList{QStringLiteral("Jan Novák"), QStringLiteral("Eva Malá"),
                               QStringLiteral("Ota Šíp")}));
    }
}

TEST(CommissionPageTyping, NameStopsAtFiftyCharactersWithoutABeep) {
    Page p;
    p.open(QStringLiteral("3"), QStringList{});
    p.grid->setFocus();
    typeText(QString(48, QLatin1Char('a')));
    const int beeps = beepCount();
    typeText(QStringLiteral("bcd"));
    EXPECT_EQ(p.grid->Cells(1, 1), QString(48, QLatin1Char('a')) + QStringLiteral("bc"));
    EXPECT_EQ(beepCount(), beeps);
    QTest::keyClick(focused(), Qt::Key_Backspace);
    EXPECT_EQ(p.grid->Cells(1, 1).size(), 49);

    // Pasted text stops at the limit too.
    QApplication::clipboard()->setText(QString(60, QLatin1Char('z')));
    p.grid->setRow(2);
    QTest::keyClick(p.grid, Qt::Key_F2);
    QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(p.grid->Cells(1, 2), QString(50, QLatin1Char('z')));
}

TEST(CommissionPageTyping, LongNameWrapsAndNameWithoutBlanksWidensTheColumn) {
    Page p;
    p.open(QStringLiteral("4"), QStringList{});
    const int rowHeight = p.grid->RowHeights(1);
    const int nameWidth = p.grid->ColWidths(1);
    const QString words = QStringList(5, QStringLiteral("MMMMMMMMM")).join(QLatin1Char(' '));
    const QString unbroken(kDelkaJmenaClena, QLatin1Char('W'));
    p.grid->setFocus();
    typeText(words + QLatin1Char('\r'));
    EXPECT_GT(p.grid->RowHeights(1), rowHeight) << "the name breaks at a blank onto a second line";
    EXPECT_EQ(p.grid->ColWidths(1), nameWidth);
    typeText(unbroken + QLatin1Char('\r'));
    EXPECT_GT(p.grid->ColWidths(1), nameWidth) << "a name that cannot break widens its column";
    EXPECT_EQ(p.grid->RowHeights(2), rowHeight);
    p.page->UlozKomisi();
    EXPECT_EQ(p.savedNames(), (QStringList{words, unbroken, QString()}));
}

TEST(CommissionPageTyping, CharacterOutsideTheCodePageIsRefusedWithABeep) {
    Page p;
    p.open(QStringLiteral("3"), QStringList{});
    p.grid->setFocus();
    int beeps = beepCount();
    typeText(QStringLiteral("Peña Łukasz"));
    EXPECT_EQ(p.grid->Cells(1, 1), QStringLiteral("Pea Łukasz"));
    EXPECT_EQ(beepCount(), beeps + 1);

    TSEdit* zapisovat = p.page->R_SEdZapisovat();
    zapisovat->setFocus();
    beeps = beepCount();
    typeText(QStringLiteral("Øla Ďáblová"));
    QApplication::clipboard()->setText(QStringLiteral(" Ж"));
    zapisovat->paste();
    EXPECT_EQ(zapisovat->text(), QStringLiteral("la Ďáblová "));
    EXPECT_EQ(beepCount(), beeps + 2);
}

TEST(CommissionPageFields, SaveTakesTheFieldBeingTypedAndPrilListuCountsMarkedParties) {
    Page p;
    p.open(QStringLiteral("3"));
    p.page->R_SEdOstatni()->setText(QString(210, QLatin1Char('o')));
    p.page->R_SEdClenuOVKP()->setFocus();
    p.page->R_SEdClenuOVKP()->selectAll();
    typeText(QStringLiteral("5"));
    // F2 saves while the focus is still in the field.
    p.page->UlozKomisi();
    EXPECT_EQ(p.session.PrecinctRecord.Hlaso.ClenuOVKP, QStringLiteral("5"));
    EXPECT_EQ(p.session.PrecinctRecord.Hlaso.Ostatni.size(), 200);
    EXPECT_EQ(p.savedNames(), (kJmena.mid(0, 2) + QStringList{QString(), QString()}));

    QString& zaskrt = p.session.PrecinctRecord.T2.ZaskrtStrany;
    zaskrt[1] = zaskrt[4] = zaskrt[29] = zaskrt[31] = QLatin1Char('1');
    p.page->UkazPrilListu();
    EXPECT_EQ(p.page->R_SEdPrilListu()->text(), QStringLiteral("3"));
    EXPECT_EQ(p.session.PrecinctRecord.Hlaso.PrilListu, QStringLiteral("3"));
}

TEST(CommissionPageFields, EnterNeverPressesUlozitAndItsClickIsTheWindowsSave) {
    Page p;
    p.open(QStringLiteral("3"));
    QSignalSpy clicks(p.page, &CommissionPage::ulozitOkrBtnClick);
    p.page->R_SEdOstatni()->setFocus();
    typeText(QStringLiteral("\r"));
    EXPECT_EQ(focused(), p.page->ulozitOkrBtn());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(p.window.isVisible());
    QTest::mouseClick(p.page->ulozitOkrBtn(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(CommissionPageLook, PageAsRenderedOffscreen) {
    Page p;
    p.session.PrecinctRecord.Hlaso.ClenuOVKC = QStringLiteral("7");
    p.session.PrecinctRecord.Hlaso.Zapisovat = QStringLiteral("Jana Dvořáková");
    p.session.PrecinctRecord.Hlaso.PoverPred = QStringLiteral("Petr Šťastný");
    p.session.PrecinctRecord.T2.ZaskrtStrany[1] = QLatin1Char('1');
    p.open(QStringLiteral("6"));
    p.page->UkazPrilListu();
    p.window.setFocus();
    EXPECT_TRUE(
        test::matchesReference(p.page->grab().toImage(), QStringLiteral("commission-page.png")));
}
