// The removable media through UDisks2 on D-Bus, against a mock of the
// service on a private system bus.
#include "ExportFixture.h"
#include "FakeDialogs.h"
#include "MockUDisks.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "export/UDisksMedia.h"

#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

// Every test of this executable talks to the private bus, never to the
// machine's.
[[maybe_unused]] static ::testing::Environment* const kBus =
    ::testing::AddGlobalTestEnvironment(new PrivateSystemBus);

namespace {

constexpr const char* kBlocks = "/org/freedesktop/UDisks2/block_devices/";
constexpr const char* kDrives = "/org/freedesktop/UDisks2/drives/";

QJsonObject drive(const char* name, bool removable, const char* bus, bool canPowerOff = true) {
    return {{QStringLiteral("name"), QLatin1String(name)},
            {QStringLiteral("removable"), removable},
            {QStringLiteral("bus"), QLatin1String(bus)},
            {QStringLiteral("can_power_off"), canPowerOff}};
}

QJsonObject block(const char* name, const char* driveName, const QString& label,
                  const QStringList& mountPoints) {
    return {{QStringLiteral("name"), QLatin1String(name)},
            {QStringLiteral("drive"), QLatin1String(driveName)},
            {QStringLiteral("label"), label},
            {QStringLiteral("mount_points"), QJsonArray::fromStringList(mountPoints)}};
}

class UDisksTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(PrivateSystemBus::failure(), QString()); }

    QString dir(const QString& name) {
        const QString path = media.path() + QLatin1Char('/') + name;
        QDir().mkpath(path);
        return path;
    }
    // What the export window offers over the program's own media (UDisks2
    // on the system bus): its items, and the note under them (empty when
    // hidden).
    struct Offer {
        QStringList items;
        QString note;
    };
    static Offer offered() {
        setRemovableMedia(nullptr);
        const TStanice stanice;
        TZ_ExportDat_F window(stanice);
        ModalDriver driver;
        Offer offer;
        driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
            for (int i = 0; i < window.Z_SeznZar_CB()->count(); ++i)
                offer.items << window.Z_SeznZar_CB()->itemText(i);
            if (window.Z_Nepripojene_Lbl()->isVisible())
                offer.note = window.Z_Nepripojene_Lbl()->text();
            window.reject();
        });
        window.exec();
        return offer;
    }
    // Exports a sample data file of the installation through the export
    // window to its list item `item`, over the program's own media; `inInfo`
    // acts in the information window that shows the outcome, which is then
    // closed. Returns the data file's bytes; the export must have been done.
    static QByteArray exportSample(TestInstall& inst, int item,
                                   const std::function<void(TZ_infoE_F&)>& inInfo) {
        setRemovableMedia(nullptr);
        inst.writeStanice(sampleStanice());
        const TStanice stanice = NactiStanici();
        const QByteArray data = sampleDataFile(9000);
        inst.writeDataFile(QStringLiteral("OE582786.00002"), data);
        TZ_infoE_F info;
        TZ_ExportDat_F window(stanice);
        window.setInfoWindow(&info);
        ModalDriver driver;
        driver.on(QStringLiteral("Z_ExportDat_F"), [&](QWidget&) {
            window.Z_SeznZar_CB()->setCurrentIndex(item);
            window.Z_ExportDatOK_Btn()->click();
        });
        driver.on(QStringLiteral("Z_infoE_F"), [&](QWidget&) {
            inInfo(info);
            info.OK_BtnClick();
        });
        window.exec();
        EXPECT_TRUE(window.ExportProveden());
        return data;
    }
    static QStringList names(const QList<TZarExp>& list) {
        QStringList out;
        for (const TZarExp& z : list)
            out << z.Nazev + QLatin1Char('@') + z.Pozice;
        return out;
    }

    QTemporaryDir media;
};

} // namespace

