#include "export/UDisksMedia.h"

#include <QCollator>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QVariantMap>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace urn {

namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kManager = "/org/freedesktop/UDisks2";
constexpr const char* kObjectManager = "org.freedesktop.DBus.ObjectManager";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr const char* kBlock = "org.freedesktop.UDisks2.Block";
constexpr const char* kFilesystem = "org.freedesktop.UDisks2.Filesystem";
constexpr const char* kDrive = "org.freedesktop.UDisks2.Drive";

// Listing must not hold the window up for long when the service is slow to
// start; mounting and removing may wait for the medium.
constexpr int kListTimeoutMs = 5000;
constexpr int kMountTimeoutMs = 15000;
constexpr int kRemoveTimeoutMs = 30000;

using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QString, Interfaces>;

QString s(const char* text) {
    return QString::fromLatin1(text);
}

// A byte-string property ("ay"), without its terminating zero.
QByteArray bytes(const QVariant& v) {
    QByteArray b;
    if (v.metaType() == QMetaType::fromType<QDBusArgument>())
        v.value<QDBusArgument>() >> b;
    else
        b = v.toByteArray();
    while (b.endsWith('\0'))
        b.chop(1);
    return b;
}

// A list of byte strings ("aay"), as the mount points are given.
QList<QByteArray> byteStrings(const QVariant& v) {
    QList<QByteArray> list;
    if (v.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const QDBusArgument arg = v.value<QDBusArgument>();
        arg.beginArray();
        while (!arg.atEnd()) {
            QByteArray b;
            arg >> b;
            while (b.endsWith('\0'))
                b.chop(1);
            list << b;
        }
        arg.endArray();
    } else {
        for (const QVariant& item : v.toList())
            list << bytes(item);
    }
    return list;
}

QString objectPath(const QVariant& v) {
    return v.value<QDBusObjectPath>().path();
}

Objects parseObjects(const QDBusArgument& arg) {
    Objects objects;
    arg.beginMap();
    while (!arg.atEnd()) {
        QDBusObjectPath path;
        Interfaces interfaces;
        arg.beginMapEntry();
        arg >> path;
        arg.beginMap();
        while (!arg.atEnd()) {
            QString name;
            QVariantMap properties;
            arg.beginMapEntry();
            arg >> name >> properties;
            arg.endMapEntry();
            interfaces.insert(name, properties);
        }
        arg.endMap();
        arg.endMapEntry();
        objects.insert(path.path(), interfaces);
    }
    arg.endMap();
    return objects;
}

// The options of every call: the service must not start asking for a
// password in a window we cannot see; a refusal is a failure like any other.
QVariantMap noInteraction() {
    return {{QStringLiteral("auth.no_user_interaction"), true}};
}

QString firstMountPoint(const QVariantMap& filesystem) {
    const QList<QByteArray> points = byteStrings(filesystem.value(QStringLiteral("MountPoints")));
    return points.isEmpty() ? QString() : QFile::decodeName(points.first());
}

QString nelzePripojit(const QString& nazev, const QString& duvod) {
    return QStringLiteral("Disk %1 nelze připojit: %2").arg(nazev, duvod);
}

bool isError(const QDBusMessage& reply, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&reply](const char* name) {
        return reply.errorName() == QLatin1String(name);
    });
}

// Why the disk service refused, in words the commission can act on where
// the error is a known one; otherwise the service's own text, which names
// the cause exactly (a filesystem the system cannot mount, a damaged one),
// without the device and mount point that the list already shows.
QString duvodChyby(const QDBusMessage& reply) {
    if (isError(reply,
                {"org.freedesktop.DBus.Error.ServiceUnknown",
                 "org.freedesktop.DBus.Error.NameHasNoOwner", "org.freedesktop.DBus.Error.NoReply",
                 "org.freedesktop.DBus.Error.Timeout", "org.freedesktop.DBus.Error.Disconnected"}))
        return QStringLiteral("systémová služba disků (UDisks2) neodpovídá.");
    if (isError(reply, {"org.freedesktop.DBus.Error.UnknownObject",
                        "org.freedesktop.DBus.Error.UnknownMethod",
                        "org.freedesktop.DBus.Error.UnknownInterface"}))
        return QStringLiteral("disk již není připojen k počítači.");
    if (reply.errorName() == QLatin1String("org.freedesktop.UDisks2.Error.DeviceBusy"))
        return QStringLiteral("disk používá jiný program; zavřete okna, která s ním pracují, "
                              "a zkuste to znovu.");
    if (reply.errorName().startsWith(QLatin1String("org.freedesktop.UDisks2.Error.NotAuthorized")))
        return QStringLiteral("k této operaci chybí oprávnění.");
    if (reply.errorName() == QLatin1String("org.freedesktop.UDisks2.Error.Timedout"))
        return QStringLiteral("disk neodpovídá.");
    QString text = reply.errorMessage().trimmed();
    // "Error mounting /dev/sdb1 at /media/komise/CIZI: <the cause>"
    if (text.startsWith(QLatin1String("Error "))) {
        const qsizetype at = text.indexOf(QLatin1String(" at "));
        const qsizetype cause = text.indexOf(QLatin1String(": "), at < 0 ? 0 : at);
        if (cause > 0 && cause + 2 < text.size())
            text = text.mid(cause + 2).trimmed();
    }
    if (!text.isEmpty())
        return text;
    if (!reply.errorName().isEmpty())
        return QStringLiteral("chyba %1.").arg(reply.errorName());
    return QStringLiteral("systémová služba disků (UDisks2) neodpovídá.");
}

} // namespace

