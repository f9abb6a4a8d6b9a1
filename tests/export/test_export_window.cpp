// The export window and the information window as the commission uses them:
// the list of targets, the choice, the outcome and the safe removal.
#include "ExportFixture.h"
#include "FakeDialogs.h"
#include "export/ExportCopy.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "ui/Fonts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

class ExportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TStanice st = sampleStanice();
        inst.writeStanice(st);
        stanice = NactiStanici();
        ASSERT_TRUE(QDir().mkpath(inst.dirs().program + QStringLiteral("Export")));
        data = sampleDataFile(7000);
        inst.writeDataFile(kName, data);
        window.setInfoWindow(&info);
    }

    // A medium mounted at a directory of its own.
    TZarExp medium(const QString& name, const QString& label) {
        const QString dir = media.path() + QLatin1Char('/') + name;
        QDir().mkpath(dir);
        TZarExp z;
        z.Pozice = dir;
        z.Nazev = label.isEmpty() ? QStringLiteral("/dev/") + name : label;
        z.Zarizeni = QStringLiteral("/dev/") + name;
        z.Objekt = QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + name;
        return z;
    }
    QString hardDiskItem() const {
        return QStringLiteral("do adresáře ") + inst.dirs().program + QStringLiteral("Export ");
    }
    QStringList items() const {
        QStringList list;
        for (int i = 0; i < window.Z_SeznZar_CB()->count(); ++i)
            list << window.Z_SeznZar_CB()->itemText(i);
        return list;
    }

    static inline const QString kName = QStringLiteral("OE582786.00002");
    TestInstall inst;
    QTemporaryDir media;
    FakeMedia fake;
    FakeDialogs dlg;
    TZ_infoE_F info;
    TStanice stanice;
    TZ_ExportDat_F window{stanice};
    QByteArray data;
};

struct InfoSeen {
    QString caption;
    QString title;
    QString text;
    bool ejectVisible = false;
};

} // namespace

TEST_F(ExportWindowTest, ListsTheMediaWithASizeThenTheHardDisk) {
    TZarExp gone = medium(QStringLiteral("sdd1"), QStringLiteral("PRYC"));
    gone.Pozice = media.path() + QStringLiteral("/not-mounted-any-more");
    fake.media = {medium(QStringLiteral("sdb1"), QStringLiteral("KOMISE")), gone,
                  medium(QStringLiteral("sdc1"), QString())};
    ModalDriver driver;
    QStringList shown;
    bool boxFocused = false;
    driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
        shown = items();
        boxFocused = window.Z_SeznZar_CB()->hasFocus();
        EXPECT_EQ(window.Z_SeznZar_CB()->currentText(), shown.value(0));
        window.Z_ExportDatZrus_Btn()->click();
    });
    window.exec();
    EXPECT_EQ(
        shown,
        (QStringList{QStringLiteral("KOMISE (%1/sdb1) - vyjímatelné zařízení").arg(media.path()),
                     QStringLiteral("/dev/sdc1 (%1/sdc1) - vyjímatelné zařízení").arg(media.path()),
                     hardDiskItem()}));
    EXPECT_TRUE(boxFocused);
    EXPECT_FALSE(window.ExportProveden()) << "cancelled";
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST(ItemShortening, TheLabelAndTheKindStayWhenTheMiddleGoes) {
    const QFontMetrics fm(arialFont(13, true));
    const QString usb =
        QStringLiteral("URNUSB (/media/volebni-komise/URNUSB) - vyjímatelné zařízení");
    const QString disk = QStringLiteral("do adresáře /opt/urnarium/okrsek/2/program/Export ");
    const struct {
        const char* name;
        QString text;
        int zacatek;
        int konec;
        int sirka;
        QString start;
        QString end;
    } cases[] = {
        {"fits", usb, 8, 23, 2000, usb, usb},
        {"a medium", usb, 8, 23, 290, QStringLiteral("URNUSB ("),
         QStringLiteral(") - vyjímatelné zařízení")},
        {"the hard disk", disk, 12, 7, 200, QStringLiteral("do adresáře "),
         QStringLiteral("Export ")},
        {"narrower than what must stay", usb, 8, 23, 60, QString(), QString()},
    };
    for (const auto& c : cases) {
        const QString shown = zkratStred(c.text, c.zacatek, c.konec, fm, c.sirka);
        EXPECT_LE(fm.horizontalAdvance(shown), c.sirka) << c.name;
        EXPECT_TRUE(shown.startsWith(c.start)) << c.name << ": " << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(c.end)) << c.name << ": " << shown.toStdString();
        EXPECT_EQ(shown == c.text, fm.horizontalAdvance(c.text) <= c.sirka) << c.name;
        EXPECT_EQ(shown.contains(QChar(0x2026)), shown != c.text) << c.name;
    }
}

