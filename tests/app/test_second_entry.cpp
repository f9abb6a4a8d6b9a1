// The second entry of the numbers on the election night: the first entry
// swaps two preferential votes of a party, which every check lets through;
// another member types the numbers again, the difference list names both
// values, "Opravit" opens the record on the first of them, the correction is
// saved, the second entry is repeated and agrees; a later change of the
// record makes it "not done" again. Nothing of it reaches a data file.
#include "ElectionNight.h"
#include "checks/SecondEntry.h"
#include "entry/DifferenceListWindow.h"
#include "entry/SectionTwoPage.h"
#include "store/SecondEntryState.h"

#include <QDir>
#include <QTableWidget>

using namespace urn;
using namespace urn::test;

namespace {

const QString kNeprovedeno = QStringLiteral("Kontrolní zadání: neprovedeno");

class SecondEntry : public ElectionNight {
protected:
    // The second entry from the paper: section II and the parties' sheets,
    // then "Porovnat" from the last sheet with Enter.
    void typeSecondEntry() {
        typing = &okna->kontrolniZadani();
        ASSERT_EQ(page(), 1);
        // Nothing of the first entry shows: no number, no tick, no control
        // number.
        SectionTwoPage* oddII = typing->strankaOddII();
        for (const TSEdit* e :
             {oddII->R_EdZapsOsoby(), oddII->R_EdVydObalky(), oddII->R_EdOdevzdObalky(),
              oddII->R_EdPlatneHlasy(), oddII->R_EdT2KC_2()})
            EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();
        EXPECT_FALSE(oddII->JeVybranaStrana());
        ASSERT_NO_FATAL_FAILURE(typeSectionTwo());
        ASSERT_NO_FATAL_FAILURE(typeAnnex());
        ASSERT_SOON(focused("PorovnatBtn"));
        enter();
    }

    // The rows of the difference list as it shows them.
    static QList<QStringList> rowsOf(const TRozdilyZadani_F& w) {
        QList<QStringList> rows;
        const QTableWidget* t = w.Rozdily_SG();
        for (int r = 0; r < t->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < t->columnCount(); ++c)
                row << t->item(r, c)->text();
            rows << row;
        }
        return rows;
    }

    // The key in the main window, once it is active again.
    void mainWindowKey(Qt::Key k) {
        ASSERT_NO_FATAL_FAILURE(backToTheMainWindow());
        QTest::keyClick(menu.get(), k);
        typing = nullptr;
    }
};

} // namespace