UDisksMedia::UDisksMedia() = default;

UDisksMedia::UDisksMedia(const QString& connectionName) : m_connectionName(connectionName) {}

QDBusConnection UDisksMedia::bus() const {
    return m_connectionName.isEmpty() ? QDBusConnection::systemBus()
                                      : QDBusConnection(m_connectionName);
}

QList<TZarExp> UDisksMedia::SeznamVymenitelnych() {
    QDBusConnection connection = bus();
    // No system bus or no disk service: only the hard disk is offered, and
    // that needs no word to the user.
    if (!connection.isConnected())
        return {};
    const QDBusMessage reply =
        connection.call(QDBusMessage::createMethodCall(s(kService), s(kManager), s(kObjectManager),
                                                       QStringLiteral("GetManagedObjects")),
                        QDBus::Block, kListTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    const Objects objects = parseObjects(reply.arguments().first().value<QDBusArgument>());

    // A drive that carries the running system is never offered, even when it
    // hangs on USB.
    QSet<QString> systemDrives;
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        const QList<QByteArray> points =
            byteStrings(it->value(s(kFilesystem)).value(QStringLiteral("MountPoints")));
        for (const QByteArray& p : points)
            if (p == "/" || p == "/boot" || p == "/usr" || p == "/home")
                systemDrives.insert(
                    objectPath(it->value(s(kBlock)).value(QStringLiteral("Drive"))));
    }

    QList<TZarExp> media;
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        if (!it->contains(s(kBlock)))
            continue;
        const QVariantMap block = it->value(s(kBlock));
        const QString usage = block.value(QStringLiteral("IdUsage")).toString();
        // An encrypted medium is told about too: the commission must know
        // why the stick it inserted is not offered.
        const bool encrypted = usage == QLatin1String("crypto");
        if (block.value(QStringLiteral("HintIgnore")).toBool() ||
            block.value(QStringLiteral("HintSystem")).toBool() ||
            (!encrypted && (usage != QLatin1String("filesystem") || !it->contains(s(kFilesystem)))))
            continue;
        const QString drivePath = objectPath(block.value(QStringLiteral("Drive")));
        if (drivePath.isEmpty() || drivePath == QLatin1String("/") ||
            systemDrives.contains(drivePath))
            continue;
        const QVariantMap drive = objects.value(drivePath).value(s(kDrive));
        if (drive.isEmpty() || drive.value(QStringLiteral("Optical")).toBool())
            continue;
        const bool removable = drive.value(QStringLiteral("Removable")).toBool() ||
                               drive.value(QStringLiteral("MediaRemovable")).toBool();
        const bool usb =
            drive.value(QStringLiteral("ConnectionBus")).toString() == QLatin1String("usb");
        if (!removable && !usb)
            continue;

        TZarExp z;
        z.Objekt = it.key();
        QByteArray device = bytes(block.value(QStringLiteral("PreferredDevice")));
        if (device.isEmpty())
            device = bytes(block.value(QStringLiteral("Device")));
        z.Zarizeni = QFile::decodeName(device);
        const QString label = block.value(QStringLiteral("IdLabel")).toString().trimmed();
        z.Nazev = label.isEmpty() ? z.Zarizeni : label;
        if (encrypted) {
            z.Chyba = QStringLiteral("Disk %1 nelze připojit: je zašifrovaný.").arg(z.Nazev);
            media << z;
            continue;
        }
        z.Pozice = firstMountPoint(it->value(s(kFilesystem)));
        if (z.Pozice.isEmpty()) {
            // A bare window manager has no automounter: the medium is mounted
            // here, where the user asked for the list of media.
            QDBusMessage mount = QDBusMessage::createMethodCall(
                s(kService), z.Objekt, s(kFilesystem), QStringLiteral("Mount"));
            mount << noInteraction();
            const QDBusMessage mounted = connection.call(mount, QDBus::Block, kMountTimeoutMs);
            if (mounted.type() != QDBusMessage::ReplyMessage)
                z.Chyba = nelzePripojit(z.Nazev, duvodChyby(mounted));
            else if (!mounted.arguments().isEmpty())
                z.Pozice = mounted.arguments().first().toString();
            if (z.Pozice.isEmpty() && z.Chyba.isEmpty())
                z.Chyba = nelzePripojit(z.Nazev, QStringLiteral("služba disků nevrátila místo "
                                                                "připojení."));
        }
        media << z;
    }

    // In device order, as drive letters were: sdb1 before sdc1, sdb2 before
    // sdb10.
    QCollator order;
    order.setNumericMode(true);
    std::stable_sort(media.begin(), media.end(), [&order](const TZarExp& a, const TZarExp& b) {
        return order.compare(a.Zarizeni, b.Zarizeni) < 0;
    });
    return media;
}

