#pragma once

// A print server of the test's own: a private cupsd with its configuration,
// socket, spool, cache and logs in a temporary directory, and one queue
// ("Urnarium") that keeps every job it gets as a file. The queue is a real
// printer to the printing system: the job passes the same filters as on a
// station's printer (pdftopdf selects pages and makes copies), and only the
// last step, the backend, writes the paper's content into a file instead of
// sending it to a device. CUPS_SERVER points this process at the server;
// the machine's own print server is never asked.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace urn::test {

class PrintServer {
public:
    // What one job brought to the paper.
    struct Job {
        int id = 0;
        QString title;
        QString options;   // the job's options as the backend got them
        QStringList pages; // the text of every page that reached the paper
    };

    // Starts the server and adds the queue as the default printer. On
    // failure, failure() says why; a test must fail then, not skip.
    PrintServer();
    ~PrintServer();
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    QString failure() const { return m_failure; }
    static QString queue() { return QStringLiteral("Urnarium"); }

    // Every job the queue has finished, oldest first, once the server holds
    // no job that is still waiting or printing and at least `atLeast` jobs
    // have ended (in at most `timeoutMs`). Jobs already returned by an
    // earlier call are not returned again.
    QList<Job> newJobs(int atLeast, int timeoutMs = 60000);

    // Jobs the server holds that have not ended (waiting, held, printing).
    int pendingJobs();
    // Runs a CUPS command-line tool (lpadmin, cupsdisable, cupsreject...)
    // against this server; false when it fails.
    bool run(const QString& tool, const QStringList& arguments);
    // The end of the server's error log, to explain a failure.
    QString log() const;

private:
    bool start();
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList finishedJobFiles() const;

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_failure;
    QByteArray m_previousServer;
    bool m_hadPreviousServer = false;
    int m_seen = 0;
    QByteArray m_lastOutput;
};

} // namespace urn::test
