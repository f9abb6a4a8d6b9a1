#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace urn {

SingleInstance::SingleInstance(const QString& lockDir) {
    QString dir = lockDir;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(QStringLiteral("urnarium.lock"));
}

bool SingleInstance::tryAcquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose owner process is gone is removed by QLockFile itself; a
    // live owner keeps it however old it is.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

} // namespace urn