TEST_F(ExportWindowTest, ALongItemIsWholeInItsTooltipAndInTheOpenList) {
    const TZarExp disk =
        medium(QStringLiteral("media/volebni-komise/URNUSB"), QStringLiteral("URNUSB"));
    fake.media = {disk};
    ModalDriver driver;
    QString tooltip;
    int listWidth = 0;
    int boxWidth = 0;
    driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
        QComboBox* box = window.Z_SeznZar_CB();
        tooltip = box->toolTip();
        box->showPopup();
        listWidth = box->view()->window()->width();
        box->hidePopup();
        boxWidth = box->width();
        window.reject();
    });
    window.exec();
    const QString item = polozkaVymenitelne(disk);
    const QFontMetrics fm(window.Z_SeznZar_CB()->view()->font());
    ASSERT_GT(fm.horizontalAdvance(item), boxWidth) << "the case needs an item longer than the box";
    EXPECT_EQ(boxWidth, 321) << "the box keeps its size";
    EXPECT_EQ(tooltip, item);
    EXPECT_GE(listWidth, fm.horizontalAdvance(item));
    EXPECT_LE(listWidth, window.screen()->availableGeometry().width());
}

TEST_F(ExportWindowTest, WithoutMediaOnlyTheHardDiskAndReloadFindsANewOne) {
    ModalDriver driver;
    QStringList before;
    QStringList after;
    driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
        before = items();
        fake.media = {medium(QStringLiteral("sdb1"), QStringLiteral("NOVY"))};
        window.Z_ZnovuNacist_Btn()->click();
        after = items();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    window.exec();
    EXPECT_EQ(before, QStringList{hardDiskItem()});
    ASSERT_EQ(after.size(), 2);
    EXPECT_TRUE(after[0].startsWith(QStringLiteral("NOVY (")));
    EXPECT_EQ(window.Z_SeznZar_CB()->currentIndex(), 0);
    EXPECT_FALSE(window.ExportProveden());
}

TEST_F(ExportWindowTest, FreeTextGoesBackToTheFirstItemAndEnterMovesOn) {
    fake.media = {medium(QStringLiteral("sdb1"), QStringLiteral("KOMISE"))};
    ModalDriver driver;
    QString afterTyping;
    int indexAfterTyping = -1;
    QWidget* focusAfterEnter = nullptr;
    bool stillOpen = false;
    driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
        QComboBox* box = window.Z_SeznZar_CB();
        box->setCurrentIndex(1);
        QTest::keyClicks(box->lineEdit(), QStringLiteral("E:"));
        afterTyping = box->currentText();
        indexAfterTyping = box->currentIndex();
        box->setFocus();
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        focusAfterEnter = QApplication::focusWidget();
        stillOpen = window.isVisible();
        window.reject();
    });
    window.exec();
    EXPECT_EQ(afterTyping, items().value(0));
    EXPECT_EQ(indexAfterTyping, 0);
    EXPECT_EQ(focusAfterEnter, window.Z_ZnovuNacist_Btn());
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(QFile::exists(inst.dirs().program + QStringLiteral("Export/") + kName));
}

TEST_F(ExportWindowTest, ExportToTheHardDisk) {
    fake.media = {medium(QStringLiteral("sdb1"), QStringLiteral("KOMISE"))};
    {
        ModalDriver driver;
        InfoSeen seen;
        driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
            window.Z_SeznZar_CB()->setCurrentIndex(1);
            window.Z_ExportDatOK_Btn()->click();
        });
        driver.on(QStringLiteral("Z_infoE_F"), [&](QWidget&) {
            seen = {info.windowTitle(), info.titulek2Text(), info.titulek3Text(),
                    info.Odebrat_Btn()->isVisible()};
            EXPECT_FALSE(window.ExportProveden()) << "set once the window is closed";
            info.OK_BtnClick();
        });
        EXPECT_EQ(window.exec(), QDialog::Accepted);
        EXPECT_EQ(driver.seen,
                  (QStringList{QStringLiteral("Z_ExportDat_F"), QStringLiteral("Z_infoE_F")}));
        EXPECT_TRUE(window.ExportProveden());
        EXPECT_EQ(inst.readFile(inst.dirs().program + QStringLiteral("Export/") + kName), data);
        EXPECT_EQ(seen.caption, QStringLiteral("Export dat a tisk zápisu"));
        EXPECT_EQ(seen.title, QStringLiteral("Export dat na pevný disk proveden."));
        EXPECT_EQ(seen.text,
                  QStringLiteral("Soubor OE582786.00002\nje uložen v adresáři %1Export.\n"
                                 "Soubor překopírujte na technický nosič.\n\nS tímto "
                                 "souborem je nutno na PM předat jen zápis,\n který bude "
                                 "nyní vytisknut.\nZápis je nutno vytisknout ve 2 kopiích.")
                      .arg(inst.dirs().program));
        EXPECT_FALSE(seen.ejectVisible);
        EXPECT_TRUE(info.OdebiratDisk().Pozice.isEmpty());
        EXPECT_TRUE(dlg.shown.isEmpty());
    }

    // The window is used all night: opened again and cancelled, it no
    // longer counts the earlier export.
    ModalDriver again;
    again.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
        EXPECT_FALSE(window.ExportProveden()) << "reset when the window opens";
        window.Z_ExportDatZrus_Btn()->click();
    });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_FALSE(window.ExportProveden());
}

