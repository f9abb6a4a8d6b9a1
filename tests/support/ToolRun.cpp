#include "ToolRun.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace urn::test {

ToolRun runTool(const QString& executable, const QStringList& args) {
    QProcess p;
    p.start(executable, args);
    ToolRun r;
    if (!p.waitForFinished(120000)) {
        ADD_FAILURE() << executable.toStdString() << " did not finish";
        return r;
    }
    if (p.exitStatus() != QProcess::NormalExit)
        ADD_FAILURE() << executable.toStdString() << " crashed";
    else
        r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QMap<QString, QByteArray> fileHashes(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.insert(path, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

} // namespace urn::test
