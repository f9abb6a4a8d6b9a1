#include "SingleInstance.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace urn;

TEST(SingleInstance, SecondInstanceIsRefusedUntilTheFirstEnds) {
    QTemporaryDir runtime;
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_TRUE(first->tryAcquire());
    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.tryAcquire());
    first.reset();
    SingleInstance third(runtime.path());
    EXPECT_TRUE(third.tryAcquire());
}

TEST(SingleInstance, LockLeftByADeadProcessIsTakenOver) {
    QTemporaryDir runtime;
    SingleInstance probe(runtime.path());
    // A lock file naming a process that does not exist, as a crash leaves it.
    QFile f(probe.lockPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("999999999\nurnarium\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    EXPECT_TRUE(probe.tryAcquire());
}