TEST_F(ExportWindowTest, ExportToAUsbDiskAndItsSafeRemoval) {
    const TZarExp disk = medium(QStringLiteral("sdb1"), QStringLiteral("KOMISE"));
    fake.media = {disk};
    ModalDriver driver;
    InfoSeen seen;
    QStringList removedWhileShown;
    bool ejectEnabledAfter = true;
    driver.on(QStringLiteral("Z_ExportDat_F"),
              [&](QWidget&) { window.Z_ExportDatOK_Btn()->click(); });
    driver.on(QStringLiteral("Z_infoE_F"), [&](QWidget&) {
        seen = {info.windowTitle(), info.titulek2Text(), info.titulek3Text(),
                info.Odebrat_Btn()->isVisible()};
        info.Odebrat_Btn()->click();
        removedWhileShown = fake.removed;
        ejectEnabledAfter = info.Odebrat_Btn()->isEnabled();
        EXPECT_TRUE(info.isVisible()) << "the window stays open after the removal";
        info.OK_BtnClick();
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_TRUE(window.ExportProveden());
    EXPECT_EQ(inst.readFile(disk.Pozice + QLatin1Char('/') + kName), data);
    EXPECT_EQ(seen.title, QStringLiteral("Export dat na vyjímatelné zařízení proveden."));
    EXPECT_EQ(seen.text,
              QStringLiteral("Soubor OE582786.00002\nje uložen na vyjímatelné zařízení v jednotce "
                             "%1.\n\nS tímto souborem je nutno na PM předat jen zápis,\n který "
                             "bude nyní vytisknut.\nZápis je nutno vytisknout ve 2 kopiích.")
                  .arg(disk.Pozice));
    EXPECT_TRUE(seen.ejectVisible);
    EXPECT_EQ(removedWhileShown, QStringList{disk.Pozice});
    EXPECT_FALSE(ejectEnabledAfter);
    EXPECT_TRUE(info.Odebrat_Btn()->isHidden()) << "hidden again after the window";
    EXPECT_EQ(info.OdebiratDisk().Pozice, disk.Pozice);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("inform"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Export dat a tisk zápisu"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Odebrán vyjímatelný disk KOMISE."));
}

TEST_F(ExportWindowTest, AFailedRemovalSaysSoAndTheButtonStays) {
    fake.media = {medium(QStringLiteral("sdb1"), QString())};
    fake.removal = {StavOdebrani::Nepovedlo, QString()}; // no reason known
    ModalDriver driver;
    bool ejectEnabled = false;
    driver.on(QStringLiteral("Z_ExportDat_F"),
              [&](QWidget&) { window.Z_ExportDatOK_Btn()->click(); });
    driver.on(QStringLiteral("Z_infoE_F"), [&](QWidget&) {
        info.Odebrat_Btn()->click();
        ejectEnabled = info.Odebrat_Btn()->isEnabled() && info.Odebrat_Btn()->isVisible();
        info.OK_BtnClick();
    });
    window.exec();
    EXPECT_TRUE(window.ExportProveden());
    EXPECT_TRUE(ejectEnabled);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Odebrání se nepovedlo."));
}

TEST_F(ExportWindowTest, FailedExportSaysWhyAndCountsAsNotDone) {
    struct Case {
        const char* name;
        std::function<void()> spoil;
        int item;
        QString message;
    };
    const Case cases[] = {
        {"no export directory",
         [this] { QDir(inst.dirs().program + QStringLiteral("Export")).removeRecursively(); }, 1,
         QStringLiteral("Export se nepovedl.\rCílový adresář „%1Export/“ neexistuje.")},
        {"no data file", [this] { QFile::remove(inst.dirs().data + kName); }, 1,
         QStringLiteral("Export se nepovedl.\rDatový soubor „OE582786.00002“ nebyl v adresáři "
                        "dat nalezen.")},
        {"medium unmounted after the list was loaded",
         [this] { QDir(media.path() + QStringLiteral("/sdb1")).removeRecursively(); }, 0,
         QStringLiteral("Export se nepovedl.\rCílový nosič byl odebrán nebo je vadný.")},
    };
    for (const Case& c : cases) {
        fake.media = {medium(QStringLiteral("sdb1"), QStringLiteral("KOMISE"))};
        QDir().mkpath(inst.dirs().program + QStringLiteral("Export"));
        inst.writeDataFile(kName, data);
        dlg.shown.clear();
        ModalDriver driver;
        driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
            window.Z_SeznZar_CB()->setCurrentIndex(c.item);
            c.spoil();
            window.Z_ExportDatOK_Btn()->click();
        });
        EXPECT_EQ(window.exec(), QDialog::Rejected) << c.name;
        EXPECT_FALSE(window.ExportProveden()) << c.name;
        EXPECT_EQ(driver.seen, QStringList{QStringLiteral("Z_ExportDat_F")}) << c.name;
        ASSERT_EQ(dlg.shown.size(), 1) << c.name;
        EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
        EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Export dat"));
        EXPECT_EQ(dlg.shown[0].text, c.message.contains(QLatin1String("%1"))
                                         ? c.message.arg(inst.dirs().program)
                                         : c.message)
            << c.name;
    }
}
