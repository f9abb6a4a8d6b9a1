#pragma once

#include "store/InstallDirs.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

namespace urn::test {

// A throw-away installation in a temporary directory: program directory with
// data/ below it, set as the directories of the running test.
class TestInstall {
public:
    TestInstall();
    ~TestInstall();

    const InstallDirs& dirs() const { return m_dirs; }
    QString root() const { return m_root.path() + QLatin1Char('/'); }

    // Writes a file into the program / data / configuration directory.
    void writeProgramFile(const QString& name, const QByteArray& content) const;
    void writeDataFile(const QString& name, const QByteArray& content) const;
    void writeConfigFile(const QString& name, const QByteArray& content) const;
    QByteArray readFile(const QString& path) const;

    // Common tables from records.
    void writeOkrsky(const QList<TOkrsky>& records) const;
    void writeStrany(const QList<TStrana>& records) const;
    void writeKandidati(const QList<TKandidat>& records) const;
    void writeOcekavani(const QList<TOcekavani>& records) const;
    void writeZvlastni(const QList<TZvlastniOkrsek>& records) const;
    // STANICE.RCD in both the data and the configuration directory.
    void writeStanice(const TStanice& s) const;

private:
    QTemporaryDir m_root;
    InstallDirs m_dirs;
};

TStanice sampleStanice();

template <typename R> QByteArray concat(const QList<R>& records) {
    QByteArray out;
    for (const R& r : records)
        out.append(r.toRecord());
    return out;
}

} // namespace urn::test