TEST_F(UDisksTest, UsbMediaInDeviceOrderNotTheSystemDiskNorWhatHasNoFilesystem) {
    QJsonObject without = block("sdb", "usb2", QString(), {});
    without.insert(QStringLiteral("filesystem"), false);
    without.insert(QStringLiteral("usage"), QString());
    QJsonObject system = block("sda2", "ata", QStringLiteral("root"), {QStringLiteral("/")});
    system.insert(QStringLiteral("hint_system"), true);
    QJsonObject crypto = block("sde1", "usb3", QStringLiteral("TAJNE"), {});
    crypto.insert(QStringLiteral("usage"), QStringLiteral("crypto"));
    crypto.insert(QStringLiteral("filesystem"), false);
    MockUDisks2 mock(QJsonObject{
        {QStringLiteral("drives"),
         QJsonArray{drive("ata", false, "ata"), drive("usb2", false, "usb"),
                    drive("usb1", true, "usb"), drive("usb3", true, "usb"),
                    drive("sdcard", true, "sdio")}},
        {QStringLiteral("blocks"),
         QJsonArray{block("sdc1", "usb1", QStringLiteral("KOMISE"), {dir("KOMISE")}), system,
                    without, block("sdb1", "usb2", QString(), {dir("sdb1")}), crypto,
                    block("mmcblk0p1", "sdcard", QStringLiteral("KARTA"), {dir("KARTA")}),
                    // Listed by the service but its size cannot be read.
                    block("sdd1", "usb3", QStringLiteral("PRYC"),
                          {media.path() + QStringLiteral("/gone")})}}});
    ASSERT_EQ(mock.failure(), QString());

    UDisksMedia udisks;
    const QList<TZarExp> all = udisks.SeznamVymenitelnych();
    EXPECT_EQ(names(all),
              (QStringList{QStringLiteral("KARTA@") + dir("KARTA"),
                           QStringLiteral("/dev/sdb1@") + dir("sdb1"),
                           QStringLiteral("KOMISE@") + dir("KOMISE"),
                           QStringLiteral("PRYC@") + media.path() + QStringLiteral("/gone"),
                           QStringLiteral("TAJNE@")}));
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[4].Chyba, QStringLiteral("Disk TAJNE nelze připojit: je zašifrovaný."));
    EXPECT_EQ(all[1].Zarizeni, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(all[1].Objekt, QLatin1String(kBlocks) + QStringLiteral("sdb1"));

    // The window shows those with a size, the hard disk last.
    TestInstall inst;
    const Offer offer = offered();
    // What is there but not offered is named under the list, with why.
    EXPECT_EQ(offer.note, QStringLiteral("Disk PRYC nelze použít: nelze zjistit jeho velikost.\n"
                                         "Disk TAJNE nelze připojit: je zašifrovaný."));
    EXPECT_EQ(offer.items,
              (QStringList{QStringLiteral("KARTA (%1) - vyjímatelné zařízení").arg(dir("KARTA")),
                           QStringLiteral("/dev/sdb1 (%1) - vyjímatelné zařízení").arg(dir("sdb1")),
                           QStringLiteral("KOMISE (%1) - vyjímatelné zařízení").arg(dir("KOMISE")),
                           QStringLiteral("do adresáře ") + inst.dirs().program +
                               QStringLiteral("Export ")}));
    EXPECT_TRUE(mock.calls().isEmpty()) << "nothing mounted, nothing removed";
}

