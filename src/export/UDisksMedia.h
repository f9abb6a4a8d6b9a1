#pragma once

// The removable media as the system's disk service UDisks2 knows them, over
// D-Bus on the system bus: block devices with a filesystem on a drive that is
// removable or on USB, never the system disk.

#include "export/RemovableMedia.h"

#include <QString>

class QDBusConnection;

namespace urn {

class UDisksMedia : public RemovableMedia {
public:
    // On the system bus (DBUS_SYSTEM_BUS_ADDRESS when set).
    UDisksMedia();
    // On the connection of that name (QDBusConnection::connectToBus).
    explicit UDisksMedia(const QString& connectionName);

    QList<TZarExp> SeznamVymenitelnych() override;
    VysledekOdebrani OdeberDisk(const TZarExp& disk) override;

private:
    QDBusConnection bus() const;

    QString m_connectionName;
};

} // namespace urn
