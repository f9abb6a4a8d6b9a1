#include "MockUDisks.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

namespace urn::test {

namespace {

QProcess* g_daemon = nullptr;
QTemporaryDir* g_busDir = nullptr;
QString g_failure;

constexpr const char* kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// Debian's python3 carries python3-dbusmock; another python3 first on the
// PATH (a developer's own) may not.
QString python() {
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
               ? QStringLiteral("/usr/bin/python3")
               : QStringLiteral("python3");
}

} // namespace

void PrivateSystemBus::SetUp() {
    g_busDir = new QTemporaryDir;
    const QString config = g_busDir->filePath(QStringLiteral("bus.conf"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QString::fromLatin1(kBusConfig).arg(g_busDir->path()).toUtf8()) < 0) {
        g_failure = QStringLiteral("cannot write the bus configuration");
        return;
    }
    f.close();
    g_daemon = new QProcess;
    g_daemon->setProcessChannelMode(QProcess::SeparateChannels);
    g_daemon->start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
    if (!g_daemon->waitForStarted(10000)) {
        g_failure = QStringLiteral("dbus-daemon does not start (package dbus-daemon): ") +
                    g_daemon->errorString();
        return;
    }
    QByteArray line;
    const QDeadlineTimer deadline(10000);
    while (!line.contains('\n') && !deadline.hasExpired() && g_daemon->waitForReadyRead(1000))
        line += g_daemon->readAllStandardOutput();
    const QByteArray address = line.split('\n').value(0).trimmed();
    if (address.isEmpty()) {
        g_failure = QStringLiteral("dbus-daemon gave no address: ") +
                    QString::fromLocal8Bit(g_daemon->readAllStandardError());
        return;
    }
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
}

void PrivateSystemBus::TearDown() {
    if (g_daemon) {
        g_daemon->terminate();
        if (!g_daemon->waitForFinished(5000))
            g_daemon->kill();
        g_daemon->waitForFinished(5000);
    }
    delete g_daemon;
    g_daemon = nullptr;
    delete g_busDir;
    g_busDir = nullptr;
}

QString PrivateSystemBus::failure() {
    if (!g_failure.isEmpty())
        return g_failure;
    if (!g_daemon)
        return QStringLiteral("the private system bus was not set up");
    return QString();
}

MockUDisks2::MockUDisks2(QJsonObject parameters) {
    m_failure = PrivateSystemBus::failure();
    if (!m_failure.isEmpty())
        return;
    parameters.insert(QStringLiteral("calls"), m_dir.filePath(QStringLiteral("calls.txt")));
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(python(),
                    {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                     QStringLiteral("-t"), QStringLiteral(URNARIUM_UDISKS2_MOCK),
                     QStringLiteral("-p"),
                     QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact))});
    if (!m_process.waitForStarted(10000)) {
        m_failure = QStringLiteral("python3 does not start: ") + m_process.errorString();
        return;
    }
    // The service answers once its name is on the bus: the template is loaded
    // before the mock takes any call.
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (bus && bus->isServiceRegistered(QStringLiteral("org.freedesktop.UDisks2")))
            return;
        if (m_process.state() == QProcess::NotRunning)
            break;
        m_process.waitForFinished(50);
    }
    m_failure = QStringLiteral("the mock UDisks2 did not come up (package python3-dbusmock): ") +
                QString::fromLocal8Bit(m_process.readAll());
}

MockUDisks2::~MockUDisks2() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
    // The next mock must not meet this one's name on the bus.
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    const QDeadlineTimer deadline(5000);
    while (bus && !deadline.hasExpired() &&
           bus->isServiceRegistered(QStringLiteral("org.freedesktop.UDisks2")))
        QThread::msleep(10);
}

QStringList MockUDisks2::calls() const {
    QFile f(m_dir.filePath(QStringLiteral("calls.txt")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace urn::test