TEST_F(UDisksTest, AnUnmountedFilesystemIsMountedAndOneThatCannotBeIsToldWhy) {
    QJsonObject unmounted = block("sdb1", "usb1", QStringLiteral("KOMISE"), {});
    unmounted.insert(QStringLiteral("mount_on"), dir("KOMISE"));
    // The daemon's own answer for a filesystem the kernel cannot mount.
    QJsonObject foreign = block("sdc1", "usb2", QStringLiteral("CIZI"), {});
    foreign.insert(QStringLiteral("mount_on"), dir("CIZI"));
    foreign.insert(QStringLiteral("fail_mount"),
                   QJsonObject{{QStringLiteral("name"),
                                QStringLiteral("org.freedesktop.UDisks2.Error.Failed")},
                               {QStringLiteral("message"),
                                QStringLiteral("Error mounting /dev/sdc1 at %1: Filesystem type "
                                               "vfat not configured in kernel.")
                                    .arg(dir("CIZI"))}});
    QJsonObject refused = block("sdd1", "usb3", QString(), {});
    refused.insert(QStringLiteral("mount_on"), dir("sdd1"));
    refused.insert(QStringLiteral("fail_mount"), true); // not authorised
    MockUDisks2 mock(
        QJsonObject{{QStringLiteral("drives"),
                     QJsonArray{drive("usb1", true, "usb"), drive("usb2", true, "usb"),
                                drive("usb3", true, "usb")}},
                    {QStringLiteral("blocks"), QJsonArray{unmounted, foreign, refused}}});
    ASSERT_EQ(mock.failure(), QString());

    UDisksMedia udisks;
    const QList<TZarExp> all = NactiZarizeni(udisks);
    EXPECT_EQ(names(all), (QStringList{QStringLiteral("KOMISE@") + dir("KOMISE"),
                                       QStringLiteral("CIZI@"), QStringLiteral("/dev/sdd1@")}));
    ASSERT_EQ(all.size(), 3);
    EXPECT_GT(all[0].Size, 0);
    EXPECT_GE(all[0].Free, 0);
    EXPECT_TRUE(all[0].Chyba.isEmpty());
    const QString notes =
        QStringLiteral("Disk CIZI nelze připojit: Filesystem type vfat not configured in kernel.\n"
                       "Disk /dev/sdd1 nelze připojit: k této operaci chybí oprávnění.");
    EXPECT_EQ(all[1].Chyba + QLatin1Char('\n') + all[2].Chyba, notes);
    EXPECT_EQ(all[1].Size, -1);
    EXPECT_EQ(mock.calls(), (QStringList{QLatin1String(kBlocks) + QStringLiteral("sdb1 Mount"),
                                         QLatin1String(kBlocks) + QStringLiteral("sdc1 Mount"),
                                         QLatin1String(kBlocks) + QStringLiteral("sdd1 Mount")}));
    // Mounted now: loading again mounts nothing more.
    EXPECT_EQ(names(udisks.SeznamVymenitelnych()), names(all));
    EXPECT_EQ(mock.calls().size(), 5) << "only the refused ones are tried again";

    // The export window offers the one that works and says why not the
    // others, so that the commission tries another stick.
    TestInstall inst;
    FakeDialogs dlg;
    const Offer offer = offered();
    EXPECT_EQ(offer.items,
              (QStringList{QStringLiteral("KOMISE (%1) - vyjímatelné zařízení").arg(dir("KOMISE")),
                           QStringLiteral("do adresáře ") + inst.dirs().program +
                               QStringLiteral("Export ")}));
    EXPECT_EQ(offer.note, notes);
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(UDisksTest, SafeRemovalUnmountsThenPowersOffOrEjects) {
    MockUDisks2 mock(QJsonObject{
        {QStringLiteral("drives"),
         QJsonArray{drive("usb1", true, "usb", true), drive("card", true, "sdio", false)}},
        {QStringLiteral("blocks"),
         QJsonArray{block("sdb1", "usb1", QStringLiteral("KOMISE"), {dir("KOMISE")}),
                    block("mmcblk0p1", "card", QStringLiteral("KARTA"), {dir("KARTA")})}}});
    ASSERT_EQ(mock.failure(), QString());
    UDisksMedia udisks;
    const QList<TZarExp> all = udisks.SeznamVymenitelnych();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(udisks.OdeberDisk(all[1]).stav, StavOdebrani::Odebran); // sdb1
    EXPECT_EQ(udisks.OdeberDisk(all[0]).stav, StavOdebrani::Odebran); // the card
    EXPECT_EQ(mock.calls(),
              (QStringList{QLatin1String(kBlocks) + QStringLiteral("sdb1 Unmount"),
                           QLatin1String(kDrives) + QStringLiteral("usb1 PowerOff"),
                           QLatin1String(kBlocks) + QStringLiteral("mmcblk0p1 Unmount"),
                           QLatin1String(kDrives) + QStringLiteral("card Eject")}));
    // Unmounted, and this mock has nowhere to mount them again: not offered.
    for (const TZarExp& z : NactiZarizeni(udisks)) {
        EXPECT_TRUE(z.Pozice.isEmpty()) << z.Nazev.toStdString();
        EXPECT_EQ(z.Size, -1) << z.Nazev.toStdString();
        EXPECT_TRUE(z.Chyba.startsWith(QStringLiteral("Disk %1 nelze připojit: ").arg(z.Nazev)))
            << z.Chyba.toStdString();
    }
}

TEST_F(UDisksTest, AFailingUnmountStopsTheRemovalAndSaysSo) {
    QJsonObject busy = block("sdb1", "usb1", QStringLiteral("KOMISE"), {dir("KOMISE")});
    busy.insert(QStringLiteral("fail_unmount"), true);
    MockUDisks2 mock(QJsonObject{{QStringLiteral("drives"), QJsonArray{drive("usb1", true, "usb")}},
                                 {QStringLiteral("blocks"), QJsonArray{busy}}});
    ASSERT_EQ(mock.failure(), QString());
    setRemovableMedia(nullptr);
    UDisksMedia udisks;
    const QList<TZarExp> all = udisks.SeznamVymenitelnych();
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(udisks.OdeberDisk(all[0]).stav, StavOdebrani::Nepovedlo);
    EXPECT_EQ(mock.calls(), QStringList{QLatin1String(kBlocks) + QStringLiteral("sdb1 Unmount")});

    // The eject button of the information window says so.
    FakeDialogs dlg;
    TZ_infoE_F info;
    info.setOdebiratDisk(all[0]);
    info.Odebrat_BBtnClick();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Odebrání se nepovedlo.\rDisk používá jiný "
                                                "program; zavřete okna, která s ním pracují, a "
                                                "zkuste to znovu."));
    EXPECT_EQ(mock.calls().size(), 2);
    EXPECT_FALSE(mock.calls().join(' ').contains(QStringLiteral("PowerOff")));
}

