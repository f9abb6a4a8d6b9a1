#pragma once

// Running the command-line tools from tests, and looking at what they leave
// on disk.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace urn::test {

struct ToolRun {
    int exitCode = -1; // -1 when the tool did not finish or crashed
    QByteArray out;
    QString err;

    QString text() const { return QString::fromUtf8(out); }
};

// Runs the tool to its end. One that does not finish within two minutes, or
// crashes, is a test failure.
ToolRun runTool(const QString& executable, const QStringList& args);

// Every file below the directory with a hash of its content.
QMap<QString, QByteArray> fileHashes(const QString& root);

} // namespace urn::test
