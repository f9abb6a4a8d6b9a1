#include "PrintServer.h"

#include "PdfText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>

namespace urn::test {

namespace {

// A printer of cups-filters that takes PDF: jobs pass pdftopdf, which selects
// the pages and makes the copies, as they do on a station's printer.
constexpr const char* kPpd = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";
constexpr const char* kCupsLib = "/usr/lib/cups";

// The backend: keeps what would go to the device as <job id>.job, with the
// job's title and options in <job id>.info, each under its final name only
// once complete.
constexpr const char* kBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then
  echo 'direct capture "Unknown" "Urnarium test queue"'
  exit 0
fi
dir=${DEVICE_URI#capture:}
{ printf 'title=%s\n' "$3"; printf 'options=%s\n' "$5"; } > "$dir/$1.info.part" &&
  mv "$dir/$1.info.part" "$dir/$1.info" || exit 1
if [ -n "$6" ]; then cat "$6"; else cat; fi > "$dir/$1.part" && mv "$dir/$1.part" "$dir/$1.job"
)";

constexpr const char* kFiles = R"(ServerRoot %1
RequestRoot %1/spool
TempDir %1/spool/tmp
CacheDir %1/cache
StateDir %1/state
ServerBin %1/bin
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
Printcap %1/printcap
FileDevice No
)";

// Only the socket, no browsing or sharing, and no authentication: the test
// process administers the server it started.
constexpr const char* kConf = R"(Listen %1/cups.sock
LogLevel debug
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

bool writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A CUPS program: the administration tools live in sbin, which a user's
// PATH may not name.
QString program(const QString& name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(
                                  name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                            : onPath;
}

// The job's number from its file name.
int jobId(const QString& fileName) {
    return QFileInfo(fileName).baseName().toInt();
}

} // namespace

PrintServer::PrintServer() : m_dir(QDir::tempPath() + QStringLiteral("/cupsd-XXXXXX")) {
    m_hadPreviousServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_previousServer = qgetenv("CUPS_SERVER");
    if (!start() && m_failure.isEmpty())
        m_failure = QStringLiteral("the print server did not start");
    if (!m_failure.isEmpty())
        m_failure += QStringLiteral("\n") + log();
}

PrintServer::~PrintServer() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
    if (m_hadPreviousServer)
        qputenv("CUPS_SERVER", m_previousServer);
    else
        qunsetenv("CUPS_SERVER");
    // The library keeps the server it first asked; it takes the restored
    // one from now on.
    cupsSetServer(nullptr);
}

