#include "ScratchInstall.h"

#include "store/RecordIO.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace urn::fuzz {

namespace {

const QString& scratchRoot() {
    static QTemporaryDir dir;
    static const QString root = [] {
        if (!dir.isValid())
            std::abort(); // nothing can be fuzzed without a place for the files
        QDir().mkpath(dir.path() + QStringLiteral("/data"));
        return dir.path() + QLatin1Char('/');
    }();
    return root;
}

void removeFilesIn(const QString& dir) {
    QDir d(dir);
    for (const QString& name : d.entryList(QDir::Files | QDir::Hidden | QDir::System))
        d.remove(name);
}

} // namespace

ScratchInstall::ScratchInstall() : m_previous(installDirs()), m_previousSync(syncToDisk()) {
    const QString& root = scratchRoot();
    m_dirs.program = root;
    m_dirs.config = root;
    m_dirs.data = root + QStringLiteral("data/");
    removeFilesIn(m_dirs.program);
    removeFilesIn(m_dirs.data);
    setInstallDirs(m_dirs);
    setSyncToDisk(false);
}

ScratchInstall::~ScratchInstall() {
    setInstallDirs(m_previous);
    setSyncToDisk(m_previousSync);
}

void ScratchInstall::write(const QString& path, const QByteArray& content) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        std::abort(); // the scratch directory itself failed, not the code under test
}

QByteArray ScratchInstall::read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList ScratchInstall::files(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace urn::fuzz