TEST_F(SecondEntry, ASwappedPreferentialVoteIsFoundCorrectedAndConfirmed) {
    // Party 5's candidates 2 and 7 swapped in the first entry: the sums stay.
    const Zapis spravne = zapis;
    std::swap(zapis.strany[1].pref[2], zapis.strany[1].pref[7]);
    ASSERT_NO_FATAL_FAILURE(runTheNight()); // "Ne" to the export after the save
    EXPECT_TRUE(findings.isEmpty()) << findings.join(QStringLiteral(", ")).toStdString();
    ASSERT_NO_FATAL_FAILURE(backToTheMainWindow());
    EXPECT_EQ(menu->statusKontrolniZadani(), kNeprovedeno);
    const QByteArray first = contents(dataPath(kKindO));
    ASSERT_FALSE(first.isEmpty());
    const QStringList dataFiles = filesIn(QStringLiteral("data"));
    zapis = spravne;

    // The second entry finds both values; "Opravit" (Enter) on the first.
    QList<QStringList> listed;
    QByteArray duringSecondEntry;
    driver.on(QStringLiteral("R_KontrolniZadani_Form"), [this](QWidget&) {
        typeSecondEntry();
        if (HasFatalFailure())
            driver.giveUp();
    });
    driver.on(QStringLiteral("RozdilyZadani_F"), [&](QWidget& w) {
        listed = rowsOf(static_cast<TRozdilyZadani_F&>(w));
        duringSecondEntry = contents(dataPath(kKindO));
        press(w, Qt::Key_Return);
    });
    // The correction lands on candidate 2 of party 5; candidate 7 is a few
    // Enters further.
    QString landedOn;
    driver.on(QStringLiteral("R_Vstupni_Form"), [&](QWidget&) {
        AnnexPage* annex = okna->vstup().strankaPrilohy();
        landedOn = QStringLiteral("%1/%2/%3")
                       .arg(page())
                       .arg(annex->zobrazenaStrana())
                       .arg(focus() ? focus()->objectName() : QString());
        field(QStringLiteral("30"));
        for (int i = 0; i < 10 && !focused("R_EdPref7"); ++i)
            enter();
        field(QStringLiteral("9"));
        key(Qt::Key_F2);
    });
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F5));
    EXPECT_EQ(listed,
              (QList<QStringList>{{QStringLiteral("Strana 5, kandidát 2 – přednostní hlasy"),
                                   QStringLiteral("9"), QStringLiteral("30")},
                                  {QStringLiteral("Strana 5, kandidát 7 – přednostní hlasy"),
                                   QStringLiteral("30"), QStringLiteral("9")}}));
    EXPECT_EQ(duringSecondEntry, first) << "the second entry changed the data file";
    EXPECT_EQ(landedOn, QStringLiteral("2/5/R_EdPref2"));
    EXPECT_TRUE(findings.isEmpty()) << findings.join(QStringLiteral(", ")).toStdString();
    // The corrected record is saved and checked; its second entry is due.
    const QByteArray corrected = contents(dataPath(kKindO));
    EXPECT_NE(corrected, first);
    EXPECT_EQ(menu->statusKontrolniZadani(), kNeprovedeno);

    // Repeated, the second entry agrees; the data files are those of a night
    // without it, byte for byte.
    dlg.shown.clear();
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F5));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("inform Kontrolní zadání: Obě zadání se "
                                                     "shodují.")});
    EXPECT_EQ(menu->statusKontrolniZadani(), QStringLiteral("Kontrolní zadání: shoda"));
    EXPECT_EQ(contents(dataPath(kKindO)), corrected);
    EXPECT_EQ(filesIn(QStringLiteral("data")), dataFiles);
    const QString state = secondEntryStatePath();
    EXPECT_TRUE(QFile::exists(state));
    EXPECT_FALSE(state.startsWith(inst + QStringLiteral("data/")));
    EXPECT_FALSE(state.startsWith(inst + QStringLiteral("Export")));

    // F4 says it before the export, and exports the same file as ever.
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F4));
    ASSERT_FALSE(infoTexts.isEmpty());
    EXPECT_TRUE(infoTexts[0].endsWith(QStringLiteral("\n\nKontrolní zadání: shoda")))
        << infoTexts[0].toStdString();
    const QString exported = inst + QStringLiteral("Export/") + dataFileName(kKindO, kOkrsek);
    EXPECT_EQ(contents(exported), contents(dataPath(kKindO)));
    EXPECT_EQ(filesIn(QStringLiteral("Export")), QStringList{dataFileName(kKindO, kOkrsek)});

    // Any later change of a compared number: not done again.
    dlg.answers = {true}; // reopen the exported data
    driver.on(QStringLiteral("R_Vstupni_Form"), [](QWidget&) {
        key(Qt::Key_PageDown);
        ASSERT_SOON(focused("R_EdZapsOsoby"));
        enter();
        field(QStringLiteral("501"));
        key(Qt::Key_F2);
    });
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F2));
    EXPECT_EQ(menu->statusKontrolniZadani(), kNeprovedeno);

    // Leaving a second entry asks first, Enter keeping it.
    const QByteArray changed = contents(dataPath(kKindE)) + contents(dataPath(kKindO));
    ASSERT_FALSE(changed.isEmpty());
    dlg.shown.clear();
    dlg.answers = {true};
    driver.on(QStringLiteral("R_KontrolniZadani_Form"), [](QWidget&) { key(Qt::Key_Escape); });
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F5));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(TR_Vstupni_Form::kOtazkaUkoncitKontrolni));
    EXPECT_EQ(dlg.shown[0].defaultAnswer, DefaultAnswer::Ne);
    EXPECT_FALSE(okna->kontrolniZadani().isVisible());
    EXPECT_EQ(menu->statusKontrolniZadani(), kNeprovedeno);
    EXPECT_EQ(contents(dataPath(kKindE)) + contents(dataPath(kKindO)), changed);

    // An outcome that cannot be written is said, and no earlier one stands
    // in for it.
    zapis.vydObalky = 501;
    ASSERT_TRUE(QFile::remove(state));
    ASSERT_TRUE(QDir().mkdir(state));
    dlg.shown.clear();
    driver.on(QStringLiteral("R_KontrolniZadani_Form"), [this](QWidget&) {
        typeSecondEntry();
        if (HasFatalFailure())
            driver.giveUp();
    });
    ASSERT_NO_FATAL_FAILURE(mainWindowKey(Qt::Key_F5));
    ASSERT_EQ(dlg.shown.size(), 2) << messages().join(QLatin1Char(10)).toStdString() << " seen "
                                   << driver.seen.join(QLatin1Char(32)).toStdString();
    EXPECT_TRUE(dlg.shown[0].text.startsWith(QStringLiteral("Výsledek kontrolního zadání nelze "
                                                            "uložit:")));
    EXPECT_EQ(dlg.shown[1].text, QString::fromUtf8(kZadaniSeShoduji));
    EXPECT_EQ(menu->statusKontrolniZadani(), kNeprovedeno);
}