TEST_F(UDisksTest, ExportToTheUsbDiskAndRemoveIt) {
    MockUDisks2 mock(QJsonObject{
        {QStringLiteral("drives"), QJsonArray{drive("usb1", true, "usb")}},
        {QStringLiteral("blocks"),
         QJsonArray{block("sdb1", "usb1", QStringLiteral("KOMISE"), {dir("KOMISE")})}}});
    ASSERT_EQ(mock.failure(), QString());
    TestInstall inst;
    FakeDialogs dlg;
    QString text;
    const QByteArray data = exportSample(inst, 0, [&](TZ_infoE_F& info) {
        text = info.titulek3Text();
        info.Odebrat_Btn()->click();
    });
    EXPECT_EQ(inst.readFile(dir("KOMISE") + QStringLiteral("/OE582786.00002")), data);
    EXPECT_TRUE(text.contains(QStringLiteral("v jednotce ") + dir("KOMISE") + QLatin1Char('.')))
        << text.toStdString();
    EXPECT_EQ(mock.calls(),
              (QStringList{QLatin1String(kBlocks) + QStringLiteral("sdb1 Unmount"),
                           QLatin1String(kDrives) + QStringLiteral("usb1 PowerOff")}));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Odebrán vyjímatelný disk KOMISE."));
}

