#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace urn {

SingleInstance::SingleInstance(const QString& lockDir) {
    m_dir = lockDir;
    if (m_dir.isEmpty())
        m_dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_dir.isEmpty())
        m_dir = QDir::tempPath();
    m_path = QDir(m_dir).filePath(QStringLiteral("urnarium.lock"));
}

SingleInstance::Result SingleInstance::tryAcquire() {
    if (!QDir().mkpath(m_dir))
        return CannotCreate;
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose owner process is gone is removed by QLockFile itself; a
    // live owner keeps it however old it is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Acquired;
    // Only a lock that a running process holds means another instance; a
    // lock we cannot even create must not be taken for one, or the program
    // would refuse to start for a reason the user cannot see.
    return m_lock->error() == QLockFile::LockFailedError ? HeldByOther : CannotCreate;
}

QString SingleInstance::cannotCreateMessage() const {
    return QStringLiteral("Program nemůže vytvořit svůj zámek v adresáři %1.\r"
                          "Zkontrolujte, že adresář existuje a že do něj smíte zapisovat.")
        .arg(QDir::toNativeSeparators(m_dir));
}

} // namespace urn
