// Work spread over worker processes: every item's result arrives once, and
// a worker that dies costs only the item it was on.
#include "WorkerProcesses.h"

#include <QMap>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace urn::datatool;

namespace {

struct Outcome {
    QMap<qsizetype, QByteArray> taken;
    QMap<qsizetype, QString> lost;
};

Outcome runItems(qsizetype count, int jobs, const QList<qsizetype>& crashing) {
    Outcome o;
    const pid_t parent = ::getpid();
    WorkerCallbacks cb;
    cb.work = [&](qsizetype i) {
        // Only a worker may die; in the calling process the item would take
        // the test down with it.
        if (crashing.contains(i) && ::getpid() != parent)
            std::raise(SIGSEGV);
        // Results larger than a pipe's buffer arrive whole as well.
        return QByteArray::number(i) + QByteArray(int(i % 3) * 70000, 'x');
    };
    cb.take = [&](qsizetype i, QByteArrayView result) {
        EXPECT_FALSE(o.taken.contains(i)) << i;
        o.taken.insert(i, result.toByteArray());
    };
    cb.lost = [&](qsizetype i, const QString& why) { o.lost.insert(i, why); };
    runInWorkers(count, jobs, cb);
    return o;
}

} // namespace

TEST(WorkerProcesses, EveryItemOnceWhateverTheNumberOfWorkers) {
    for (int jobs : {1, 2, 5, 40}) {
        const Outcome o = runItems(23, jobs, {});
        ASSERT_EQ(o.taken.size(), 23) << jobs;
        EXPECT_TRUE(o.lost.isEmpty()) << jobs;
        for (qsizetype i = 0; i < 23; ++i)
            EXPECT_EQ(o.taken.value(i), QByteArray::number(i) + QByteArray(int(i % 3) * 70000, 'x'))
                << jobs << " " << i;
    }
    EXPECT_TRUE(runItems(0, 2, {}).taken.isEmpty());
}

TEST(WorkerProcesses, ACrashLosesOnlyItsItem) {
    // With two workers, item 4 lies inside the share 0, 2, 4, 6, 8 and is
    // followed by a new worker; items 7 and 8 end the shares.
    const Outcome o = runItems(9, 2, {4, 7, 8});
    EXPECT_EQ(o.lost.keys(), (QList<qsizetype>{4, 7, 8}));
    EXPECT_TRUE(o.lost.value(4).contains(QStringLiteral("signálem 11")))
        << o.lost.value(4).toStdString();
    EXPECT_EQ(o.taken.keys(), (QList<qsizetype>{0, 1, 2, 3, 5, 6}));
}