TEST_F(UDisksTest, ADriveThatWillNotSwitchOffLeavesTheDiskSafeAndSaysSo) {
    // Unmount goes through (and takes the mount point away, as the daemon
    // does under /media); the drive then refuses to power off or to eject.
    QJsonObject stick = block("sdb1", "usb1", QStringLiteral("KOMISE"), {dir("KOMISE")});
    stick.insert(QStringLiteral("remove_mount_point"), true);
    QJsonObject usb = drive("usb1", true, "usb", true);
    usb.insert(QStringLiteral("fail_power_off"),
               QJsonObject{
                   {QStringLiteral("name"), QStringLiteral("org.freedesktop.UDisks2.Error.Failed")},
                   {QStringLiteral("message"),
                    QStringLiteral("Error powering off drive: No usb device")}});
    QJsonObject card = block("mmcblk0p1", "reader", QStringLiteral("KARTA"), {dir("KARTA")});
    card.insert(QStringLiteral("remove_mount_point"), true);
    QJsonObject reader = drive("reader", true, "sdio", false);
    reader.insert(QStringLiteral("fail_eject"), true);
    MockUDisks2 mock(QJsonObject{{QStringLiteral("drives"), QJsonArray{usb, reader}},
                                 {QStringLiteral("blocks"), QJsonArray{stick, card}}});
    ASSERT_EQ(mock.failure(), QString());
    TestInstall inst;
    FakeDialogs dlg;
    QByteArray onDisk;
    bool enabledAfter = false;
    // KOMISE, after the card.
    const QByteArray data = exportSample(inst, 1, [&](TZ_infoE_F& info) {
        onDisk = inst.readFile(dir("KOMISE") + QStringLiteral("/OE582786.00002"));
        info.Odebrat_Btn()->click();
        // Pressed again: the mount point is gone, the drive is still there.
        info.Odebrat_Btn()->click();
        enabledAfter = info.Odebrat_Btn()->isEnabled();
    });
    EXPECT_EQ(onDisk, data);
    const QString safe =
        QStringLiteral("Vyjímatelný disk KOMISE je bezpečně odpojen, můžete jej vyjmout.");
    ASSERT_EQ(dlg.shown.size(), 2);
    for (const auto& shown : dlg.shown) {
        EXPECT_EQ(shown.kind, QStringLiteral("inform"));
        EXPECT_EQ(shown.text, safe);
    }
    EXPECT_TRUE(enabledAfter) << "the drive may still be switched off by another press";
    EXPECT_EQ(mock.calls(),
              (QStringList{QLatin1String(kBlocks) + QStringLiteral("sdb1 Unmount"),
                           QLatin1String(kDrives) + QStringLiteral("usb1 PowerOff"),
                           QLatin1String(kDrives) + QStringLiteral("usb1 PowerOff")}));

    // The card reader cannot power off and its medium will not eject.
    UDisksMedia udisks;
    const QList<TZarExp> all = udisks.SeznamVymenitelnych();
    ASSERT_EQ(all.size(), 2);
    ASSERT_EQ(all[0].Nazev, QStringLiteral("KARTA"));
    for (int press = 0; press < 2; ++press)
        EXPECT_EQ(udisks.OdeberDisk(all[0]).stav, StavOdebrani::LzeVyjmout) << press;
    QStringList cardCalls = mock.calls();
    cardCalls.removeIf([](const QString& call) {
        return !call.contains(QLatin1String("mmcblk0p1")) &&
               !call.contains(QLatin1String("reader"));
    });
    EXPECT_EQ(cardCalls, (QStringList{QLatin1String(kBlocks) + QStringLiteral("mmcblk0p1 Unmount"),
                                      QLatin1String(kDrives) + QStringLiteral("reader Eject"),
                                      QLatin1String(kDrives) + QStringLiteral("reader Eject")}));
}

TEST_F(UDisksTest, WithoutTheServiceOnlyTheHardDiskAndNoWord) {
    // No mock: the bus has no UDisks2.
    UDisksMedia udisks;
    EXPECT_TRUE(udisks.SeznamVymenitelnych().isEmpty());
    EXPECT_EQ(udisks.OdeberDisk(TZarExp{}).stav, StavOdebrani::Nepovedlo);
    // No bus at all.
    UDisksMedia nowhere(QStringLiteral("no-such-connection"));
    EXPECT_TRUE(nowhere.SeznamVymenitelnych().isEmpty());

    TestInstall inst;
    FakeDialogs dlg;
    const Offer offer = offered();
    EXPECT_EQ(offer.note, QString());
    EXPECT_EQ(offer.items, QStringList{QStringLiteral("do adresáře ") + inst.dirs().program +
                                       QStringLiteral("Export ")});
    EXPECT_TRUE(dlg.shown.isEmpty());
}
