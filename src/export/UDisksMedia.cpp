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
        if (!it->contains(s(kBlock)) || !it->contains(s(kFilesystem)))
            continue;
        const QVariantMap block = it->value(s(kBlock));
        if (block.value(QStringLiteral("HintIgnore")).toBool() ||
            block.value(QStringLiteral("HintSystem")).toBool() ||
            block.value(QStringLiteral("IdUsage")).toString() != QLatin1String("filesystem"))
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
        z.Pozice = firstMountPoint(it->value(s(kFilesystem)));
        if (z.Pozice.isEmpty()) {
            // A bare window manager has no automounter: the medium is mounted
            // here, where the user asked for the list of media.
            QDBusMessage mount = QDBusMessage::createMethodCall(
                s(kService), z.Objekt, s(kFilesystem), QStringLiteral("Mount"));
            mount << noInteraction();
            const QDBusMessage mounted = connection.call(mount, QDBus::Block, kMountTimeoutMs);
            if (mounted.type() != QDBusMessage::ReplyMessage || mounted.arguments().isEmpty())
                continue;
            z.Pozice = mounted.arguments().first().toString();
            if (z.Pozice.isEmpty())
                continue;
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

bool UDisksMedia::OdeberDisk(const TZarExp& disk) {
    if (disk.Objekt.isEmpty())
        return false;
    QDBusConnection connection = bus();
    if (!connection.isConnected())
        return false;

    // What the cache still holds for the medium goes to it before anything
    // else happens.
    if (!disk.Pozice.isEmpty()) {
        const int fd =
            ::open(QFile::encodeName(disk.Pozice).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const int synced = ::syncfs(fd);
        ::close(fd);
        if (synced != 0)
            return false;
    }

    auto ok = [](const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; };
    auto property = [&](const QString& path, const char* interface, const char* name) {
        QDBusMessage get = QDBusMessage::createMethodCall(s(kService), path, s(kProperties),
                                                          QStringLiteral("Get"));
        get << s(interface) << s(name);
        const QDBusMessage reply = connection.call(get, QDBus::Block, kListTimeoutMs);
        if (!ok(reply) || reply.arguments().isEmpty())
            return QVariant();
        return reply.arguments().first().value<QDBusVariant>().variant();
    };

    const QString drivePath = objectPath(property(disk.Objekt, kBlock, "Drive"));
    if (drivePath.isEmpty() || drivePath == QLatin1String("/"))
        return false;

    QDBusMessage unmount = QDBusMessage::createMethodCall(s(kService), disk.Objekt, s(kFilesystem),
                                                          QStringLiteral("Unmount"));
    unmount << noInteraction();
    if (!ok(connection.call(unmount, QDBus::Block, kRemoveTimeoutMs)))
        return false;

    const bool canPowerOff = property(drivePath, kDrive, "CanPowerOff").toBool();
    QDBusMessage off = QDBusMessage::createMethodCall(s(kService), drivePath, s(kDrive),
                                                      canPowerOff ? QStringLiteral("PowerOff")
                                                                  : QStringLiteral("Eject"));
    off << noInteraction();
    return ok(connection.call(off, QDBus::Block, kRemoveTimeoutMs));
}

} // namespace urn
