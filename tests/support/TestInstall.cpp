#include "TestInstall.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace urn::test {

namespace {
void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}
} // namespace

TestInstall::TestInstall() {
    m_dirs.program = root();
    m_dirs.config = root();
    m_dirs.data = root() + QStringLiteral("data/");
    QDir().mkpath(m_dirs.data);
    setInstallDirs(m_dirs);
}

TestInstall::~TestInstall() {
    setInstallDirs({});
}

void TestInstall::writeProgramFile(const QString& name, const QByteArray& content) const {
    writeFile(m_dirs.program + name, content);
}
void TestInstall::writeDataFile(const QString& name, const QByteArray& content) const {
    writeFile(m_dirs.data + name, content);
}
void TestInstall::writeConfigFile(const QString& name, const QByteArray& content) const {
    writeFile(m_dirs.config + name, content);
}

QByteArray TestInstall::readFile(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestInstall::writeOkrsky(const QList<TOkrsky>& r) const {
    writeProgramFile(QStringLiteral("OKRSKY.RCD"), concat(r));
}
void TestInstall::writeStrany(const QList<TStrana>& r) const {
    writeProgramFile(QStringLiteral("STRANY.RCD"), concat(r));
}
void TestInstall::writeKandidati(const QList<TKandidat>& r) const {
    writeProgramFile(QStringLiteral("KANDIDAT.RCD"), concat(r));
}
void TestInstall::writeOcekavani(const QList<TOcekavani>& r) const {
    writeProgramFile(QStringLiteral("QZRVOK.RCD"), concat(r));
}
void TestInstall::writeZvlastni(const QList<TZvlastniOkrsek>& r) const {
    writeProgramFile(QStringLiteral("QZRZVO.RCD"), concat(r));
}
void TestInstall::writeStanice(const TStanice& s) const {
    writeDataFile(QStringLiteral("STANICE.RCD"), s.toRecord());
    writeConfigFile(QStringLiteral("STANICE.RCD"), s.toRecord());
}

TStanice sampleStanice() {
    TStanice s;
    s.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
    s.Obec = QStringLiteral("582786");
    s.Okrsek = 2;
    s.IdStanice = QStringLiteral("5827860002");
    s.PriponaPisma = QString();
    s.VerzeOS = QStringLiteral("99");
    s.Stav = QStringLiteral("N");
    return s;
}

} // namespace urn::test