bool PrintServer::start() {
    if (!m_dir.isValid()) {
        m_failure = QStringLiteral("no temporary directory for the print server");
        return false;
    }
    const QString cupsd = program(QStringLiteral("cupsd"));
    if (cupsd.isEmpty() || !QFileInfo::exists(QString::fromLatin1(kPpd)) ||
        program(QStringLiteral("lpadmin")).isEmpty()) {
        m_failure = QStringLiteral("cupsd, lpadmin or the generic PDF printer of cups-filters is "
                                   "missing (packages cups, cups-client; scripts/install-deps.sh "
                                   "test)");
        return false;
    }
    // Run as root, cupsd hands the job to its filters as user lp, who must
    // be able to reach the spool below this directory.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    const QDir dir(m_dir.path());
    for (const char* sub : {"spool/tmp", "cache", "state", "log", "bin/backend", "jobs"})
        dir.mkpath(QString::fromLatin1(sub));
    // The server's programs are the system's, except for the backend.
    for (const char* sub : {"filter", "daemon", "cgi-bin", "notifier", "driver", "monitor"})
        QFile::link(QString::fromLatin1(kCupsLib) + QLatin1Char('/') + QLatin1String(sub),
                    path(QStringLiteral("bin/")) + QLatin1String(sub));
    const QString backend = path(QStringLiteral("bin/backend/capture"));
    // Only its owner may run or change it: cupsd refuses anything else when
    // it runs as root, and runs such a backend as root.
    if (!writeFile(backend, kBackend) ||
        !QFile::setPermissions(backend, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner) ||
        !writeFile(path(QStringLiteral("cups-files.conf")),
                   QString::fromLatin1(kFiles).arg(m_dir.path()).toUtf8()) ||
        !writeFile(path(QStringLiteral("cupsd.conf")),
                   QString::fromLatin1(kConf).arg(m_dir.path()).toUtf8())) {
        m_failure = QStringLiteral("cannot write the print server's configuration");
        return false;
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // cupsd tells the system bus about printers and jobs: here it finds none.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + path(QStringLiteral("no-bus")));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    m_cupsd.setProcessEnvironment(env);
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(cupsd,
                  {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("cupsd.conf")),
                   QStringLiteral("-s"), path(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted(10000)) {
        m_failure = QStringLiteral("cupsd does not start: ") + m_cupsd.errorString();
        return false;
    }

    qputenv("CUPS_SERVER", path(QStringLiteral("cups.sock")).toLocal8Bit());
    cupsSetServer(nullptr);
    const QDeadlineTimer deadline(20000);
    // lpstat says whether the scheduler runs, and succeeds either way.
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}) ||
           !m_lastOutput.startsWith("scheduler is running")) {
        if (m_cupsd.state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_failure = QStringLiteral("cupsd does not answer: ") +
                        QString::fromLocal8Bit(m_cupsd.readAll());
            return false;
        }
        QThread::msleep(20);
    }
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), queue(), QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("capture:") + path(QStringLiteral("jobs")), QStringLiteral("-P"),
              QString::fromLatin1(kPpd)}) ||
        !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue()})) {
        m_failure =
            QStringLiteral("the queue cannot be added: ") + QString::fromLocal8Bit(m_lastOutput);
        return false;
    }
    return true;
}

bool PrintServer::run(const QString& tool, const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), path(QStringLiteral("cups.sock")));
    // Answers read here are the tools' own English ones.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program(tool), arguments);
    if (!p.waitForFinished(30000))
        return false;
    m_lastOutput = p.readAll();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString PrintServer::log() const {
    const QByteArray all = readFile(m_dir.filePath(QStringLiteral("log/error_log")));
    return QString::fromLocal8Bit(all.right(6000));
}

QStringList PrintServer::finishedJobFiles() const {
    QStringList files =
        QDir(path(QStringLiteral("jobs"))).entryList({QStringLiteral("*.job")}, QDir::Files);
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return jobId(a) < jobId(b); });
    return files;
}

int PrintServer::pendingJobs() {
    // Jobs not completed: waiting, held, stopped or printing.
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-o")}))
        return -1;
    return int(m_lastOutput.count('\n'));
}

QList<PrintServer::Job> PrintServer::newJobs(int atLeast, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() &&
           (finishedJobFiles().size() < m_seen + atLeast || pendingJobs() != 0))
        QThread::msleep(20);
    QList<Job> jobs;
    const QStringList files = finishedJobFiles();
    for (qsizetype i = m_seen; i < files.size(); ++i) {
        Job job;
        job.id = jobId(files[i]);
        const QString base = path(QStringLiteral("jobs/%1").arg(job.id));
        for (const QByteArray& line : readFile(base + QStringLiteral(".info")).split('\n')) {
            if (line.startsWith("title="))
                job.title = QString::fromUtf8(line.mid(6));
            else if (line.startsWith("options="))
                job.options = QString::fromUtf8(line.mid(8));
        }
        // The printer's language wraps the PDF in job control commands.
        const QByteArray data = readFile(base + QStringLiteral(".job"));
        const qsizetype pdf = data.indexOf("%PDF");
        if (pdf >= 0 && writeFile(base + QStringLiteral(".pdf"), data.mid(pdf)))
            job.pages = pdfText(base + QStringLiteral(".pdf"));
        jobs.append(job);
    }
    m_seen = int(files.size());
    return jobs;
}

} // namespace urn::test