VysledekOdebrani UDisksMedia::OdeberDisk(const TZarExp& disk) {
    auto nepovedlo = [](const QString& duvod) {
        return VysledekOdebrani{StavOdebrani::Nepovedlo, duvod};
    };
    QDBusConnection connection = bus();
    if (disk.Objekt.isEmpty() || !connection.isConnected())
        return nepovedlo(QStringLiteral("Systémová služba disků (UDisks2) neodpovídá."));

    auto ok = [](const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; };
    QDBusMessage failure;
    auto property = [&](const QString& path, const char* interface, const char* name) {
        QDBusMessage get = QDBusMessage::createMethodCall(s(kService), path, s(kProperties),
                                                          QStringLiteral("Get"));
        get << s(interface) << s(name);
        const QDBusMessage reply = connection.call(get, QDBus::Block, kListTimeoutMs);
        if (!ok(reply) || reply.arguments().isEmpty()) {
            failure = reply;
            return QVariant();
        }
        return reply.arguments().first().value<QDBusVariant>().variant();
    };
    auto prvniPismeno = [](QString text) {
        if (!text.isEmpty())
            text[0] = text[0].toUpper();
        return text;
    };

    // The device as it is now, not as it was listed: after an unmount that
    // went through and a power-off that did not, the mount point is gone and
    // only the drive is left to switch off.
    const QVariant points = property(disk.Objekt, kFilesystem, "MountPoints");
    if (!points.isValid())
        return nepovedlo(prvniPismeno(duvodChyby(failure)));
    const QString drivePath = objectPath(property(disk.Objekt, kBlock, "Drive"));
    if (drivePath.isEmpty() || drivePath == QLatin1String("/"))
        return nepovedlo(prvniPismeno(duvodChyby(failure)));

    const QList<QByteArray> mounted = byteStrings(points);
    if (!mounted.isEmpty()) {
        // What the cache still holds for the medium goes to it before
        // anything else happens.
        const int fd = ::open(mounted.first().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int synced = fd < 0 ? -1 : ::syncfs(fd);
        const int chyba = errno;
        if (fd >= 0)
            ::close(fd);
        if (synced != 0)
            return nepovedlo(
                QStringLiteral("Data se na disk nepodařilo zapsat: chyba systému č. %1 (%2).")
                    .arg(chyba)
                    .arg(QString::fromLocal8Bit(std::strerror(chyba))));

        QDBusMessage unmount = QDBusMessage::createMethodCall(
            s(kService), disk.Objekt, s(kFilesystem), QStringLiteral("Unmount"));
        unmount << noInteraction();
        const QDBusMessage reply = connection.call(unmount, QDBus::Block, kRemoveTimeoutMs);
        if (!ok(reply))
            return nepovedlo(prvniPismeno(duvodChyby(reply)));
    }

    // Unmounted: every byte is on the medium, and from here on a failure
    // only means that the drive stays powered.
    const bool canPowerOff = property(drivePath, kDrive, "CanPowerOff").toBool();
    const bool ejectable = property(drivePath, kDrive, "Ejectable").toBool();
    if (!canPowerOff && !ejectable)
        return {StavOdebrani::LzeVyjmout, QString()};
    QDBusMessage off = QDBusMessage::createMethodCall(s(kService), drivePath, s(kDrive),
                                                      canPowerOff ? QStringLiteral("PowerOff")
                                                                  : QStringLiteral("Eject"));
    off << noInteraction();
    const QDBusMessage reply = connection.call(off, QDBus::Block, kRemoveTimeoutMs);
    if (!ok(reply))
        return {StavOdebrani::LzeVyjmout, prvniPismeno(duvodChyby(reply))};
    return {StavOdebrani::Odebran, QString()};
}

} // namespace urn
