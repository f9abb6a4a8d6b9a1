#include "WorkerProcesses.h"

#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace urn::datatool {

namespace {

// A result travels as its length (8 bytes, native order: both ends are the
// same program) and its bytes, in the order of the worker's share.
constexpr qsizetype kLengthSize = sizeof(qint64);

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    QList<qsizetype> items; // the share, in order
    qsizetype done = 0;     // items whose result arrived or that were lost
    QByteArray buffer;      // bytes read that do not yet make a whole result
};

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

[[noreturn]] void workerMain(int fd, const QList<qsizetype>& items, const WorkerCallbacks& cb) {
    for (qsizetype i : items) {
        const QByteArray result = cb.work(i);
        const qint64 length = result.size();
        QByteArray frame(kLengthSize, '\0');
        std::memcpy(frame.data(), &length, sizeof length);
        frame += result;
        if (!writeAll(fd, frame.constData(), frame.size()))
            _exit(3);
    }
    // Nothing of the parent's (buffers, destructors, the application object)
    // is the worker's to finish.
    _exit(0);
}

// Starts a worker for the rest of w's share; false when none can be started.
bool start(Worker& w, const QList<Worker>& all, const WorkerCallbacks& cb) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        for (const Worker& other : all)
            if (other.fd >= 0)
                ::close(other.fd);
        try {
            workerMain(fds[1], w.items.mid(w.done), cb);
        } catch (...) {
            _exit(4);
        }
    }
    // The parent keeps no write end, so that the pipe ends when the worker does.
    ::close(fds[1]);
    w.pid = pid;
    w.fd = fds[0];
    w.buffer.clear();
    return true;
}

void workHere(Worker& w, const WorkerCallbacks& cb) {
    for (; w.done < w.items.size(); ++w.done)
        cb.take(w.items.at(w.done), cb.work(w.items.at(w.done)));
}

void takeWholeResults(Worker& w, const WorkerCallbacks& cb) {
    qsizetype pos = 0;
    while (w.buffer.size() - pos >= kLengthSize && w.done < w.items.size()) {
        qint64 length = 0;
        std::memcpy(&length, w.buffer.constData() + pos, sizeof length);
        if (w.buffer.size() - pos - kLengthSize < length)
            break;
        cb.take(w.items.at(w.done), QByteArrayView(w.buffer).sliced(pos + kLengthSize, length));
        ++w.done;
        pos += kLengthSize + length;
    }
    w.buffer.remove(0, pos);
}

QString howItEnded(int status) {
    if (WIFSIGNALED(status))
        return QStringLiteral("pracovní proces skončil signálem %1 (%2)")
            .arg(WTERMSIG(status))
            .arg(QString::fromLocal8Bit(::strsignal(WTERMSIG(status))));
    return QStringLiteral("pracovní proces skončil předčasně s kódem %1").arg(WEXITSTATUS(status));
}

// The worker's pipe has ended: the item it was on, if any, is lost and a
// new worker takes the rest.
void finish(Worker& w, QList<Worker>& all, const WorkerCallbacks& cb) {
    ::close(w.fd);
    w.fd = -1;
    int status = 0;
    while (::waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
    }
    w.pid = -1;
    if (w.done >= w.items.size())
        return;
    cb.lost(w.items.at(w.done), howItEnded(status));
    ++w.done;
    if (w.done < w.items.size() && !start(w, all, cb))
        workHere(w, cb);
}

} // namespace

void runInWorkers(qsizetype count, int jobs, const WorkerCallbacks& cb) {
    const qsizetype n = std::max<qsizetype>(1, std::min<qsizetype>(jobs, count));
    QList<Worker> workers(n);
    for (qsizetype i = 0; i < count; ++i)
        workers[i % n].items.append(i);
    for (Worker& w : workers)
        if (!w.items.isEmpty() && !start(w, workers, cb))
            workHere(w, cb);

    QList<pollfd> fds;
    QList<Worker*> polled;
    char chunk[64 * 1024];
    for (;;) {
        fds.clear();
        polled.clear();
        for (Worker& w : workers)
            if (w.fd >= 0) {
                fds.append({w.fd, POLLIN, 0});
                polled.append(&w);
            }
        if (fds.isEmpty())
            return;
        if (::poll(fds.data(), nfds_t(fds.size()), -1) < 0) {
            if (errno == EINTR)
                continue;
            // Nothing to wait on any more: read each pipe to its end instead.
            for (pollfd& p : fds)
                p.revents = POLLIN;
        }
        for (qsizetype k = 0; k < fds.size(); ++k) {
            if (fds.at(k).revents == 0)
                continue;
            Worker& w = *polled.at(k);
            const ssize_t got = ::read(w.fd, chunk, sizeof chunk);
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (got > 0) {
                w.buffer.append(chunk, got);
                takeWholeResults(w, cb);
                continue;
            }
            finish(w, workers, cb);
        }
    }
}

} // namespace urn::datatool
